#include "output/RadkyCsv.h"

#include "core/BezZlomu.h"
#include "core/CeleCislo.h"
#include "core/Win1250.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace {

constexpr size_t VelikostBloku = size_t{64} * 1024;
// A row is held a few times over while it prints; a longer one would break the memory bound
// that lets a table of any length print.
constexpr size_t NejdelsiRadek = size_t{8} * 1024 * 1024;

// The first CR or LF from od on, or the text's length.
size_t KonecRadku(std::string_view text, size_t od) {
    for (; od < text.size(); ++od)
        if (text[od] == '\r' || text[od] == '\n')
            return od;
    return text.size();
}

} // namespace

tRadkyCsv::tRadkyCsv(int fd, const tDruhTabulky& druh, std::string nazev)
    : fd_(fd), druh_(druh), nazev_(std::move(nazev)) {
    NaZacatek();
}

void tRadkyCsv::ChybaCteni(int kod) const {
    throw eSouborTabulky("Soubor " + nazev_ + " nelze přečíst (" + std::to_string(kod) + ")");
}

void tRadkyCsv::DlouhyRadek() const {
    throw eSouborTabulky("Řádek " + std::to_string(cislo_ + 1) + " souboru " + nazev_ +
                         " je delší než 8 MiB");
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
        ssize_t precteno = -1;
        do {
            precteno = ::pread(fd_, bajty.data(), bajty.size(), static_cast<off_t>(kde_));
        } while (precteno < 0 && errno == EINTR);
        if (precteno < 0)
            ChybaCteni(errno);
        kde_ += precteno;
        konec_ = precteno == 0;
        dekoder_.Dekoduj(std::string_view(bajty.data(), static_cast<size_t>(precteno)), text_,
                         konec_);
        // The text ends at its first NUL, as the clipboard's does.
        if (const size_t nul = text_.find('\0', bylo); nul != std::string::npos) {
            text_.resize(nul);
            konec_ = true;
        }
    }
    return text_.size() > bylo;
}

void tRadkyCsv::VezmiTsv(size_t konec) {
    radek_.assign(text_, pozice_, konec - pozice_);
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
                const auto obycejny = [&](char z) {
                    return z != '"' && z != oddelovac && z != '\r' && z != '\n' && z != '\t';
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
            DlouhyRadek();
        // Nothing more to read: what waited for the next byte is decided on the next turn.
        if (!Dopln(text_.size() - pozice_) && !crNaKonci && !potrebaDalsi) {
            if (uvnitr)
                throw eSouborTabulky("V souboru " + nazev_ +
                                     " zůstaly otevřené uvozovky (od řádku " +
                                     std::to_string(cislo_ + 1) + ")");
            return text_.size();
        }
    }
}

bool tRadkyCsv::Dalsi() {
    if (pozice_ >= text_.size() && !Dopln(0))
        return false;
    const size_t konec = KonecZaznamu();
    if (konec - pozice_ > NejdelsiRadek)
        DlouhyRadek();
    if (druh_.Format == tFormatTabulky::Tsv) // a CSV record was taken as it was scanned
        VezmiTsv(konec);
    ++cislo_;
    // After a line: one CR if it follows, then one LF if it follows.
    pozice_ = konec;
    if (pozice_ < text_.size() && text_[pozice_] == '\r')
        ++pozice_;
    if (pozice_ < text_.size() && text_[pozice_] == '\n')
        ++pozice_;
    return true;
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
