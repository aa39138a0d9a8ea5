#include "output/TiskoveBehy.h"

#include "core/CeleCislo.h"
#include "output/DekodujKody.h"
#include "output/RadkyNapred.h"
#include "output/Sablona.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace {

const std::string NovyRadek = "\r\n";

std::string NazevDokumentu(long long pocet) {
    const std::string vzor = "Oblepky pro zboží (%d ks)";
    const size_t misto = vzor.find("%d");
    return vzor.substr(0, misto) + CisloNaText(pocet) + vzor.substr(misto + 2);
}

// Every blank row is a write of its own; a negative count writes nothing.
void PisPrazdneRadky(tTiskovaUloha& uloha, long long pocet) {
    for (long long i = 0; i < pocet; ++i)
        uloha.Write(NovyRadek);
}

// One label: lines 1 to 5, filler rows up to the label's height, the after-label codes.
// Made at once where the job lets it, so that a long run costs no write per row.
void TiskniEtiketu(const tPopisOblepky& popis, std::span<const std::string_view> hodnoty,
                   const std::string& kodyPo, const std::optional<tSazbaEtikety>& sazba,
                   tTiskovaUloha& uloha) {
    if (sazba) {
        if (std::string* cil = uloha.MistoProEtiketu(sazba->Nejvic())) {
            sazba->Pis(hodnoty, *cil);
            uloha.KonecEtikety();
            return;
        }
    }
    int radku = 0;
    for (int i = 1; i <= PocetRadku; ++i)
        RozvinSablonu(popis.Radky[i].HrText, i, hodnoty, popis, uloha, radku);
    if (popis.PocetRadkuOblepky >= static_cast<long long>(radku) + 1)
        PisPrazdneRadky(uloha, static_cast<long long>(popis.PocetRadkuOblepky) - radku);
    uloha.Write(kodyPo);
    uloha.KonecEtikety();
}

// The cells from column 0 on that a label of the layout uses.
size_t HodnotEtikety(const tPopisOblepky& popis) {
    const int nejvyssi = NejvyssiHodnota(popis);
    return nejvyssi < 0 ? 1 : static_cast<size_t>(nejvyssi) + 1;
}

// The hourglass for as long as the object lives.
class tCekani {
public:
    explicit tCekani(const std::function<void(bool)>& kurzor) : kurzor_(kurzor) {
        if (kurzor_)
            kurzor_(true);
    }
    ~tCekani() {
        if (kurzor_)
            kurzor_(false);
    }
    tCekani(const tCekani&) = delete;
    tCekani& operator=(const tCekani&) = delete;

private:
    const std::function<void(bool)>& kurzor_;
};

// The labels of a run so far; now and then it asks whether to go on.
struct tPocitadlo {
    const tSluzbyTisku& sluzby;
    const long long celkem;
    long long hotovo = 0;

    void Etiketa() {
        // Every 4096 labels: about a millisecond of printing, and no cost worth measuring.
        if ((++hotovo & 0xFFF) == 0 && sluzby.Pokrok && !sluzby.Pokrok(hotovo, celkem))
            throw tZastaveno{};
    }
};

// The run's job; none when the user stopped it while it opened (tZastaveno).
std::unique_ptr<tTiskovaUloha> Otevri(const tSluzbyTisku& sluzby, const std::string& nazev,
                                      const std::string& tiskarna) {
    try {
        return sluzby.VytvorUlohu(nazev, tiskarna);
    } catch (const tZastaveno&) {
        return nullptr;
    }
}

// A run from its open job on (none: stopped while it opened, as by Storno): the hourglass
// while it prints, then the clean-up that runs however the printing ends: the job ended,
// cancelled or cut back to its whole labels and destroyed, the cursor restored, the
// completion dialog with the labels that will print; then an error goes on.
template <class Tisk>
void Prubeh(std::unique_ptr<tTiskovaUloha> uloha, const tSluzbyTisku& sluzby, long long celkem,
            Tisk tisk) {
    if (!uloha)
        return sluzby.UkazDokonceni(0);
    tPocitadlo pocitadlo{sluzby, celkem};
    long long vytiskne = 0;
    long long nezrusena = 0; // Storno came too late for a job released whole
    std::exception_ptr chyba;
    {
        const tCekani cekani(sluzby.Kurzor);
        const auto tiskne = std::move(uloha); // destroyed before the cursor is restored
        try {
            tisk(*tiskne, pocitadlo);
            tiskne->Dokonci();
            vytiskne = pocitadlo.hotovo;
        } catch (const tZastaveno&) { // Storno
            tiskne->Zrus();
            nezrusena = tiskne->PoStornu();
        } catch (...) {
            chyba = std::current_exception();
            vytiskne = tiskne->Prerus();
        }
    }
    if (nezrusena > 0 && sluzby.UkazNezrusenou)
        return sluzby.UkazNezrusenou(nezrusena);
    if (!chyba)
        return sluzby.UkazDokonceni(nezrusena > 0 ? nezrusena : vytiskne);
    try {
        sluzby.UkazDokonceni(vytiskne);
    } catch (...) {
        // The run's own error is the one worth showing.
    }
    std::rethrow_exception(chyba);
}

} // namespace

void TiskniRucne(const tPopisOblepky& popis, int pocetKopii, const tRucniHodnoty& hodnoty,
                 const tSluzbyTisku& sluzby) {
    if (pocetKopii <= 0)
        return;
    const std::string kodyInit = DekodujKody(popis.InitKody);
    const std::string kodyPo = DekodujKody(popis.KodyOdradkovani);
    auto uloha = Otevri(sluzby, NazevDokumentu(pocetKopii), popis.Tiskarna);
    Prubeh(std::move(uloha), sluzby, pocetKopii, [&](tTiskovaUloha& u, tPocitadlo& pocitadlo) {
        std::vector<std::string_view> seznam(hodnoty.begin(), hodnoty.end());
        seznam[0] = {}; // value 0 of a manual label is empty
        const auto sazba = tSazbaEtikety::Priprav(popis, kodyPo);
        u.Write(kodyInit);
        PisPrazdneRadky(u, popis.RadkuPred);
        for (int kopie = 0; kopie < pocetKopii; ++kopie) {
            TiskniEtiketu(popis, seznam, kodyPo, sazba, u);
            pocitadlo.Etiketa();
        }
        PisPrazdneRadky(u, popis.RadkuPo);
    });
}

void TiskniTabulku(const tPopisOblepky& popis, int pocetKopii, const tTabulka& tabulka,
                   const tSluzbyTisku& sluzby) {
    tRadkyTabulky radky(tabulka);
    TiskniRadky(popis, pocetKopii, radky, sluzby);
}

namespace {

// The table run: the labels counted over pocty, printed from radky (the same rows).
void TiskniRadkyZ(const tPopisOblepky& popis, int pocetKopii, tZdrojRadku& pocty,
                  tZdrojRadku& radky, const tSluzbyTisku& sluzby) {
    if (pocetKopii <= 0)
        return;
    // The document is named after the labels the table asks for, known before it starts.
    // Rows that ask for no label are nothing to print, as no rows are: no job at all.
    const long long celkem = pocty.SoucetPoctu(popis.PoleSPoctem);
    if (celkem == 0)
        return;
    auto uloha = Otevri(sluzby, NazevDokumentu(celkem), popis.Tiskarna);
    Prubeh(std::move(uloha), sluzby, celkem, [&](tTiskovaUloha& u, tPocitadlo& pocitadlo) {
        const std::string kodyInit = DekodujKody(popis.InitKody);
        const std::string kodyPo = DekodujKody(popis.KodyOdradkovani);
        const auto sazba = tSazbaEtikety::Priprav(popis, kodyPo);
        u.Write(kodyInit);
        PisPrazdneRadky(u, popis.RadkuPred);
        std::vector<std::string_view> seznam;
        const size_t hodnot = HodnotEtikety(popis);
        for (radky.NaZacatek(); radky.Dalsi();) {
            // A column outside the table counts 0.
            const long long pocet = PocetZBunky(radky.Bunka(popis.PoleSPoctem));
            if (pocet <= 0)
                continue;
            // Cells past the row's own pieces are empty, as is a value beyond the list.
            radky.Bunky(seznam, hodnot);
            for (long long kopie = 0; kopie < pocet; ++kopie) {
                TiskniEtiketu(popis, seznam, kodyPo, sazba, u);
                pocitadlo.Etiketa();
            }
        }
        PisPrazdneRadky(u, popis.RadkuPo);
    });
}

} // namespace

void TiskniRadky(const tPopisOblepky& popis, int pocetKopii, tZdrojRadku& radky,
                 const tSluzbyTisku& sluzby) {
    TiskniRadkyZ(popis, pocetKopii, radky, radky, sluzby);
}

void TiskniRadkyNapred(const tPopisOblepky& popis, int pocetKopii, tZdrojRadku& radky,
                       const tSluzbyTisku& sluzby) {
    // The labels' cells, and the count's column (column 0 is the row's number).
    const size_t sloupcu =
        std::max(HodnotEtikety(popis), static_cast<size_t>(std::max(popis.PoleSPoctem, 0)) + 1);
    tRadkyNapred napred(radky, sloupcu);
    // The count needs one cell of each row: read directly, it costs little beside the run.
    TiskniRadkyZ(popis, pocetKopii, radky, napred, sluzby);
}
