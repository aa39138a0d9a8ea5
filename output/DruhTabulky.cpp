#include "output/DruhTabulky.h"

#include "core/Ascii16.h"
#include "core/Soubezne.h"
#include "core/Soubory.h"
#include "core/Win1250.h"

#include <algorithm>
#include <array>
#include <bit>
#include <bitset>
#include <optional>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

constexpr size_t Blok = size_t{64} * 1024;
// The separator is found from this many lines at most.
constexpr size_t RadkuNaOddelovac = 20;

// The bytes of the UTF-8 sequence that lead starts, by the lead byte alone.
size_t DelkaPodleZacatku(unsigned char lead) {
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

// Where a block may be cut without cutting a UTF-8 sequence: before a lead byte whose
// sequence the block does not hold whole.
size_t KonecCelychUtf8(std::string_view data) {
    for (size_t zpet = 1; zpet <= std::min<size_t>(3, data.size()); ++zpet) {
        const auto b = static_cast<unsigned char>(data[data.size() - zpet]);
        if ((b & 0xC0) == 0x80)
            continue; // a continuation byte: look further back
        const size_t delka = DelkaPodleZacatku(b);
        return delka > zpet ? data.size() - zpet : data.size();
    }
    return data.size();
}

// The separators a CSV file may have, ahead on a tie in this order: ';' is the Czech
// spreadsheets' own, and ',' is the one that values (decimal numbers, text) hold most often.
constexpr std::array<char, 3> Kandidati = {';', '\t', ','};

// The number of fields of each of the first lines, split by oddelovac; a quote opens only at a
// field's start, so an inch sign inside a field is a character. A line that the sample cuts,
// or an empty last one, says nothing.
std::vector<size_t> PoctyPoli(std::string_view text, char oddelovac, bool cely) {
    std::vector<size_t> radky(1, 1);
    bool uvnitr = false, naZacatku = true, prazdny = true;
    for (size_t i = 0; i < text.size() && radky.size() <= RadkuNaOddelovac; ++i) {
        const char c = text[i];
        if (uvnitr) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                ++i;
            else if (c == '"')
                uvnitr = false;
        } else if (c == '"' && naZacatku) {
            uvnitr = true;
            naZacatku = prazdny = false;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            radky.push_back(1);
            naZacatku = prazdny = true;
        } else if (c == oddelovac) {
            ++radky.back();
            naZacatku = true;
            prazdny = false;
        } else {
            naZacatku = prazdny = false;
        }
    }
    if (radky.size() > 1 && (!cely || uvnitr || prazdny || radky.size() > RadkuNaOddelovac))
        radky.pop_back();
    return radky;
}

// How many lines share the most common number of fields, of those the separator splits.
size_t Shoda(const std::vector<size_t>& pocty) {
    size_t nejvic = 0;
    for (const size_t pocet : pocty)
        if (pocet > 1)
            nejvic = std::max<size_t>(nejvic, std::count(pocty.begin(), pocty.end(), pocet));
    return nejvic;
}

struct tOddelovac {
    char znak = ';';
    char stejneDobry = 0; // another one that splits as many lines as well
};

tOddelovac NajdiOddelovac(std::string_view text, bool cely) {
    tOddelovac vysledek;
    size_t nejlepsi = 0;
    for (const char k : Kandidati) {
        const size_t shoda = Shoda(PoctyPoli(text, k, cely));
        if (shoda > nejlepsi) {
            vysledek = {k, 0};
            nejlepsi = shoda;
        } else if (shoda == nejlepsi && shoda > 0 && vysledek.stejneDobry == 0) {
            vysledek.stejneDobry = k;
        }
    }
    return vysledek;
}

std::string NazevSady(tZnakovaSada sada) {
    switch (sada) {
    case tZnakovaSada::Utf16Le:
        return "UTF-16 LE";
    case tZnakovaSada::Utf16Be:
        return "UTF-16 BE";
    case tZnakovaSada::Win1250:
        return "Windows-1250";
    default:
        return "UTF-8";
    }
}

std::string NazevOddelovace(char c) {
    return c == '\t' ? "TAB" : std::string("„") + c + "“";
}

// UTF-16 without a byte-order mark: zero bytes at every other byte, as the high halves of
// the Latin letters are, and hardly any at the others.
std::optional<tZnakovaSada> Utf16BezZnacky(std::string_view data) {
    size_t sude = 0, liche = 0;
    const size_t paru = data.size() / 2;
    for (size_t i = 0; i + 1 < data.size(); i += 2) {
        sude += data[i] == '\0';
        liche += data[i + 1] == '\0';
    }
    if (paru > 0 && liche * 2 >= paru && sude * 8 <= liche)
        return tZnakovaSada::Utf16Le;
    if (paru > 0 && sude * 2 >= paru && liche * 8 <= sude)
        return tZnakovaSada::Utf16Be;
    return std::nullopt;
}

std::string UpozorneniKodovani(std::string_view nazev, bool utf8, size_t platnych,
                               size_t chybnych) {
    const std::string pocty = " (znaků UTF-8: " + std::to_string(platnych) +
                              ", bajtů mimo UTF-8: " + std::to_string(chybnych) + ")";
    return "Upozornění: soubor " + std::string(nazev) + " se čte v kódování " +
           (utf8 ? "UTF-8, bajty mimo UTF-8 jako „?“" : "Windows-1250") + pocty +
           "; jiné zvolí --encoding";
}

} // namespace

namespace {

// Sixteen bytes at p (horni: those that are not plain ASCII) that hold only plain ASCII and
// whole UTF-8 letters of two bytes, where the letters start (bit k: byte k), and how many of
// the bytes that covers: 15 when the last byte starts a letter. None for anything else.
struct tDvoubajtove {
    unsigned zacatky;
    size_t bajtu;
};
std::optional<tDvoubajtove> DvoubajtoveZnaky16(const char* p, unsigned horni) {
#ifdef __SSE2__
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    // Bytes within [od, od + rozpeti], compared unsigned after a shift to 0.
    const auto bajtyMezi = [&v](int od, int rozpeti) {
        const __m128i x = _mm_sub_epi8(v, _mm_set1_epi8(static_cast<char>(od)));
        return static_cast<unsigned>(_mm_movemask_epi8(
            _mm_cmpeq_epi8(_mm_min_epu8(x, _mm_set1_epi8(static_cast<char>(rozpeti))), x)));
    };
    const unsigned zacatky = bajtyMezi(0xC2, 0xDF - 0xC2), pokracovani = bajtyMezi(0x80, 0x3F);
    const unsigned cele = zacatky & 0x7FFF; // the last byte's letter goes on in the next bytes
    if ((zacatky | pokracovani) != horni || (cele << 1) != pokracovani)
        return std::nullopt;
    return tDvoubajtove{cele, zacatky == cele ? size_t{16} : size_t{15}};
#else
    (void)p;
    (void)horni;
    return std::nullopt;
#endif
}

// Which of the characters of two UTF-8 bytes (U+0080 to U+07FF, the Czech letters among
// them) Windows-1250 has exactly: the look asks it of nearly every letter of a file.
const std::bitset<0x800>& PresneDvoubajtove() {
    static const std::bitset<0x800> presne = [] {
        std::bitset<0x800> b;
        for (char32_t znak = 0x80; znak < 0x800; ++znak)
            b[znak] = UnicodeNaWin1250(znak) >= 0;
        return b;
    }();
    return presne;
}

} // namespace

void tDekoder::PocitejUtf8(std::string_view data, bool nepresne) {
    const std::bitset<0x800>& presne = PresneDvoubajtove();
    for (size_t i = 0; i < data.size();) {
        if (i + 16 <= data.size()) { // plain ASCII is passed over to the next byte that is not
            const unsigned horni = NeAsciiBity16(data.data() + i);
            if (horni == 0) {
                i += 16;
                continue;
            }
            // Sixteen bytes of plain ASCII and whole letters of two bytes (a Czech text's) are
            // counted at once, each letter looked up by its bit; a letter the next sixteen
            // end in the middle of starts them.
            if (const auto dvou = DvoubajtoveZnaky16(data.data() + i, horni)) {
                for (unsigned z = dvou->zacatky; z != 0; z &= z - 1) { // a few letters
                    ++vicebajtovych_;
                    const size_t k = i + static_cast<size_t>(std::countr_zero(z));
                    nepresnych_ +=
                        nepresne && !presne[((static_cast<unsigned char>(data[k]) & 0x1Fu) << 6) |
                                            (static_cast<unsigned char>(data[k + 1]) & 0x3Fu)];
                }
                i += dvou->bajtu;
                continue;
            }
            i += static_cast<size_t>(std::countr_zero(horni));
        }
        const auto b = static_cast<unsigned char>(data[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        // Czech letters are two bytes: the common case without the general check.
        const bool dva = b >= 0xC2 && b <= 0xDF && i + 1 < data.size() &&
                         (static_cast<unsigned char>(data[i + 1]) & 0xC0) == 0x80;
        if (dva) {
            ++vicebajtovych_;
            const auto znak = static_cast<size_t>(
                ((b & 0x1Fu) << 6) | (static_cast<unsigned char>(data[i + 1]) & 0x3Fu));
            nepresnych_ += nepresne && !presne[znak];
            i += 2;
            continue;
        }
        const size_t delka = dva ? 2 : std::min(DelkaPodleZacatku(b), data.size() - i);
        const bool platna = dva || (delka > 1 && JePlatneUtf8(data.substr(i, delka)));
        vicebajtovych_ += platna;
        chybnych_ += !platna;
        if (nepresne) { // a byte that is no UTF-8 becomes "?", as in the conversion
            char32_t znak = b & (0x7F >> delka);
            for (size_t k = 1; platna && k < delka; ++k)
                znak = (znak << 6) | (static_cast<unsigned char>(data[i + k]) & 0x3F);
            nepresnych_ += !platna || UnicodeNaWin1250(znak) < 0;
        }
        i += platna ? delka : 1;
    }
}

void tDekoder::Pocitej(std::string_view blok, bool konec) {
    if (sada_ != tZnakovaSada::Utf8) {
        std::string text;
        return Dekoduj(blok, text, konec);
    }
    const std::string spojeny = zbytek_ + std::string(zbytek_.empty() ? std::string_view() : blok);
    const std::string_view data = zbytek_.empty() ? blok : std::string_view(spojeny);
    const size_t cele = konec ? data.size() : KonecCelychUtf8(data);
    PocitejUtf8(data.substr(0, cele), true);
    zbytek_.assign(data.substr(cele));
}

void tDekoder::Dekoduj(std::string_view blok, std::string& cil, bool konec) {
    std::string spojeny;
    if (!zbytek_.empty()) {
        spojeny = zbytek_ + std::string(blok);
        blok = spojeny;
        zbytek_.clear();
    }
    switch (sada_) {
    case tZnakovaSada::Win1250:
        cil.append(blok);
        return;
    case tZnakovaSada::Utf8: {
        const size_t cele = konec ? blok.size() : KonecCelychUtf8(blok);
        const std::string_view data = blok.substr(0, cele);
        if (pocitejUtf8_)
            PocitejUtf8(data, false);
        nepresnych_ += PridejZUtf8(cil, data);
        zbytek_.assign(blok.substr(cele));
        return;
    }
    default: {
        const bool le = sada_ == tZnakovaSada::Utf16Le;
        std::u16string jednotky;
        jednotky.reserve(blok.size() / 2);
        size_t i = 0;
        for (; i + 1 < blok.size(); i += 2) {
            const auto a = static_cast<unsigned char>(blok[i]);
            const auto b = static_cast<unsigned char>(blok[i + 1]);
            jednotky += static_cast<char16_t>(le ? a | (b << 8) : (a << 8) | b);
        }
        // A first half of a pair waits for its second one, as does an odd byte.
        if (!konec && !jednotky.empty() && jednotky.back() >= 0xD800 && jednotky.back() <= 0xDBFF) {
            jednotky.pop_back();
            i -= 2;
        }
        cil += Utf16NaWin1250(jednotky, &nepresnych_);
        zbytek_.assign(blok.substr(i));
        if (konec && !zbytek_.empty()) { // an odd last byte
            cil += NejblizsiWin1250(0xFFFD, nepresnych_);
            zbytek_.clear();
        }
        return;
    }
    }
}

namespace {

// A pass is split only where its thread costs far less than the half it takes over.
constexpr off_t NejmeneNaPulky = off_t{256} * 1024;

// The UTF-8 text of the file from od to pred (-1: its end) counted into dekoder as far as a
// NUL, which ends the text (nula). Returns the bytes counted.
size_t PocitejUtf8Od(int fd, off_t od, off_t pred, tDekoder& dekoder, bool& nula) {
    std::string blok(Blok, '\0'), dalsi(Blok, '\0'); // read ahead: whether a block is the last
    const auto precti = [fd, pred](std::string& kam, off_t kde) {
        const size_t kolik = pred < 0 ? Blok : std::min(Blok, static_cast<size_t>(pred - kde));
        const ssize_t precteno = kolik == 0 ? 0 : PrectiKusOd(fd, kam.data(), kolik, kde);
        kam.resize(static_cast<size_t>(std::max<ssize_t>(precteno, 0)));
        return precteno;
    };
    size_t celkem = 0;
    for (ssize_t precteno = precti(blok, od); precteno > 0;) {
        od += precteno;
        dalsi.resize(Blok);
        precteno = precti(dalsi, od);
        const size_t nul = blok.find('\0');
        dekoder.Pocitej(std::string_view(blok).substr(0, nul),
                        precteno <= 0 || nul != std::string::npos);
        celkem += std::min(nul, blok.size());
        blok.swap(dalsi);
        if (nul != std::string::npos) {
            nula = true;
            break;
        }
    }
    return celkem;
}

// The rest of a UTF-8 file from od on, counted into dekoder; a large one in two halves at once.
size_t PocitejZbytekUtf8(int fd, off_t od, tDekoder& dekoder) {
    bool nula = false;
    const off_t stred = StredPruchodu(fd, od);
    if (stred < 0)
        return PocitejUtf8Od(fd, od, -1, dekoder, nula);
    tDekoder druhy(tZnakovaSada::Utf8, true);
    bool nulaDruhe = false;
    size_t prvni = 0, druha = 0;
    Soubezne([&] { prvni = PocitejUtf8Od(fd, od, stred, dekoder, nula); },
             [&] { druha = PocitejUtf8Od(fd, stred, -1, druhy, nulaDruhe); });
    if (nula) // the text ended in the first half
        return prvni;
    dekoder.Pricti(druhy);
    return prvni + druha;
}

} // namespace

off_t StredPruchodu(int fd, off_t od) {
    struct stat soubor {};
    if (::fstat(fd, &soubor) != 0 || !S_ISREG(soubor.st_mode) ||
        soubor.st_size - od < NejmeneNaPulky)
        return -1;
    const off_t stred = od + (soubor.st_size - od) / 2;
    std::string blok(Blok, '\0');
    const ssize_t precteno = PrectiKusOd(fd, blok.data(), blok.size(), stred);
    const size_t lf =
        std::string_view(blok.data(), static_cast<size_t>(std::max<ssize_t>(precteno, 0)))
            .find('\n');
    return lf == std::string_view::npos ? -1 : stred + static_cast<off_t>(lf) + 1;
}

bool MoznaUtf16(std::string_view zacatek) {
    return zacatek.starts_with("\xFF\xFE") || zacatek.starts_with("\xFE\xFF") ||
           Utf16BezZnacky(zacatek).has_value();
}

bool MaRidiciBajty(std::string_view bajty) {
    size_t i = 0;
#ifdef __SSE2__
    // 16 bytes at a time: a file is read through, and the compiler leaves the loop below
    // one byte per step.
    // The bad bytes of 256 at a time are gathered before they are asked for: a table has none.
    const __m128i nejvyssiRidici = _mm_set1_epi8(0x1F);
    while (i + 16 <= bajty.size()) {
        __m128i zle = _mm_setzero_si128();
        for (const size_t do16 = std::min(bajty.size() & ~size_t{15}, i + 256); i < do16; i += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bajty.data() + i));
            const __m128i ridici = _mm_cmpeq_epi8(_mm_min_epu8(v, nejvyssiRidici), v);
            const __m128i povolene =
                _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\t')),
                                          _mm_cmpeq_epi8(v, _mm_set1_epi8('\r'))),
                             _mm_cmpeq_epi8(v, _mm_set1_epi8('\n')));
            zle = _mm_or_si128(zle, _mm_or_si128(_mm_andnot_si128(povolene, ridici),
                                                 _mm_cmpeq_epi8(v, _mm_set1_epi8(0x7F))));
        }
        if (_mm_movemask_epi8(zle) != 0)
            return true;
    }
#endif
    unsigned char ma = 0;
    for (const char z : bajty.substr(i)) {
        const auto c = static_cast<unsigned char>(z);
        ma |= static_cast<unsigned char>((c < 0x20) & (c != '\t') & (c != '\r') & (c != '\n')) |
              static_cast<unsigned char>(c == 0x7F);
    }
    return ma != 0;
}

tDruhTabulky RozpoznejDruh(int fd, std::string_view nazev, const tVolbyTabulky& volby) {
    tDruhTabulky druh;
    std::string blok(Blok, '\0');
    ssize_t precteno = PrectiKusOd(fd, blok.data(), blok.size(), 0);
    blok.resize(static_cast<size_t>(std::max<ssize_t>(precteno, 0)));
    const std::string_view zacatek(blok);
    std::string proc;
    if (zacatek.starts_with("\xEF\xBB\xBF")) {
        druh.Sada = tZnakovaSada::Utf8;
        druh.Bom = 3;
        proc = "značka BOM";
    } else if (zacatek.starts_with("\xFF\xFE")) {
        druh.Sada = tZnakovaSada::Utf16Le;
        druh.Bom = 2;
        proc = "značka BOM";
    } else if (zacatek.starts_with("\xFE\xFF")) {
        druh.Sada = tZnakovaSada::Utf16Be;
        druh.Bom = 2;
        proc = "značka BOM";
    } else if (const auto sada = Utf16BezZnacky(zacatek)) {
        druh.Sada = *sada;
        proc = "nuly v každém druhém bajtu";
    }
    if (volby.Sada) {
        // A mark of the set asked for is still no text; another set's mark is read as text.
        const bool znacka = (*volby.Sada == tZnakovaSada::Utf8 && druh.Bom == 3);
        druh.Bom = znacka ? druh.Bom : 0;
        druh.Sada = *volby.Sada;
        proc = "volba --encoding";
    }

    // Through the whole text: whether it is UTF-8, what it holds without an exact form, and
    // the first block decoded to find the separator in (bytes that are no UTF-8 become one
    // "?" each, so ';', ',', TAB, quotes and line ends stay where they are).
    const bool zkusUtf8 = proc.empty();
    tDekoder dekoder(druh.Sada, true);
    std::string vzorek, text;
    off_t kde = 0;
    size_t celkem = 0;             // decoded text up to its NUL
    std::string dalsi(Blok, '\0'); // read ahead: whether a block is the last one
    for (bool prvni = true; precteno > 0; prvni = false) {
        if (!prvni && druh.Sada == tZnakovaSada::Utf8) {
            // Past the sample only counted: in UTF-8 a NUL is the byte itself.
            celkem += PocitejZbytekUtf8(fd, kde, dekoder);
            break;
        }
        std::string_view data(blok);
        if (prvni)
            data.remove_prefix(std::min(druh.Bom, data.size()));
        kde += precteno;
        dalsi.resize(Blok);
        precteno = PrectiKusOd(fd, dalsi.data(), dalsi.size(), kde);
        dalsi.resize(static_cast<size_t>(std::max<ssize_t>(precteno, 0)));
        text.clear();
        dekoder.Dekoduj(data, text, precteno <= 0);
        const size_t nul = text.find('\0');
        if (vzorek.size() < Blok)
            vzorek.append(text, 0, std::min(nul, Blok - vzorek.size()));
        celkem += std::min(nul, text.size());
        blok.swap(dalsi);
        if (nul != std::string::npos)
            break;
    }
    if (zkusUtf8) {
        const size_t platnych = dekoder.VicebajtovychUtf8(), chybnych = dekoder.ChybnychUtf8();
        const bool utf8 = platnych > 2 * chybnych || chybnych == 0;
        druh.Sada = utf8 ? tZnakovaSada::Utf8 : tZnakovaSada::Win1250;
        proc = chybnych == 0 ? "platné UTF-8"
               : utf8        ? "převážně platné UTF-8"
                             : "není platné UTF-8";
        if (platnych > 0 && chybnych > 0)
            druh.Upozorneni.push_back(UpozorneniKodovani(nazev, utf8, platnych, chybnych));
    }
    druh.Nepresnych = druh.Sada == tZnakovaSada::Win1250 ? 0 : dekoder.Nepresnych();
    std::string popis =
        std::string(nazev) + ": kódování " + NazevSady(druh.Sada) + " (" + proc + "), formát ";
    if (volby.Format)
        druh.Format = *volby.Format;
    else
        druh.Format = KonciNa(nazev, ".csv") ? tFormatTabulky::Csv : tFormatTabulky::Tsv;
    const std::string procFormat = volby.Format ? "volba --format" : "podle přípony souboru";
    if (druh.Format == tFormatTabulky::Tsv) {
        popis += "jako schránka, buňky oddělené TAB (" + procFormat + ")";
    } else {
        const tOddelovac odhad = NajdiOddelovac(vzorek, celkem == vzorek.size());
        druh.Oddelovac = volby.Oddelovac.value_or(odhad.znak);
        if (!volby.Oddelovac && odhad.stejneDobry != 0)
            druh.Upozorneni.push_back("Upozornění: řádky souboru " + std::string(nazev) +
                                      " dělí na stejný počet buněk oddělovač " +
                                      NazevOddelovace(odhad.znak) + " i " +
                                      NazevOddelovace(odhad.stejneDobry) + "; použit " +
                                      NazevOddelovace(odhad.znak) + ", jiný zvolí --separator");
        popis += "CSV (" + procFormat + "), oddělovač " + NazevOddelovace(druh.Oddelovac) + " (" +
                 (volby.Oddelovac ? "volba --separator" : "z prvních řádků") + ")";
    }
    druh.Popis = popis;
    return druh;
}
