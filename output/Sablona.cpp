#include "Sablona.h"

#include "../core/CeleCislo.h"
#include "../core/Kodovani.h"

#include <algorithm>
#include <vector>

// The row is never built beyond what survives the cut to HrDelka, and it reaches the job in
// pieces of bounded size, so no width or offset, however large, can make memory grow. The
// whole template is still parsed first, so a bad placeholder anywhere raises before any byte
// of the row is written.

namespace {

// A piece of the expanded line: text, or (data == nullptr) that many blanks.
struct tKus {
    const char* data;
    size_t delka;
};

// Collects the pieces of the expanded line up to a length limit.
class tSestava {
public:
    tSestava(std::vector<tKus>& kusy, size_t limit) : Kusy(kusy), Zbyva(limit) { Kusy.clear(); }

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

// Converts and writes the row in pieces of at most Kus bytes (one Write for an ordinary row).
class tOdesilani {
public:
    static constexpr size_t Kus = 64 * 1024;

    tOdesilani(std::string& buffer, tTiskovaUloha& uloha, uint8_t rezim)
        : Buffer(buffer), Uloha(uloha), Rezim(rezim) {
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
        PrevedKodovaniNaMiste(Rezim, Buffer.data(), Buffer.size());
        Uloha.Write(Buffer);
        Buffer.clear();
    }

private:
    std::string& Buffer;
    tTiskovaUloha& Uloha;
    uint8_t Rezim;
};

std::string_view Hodnota(std::span<const std::string_view> hodnoty, int32_t n) {
    if (n < 0 || static_cast<size_t>(n) >= hodnoty.size())
        return {};
    return hodnoty[static_cast<size_t>(n)];
}

// Expands the template into pieces; raises on a placeholder that is not an integer.
void Rozvin(std::string_view zbytek, std::span<const std::string_view> hodnoty, tSestava& sestava) {
    constexpr size_t MaxSirka = 255;
    do {
        size_t leva = zbytek.find('{');
        size_t prava = leva == std::string_view::npos ? leva : zbytek.find('}');
        if (prava == std::string_view::npos || prava < leva) {
            sestava.Text(zbytek);
            return;
        }
        std::string_view uvnitr = zbytek.substr(leva + 1, prava - leva - 1);
        size_t carka = uvnitr.find(',');
        std::string_view cislo = uvnitr.substr(0, carka);
        std::string_view sirka = carka == std::string_view::npos
                                     ? std::string_view{}
                                     : uvnitr.substr(carka + 1, MaxSirka);

        int32_t n = TextNaCislo(cislo);

        // The first "*" asks for right alignment and is not part of the number.
        char bezHvezdy[MaxSirka];
        bool vpravo = false;
        if (size_t hvezda = sirka.find('*'); hvezda != std::string_view::npos) {
            vpravo = true;
            std::copy(sirka.begin(), sirka.begin() + hvezda, bezHvezdy);
            std::copy(sirka.begin() + hvezda + 1, sirka.end(), bezHvezdy + hvezda);
            sirka = std::string_view(bezHvezdy, sirka.size() - 1);
        }

        std::string_view hodnota = Hodnota(hodnoty, n);
        sestava.Text(zbytek.substr(0, leva));
        int32_t w = sirka.empty() ? -1 : TextNaCislo(sirka);
        if (w < 0) {
            // No width, or a negative one: the value as it is.
            sestava.Text(hodnota);
        } else {
            std::string_view vyrez = hodnota.substr(0, static_cast<size_t>(w));
            size_t vypln = static_cast<size_t>(w) - vyrez.size();
            if (vpravo) {
                sestava.Mezery(vypln);
                sestava.Text(vyrez);
            } else {
                sestava.Text(vyrez);
                sestava.Mezery(vypln);
            }
        }
        zbytek.remove_prefix(prava + 1);
    } while (!zbytek.empty());
}

} // namespace

void RozvinSablonu(std::string_view sablona, int i, std::span<const std::string_view> hodnoty,
                   const tPopisOblepky& popis, tTiskovaUloha& uloha, int& pocitadlo) {
    if (popis.PocetRadkuOblepky < i)
        return;
    if (i < 1 || i > PocetRadku) // no such line: nothing to print
        return;
    const tPopisRadku& radek = popis.Radky[static_cast<size_t>(i)];

    // Reused between calls so that an ordinary row allocates nothing.
    thread_local std::vector<tKus> kusy;
    thread_local std::string buffer;

    tSestava sestava(kusy, static_cast<size_t>(std::max(radek.HrDelka, 0)));
    Rozvin(sablona, hodnoty, sestava);

    tOdesilani odesilani(buffer, uloha, static_cast<uint8_t>(popis.Kodovani & 0xFF));
    if (sestava.Delka() > 0 && radek.HrZleva > 0)
        odesilani.Posli({nullptr, static_cast<size_t>(radek.HrZleva)});
    for (const tKus& kus : kusy)
        odesilani.Posli(kus);
    odesilani.Posli({"\r\n", 2});
    odesilani.Vyprazdni();
    ++pocitadlo;
}
