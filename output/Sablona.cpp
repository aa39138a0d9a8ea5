#include "output/Sablona.h"

#include "core/CeleCislo.h"
#include "core/Chyba.h"
#include "core/Kodovani.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <utility>
#include <vector>

// The row is never built beyond what survives the cut to HrDelka, and a row longer than
// Kus bytes reaches the job in several writes of at most Kus bytes, so no width or offset,
// however large, can make memory grow. The whole template is still parsed first, so a bad
// placeholder anywhere raises before any byte of the row is written.

namespace {

constexpr size_t Kus = size_t{64} * 1024;
// A label made at once has room made for its longest form every time: a layout whose rows
// may be far longer than any label of the dialog's ranges goes row by row.
constexpr size_t NejvicNaJednou = size_t{4} * 1024;

// Collects the expanded line directly in the row buffer, up to a length limit (for rows
// that cannot outgrow Kus).
class tPrimo {
public:
    tPrimo(std::string& buffer, size_t limit) : Buffer(buffer), Zbyva(limit) {}

    void Literal(std::string_view text) { Text(text); }
    void Text(std::string_view text) {
        size_t delka = std::min(text.size(), Zbyva);
        Buffer.append(text.data(), delka);
        Zbyva -= delka;
    }
    void Mezery(size_t pocet) {
        pocet = std::min(pocet, Zbyva);
        Buffer.append(pocet, ' ');
        Zbyva -= pocet;
    }

private:
    std::string& Buffer;
    size_t Zbyva;
};

// How far past what it holds a label made at once may be written: blanks go sixteen at a
// time, and a short piece of a template as one store of sixteen, rather than a call for a
// few bytes.
constexpr size_t Presah = 16;

// Blanks sixteen at a time, up to Presah bytes past the last.
char* Mezery(char* kam, size_t pocet) {
    static constexpr char Sestnact[16] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ',
                                          ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    for (size_t k = 0; k < pocet; k += sizeof Sestnact)
        std::memcpy(kam + k, Sestnact, sizeof Sestnact);
    return kam + pocet;
}

// The template of a label made at once is kept with this many bytes after it, so that any
// piece of it may be read sixteen bytes at a time.
constexpr size_t ZaSablonou = 16;

// Collects the expanded line at a pointer, up to a length limit, in memory that has room
// for it and Presah bytes more.
class tNaMisto {
public:
    tNaMisto(char* kam, size_t limit) : Kam(kam), Mez(kam + limit) {}

    void Text(std::string_view text) {
        Kam = std::copy_n(text.data(), std::min(text.size(), Zbyva()), Kam);
    }
    // A piece of a template kept with ZaSablonou bytes after it.
    void Literal(std::string_view text) {
        const size_t delka = std::min(text.size(), Zbyva());
        if (delka > 16)
            return Text(text);
        std::memcpy(Kam, text.data(), 16);
        Kam += delka;
    }
    void Mezery(size_t pocet) { Kam = ::Mezery(Kam, std::min(pocet, Zbyva())); }
    char* Konec() const { return Kam; }

private:
    size_t Zbyva() const { return static_cast<size_t>(Mez - Kam); }

    char* Kam;
    char* const Mez;
};

// A piece of a long expanded line: text, or (data == nullptr) that many blanks.
struct tKus {
    const char* data;
    size_t delka;
};

// Collects a long expanded line as pieces pointing into the template and the values.
class tKusy {
public:
    tKusy(std::vector<tKus>& kusy, size_t limit) : Kusy(kusy), Zbyva(limit) { Kusy.clear(); }

    void Literal(std::string_view text) { Text(text); }
    void Text(std::string_view text) { Pridej(text.data(), text.size()); }
    void Mezery(size_t pocet) { Pridej(nullptr, pocet); }
    size_t Delka() const { return Celkem; }

private:
    void Pridej(const char* data, size_t delka) {
        delka = std::min(delka, Zbyva);
        if (delka == 0)
            return;
        Kusy.push_back({data, delka});
        Zbyva -= delka;
        Celkem += delka;
    }

    std::vector<tKus>& Kusy;
    size_t Zbyva;
    size_t Celkem = 0;
};

// find() for the few characters between braces, without a library call per search.
size_t Najdi(std::string_view text, char znak) {
    for (size_t k = 0; k < text.size(); ++k)
        if (text[k] == znak)
            return k;
    return std::string_view::npos;
}

std::string_view Hodnota(std::span<const std::string_view> hodnoty, int32_t n) {
    if (n < 0 || static_cast<size_t>(n) >= hodnoty.size())
        return {};
    return hodnoty[static_cast<size_t>(n)];
}

// One placeholder of a template: the literal text before it and what it asks for.
struct tZastupce {
    size_t LiteralOd;
    size_t LiteralDelka;
    int32_t N;
    int32_t W; // -1: no width (or a negative one), the value as it is
    bool Vpravo;
};

// A parsed template: its placeholders and where the final literal text starts.
struct tRozbor {
    std::string Sablona;
    std::vector<tZastupce> Zastupci;
    size_t KonecOd = 0;
    bool Platny = false;
};

// Parses the template; raises on a placeholder that is not an integer.
void Rozeber(std::string_view sablona, tRozbor& rozbor) {
    constexpr size_t MaxSirka = 255;
    constexpr size_t Neni = std::string_view::npos;
    rozbor.Zastupci.clear();
    size_t od = 0; // the rest of the template starts here
    while (od < sablona.size()) {
        std::string_view zbytek = sablona.substr(od);
        // The first "{" and the first "}" of the rest, in one pass.
        size_t leva = Neni;
        size_t prava = Neni;
        for (size_t k = 0; k < zbytek.size(); ++k) {
            if (zbytek[k] == '{' && leva == Neni) {
                leva = k;
            } else if (zbytek[k] == '}') {
                prava = k;
                break;
            }
        }
        if (leva == Neni || prava == Neni || prava < leva)
            break; // the rest is literal
        std::string_view uvnitr = zbytek.substr(leva + 1, prava - leva - 1);
        size_t carka = Najdi(uvnitr, ',');
        std::string_view cislo = uvnitr.substr(0, carka);
        std::string_view sirka =
            carka == Neni ? std::string_view{} : uvnitr.substr(carka + 1, MaxSirka);

        tZastupce z{od, leva, TextNaCislo(cislo), -1, false};

        // The first "*" asks for right alignment and is not part of the number.
        char bezHvezdy[MaxSirka];
        if (size_t hvezda = Najdi(sirka, '*'); hvezda != Neni) {
            z.Vpravo = true;
            std::copy(sirka.begin(), sirka.begin() + hvezda, bezHvezdy);
            std::copy(sirka.begin() + hvezda + 1, sirka.end(), bezHvezdy + hvezda);
            sirka = std::string_view(bezHvezdy, sirka.size() - 1);
        }
        if (!sirka.empty())
            z.W = std::max(TextNaCislo(sirka), -1);
        rozbor.Zastupci.push_back(z);
        od += prava + 1;
    }
    rozbor.KonecOd = od;
}

// The parsed form of the template, kept per line: a run expands the same five templates
// for every label, so each is parsed once. The text is compared, so any template is safe.
const tRozbor& Rozbor(std::string_view sablona, int i) {
    thread_local std::array<tRozbor, PocetRadku + 1> rozbory;
    tRozbor& rozbor = rozbory[static_cast<size_t>(i)];
    if (!rozbor.Platny || rozbor.Sablona != sablona) {
        rozbor.Platny = false;
        Rozeber(sablona, rozbor);
        rozbor.Sablona.assign(sablona);
        rozbor.Platny = true;
    }
    return rozbor;
}

// Expands a parsed template with the values into the collector.
template <typename tSber>
void Rozvin(std::string_view sablona, const tRozbor& rozbor,
            std::span<const std::string_view> hodnoty, tSber& sber) {
    for (const tZastupce& z : rozbor.Zastupci) {
        sber.Literal(sablona.substr(z.LiteralOd, z.LiteralDelka));
        std::string_view hodnota = Hodnota(hodnoty, z.N);
        if (z.W < 0) {
            sber.Text(hodnota);
            continue;
        }
        std::string_view vyrez = hodnota.substr(0, static_cast<size_t>(z.W));
        size_t vypln = static_cast<size_t>(z.W) - vyrez.size();
        if (z.Vpravo) {
            sber.Mezery(vypln);
            sber.Text(vyrez);
        } else {
            sber.Text(vyrez);
            sber.Mezery(vypln);
        }
    }
    sber.Literal(sablona.substr(rozbor.KonecOd));
}

// Sends a long row piece by piece, converting each full buffer.
class tPoKusech {
public:
    tPoKusech(std::string& buffer, tTiskovaUloha& uloha, tKodovani kodovani)
        : Buffer(buffer), Uloha(uloha), Kodovani(kodovani) {
        Buffer.clear();
    }

    void Posli(const tKus& kus) {
        size_t zbyva = kus.delka;
        const char* data = kus.data;
        while (zbyva > 0) {
            size_t kolik = std::min(zbyva, Kus - Buffer.size());
            if (data != nullptr) {
                Buffer.append(data, kolik);
                data += kolik;
            } else {
                Buffer.append(kolik, ' ');
            }
            zbyva -= kolik;
            if (Buffer.size() == Kus)
                Vyprazdni();
        }
    }

    void Vyprazdni() {
        if (Buffer.empty())
            return;
        PrevedKodovaniNaMiste(Kodovani, Buffer.data(), Buffer.size());
        Uloha.Write(Buffer);
        Buffer.clear();
    }

private:
    std::string& Buffer;
    tTiskovaUloha& Uloha;
    tKodovani Kodovani;
};

} // namespace

int NejvyssiHodnota(const tPopisOblepky& popis) {
    int nejvyssi = -1;
    for (int i = 1; i <= std::min(PocetRadku, popis.PocetRadkuOblepky); ++i) {
        tRozbor rozbor;
        try {
            Rozeber(popis.Radky[static_cast<size_t>(i)].HrText, rozbor);
        } catch (const eChyba&) {
            return INT_MAX;
        }
        for (const tZastupce& z : rozbor.Zastupci)
            nejvyssi = std::max(nejvyssi, z.N);
    }
    return nejvyssi;
}

void RozvinSablonu(std::string_view sablona, int i, std::span<const std::string_view> hodnoty,
                   const tPopisOblepky& popis, tTiskovaUloha& uloha, int& pocitadlo) {
    if (popis.PocetRadkuOblepky < i)
        return;
    if (i < 1 || i > PocetRadku) // no such line: nothing to print
        return;
    const tPopisRadku& radek = popis.Radky[static_cast<size_t>(i)];
    const auto delka = static_cast<size_t>(std::max(radek.HrDelka, 0));
    const auto zleva = static_cast<size_t>(std::max(radek.HrZleva, 0));
    const tKodovani kodovani = KodovaniRozvrzeni(popis.Kodovani);

    const tRozbor& rozbor = Rozbor(sablona, i);

    // Reused between calls so that an ordinary row allocates nothing.
    thread_local std::string buffer;
    thread_local std::vector<tKus> kusy;

    if (zleva + delka + 2 <= Kus) {
        buffer.assign(zleva, ' ');
        tPrimo primo(buffer, delka);
        Rozvin(sablona, rozbor, hodnoty, primo);
        if (buffer.size() == zleva) // an empty line gets no offset
            buffer.clear();
        buffer += "\r\n";
        PrevedKodovaniNaMiste(kodovani, buffer.data(), buffer.size());
        uloha.Write(buffer);
    } else {
        tKusy sestava(kusy, delka);
        Rozvin(sablona, rozbor, hodnoty, sestava);
        tPoKusech odesilani(buffer, uloha, kodovani);
        if (sestava.Delka() > 0)
            odesilani.Posli({nullptr, zleva});
        for (const tKus& kus : kusy)
            odesilani.Posli(kus);
        odesilani.Posli({"\r\n", 2});
        odesilani.Vyprazdni();
    }
    ++pocitadlo;
}

struct tSazbaEtikety::tRadek {
    tRozbor rozbor;
    size_t zleva = 0, delka = 0;
};

tSazbaEtikety::tSazbaEtikety() = default;
tSazbaEtikety::tSazbaEtikety(tSazbaEtikety&&) noexcept = default;
tSazbaEtikety& tSazbaEtikety::operator=(tSazbaEtikety&&) noexcept = default;
tSazbaEtikety::~tSazbaEtikety() = default;

std::optional<tSazbaEtikety> tSazbaEtikety::Priprav(const tPopisOblepky& popis,
                                                    const std::string& kodyPo) {
    tSazbaEtikety sazba;
    sazba.kodovani_ = KodovaniRozvrzeni(popis.Kodovani);
    sazba.prevadi_ = PrevadiKodovani(sazba.kodovani_);
    for (int i = 1; i <= std::min(PocetRadku, popis.PocetRadkuOblepky); ++i) {
        const tPopisRadku& radek = popis.Radky[static_cast<size_t>(i)];
        tRadek r;
        r.zleva = static_cast<size_t>(std::max(radek.HrZleva, 0));
        r.delka = static_cast<size_t>(std::max(radek.HrDelka, 0));
        if (r.zleva + r.delka + 2 > Kus)
            return std::nullopt;
        try {
            Rozeber(radek.HrText, r.rozbor);
        } catch (const eChyba&) {
            return std::nullopt;
        }
        r.rozbor.Sablona = radek.HrText + std::string(ZaSablonou, '\0');
        sazba.nejvic_ += r.zleva + r.delka + 2;
        sazba.radky_.push_back(std::move(r));
    }
    const auto radku = static_cast<long long>(sazba.radky_.size());
    if (popis.PocetRadkuOblepky > radku) {
        const auto vyplne = static_cast<size_t>(popis.PocetRadkuOblepky - radku);
        if (vyplne > Kus)
            return std::nullopt;
        for (size_t k = 0; k < vyplne; ++k)
            sazba.konec_ += "\r\n";
    }
    sazba.konec_ += kodyPo;
    sazba.nejvic_ += sazba.konec_.size() + Presah;
    if (sazba.nejvic_ > NejvicNaJednou)
        return std::nullopt;
    return sazba;
}

void tSazbaEtikety::Pis(std::span<const std::string_view> hodnoty, std::string& cil) const {
    // Written in room made for the longest label, then cut back: a string grown by a call
    // for every text and blank cost more than the label's making.
    const size_t zacatek = cil.size();
    cil.resize(zacatek + nejvic_);
    char* kam = cil.data() + zacatek;
    for (const tRadek& r : radky_) {
        char* const radek = kam;
        tNaMisto sber(Mezery(kam, r.zleva), r.delka);
        Rozvin(std::string_view(r.rozbor.Sablona).substr(0, r.rozbor.Sablona.size() - ZaSablonou),
               r.rozbor, hodnoty, sber);
        kam = sber.Konec();
        if (kam == radek + r.zleva) // an empty line gets no offset
            kam = radek;
        *kam++ = '\r';
        *kam++ = '\n';
        if (prevadi_)
            PrevedKodovaniNaMiste(kodovani_, radek, static_cast<size_t>(kam - radek));
    }
    kam = std::copy(konec_.begin(), konec_.end(), kam);
    cil.resize(static_cast<size_t>(kam - cil.data()));
}
