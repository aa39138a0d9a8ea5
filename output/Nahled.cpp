#include "output/Nahled.h"

#include "core/CeleCislo.h"
#include "core/Chyba.h"
#include "core/Kodovani.h"
#include "core/Win1250.h"
#include "output/DekodujKody.h"
#include "output/RadkyCsv.h"

#include <algorithm>
#include <memory>
#include <string_view>

namespace {

// The run's job: it destroys what it gets, so it gets a stand-in for the preview's job.
class tOdkaz : public tTiskovaUloha {
public:
    explicit tOdkaz(tTiskovaUloha& cil) : cil_(cil) {}
    void Write(const std::string& data) override { cil_.Write(data); }
    void Dokonci() override { cil_.Dokonci(); }
    void KonecEtikety() override { cil_.KonecEtikety(); }
    long long Prerus() noexcept override { return cil_.Prerus(); }
    void Zrus() noexcept override { cil_.Zrus(); }

private:
    tTiskovaUloha& cil_;
};

// The rows as the preview's run reads them. While it prints (its second pass, the first
// names the document), a row's count cell says only how many copies the preview job wants
// made; the job counts the rest. The copies of a row are the same bytes: a label is made
// from the row's cells and the layout alone.
class tRadkyNahledu : public tZdrojRadku {
public:
    tRadkyNahledu(tZdrojRadku& radky, int sloupecPoctu, tNahledovaUloha& uloha)
        : radky_(radky), sloupec_(sloupecPoctu), uloha_(uloha) {}

    void NaZacatek() override {
        radky_.NaZacatek();
        ++pruchod_;
    }
    bool Dalsi() override { return radky_.Dalsi(); }
    std::string_view Bunka(int sloupec) const override {
        const std::string_view bunka = radky_.Bunka(sloupec);
        if (sloupec != sloupec_ || pruchod_ < 2)
            return bunka;
        // A cell that is no positive number prints nothing as it is.
        const long long kopii = ZkusTextNaCislo(bunka).value_or(0);
        const long long vyrobit = kopii > 0 ? uloha_.Radek(kopii) : kopii;
        if (vyrobit == kopii)
            return bunka;
        pocet_ = CisloNaText(vyrobit);
        return pocet_;
    }
    void Bunky(std::vector<std::string_view>& cil, size_t kolik) const override {
        radky_.Bunky(cil, kolik);
    }

private:
    tZdrojRadku& radky_;
    int sloupec_;
    tNahledovaUloha& uloha_;
    int pruchod_ = 0;
    mutable std::string pocet_;
};

std::string W(std::string_view utf8) {
    return Utf8NaWin1250(utf8);
}

class tVykresleni {
public:
    explicit tVykresleni(tKodovani kodovani) : kodovani_(kodovani) {}

    void Pridej(tDruhUseku druh, std::string_view text) {
        if (text.empty())
            return;
        if (!useky_.empty() && useky_.back().Druh == druh) {
            if (druh == tDruhUseku::Kody)
                useky_.back().Text += ' ';
            useky_.back().Text += text;
        } else {
            useky_.push_back({druh, std::string(text)});
        }
    }
    void Radek(tDruhUseku druh, const std::string& text) { Pridej(druh, text + '\n'); }

    // Control codes, every byte as its decimal value.
    void Kody(std::string_view bajty) {
        for (unsigned char b : bajty)
            Pridej(tDruhUseku::Kody, CisloNaText(b));
    }

    // Printed rows: each CR LF ends a line; a byte the printer prints as a character shows
    // as that character, any other byte as its code.
    void Radky(std::string_view bajty) {
        std::string text;
        auto dopis = [&] {
            Pridej(tDruhUseku::Text, text);
            text.clear();
        };
        for (size_t i = 0; i < bajty.size(); ++i) {
            const auto b = static_cast<unsigned char>(bajty[i]);
            if (b == '\r' && i + 1 < bajty.size() && bajty[i + 1] == '\n') {
                text += '\n';
                ++i;
                continue;
            }
            const int znak = b < 32 || b == 127 ? -1 : ZnakTiskarny(kodovani_, b);
            if (znak < 0) {
                dopis();
                Pridej(tDruhUseku::Kody, CisloNaText(b));
            } else {
                text += static_cast<char>(znak);
            }
        }
        // A row cut short by an error still ends its line.
        if (!bajty.empty() && !bajty.ends_with("\r\n"))
            text += '\n';
        dopis();
    }

    std::vector<tUsekNahledu> Vysledek() { return std::move(useky_); }

private:
    tKodovani kodovani_;
    std::vector<tUsekNahledu> useky_;
};

std::string Hlavicka(const tNahled& n) {
    if (!n.Tiskne)
        return W("Tisk by nic neposlal: počet etiket je 0, nebo tabulka nemá žádný řádek.");
    return W("Tiskárna: ") + n.Tiskarna + W("   Dokument: ") + W(n.NazevDokumentu) +
           W("\nEtiket: ") + CisloNaText(n.Uloha.Etiket()) + W("   Bajtů: ") +
           CisloNaText(n.Uloha.Bajtu()) +
           (n.Nepresnych == 0 ? std::string()
                              : W("\nZnaků bez přesné podoby ve Windows-1250: ") +
                                    CisloNaText(static_cast<long long>(n.Nepresnych)) +
                                    W(" (tisknou se jako nejbližší znak, nebo „?“)"));
}

// The run given the services and the preview job it writes into.
using tBehDoUlohy = std::function<void(const tSluzbyTisku& sluzby, tNahledovaUloha& uloha)>;

tNahled Zachyt(const tPopisOblepky& popis, const tBehDoUlohy& beh, long long drzetEtiket) {
    tNahled n;
    n.Uloha = tNahledovaUloha(drzetEtiket);
    n.KodyInit = DekodujKody(popis.InitKody);
    n.KodyPo = DekodujKody(popis.KodyOdradkovani);
    n.RadkuPred = std::max<long long>(popis.RadkuPred, 0);
    n.Kodovani = KodovaniRozvrzeni(popis.Kodovani);
    tSluzbyTisku sluzby;
    sluzby.VytvorUlohu = [&n](const std::string& nazev, const std::string& tiskarna) {
        n.Tiskne = true;
        n.NazevDokumentu = nazev;
        n.Tiskarna = tiskarna;
        return std::unique_ptr<tTiskovaUloha>(std::make_unique<tOdkaz>(n.Uloha));
    };
    sluzby.UkazDokonceni = [](long long) {};
    // No Kurzor: a preview made while the user types shows no hourglass.
    try {
        beh(sluzby, n.Uloha);
    } catch (const eSouborTabulky&) {
        throw; // a table file that cannot be read is no error of the layout
    } catch (const eChyba& e) {
        n.Chyba = e.what();
    }
    return n;
}

} // namespace

tNahled ZachytNahled(const tPopisOblepky& popis, const tBehNahledu& beh, long long drzetEtiket) {
    return Zachyt(
        popis, [&](const tSluzbyTisku& sluzby, tNahledovaUloha&) { beh(sluzby); }, drzetEtiket);
}

tNahled ZachytNahled(const tPopisOblepky& popis, int pocetKopii, tZdrojRadku& radky,
                     long long drzetEtiket) {
    return Zachyt(
        popis,
        [&](const tSluzbyTisku& sluzby, tNahledovaUloha& uloha) {
            tRadkyNahledu radkyNahledu(radky, popis.PoleSPoctem, uloha);
            TiskniRadky(popis, pocetKopii, radkyNahledu, sluzby);
        },
        drzetEtiket);
}

void Tiskni(const tTisk& tisk, const tSluzbyTisku& sluzby) {
    if (tisk.Tabulka)
        TiskniTabulku(tisk.Popis, tisk.Kopii, *tisk.Tabulka, sluzby);
    else
        TiskniRucne(tisk.Popis, tisk.Kopii, tisk.Hodnoty, sluzby);
}

tNahled ZachytNahled(const tTisk& tisk, long long drzetEtiket) {
    tNahled nahled;
    if (!tisk.Tabulka) { // at most NejvicKopii labels: made in full
        nahled = ZachytNahled(
            tisk.Popis, [&](const tSluzbyTisku& s) { Tiskni(tisk, s); }, drzetEtiket);
    } else {
        tRadkyTabulky radky(*tisk.Tabulka);
        nahled = ZachytNahled(tisk.Popis, tisk.Kopii, radky, drzetEtiket);
    }
    nahled.Nepresnych = tisk.Nepresnych;
    return nahled;
}

std::vector<tUsekNahledu> VykresliNahled(const tNahled& n) {
    tVykresleni v(n.Kodovani);
    v.Radek(tDruhUseku::Hlavicka, Hlavicka(n));
    if (!n.Tiskne)
        return v.Vysledek();

    const std::string_view bajty = n.Uloha.Bajty();
    size_t pozice = 0;
    if (bajty.starts_with(n.KodyInit) && !n.KodyInit.empty()) {
        v.Kody(n.KodyInit);
        v.Pridej(tDruhUseku::Text, "\n");
        pozice = n.KodyInit.size();
    }
    // The blank rows before the labels.
    const size_t pred = static_cast<size_t>(
        std::min<long long>(2 * n.RadkuPred, static_cast<long long>(bajty.size() - pozice)));
    v.Radky(bajty.substr(pozice, pred));
    pozice += pred;

    long long cislo = 0;
    for (size_t konec : n.Uloha.KonceEtiket()) {
        v.Radek(tDruhUseku::Hranice, W("Etiketa ") + CisloNaText(++cislo));
        std::string_view etiketa = bajty.substr(pozice, konec - pozice);
        const bool sKody = !n.KodyPo.empty() && etiketa.ends_with(n.KodyPo);
        if (sKody)
            etiketa.remove_suffix(n.KodyPo.size());
        v.Radky(etiketa);
        if (sKody) {
            v.Kody(n.KodyPo);
            v.Pridej(tDruhUseku::Text, "\n");
        }
        pozice = konec;
    }

    std::string_view zbytek = bajty.substr(pozice);
    if (n.Uloha.Etiket() > cislo) {
        v.Radek(tDruhUseku::Hranice, W("Dalších ") + CisloNaText(n.Uloha.Etiket() - cislo) +
                                         W(" etiket náhled jen počítá, nevypisuje"));
        zbytek = n.Uloha.Zbytek();
    }
    if (!n.Chyba.empty()) {
        v.Radek(tDruhUseku::Hranice, W("Etiketa ") + CisloNaText(n.Uloha.Etiket() + 1));
        v.Radky(zbytek);
        v.Radek(tDruhUseku::Hranice,
                n.Uloha.Zrusena()
                    ? W("Tady se tisk zastaví chybou a zruší se, tiskárna nedostane nic:")
                    : W("Tady se tisk zastaví chybou, vytisknou se jen celé etikety před ní:"));
        v.Radek(tDruhUseku::Chyba, W(TextChyby(n.Chyba)));
        return v.Vysledek();
    }
    if (!zbytek.empty()) {
        v.Radek(tDruhUseku::Hranice, W("Po etiketách"));
        v.Radky(zbytek);
    }
    v.Radek(tDruhUseku::Hranice, W("Konec úlohy"));
    return v.Vysledek();
}

std::string ZobrazeniUseku(const tUsekNahledu& usek) {
    std::string text = Win1250NaUtf8(usek.Text);
    switch (usek.Druh) {
    case tDruhUseku::Kody:
        return "⟨" + text + "⟩";
    case tDruhUseku::Hranice: {
        std::string pravitka;
        for (size_t od = 0; od < text.size();) {
            const size_t konec = std::min(text.find('\n', od), text.size());
            if (konec > od)
                pravitka += "──── " + text.substr(od, konec - od) + " ────\n";
            od = konec + 1;
        }
        return pravitka;
    }
    default:
        return text;
    }
}
