#include "output/RadkyCsv.h"

#include "core/BezZlomu.h"
#include "core/CeleCislo.h"
#include "core/PriKonci.h"
#include "core/Soubezne.h"
#include "core/Soubory.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

constexpr size_t VelikostBloku = size_t{64} * 1024;
// A row is held a few times over while it prints; a longer one would break the memory bound
// that lets a table of any length print.
constexpr size_t NejdelsiRadek = size_t{8} * 1024 * 1024;

bool JeUtf16(tZnakovaSada sada) {
    return sada == tZnakovaSada::Utf16Le || sada == tZnakovaSada::Utf16Be;
}

// Copies the plain bytes of text from od on to zapis, up to the first byte that zvlastni
// marks ('"', the separator, CR, LF, TAB); returns where that stands, or the text's end.
// zapis must have room for as many bytes as text has from od on. Sixteen bytes at a time
// where the processor can: most of a CSV record is plain.
size_t KopirujObycejne(std::string_view text, size_t od, char*& zapis,
                       const std::array<bool, 256>& zvlastni, char oddelovac) {
    const char* const z = text.data();
    const size_t n = text.size();
#ifdef __SSE2__
    const __m128i uvozovka = _mm_set1_epi8('"'), oddel = _mm_set1_epi8(oddelovac),
                  cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n'), tab = _mm_set1_epi8('\t');
    while (od + 16 <= n) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(z + od));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(zapis), v);
        const __m128i shoda =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, uvozovka), _mm_cmpeq_epi8(v, oddel)),
                         _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)),
                                      _mm_cmpeq_epi8(v, tab)));
        if (const auto maska = static_cast<unsigned>(_mm_movemask_epi8(shoda)); maska != 0) {
            const auto plnych = static_cast<size_t>(__builtin_ctz(maska));
            zapis += plnych;
            return od + plnych;
        }
        zapis += 16;
        od += 16;
    }
#else
    (void)oddelovac;
#endif
    while (od < n && !zvlastni[static_cast<unsigned char>(z[od])])
        *zapis++ = z[od++];
    return od;
}

// Copies a CSV record's bytes from od on to zapis, up to the first quote, CR, LF or TAB (the
// separator being none of these): outside quotes each separator becomes the kept row's TAB,
// inside them it is a character. naZacatku tells afterwards whether a field starts there.
// Returns where it stopped. zapis must have room for as many bytes as text has from od on.
// Sixteen bytes at a time where the processor can: a record's separators outside quotes
// need no step of their own.
size_t KopirujPole(std::string_view text, size_t od, char*& zapis, char oddelovac, bool uvnitr,
                   bool& naZacatku) {
    const char* const z = text.data();
    const size_t n = text.size();
#ifdef __SSE2__
    const __m128i uvozovka = _mm_set1_epi8('"'), cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n'),
                  tab = _mm_set1_epi8('\t'), oddel = _mm_set1_epi8(oddelovac),
                  nahradit = uvnitr ? _mm_setzero_si128() : _mm_set1_epi8(-1);
    while (od + 16 <= n) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(z + od));
        const auto tvrde = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, uvozovka), _mm_cmpeq_epi8(v, cr)),
                         _mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, tab)))));
        const __m128i oddeluje = _mm_and_si128(_mm_cmpeq_epi8(v, oddel), nahradit);
        v = _mm_or_si128(_mm_and_si128(oddeluje, tab), _mm_andnot_si128(oddeluje, v));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(zapis), v);
        const size_t kolik = tvrde == 0 ? 16 : static_cast<size_t>(__builtin_ctz(tvrde));
        if (kolik > 0)
            naZacatku =
                ((static_cast<unsigned>(_mm_movemask_epi8(oddeluje)) >> (kolik - 1)) & 1) != 0;
        zapis += kolik;
        od += kolik;
        if (tvrde != 0)
            return od;
    }
#endif
    for (; od < n; ++od) {
        const char c = z[od];
        if (c == '"' || c == '\r' || c == '\n' || c == '\t')
            break;
        naZacatku = c == oddelovac && !uvnitr;
        *zapis++ = naZacatku ? '\t' : c;
    }
    return od;
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
    kde_ = od_ >= 0 ? od_ : static_cast<long long>(druh_.Bom);
    text_.clear();
    pozice_ = 0;
    konec_ = false;
    cislo_ = 0;
    radek_ = {};
}

bool tRadkyCsv::Dopln(size_t aspon) {
    if (konec_)
        return false;
    text_.erase(0, pozice_);
    pozice_ = 0;
    const size_t bylo = text_.size();
    // Reads grow with what waits, so a long row is not scanned again for every block.
    // The buffer is kept: a file is read through in many blocks.
    const size_t kolik = std::max(aspon, VelikostBloku);
    if (blok_.size() < kolik)
        blok_.resize(kolik);
    const size_t smi = pred_ < 0 ? kolik : std::min(kolik, static_cast<size_t>(pred_ - kde_));
    while (text_.size() == bylo && !konec_) {
        const ssize_t precteno =
            smi == 0 ? 0 : PrectiKusOd(fd_, blok_.data(), smi, static_cast<off_t>(kde_));
        if (precteno < 0)
            throw ChybaCteniTabulky(nazev_, errno);
        const std::string_view data(blok_.data(), static_cast<size_t>(precteno));
        // Wherever it stands: the run's first pass, before any job, reads every byte. In
        // UTF-16 the zero bytes are half characters, and the characters are judged instead.
        if (!JeUtf16(druh_.Sada) && MaRidiciBajty(data))
            throw NeniTabulka(nazev_);
        kde_ += precteno;
        konec_ = precteno == 0;
        if (syrove_)
            text_ += data;
        else
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
            // The record is taken as it is scanned: cells between TABs, quotes undone. It is
            // never longer than its text, so a buffer as long as what waits holds it, and it
            // is written without a check per byte.
            if (zaznam_.size() < text.size() - pozice_)
                zaznam_.resize(text.size() - pozice_);
            char* zapis = zaznam_.data();
            const char oddelovac = druh_.Oddelovac;
            // A line end is never a separator, and a quote at a field's start opens it.
            const bool oddelovacKonci = oddelovac == '\r' || oddelovac == '\n';
            // The usual separator is none of the bytes that need a step of their own.
            const bool obycejny = !oddelovacKonci && oddelovac != '"' && oddelovac != '\t';
            for (; i < text.size(); ++i) {
                if (const char c = text[i];
                    obycejny && c != '"' && c != '\r' && c != '\n' && c != '\t') {
                    i = KopirujPole(text, i, zapis, oddelovac, uvnitr, naZacatku);
                    if (i == text.size())
                        break;
                } else if (!obycejny && !zvlastni_[static_cast<unsigned char>(c)]) {
                    i = KopirujObycejne(text, i, zapis, zvlastni_, oddelovac);
                    naZacatku = false;
                    if (i == text.size())
                        break;
                }
                const char c = text[i];
                if (c == oddelovac && !uvnitr && !oddelovacKonci && // the most common case first
                    (c != '"' || !naZacatku)) {
                    *zapis++ = '\t';
                    naZacatku = true;
                } else if (c == '"' && uvnitr) {
                    if (i + 1 == text.size() && !konec_) {
                        potrebaDalsi = true; // "" or the end of the field: the next byte says
                        break;
                    }
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        *zapis++ = '"';
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
                    *zapis++ = ' '; // one line break, one blank
                    ++i;
                } else {
                    // TAB divides the kept row, and a value never breaks a printed row.
                    *zapis++ = c == '\t' || LameRadek(c) ? ' ' : c;
                    naZacatku = false;
                }
            }
            radek_ = std::string_view(zaznam_.data(), static_cast<size_t>(zapis - zaznam_.data()));
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
                throw OtevreneUvozovky(nazev_, cislo_ + 1);
            return text_.size();
        }
    }
}

bool tRadkyCsv::Dalsi() {
    radek_ = {}; // it may stand in text that the next read moves
    if (pozice_ >= text_.size() && !Dopln(0))
        return false;
    const size_t konec = KonecZaznamu();
    if (konec - pozice_ > NejdelsiRadek)
        DlouhyRadek();
    if (druh_.Format == tFormatTabulky::Tsv) // a CSV record was taken as it was scanned
        radek_ = std::string_view(text_).substr(pozice_, konec - pozice_);
    ++cislo_;
    // After a line: one CR if it follows, then one LF if it follows.
    pozice_ = konec;
    if (pozice_ < text_.size() && text_[pozice_] == '\r')
        ++pozice_;
    if (pozice_ < text_.size() && text_[pozice_] == '\n')
        ++pozice_;
    return true;
}

namespace {

// SoucetPoctu's bytes of a row too long for a row: it is decoded before it is judged.
struct tDlouhySyrovy {};

bool JeAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

void tRadkyCsv::DlouhyRadek() const {
    if (syrove_) // decoded, the row may be shorter
        throw tDlouhySyrovy{};
    throw DlouhyRadekTabulky(nazev_, cislo_ + 1);
}

long long tRadkyCsv::SoucetPoctu(int sloupec) {
    // A CSV record splits as its bytes do only if every character has a byte of its own
    // (the whole-file look counted those that have not): some of the others become quotes
    // or separators.
    const bool jakoBajty = druh_.Format == tFormatTabulky::Tsv ||
                           druh_.Sada == tZnakovaSada::Win1250 || druh_.Nepresnych == 0;
    if (!jakoBajty || JeUtf16(druh_.Sada) || sloupec < 1)
        return tZdrojRadku::SoucetPoctu(sloupec);
    try {
        if (const auto pulky = SectiNaPulky(sloupec))
            return *pulky;
        return SectiSyrove(sloupec);
    } catch (const tDlouhySyrovy&) {
        return tZdrojRadku::SoucetPoctu(sloupec);
    }
}

// A row of the clipboard's form starts after every LF, and so does a CSV record after one
// outside quotes. The first half tells which this one is: it ends inside quotes otherwise,
// which is an error of its own. Any error of a half, with a row number counted from the
// half's start, is left to the pass in order.
std::optional<long long> tRadkyCsv::SectiNaPulky(int sloupec) {
    const off_t stred = StredPruchodu(fd_, static_cast<off_t>(druh_.Bom));
    if (stred < 0)
        return std::nullopt;
    tRadkyCsv druha(*this);
    druha.od_ = stred;
    pred_ = stred;
    const tPriKonci cely([this] { pred_ = -1; });
    long long prvni = 0, druhe = 0;
    try {
        Soubezne([&] { prvni = SectiSyrove(sloupec); },
                 [&] { druhe = druha.SectiSyrove(sloupec); });
    } catch (const tDlouhySyrovy&) {
        throw; // a row starts at the middle, so it is as long in the pass in order
    } catch (...) {
        return std::nullopt;
    }
    return prvni + druhe;
}

long long tRadkyCsv::SectiSyrove(int sloupec) {
    NaZacatek();
    syrove_ = true;
    const tPriKonci zpet([this] { syrove_ = false; });
    long long celkem = 0;
    std::string prevedena;
    while (Dalsi()) {
        std::string_view bunka = KusRadku(radek_, sloupec);
        if (!JeAscii(bunka)) { // a cell holds no part of another's character
            prevedena.clear();
            tDekoder(druh_.Sada).Dekoduj(bunka, prevedena, true);
            bunka = prevedena;
        }
        if (const long long pocet = PocetZBunky(bunka); pocet > 0)
            celkem += pocet;
    }
    return celkem;
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

// A run reads every row's number just after the one before: it is counted on in its text.
std::string_view tRadkyCsv::CisloRadku() const {
    if (cisloTextu_ + 1 == cislo_ && !cisloText_.empty()) {
        PrictiJednicku(cisloText_);
    } else if (cisloTextu_ != cislo_) {
        cisloText_ = CisloNaText(cislo_);
    }
    cisloTextu_ = cislo_;
    return cisloText_;
}

std::string_view tRadkyCsv::Bunka(int sloupec) const {
    if (sloupec < 0)
        return {};
    if (sloupec == 0)
        return CisloRadku();
    return KusRadku(radek_, sloupec);
}

void tRadkyCsv::Bunky(std::vector<std::string_view>& cil, size_t kolik) const {
    cil.clear();
    if (kolik == 0)
        return;
    cil.push_back(CisloRadku());
    PridejBunky(radek_, cil, kolik);
}
