#include "core/FormatCisla.h"

#include "core/CeleCislo.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <vector>

namespace {

constexpr std::string_view Nbsp = "\xC2\xA0"; // between thousands, as Czech writes them
constexpr std::string_view DesetinnaCarka = ",";

enum class tDruh {
    Literal,
    Cislice, // 0 # ?
    Tecka,
    Carka,
    Procento,
    Exponent, // E+ E- e+ e-
    Lomitko,
    Rok,
    Mesic, // m: a month, or a minute beside hours or seconds
    Den,
    Hodina,
    Sekunda,
    AmPm,
    Uplynulo, // [h] [mm] [ss]: time elapsed
    Zavinac,
    Obecny,
};

struct tKus {
    tDruh druh;
    std::string text; // a literal's text
    int pocet = 0;    // the letters of a date part
    char znak = 0;    // a digit's placeholder, an exponent's sign, an elapsed unit
};

struct tSekce {
    std::vector<tKus> kusy;
    bool podminka = false;
    std::string op;
    double mez = 0;
    bool datum = false;
};

size_t DelkaZnaku(std::string_view s, size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    const size_t d = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    return std::min(d, s.size() - i);
}

bool StejneBezVelikosti(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return (x | 0x20) == (y | 0x20);
           });
}

bool JeBarva(std::string_view s) {
    static constexpr std::array<std::string_view, 8> Barvy = {"black",   "blue", "cyan",  "green",
                                                              "magenta", "red",  "white", "yellow"};
    if (std::any_of(Barvy.begin(), Barvy.end(),
                    [&](std::string_view b) { return StejneBezVelikosti(s, b); }))
        return true;
    return s.size() > 5 && StejneBezVelikosti(s.substr(0, 5), "color") &&
           std::all_of(s.begin() + 5, s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// What is in brackets: a colour, a condition, a currency or locale, or an elapsed unit.
bool Zavorka(std::string_view obsah, tSekce& sekce) {
    if (obsah.empty())
        return false;
    if (obsah[0] == '$') {
        const std::string_view symbol = obsah.substr(1, obsah.find('-') - 1);
        if (!symbol.empty())
            sekce.kusy.push_back({tDruh::Literal, std::string(symbol)});
        return true;
    }
    if (obsah[0] == '<' || obsah[0] == '>' || obsah[0] == '=') {
        size_t i = 1;
        if (i < obsah.size() && (obsah[i] == '=' || obsah[i] == '>'))
            ++i;
        sekce.op = std::string(obsah.substr(0, i));
        const auto [konec, chyba] =
            std::from_chars(obsah.data() + i, obsah.data() + obsah.size(), sekce.mez);
        sekce.podminka = true;
        return chyba == std::errc{} && konec == obsah.data() + obsah.size();
    }
    const char prvni = static_cast<char>(obsah[0] | 0x20);
    if ((prvni == 'h' || prvni == 'm' || prvni == 's') &&
        std::all_of(obsah.begin(), obsah.end(), [&](char c) { return (c | 0x20) == prvni; })) {
        sekce.kusy.push_back({tDruh::Uplynulo, {}, static_cast<int>(obsah.size()), prvni});
        sekce.datum = true;
        return true;
    }
    return JeBarva(obsah);
}

bool Rozeber(std::string_view s, tSekce& sekce) {
    auto literal = [&](std::string_view t) {
        if (!sekce.kusy.empty() && sekce.kusy.back().druh == tDruh::Literal)
            sekce.kusy.back().text += t;
        else
            sekce.kusy.push_back({tDruh::Literal, std::string(t)});
    };
    auto beh = [&](size_t i) {
        size_t j = i;
        while (j < s.size() && (s[j] | 0x20) == (s[i] | 0x20))
            ++j;
        return j - i;
    };
    for (size_t i = 0; i < s.size();) {
        const char c = s[i];
        const char mala = static_cast<char>(c | 0x20);
        if (c == '"') {
            const size_t konec = s.find('"', i + 1);
            if (konec == std::string_view::npos)
                return false;
            literal(s.substr(i + 1, konec - i - 1));
            i = konec + 1;
        } else if (c == '\\' || c == '_' || c == '*') {
            if (i + 1 >= s.size())
                return false;
            const size_t d = DelkaZnaku(s, i + 1);
            if (c == '\\')
                literal(s.substr(i + 1, d));
            else if (c == '_')
                literal(" "); // room as wide as the character: a space
            i += 1 + d;       // '*' fills the column: nothing in a text
        } else if (c == '[') {
            const size_t konec = s.find(']', i);
            if (konec == std::string_view::npos || !Zavorka(s.substr(i + 1, konec - i - 1), sekce))
                return false;
            i = konec + 1;
        } else if (s.size() - i >= 7 && StejneBezVelikosti(s.substr(i, 7), "general")) {
            sekce.kusy.push_back({tDruh::Obecny, {}});
            i += 7;
        } else if (c == '0' || c == '#' || c == '?') {
            sekce.kusy.push_back({tDruh::Cislice, {}, 0, c});
            ++i;
        } else if (const size_t znak = std::string_view(".,%/@").find(c);
                   znak != std::string_view::npos) {
            static constexpr tDruh Znaky[] = {tDruh::Tecka, tDruh::Carka, tDruh::Procento,
                                              tDruh::Lomitko, tDruh::Zavinac};
            sekce.kusy.push_back({Znaky[znak], {}});
            ++i;
        } else if (mala == 'e' && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-')) {
            sekce.kusy.push_back({tDruh::Exponent, std::string(1, c), 0, s[i + 1]});
            i += 2;
        } else if (const size_t cast = std::string_view("ymdhs").find(mala);
                   cast != std::string_view::npos) {
            static constexpr tDruh Casti[] = {tDruh::Rok, tDruh::Mesic, tDruh::Den, tDruh::Hodina,
                                              tDruh::Sekunda};
            const size_t n = beh(i);
            sekce.kusy.push_back({Casti[cast], {}, static_cast<int>(n)});
            sekce.datum = true;
            i += n;
        } else if (mala == 'a') {
            const bool dlouhe = s.size() - i >= 5 && StejneBezVelikosti(s.substr(i, 5), "am/pm");
            if (!dlouhe && !(s.size() - i >= 3 && StejneBezVelikosti(s.substr(i, 3), "a/p")))
                return false;
            sekce.kusy.push_back({tDruh::AmPm, {}, dlouhe ? 5 : 3});
            sekce.datum = true;
            i += dlouhe ? 5 : 3;
        } else if ((mala >= 'a' && mala <= 'z')) {
            return false; // a letter of a code this renderer does not know
        } else {
            const size_t d = DelkaZnaku(s, i);
            literal(s.substr(i, d));
            i += d;
        }
    }
    return true;
}

// The code's sections, split at ';' outside quotes, brackets and escapes.
std::vector<std::string_view> Sekce(std::string_view kod) {
    std::vector<std::string_view> sekce;
    size_t od = 0;
    bool uvozovky = false, zavorka = false;
    for (size_t i = 0; i < kod.size(); ++i) {
        const char c = kod[i];
        if (c == '"' && !zavorka)
            uvozovky = !uvozovky;
        else if (uvozovky)
            continue;
        else if (c == '\\' || c == '_' || c == '*')
            ++i;
        else if (c == '[')
            zavorka = true;
        else if (c == ']')
            zavorka = false;
        else if (c == ';' && !zavorka) {
            sekce.push_back(kod.substr(od, i - od));
            od = i + 1;
        }
    }
    sekce.push_back(kod.substr(od));
    return sekce;
}

// A number's 15 significant digits, bod of them before the decimal point (bod may be 0 or
// less, or more than 15): the precision a spreadsheet rounds a value to before showing it.
struct tCislice {
    std::string d;
    int bod = 1;
};

tCislice Cislice(double a) {
    std::array<char, 40> buf{};
    // A subnormal number holds fewer digits than 15: its shortest form, as the spreadsheet
    // shows 5E-324.
    const bool podnormalni = a != 0 && a < std::numeric_limits<double>::min();
    const auto r = podnormalni ? std::to_chars(buf.data(), buf.data() + buf.size(), a,
                                               std::chars_format::scientific)
                               : std::to_chars(buf.data(), buf.data() + buf.size(), a,
                                               std::chars_format::scientific, 14);
    const std::string_view t(buf.data(), static_cast<size_t>(r.ptr - buf.data()));
    tCislice c;
    const size_t e = t.find('e');
    c.d = std::string(1, t[0]) +
          std::string(t.substr(std::min<size_t>(2, e), e - std::min<size_t>(2, e)));
    c.d.resize(15, '0');
    int exponent = 0;
    std::from_chars(t.data() + e + (t[e + 1] == '+' ? 2 : 1), t.data() + t.size(), exponent);
    c.bod = exponent + 1;
    return c;
}

struct tZaokrouhleno {
    std::string cela;   // without leading zeros; "" for zero
    std::string zlomek; // exactly the decimals asked for
};

// The digits shifted by posun places to the left, rounded half up to desetin decimals.
tZaokrouhleno Zaokrouhli(const tCislice& c, int posun, int desetin) {
    const int bod = c.bod - posun;
    std::string cela, zlomek;
    if (bod > 0) {
        const auto n = static_cast<size_t>(bod);
        cela = c.d.substr(0, std::min(n, c.d.size()));
        cela.resize(std::max(n, cela.size()), '0');
        if (n < c.d.size())
            zlomek = c.d.substr(n);
    } else {
        zlomek = std::string(static_cast<size_t>(-bod), '0') + c.d;
    }
    const auto d = static_cast<size_t>(desetin);
    const bool nahoru = zlomek.size() > d && zlomek[d] >= '5';
    zlomek.resize(d, '0');
    if (nahoru) {
        std::string vse = cela + zlomek;
        PrictiJednicku(vse);
        cela = vse.substr(0, vse.size() - d);
        zlomek = vse.substr(vse.size() - d);
    }
    cela.erase(0, std::min(cela.find_first_not_of('0'), cela.size()));
    return {cela, zlomek};
}

bool JeNula(const tZaokrouhleno& z) {
    return z.cela.empty() && z.zlomek.find_first_not_of('0') == std::string::npos;
}

std::string SeskupTisice(std::string_view cislice) {
    std::string s;
    for (size_t i = 0; i < cislice.size(); ++i) {
        if (i > 0 && (cislice.size() - i) % 3 == 0)
            s += Nbsp;
        s += cislice[i];
    }
    return s;
}

// Digits for placeholders: c the placeholder, digit the digit there or 0 when none.
std::string Vypln(char c) {
    return c == '0' ? "0" : c == '?' ? " " : "";
}

// Renders kusy[od, do) of a section for a number already scaled and rounded: the integer
// placeholders take cela (the first one also any digits beyond them), those after the
// point take zlomek.
std::string Cisla(const std::vector<tKus>& kusy, size_t od, size_t po, const tZaokrouhleno& z,
                  bool seskupit) {
    std::vector<size_t> cele, desetinne;
    bool zaTeckou = false;
    for (size_t i = od; i < po; ++i) {
        if (kusy[i].druh == tDruh::Tecka)
            zaTeckou = true;
        else if (kusy[i].druh == tDruh::Cislice)
            (zaTeckou ? desetinne : cele).push_back(i);
    }
    // Each integer placeholder's text.
    std::vector<std::string> texty(cele.size());
    const size_t n = cele.size();
    for (size_t j = 0; j < n; ++j) {
        const size_t zprava = n - 1 - j;
        const char c = kusy[cele[j]].znak;
        texty[j] =
            zprava < z.cela.size() ? std::string(1, z.cela[z.cela.size() - 1 - zprava]) : Vypln(c);
    }
    if (n > 0 && z.cela.size() > n)
        texty[0] = z.cela.substr(0, z.cela.size() - n) + texty[0];
    if (seskupit && n > 0) {
        std::string vse, mezery;
        for (const std::string& t : texty)
            (t == " " ? mezery : vse) += t;
        texty.assign(n, "");
        texty[0] = mezery + SeskupTisice(vse);
    }
    // Trailing zeros that '#' or '?' stands for are not shown.
    std::vector<std::string> desetiny(desetinne.size());
    bool konec = true;
    for (size_t j = desetinne.size(); j-- > 0;) {
        const char c = kusy[desetinne[j]].znak;
        const char cislice = j < z.zlomek.size() ? z.zlomek[j] : '0';
        if (konec && cislice == '0' && c != '0')
            desetiny[j] = Vypln(c);
        else {
            desetiny[j] = std::string(1, cislice);
            konec = false;
        }
    }
    std::string s;
    size_t ic = 0, id = 0;
    for (size_t i = od; i < po; ++i) {
        const tKus& k = kusy[i];
        switch (k.druh) {
        case tDruh::Cislice:
            s += id < desetinne.size() && desetinne[id] == i ? desetiny[id++] : texty[ic++];
            break;
        case tDruh::Tecka:
            if (n == 0)
                s += z.cela;
            s += DesetinnaCarka;
            break;
        case tDruh::Procento:
            s += '%';
            break;
        case tDruh::Literal:
            s += k.text;
            break;
        default:
            break;
        }
    }
    return s;
}

std::string CeleCislo(long long n) {
    return std::to_string(n);
}

// The literals of kusy from od on: what a fraction or an exponent is followed by.
std::string Literaly(const std::vector<tKus>& kusy, size_t od) {
    std::string s;
    for (size_t i = od; i < kusy.size(); ++i)
        if (kusy[i].druh == tDruh::Literal)
            s += kusy[i].text;
    return s;
}

// The best fraction for zlomek with a denominator up to nejvic (or exactly pevny).
std::pair<long long, long long> Zlomek(double zlomek, long long nejvic, long long pevny) {
    if (pevny > 0)
        return {std::llround(zlomek * static_cast<double>(pevny)), pevny};
    long long citatel = std::llround(zlomek), jmenovatel = 1;
    double nejmensi = std::fabs(zlomek - static_cast<double>(citatel));
    for (long long j = 2; j <= nejvic && nejmensi > 0; ++j) {
        const long long c = std::llround(zlomek * static_cast<double>(j));
        const double odchylka = std::fabs(zlomek - static_cast<double>(c) / static_cast<double>(j));
        if (odchylka < nejmensi - 1e-12) {
            nejmensi = odchylka;
            citatel = c;
            jmenovatel = j;
        }
    }
    return {citatel, jmenovatel};
}

std::string Doplnene(std::string t, size_t sirka, char c, bool zleva) {
    if (t.size() < sirka)
        t.insert(zleva ? t.begin() : t.end(), sirka - t.size(), c);
    return t;
}

std::optional<std::string> Zlomkem(const tSekce& sekce, size_t lomitko, double a) {
    const auto& kusy = sekce.kusy;
    size_t citatelOd = lomitko;
    while (citatelOd > 0 && kusy[citatelOd - 1].druh == tDruh::Cislice)
        --citatelOd;
    std::string pevny;
    size_t jmenovatelDo = lomitko + 1, mist = 0;
    char vyplnJmenovatele = '#';
    if (jmenovatelDo < kusy.size() && kusy[jmenovatelDo].druh == tDruh::Literal) {
        const std::string& t = kusy[jmenovatelDo].text;
        const size_t cislic = t.find_first_not_of("0123456789");
        pevny = t.substr(0, cislic);
        if (pevny.empty())
            return std::nullopt;
        ++jmenovatelDo; // what follows the digits in that literal is lost: rare enough
    } else {
        while (jmenovatelDo < kusy.size() && kusy[jmenovatelDo].druh == tDruh::Cislice) {
            vyplnJmenovatele = kusy[jmenovatelDo].znak;
            ++jmenovatelDo;
            ++mist;
        }
    }
    if (pevny.empty() && (mist == 0 || mist > 4))
        return std::nullopt;
    size_t poslednyCely = citatelOd; // one past the last integer placeholder
    bool cely = false;
    for (size_t i = 0; i < citatelOd; ++i)
        if (kusy[i].druh == tDruh::Cislice) {
            cely = true;
            poslednyCely = i + 1;
        }
    double celaCast = cely ? std::floor(a) : 0;
    long long nejvic = 9;
    for (size_t i = 1; i < mist; ++i)
        nejvic = nejvic * 10 + 9;
    auto [citatel, jmenovatel] =
        Zlomek(a - celaCast, nejvic, pevny.empty() ? 0 : std::stoll(pevny));
    if (cely && citatel == jmenovatel) {
        celaCast += 1;
        citatel = 0;
    }
    tZaokrouhleno z{celaCast > 0 ? CeleCislo(static_cast<long long>(celaCast)) : "", ""};
    if (citatel == 0 && cely) {
        // A whole number: the fraction's place stays as wide, blank.
        if (z.cela.empty())
            z.cela = "0";
        std::string s = Cisla(kusy, 0, poslednyCely, z, false);
        size_t sirka = 0;
        for (size_t i = poslednyCely; i < jmenovatelDo; ++i)
            sirka += kusy[i].druh == tDruh::Literal ? kusy[i].text.size() : 1;
        s.append(sirka + pevny.size() - (pevny.empty() ? 0 : 1), ' ');
        return s + Literaly(kusy, jmenovatelDo);
    }
    std::string s = Cisla(kusy, 0, citatelOd, z, false);
    const size_t mistCitatele = lomitko - citatelOd;
    const char vyplnCitatele = kusy[citatelOd].znak;
    std::string c = CeleCislo(citatel);
    if (vyplnCitatele != '#')
        c = Doplnene(c, mistCitatele, vyplnCitatele == '0' ? '0' : ' ', true);
    std::string j = pevny.empty() ? CeleCislo(jmenovatel) : pevny;
    if (pevny.empty() && vyplnJmenovatele != '#')
        j = Doplnene(j, mist, vyplnJmenovatele == '0' ? '0' : ' ', vyplnJmenovatele == '0');
    return s + c + "/" + j + Literaly(kusy, jmenovatelDo);
}

std::string Exponentem(const tSekce& sekce, size_t exponent, double a) {
    const auto& kusy = sekce.kusy;
    size_t celych = 0, desetin = 0, mistExponentu = 0;
    bool tecka = false, krize = false;
    for (size_t i = 0; i < exponent; ++i) {
        if (kusy[i].druh == tDruh::Tecka)
            tecka = true;
        else if (kusy[i].druh == tDruh::Cislice) {
            (tecka ? desetin : celych)++;
            krize = krize || (!tecka && kusy[i].znak == '#');
        }
    }
    for (size_t i = exponent + 1; i < kusy.size(); ++i)
        mistExponentu += kusy[i].druh == tDruh::Cislice && kusy[i].znak == '0';
    const tCislice c = Cislice(a);
    // With '#' before the point the exponent is a multiple of the integer places.
    const int krok = krize && celych > 1 ? static_cast<int>(celych) : 1;
    auto exponentPro = [&](int bod) {
        const int e = bod - 1;
        return krok > 1 ? (e >= 0 ? e / krok : -((-e + krok - 1) / krok)) * krok : e;
    };
    int e = a == 0 ? 0 : exponentPro(c.bod);
    tZaokrouhleno z = Zaokrouhli(c, e, static_cast<int>(desetin));
    if (a != 0 && z.cela.size() > static_cast<size_t>(krok > 1 ? krok : 1)) {
        e += krok; // 9,99 rounded up to 10,0
        z = Zaokrouhli(c, e, static_cast<int>(desetin));
    }
    if (z.cela.empty() && celych > 0 && !krize)
        z.cela = "0";
    std::string s = Cisla(kusy, 0, exponent, z, false);
    s += kusy[exponent].text;
    if (e < 0)
        s += '-';
    else if (kusy[exponent].znak == '+')
        s += '+';
    return s + Doplnene(CeleCislo(std::abs(e)), mistExponentu, '0', true) +
           Literaly(kusy, exponent + 1);
}

// ---- dates and times ----

// Days from 1.1.1970 of a date, and back (the proleptic Gregorian calendar).
long long DnyOdRoku1970(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

struct tDatum {
    long long rok;
    unsigned mesic, den;
};

tDatum DatumZDnu(long long z) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<long long>(yoe) + era * 400 + (m <= 2), m, d};
}

constexpr std::array<std::string_view, 12> Mesice = {"leden",  "únor",   "březen",   "duben",
                                                     "květen", "červen", "červenec", "srpen",
                                                     "září",   "říjen",  "listopad", "prosinec"};
constexpr std::array<std::string_view, 12> MesiceDne = { // "24. prosince"
    "ledna",    "února", "března", "dubna", "května",    "června",
    "července", "srpna", "září",   "října", "listopadu", "prosince"};
constexpr std::array<std::string_view, 12> Rimske = {"I",   "II",   "III", "IV", "V",  "VI",
                                                     "VII", "VIII", "IX",  "X",  "XI", "XII"};
constexpr std::array<std::string_view, 7> Dny = {"neděle",  "pondělí", "úterý", "středa",
                                                 "čtvrtek", "pátek",   "sobota"};
constexpr std::array<std::string_view, 7> DnyKratce = {"ne", "po", "út", "st", "čt", "pá", "so"};

std::string Dve(long long n) {
    return Doplnene(CeleCislo(n), 2, '0', true);
}

// A date or time part written with pocet letters: two letters or more give two digits.
std::string Cast(int pocet, long long n) {
    return pocet >= 2 ? Dve(n) : CeleCislo(n);
}

// Whether the m at i is minutes: after hours, or before seconds.
bool JsouMinuty(const std::vector<tKus>& kusy, size_t i) {
    // The nearest part that is no literal or separator, one way from i (krok 1, or -1 that
    // wraps past 0 out of range), is druh or its elapsed form (znak).
    const auto vedle = [&](size_t krok, tDruh druh, char znak) {
        for (size_t j = i + krok; j < kusy.size(); j += krok) {
            const tDruh d = kusy[j].druh;
            if (d == druh || (d == tDruh::Uplynulo && kusy[j].znak == znak))
                return true;
            if (d != tDruh::Literal && d != tDruh::Tecka && d != tDruh::Carka)
                return false;
        }
        return false;
    };
    return vedle(SIZE_MAX, tDruh::Hodina, 'h') || vedle(1, tDruh::Sekunda, 's');
}

std::optional<std::string> Datem(const tSekce& sekce, double hodnota, tSystemDat system,
                                 bool znamenko) {
    const auto& kusy = sekce.kusy;
    bool uplynulo = false, hodiny = false, minuty = false, sekundy = false, ampm = false,
         den = false;
    int zlomkuSekund = 0;
    for (size_t i = 0; i < kusy.size(); ++i) {
        const tKus& k = kusy[i];
        uplynulo = uplynulo || k.druh == tDruh::Uplynulo;
        hodiny = hodiny || k.druh == tDruh::Hodina || (k.druh == tDruh::Uplynulo && k.znak == 'h');
        sekundy =
            sekundy || k.druh == tDruh::Sekunda || (k.druh == tDruh::Uplynulo && k.znak == 's');
        minuty = minuty || (k.druh == tDruh::Mesic && JsouMinuty(kusy, i)) ||
                 (k.druh == tDruh::Uplynulo && k.znak == 'm');
        ampm = ampm || k.druh == tDruh::AmPm;
        den = den || (k.druh == tDruh::Den && k.pocet <= 2);
        if (k.druh == tDruh::Tecka && i > 0 && i + 1 < kusy.size() &&
            kusy[i + 1].druh == tDruh::Cislice) {
            for (size_t j = i + 1; j < kusy.size() && kusy[j].druh == tDruh::Cislice; ++j)
                ++zlomkuSekund;
        }
    }
    if (hodnota < 0 && !uplynulo)
        return std::nullopt; // no date before the first day
    const double a = uplynulo ? std::fabs(hodnota) : hodnota;
    if (a > 2958465.0 * 2)
        return std::nullopt; // beyond the year 9999
    // To the smallest unit shown: a clock time in whole seconds or more is cut (23:59:59.9
    // is 23:59), time elapsed and fractions of a second are rounded; first to a
    // microsecond, so that 0.1 of a day is 2:24.
    constexpr long long Den = 86400LL * 1000000;
    long long us = std::llround(a * static_cast<double>(Den));
    long long jednotka = Den;
    if (zlomkuSekund > 0) {
        jednotka = 1000000;
        for (int i = 0; i < zlomkuSekund && jednotka > 1; ++i)
            jednotka /= 10;
    } else if (sekundy)
        jednotka = 1000000;
    else if (minuty)
        jednotka = 60LL * 1000000;
    else if (hodiny)
        jednotka = 3600LL * 1000000;
    if (uplynulo || zlomkuSekund > 0) // tenths of a second are rounded too
        us = (us + jednotka / 2) / jednotka * jednotka;
    else
        us = us / jednotka * jednotka;
    const long long dny = us / Den;
    const long long vden = us % Den;
    const long long sekund = vden / 1000000;
    const long long zbytekUs = vden % 1000000;
    const long long zaklad =
        system == tSystemDat::Od1904 ? DnyOdRoku1970(1904, 1, 1) : DnyOdRoku1970(1899, 12, 30);
    const tDatum d = DatumZDnu(zaklad + dny);
    const long long z = zaklad + dny;
    const auto denTydne = static_cast<size_t>(z >= -4 ? (z + 4) % 7 : (z + 5) % 7 + 6);
    const long long hodina = sekund / 3600, minuta = sekund / 60 % 60, sekunda = sekund % 60;
    const long long celkemSekund = us / 1000000;

    std::string s = znamenko && hodnota < 0 && us != 0 ? "-" : "";
    for (size_t i = 0; i < kusy.size(); ++i) {
        const tKus& k = kusy[i];
        switch (k.druh) {
        case tDruh::Literal:
            s += k.text;
            break;
        case tDruh::Rok:
            s += k.pocet <= 2 ? Dve(d.rok % 100) : CeleCislo(d.rok);
            break;
        case tDruh::Mesic:
            if (JsouMinuty(kusy, i))
                s += Cast(k.pocet, minuta);
            else if (k.pocet <= 2)
                s += Cast(k.pocet, d.mesic);
            else if (k.pocet == 3)
                s += Rimske[d.mesic - 1];
            else if (k.pocet == 4)
                s += den ? MesiceDne[d.mesic - 1] : Mesice[d.mesic - 1];
            else
                s += Mesice[d.mesic - 1].substr(0, DelkaZnaku(Mesice[d.mesic - 1], 0));
            break;
        case tDruh::Den:
            if (k.pocet <= 2)
                s += Cast(k.pocet, d.den);
            else
                s += k.pocet == 3 ? DnyKratce[denTydne] : Dny[denTydne];
            break;
        case tDruh::Hodina: {
            const long long h = ampm ? (hodina % 12 == 0 ? 12 : hodina % 12) : hodina;
            s += Cast(k.pocet, h);
            break;
        }
        case tDruh::Sekunda:
            s += Cast(k.pocet, sekunda);
            break;
        case tDruh::Uplynulo: {
            const long long n = k.znak == 'h'   ? celkemSekund / 3600
                                : k.znak == 'm' ? celkemSekund / 60
                                                : celkemSekund;
            s += Doplnene(CeleCislo(n), static_cast<size_t>(k.pocet), '0', true);
            break;
        }
        case tDruh::AmPm:
            s += k.pocet == 5 ? (hodina < 12 ? "dop." : "odp.") : (hodina < 12 ? "a" : "p");
            break;
        case tDruh::Tecka:
            if (i + 1 < kusy.size() && kusy[i + 1].druh == tDruh::Cislice) {
                s += DesetinnaCarka;
                const std::string zlomek = Doplnene(CeleCislo(zbytekUs), 6, '0', true);
                s += zlomek.substr(0, static_cast<size_t>(std::min(zlomkuSekund, 6)));
                while (i + 1 < kusy.size() && kusy[i + 1].druh == tDruh::Cislice)
                    ++i;
            } else {
                s += '.';
            }
            break;
        case tDruh::Carka:
            s += ',';
            break;
        case tDruh::Lomitko:
            s += '.'; // the date separator, as Czech writes it
            break;
        case tDruh::Procento:
            s += '%';
            break;
        default:
            return std::nullopt; // digits or an exponent among the parts of a date
        }
    }
    return s;
}

// A section for a number: scaled, rounded and laid out.
std::optional<std::string> Sekci(const tSekce& sekce, double hodnota, tSystemDat system,
                                 bool znamenko) {
    const auto& kusy = sekce.kusy;
    if (sekce.datum)
        return Datem(sekce, hodnota, system, znamenko);
    const auto obecny = std::find_if(kusy.begin(), kusy.end(),
                                     [](const tKus& k) { return k.druh == tDruh::Obecny; });
    const bool cislice = std::any_of(kusy.begin(), kusy.end(),
                                     [](const tKus& k) { return k.druh == tDruh::Cislice; });
    if (obecny != kusy.end() || !cislice) {
        // General among literals, or literals alone ("nula", "-").
        std::string s;
        for (const tKus& k : kusy) {
            if (k.druh == tDruh::Literal)
                s += k.text;
            else if (k.druh == tDruh::Obecny)
                s += ObecnyFormatUtf8(znamenko ? hodnota : std::fabs(hodnota));
            else if (k.druh == tDruh::Procento)
                s += '%';
            else if (k.druh == tDruh::Zavinac)
                return ObecnyFormatUtf8(hodnota);
        }
        return s;
    }
    double a = std::fabs(hodnota);
    size_t exponent = kusy.size(), lomitko = kusy.size(), posledniCislice = 0, tecka = kusy.size();
    bool seskupit = false;
    int tisicin = 0;
    for (size_t i = 0; i < kusy.size(); ++i) {
        if (kusy[i].druh == tDruh::Procento)
            a *= 100;
        if (kusy[i].druh == tDruh::Cislice)
            posledniCislice = i;
        if (kusy[i].druh == tDruh::Exponent && exponent == kusy.size())
            exponent = i;
        if (kusy[i].druh == tDruh::Tecka && tecka == kusy.size())
            tecka = i;
        if (kusy[i].druh == tDruh::Lomitko && lomitko == kusy.size() && i > 0 &&
            kusy[i - 1].druh == tDruh::Cislice)
            lomitko = i;
    }
    for (size_t i = 0; i < kusy.size(); ++i) {
        if (kusy[i].druh != tDruh::Carka)
            continue;
        if (i > posledniCislice)
            ++tisicin; // after the last digit: thousands scaled away
        else if (i < tecka)
            seskupit = true;
    }
    for (int i = 0; i < tisicin; ++i)
        a /= 1000;
    std::optional<std::string> s;
    bool nula = false;
    if (lomitko != kusy.size()) {
        s = Zlomkem(sekce, lomitko, a);
        nula = a == 0;
    } else if (exponent != kusy.size()) {
        s = Exponentem(sekce, exponent, a);
        nula = a == 0;
    } else {
        size_t desetin = 0;
        for (size_t i = tecka; i < kusy.size(); ++i)
            desetin += kusy[i].druh == tDruh::Cislice;
        const tZaokrouhleno z = Zaokrouhli(Cislice(a), 0, static_cast<int>(desetin));
        s = Cisla(kusy, 0, kusy.size(), z, seskupit);
        nula = JeNula(z);
    }
    if (s && znamenko && hodnota < 0 && !nula)
        s->insert(0, "-");
    return s;
}

bool Plati(const tSekce& s, double v) {
    if (s.op == "<")
        return v < s.mez;
    if (s.op == "<=")
        return v <= s.mez;
    if (s.op == ">")
        return v > s.mez;
    if (s.op == ">=")
        return v >= s.mez;
    if (s.op == "<>")
        return v != s.mez;
    return v == s.mez;
}

bool RozeberVse(std::string_view kod, std::vector<tSekce>& sekce) {
    for (std::string_view s : Sekce(kod)) {
        sekce.emplace_back();
        if (!Rozeber(s, sekce.back()))
            return false;
    }
    return sekce.size() <= 4;
}

// The sections of a code, parsed once: a sheet has few codes and many cells. Nothing for a
// code that cannot be rendered.
const std::vector<tSekce>* Rozebrane(std::string_view kod) {
    constexpr size_t NejvicKodu = 256;
    thread_local std::map<std::string, std::optional<std::vector<tSekce>>, std::less<>> kody;
    auto k = kody.find(kod);
    if (k == kody.end()) {
        if (kody.size() >= NejvicKodu)
            kody.clear();
        std::vector<tSekce> sekce;
        const bool lze = RozeberVse(kod, sekce);
        k = kody.emplace(std::string(kod), lze ? std::optional(std::move(sekce)) : std::nullopt)
                .first;
    }
    return k->second ? &*k->second : nullptr;
}

} // namespace

std::string_view VestavenyFormat(int cislo) {
    // As the spreadsheet shows the built-in formats in Czech; the numbers left out name none.
    static constexpr std::pair<int, std::string_view> Formaty[] = {
        {0, "General"},
        {1, "0"},
        {2, "0.00"},
        {3, "#,##0"},
        {4, "#,##0.00"},
        {9, "0 %"},
        {10, "0.00 %"},
        {11, "0.00E+00"},
        {12, "# ?/?"},
        {13, "# ?\?/?\?"},
        {14, "d.m.yyyy"},
        {15, "d.mmm.yy"},
        {16, "d.mmm"},
        {17, "mmm.yy"},
        {18, "h:mm AM/PM"},
        {19, "h:mm:ss AM/PM"},
        {20, "h:mm"},
        {21, "h:mm:ss"},
        {22, "d.m.yyyy h:mm"},
        {37, "#,##0\"     \";-#,##0\"     \""},
        {38, "#,##0\"     \";-#,##0\"     \""},
        {39, "#,##0.00\"     \";-#,##0.00\"     \""},
        {40, "#,##0.00\"     \";-#,##0.00\"     \""},
        {45, "mm:ss"},
        {46, "[h]:mm:ss"},
        {47, "mm:ss.0"},
        {48, "##0.0E+0"},
        {49, "@"},
    };
    const auto f = std::find_if(std::begin(Formaty), std::end(Formaty),
                                [&](const auto& p) { return p.first == cislo; });
    return f == std::end(Formaty) ? std::string_view() : f->second;
}

std::string ObecnyFormatUtf8(double hodnota) {
    if (hodnota == 0 || !std::isfinite(hodnota))
        return "0";
    const std::string znamenko = hodnota < 0 ? "-" : "";
    const double a = std::fabs(hodnota);
    tCislice c = Cislice(a);
    const int e = c.bod - 1;
    if (a == std::floor(a) && e == 15 && a < 1e16)
        return znamenko + CeleCislo(static_cast<long long>(a)); // every digit of an integer
    c.d.erase(c.d.find_last_not_of('0') + 1);
    const int desetin = static_cast<int>(c.d.size()) - 1 - e;
    if (e >= 15 || e <= -10 || desetin > 15) {
        std::string s = znamenko + c.d.substr(0, 1);
        if (c.d.size() > 1)
            s += std::string(DesetinnaCarka) + c.d.substr(1);
        return s + (e < 0 ? "E-" : "E+") +
               Doplnene(CeleCislo(std::abs(e)), e < 0 ? 2 : 3, '0', true);
    }
    const tZaokrouhleno z = Zaokrouhli(c, 0, std::max(desetin, 0));
    std::string s = znamenko + (z.cela.empty() ? "0" : z.cela);
    if (desetin > 0)
        s += std::string(DesetinnaCarka) + z.zlomek;
    return s;
}

std::optional<std::string> FormatujCisloUtf8(double hodnota, std::string_view kod,
                                             tSystemDat system) {
    if (!std::isfinite(hodnota))
        return std::nullopt;
    const std::vector<tSekce>* rozebrane = Rozebrane(kod);
    if (!rozebrane)
        return std::nullopt;
    const std::vector<tSekce>& sekce = *rozebrane;
    const size_t cislne = std::min<size_t>(sekce.size(), 3);
    size_t kterou = 0;
    bool znamenko = true; // the section shows no sign of its own: a minus goes before it
    if (sekce[0].podminka || (cislne > 1 && sekce[1].podminka)) {
        // The first section whose condition holds; a section without one holds for the
        // rest. No section for the value: nothing to show it by.
        const bool prvni = sekce[0].podminka && Plati(sekce[0], hodnota);
        if (!prvni && cislne > 1 && (!sekce[1].podminka || Plati(sekce[1], hodnota)))
            kterou = 1;
        else if (!prvni && cislne > 2)
            kterou = 2;
        else if (!prvni && sekce[0].podminka)
            return std::nullopt;
        znamenko = kterou != 1;
    } else if (hodnota < 0 && cislne > 1) {
        kterou = 1;
        znamenko = false;
    } else if (hodnota == 0 && cislne > 2) {
        kterou = 2;
    }
    return Sekci(sekce[kterou], hodnota, system, znamenko);
}

std::string FormatujTextUtf8(std::string_view text, std::string_view kod) {
    const std::vector<tSekce>* rozebrane = Rozebrane(kod);
    if (!rozebrane)
        return std::string(text);
    const std::vector<tSekce>& sekce = *rozebrane;
    const auto zavinac = [](const tSekce& s) {
        return std::any_of(s.kusy.begin(), s.kusy.end(),
                           [](const tKus& k) { return k.druh == tDruh::Zavinac; });
    };
    const tSekce* textova = sekce.size() == 4 ? &sekce[3] : zavinac(sekce[0]) ? &sekce[0] : nullptr;
    if (!textova)
        return std::string(text);
    std::string s;
    for (const tKus& k : textova->kusy) {
        if (k.druh == tDruh::Literal)
            s += k.text;
        else if (k.druh == tDruh::Zavinac)
            s += text;
    }
    return s;
}
