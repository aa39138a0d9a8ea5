#include "output/RadkyCsv.h"

#include "core/BezZlomu.h"
#include "core/CeleCislo.h"
#include "core/Soubory.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace {

constexpr size_t VelikostBloku = size_t{64} * 1024;
// A row is held a few times over while it prints; a longer one would break the memory bound
// that lets a table of any length print.
constexpr size_t NejdelsiRadek = size_t{8} * 1024 * 1024;

bool JeUtf16(tZnakovaSada sada) {
    return sada == tZnakovaSada::Utf16Le || sada == tZnakovaSada::Utf16Be;
}

} // namespace

eSouborTabulky ChybaCteniTabulky(const std::string& nazev, int kod) {
    return eSouborTabulky("Soubor " + nazev + " nelze přečíst (" + std::to_string(kod) + ")");
}

eSouborTabulky DlouhyRadekTabulky(const std::string& nazev, long long radek) {
    return eSouborTabulky("Řádek " + std::to_string(radek) + " souboru " + nazev +
                          " je delší než 8 MiB");
}

eSouborTabulky OtevreneUvozovky(const std::string& nazev, long long radek) {
    return eSouborTabulky("V souboru " + nazev + " zůstaly otevřené uvozovky (od řádku " +
                          std::to_string(radek) + ")");
}

eSouborTabulky NeniTabulka(const std::string& nazev) {
    return eSouborTabulky("Soubor " + nazev + " není tabulka: obsahuje řídicí bajty");
}

tRadkyCsv::tRadkyCsv(int fd, tDruhTabulky druh, std::string nazev)
    : fd_(fd), druh_(std::move(druh)), nazev_(std::move(nazev)) {
    for (const char c : {'"', druh_.Oddelovac, '\r', '\n', '\t'})
        zvlastni_[static_cast<unsigned char>(c)] = true;
    NaZacatek();
}

void tRadkyCsv::NaZacatek() {
    dekoder_ = tDekoder(druh_.Sada);
    kde_ = static_cast<long long>(druh_.Bom);
    text_.clear();
    pozice_ = 0;
    konec_ = false;
    cislo_ = 0;
    radek_.clear();
}

bool tRadkyCsv::Dopln(size_t aspon) {
    if (konec_)
        return false;
    text_.erase(0, pozice_);
    pozice_ = 0;
    const size_t bylo = text_.size();
    // Reads grow with what waits, so a long row is not scanned again for every block.
    std::string bajty(std::max(aspon, VelikostBloku), '\0');
    while (text_.size() == bylo && !konec_) {
        const ssize_t precteno =
            PrectiKusOd(fd_, bajty.data(), bajty.size(), static_cast<off_t>(kde_));
        if (precteno < 0)
            throw ChybaCteniTabulky(nazev_, errno);
        const std::string_view data(bajty.data(), static_cast<size_t>(precteno));
        // Wherever it stands: the run's first pass, before any job, reads every byte. In
        // UTF-16 the zero bytes are half characters, and the characters are judged instead.
        if (!JeUtf16(druh_.Sada) && MaRidiciBajty(data))
            throw NeniTabulka(nazev_);
        kde_ += precteno;
        konec_ = precteno == 0;
        dekoder_.Dekoduj(data, text_, konec_);
        if (JeUtf16(druh_.Sada) && MaRidiciBajty(std::string_view(text_).substr(bylo)))
            throw NeniTabulka(nazev_);
    }
    return text_.size() > bylo;
}

size_t tRadkyCsv::KonecZaznamu() {
    const bool csv = druh_.Format == tFormatTabulky::Csv;
    for (;;) {
        // A CSV record ends at a line end outside quotes; a quote opens only at a field's
        // start, so an inch sign in an unquoted field is a character.
        const std::string_view text(text_);
        size_t i = pozice_;
        bool uvnitr = false, naZacatku = true, potrebaDalsi = false;
        if (csv) {
            // The record is taken as it is scanned: cells between TABs, quotes undone.
            const char oddelovac = druh_.Oddelovac;
            radek_.clear();
            for (; i < text.size(); ++i) {
                const char c = text[i];
                const auto obycejny = [this](char z) {
                    return !zvlastni_[static_cast<unsigned char>(z)];
                };
                if (obycejny(c)) { // a run of plain characters in one append
                    size_t k = i + 1;
                    while (k < text.size() && obycejny(text[k]))
                        ++k;
                    radek_.append(text.data() + i, k - i);
                    naZacatku = false;
                    i = k - 1;
                } else if (c == '"' && uvnitr) {
                    if (i + 1 == text.size() && !konec_) {
                        potrebaDalsi = true; // "" or the end of the field: the next byte says
                        break;
                    }
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        radek_ += '"';
                        ++i;
                    } else {
                        uvnitr = false;
                    }
                } else if (c == '"' && naZacatku) {
                    uvnitr = true;
                    naZacatku = false;
                } else if (!uvnitr && (c == '\r' || c == '\n')) {
                    break;
                } else if (c == '\r' && i + 1 == text.size() && !konec_) {
                    potrebaDalsi = true; // a CR whose LF may come in the next block
                    break;
                } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                    radek_ += ' '; // one line break, one blank
                    ++i;
                } else if (!uvnitr && c == oddelovac) {
                    radek_ += '\t';
                    naZacatku = true;
                } else {
                    // TAB divides the kept row, and a value never breaks a printed row.
                    radek_ += c == '\t' || LameRadek(c) ? ' ' : c;
                    naZacatku = false;
                }
            }
        } else {
            i = KonecRadku(text, i);
        }
        // A CR at the end of what is decoded may have its LF in the next block.
        const bool crNaKonci = i + 1 == text.size() && text[i] == '\r' && !konec_;
        if (i < text.size() && !crNaKonci && !potrebaDalsi)
            return i;
        if (i - pozice_ > NejdelsiRadek)
            throw DlouhyRadekTabulky(nazev_, cislo_ + 1);
        // Nothing more to read: what waited for the next byte is decided on the next turn.
        if (!Dopln(text_.size() - pozice_) && !crNaKonci && !potrebaDalsi) {
            if (uvnitr)
                throw OtevreneUvozovky(nazev_, cislo_ + 1);
            return text_.size();
        }
    }
}

bool tRadkyCsv::Dalsi() {
    if (pozice_ >= text_.size() && !Dopln(0))
        return false;
    const size_t konec = KonecZaznamu();
    if (konec - pozice_ > NejdelsiRadek)
        throw DlouhyRadekTabulky(nazev_, cislo_ + 1);
    if (druh_.Format == tFormatTabulky::Tsv) // a CSV record was taken as it was scanned
        radek_.assign(text_, pozice_, konec - pozice_);
    ++cislo_;
    // After a line: one CR if it follows, then one LF if it follows.
    pozice_ = konec;
    if (pozice_ < text_.size() && text_[pozice_] == '\r')
        ++pozice_;
    if (pozice_ < text_.size() && text_[pozice_] == '\n')
        ++pozice_;
    return true;
}

bool tRadkyCsv::PridejZbytek(std::string& cil, const std::function<bool(long long precteno)>& dal) {
    if (druh_.Format == tFormatTabulky::Csv) {
        constexpr long long RadkuMeziDotazy = 4096;
        while (Dalsi()) {
            cil += radek_;
            cil += '\n';
            if (cislo_ % RadkuMeziDotazy == 0 && !dal(Precteno()))
                return false;
        }
        return dal(Precteno());
    }
    for (;;) {
        cil.append(text_, pozice_);
        pozice_ = text_.size();
        if (!dal(Precteno()))
            return false;
        if (!Dopln(0))
            return true;
    }
}

std::string_view tRadkyCsv::Bunka(int sloupec) const {
    if (sloupec < 0)
        return {};
    if (sloupec == 0) {
        cisloText_ = CisloNaText(cislo_);
        return cisloText_;
    }
    return KusRadku(radek_, sloupec);
}

void tRadkyCsv::Bunky(std::vector<std::string_view>& cil, size_t kolik) const {
    cisloText_ = CisloNaText(cislo_);
    cil.clear();
    if (kolik == 0)
        return;
    cil.push_back(cisloText_);
    const std::string_view radek(radek_);
    for (size_t od = 0; cil.size() < kolik;) {
        const size_t tab = radek.find('\t', od);
        cil.push_back(radek.substr(od, tab == std::string_view::npos ? tab : tab - od));
        if (tab == std::string_view::npos)
            break;
        od = tab + 1;
    }
}
