#include "Davka.h"

#include "../core/Nastaveni.h"
#include "../core/Win1250.h"
#include "ChybaTiskarny.h"
#include "RadkySouboru.h"
#include "RawPrinter.h"
#include "SouborovaUloha.h"
#include "TiskoveBehy.h"
#include "UlohaNaPozadi.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <ostream>

namespace {

// Which of the exit statuses an error of a run stands for.
tKonec KonecChyby(const std::exception_ptr& chyba) {
    try {
        std::rethrow_exception(chyba);
    } catch (const eSouborTabulky&) {
        return KonecSoubor;
    } catch (const eRawPrinter&) {
        return KonecTisk;
    } catch (const eSouborUlohy&) {
        return KonecTisk;
    } catch (const eChyba&) {
        return KonecSablona; // the only other error a run raises: a template's number
    } catch (...) {
        return KonecJine;
    }
}

std::string TextChybyUtf8(const std::exception_ptr& chyba) {
    try {
        std::rethrow_exception(chyba);
    } catch (const std::exception& e) {
        return Win1250NaUtf8(TextChyby(e.what()));
    } catch (...) {
        return "?";
    }
}

} // namespace

tKonec SpustDavku(const tZadani& z, const std::string& cestaNastaveni, std::ostream& vystup,
                  std::ostream& chyby) {
    if (z.Nahled) { // never a print instead of the preview asked for
        chyby << "Náhled tisku tento program zatím neumí\n" << std::flush;
        return KonecVolby;
    }
    std::optional<long long> vytisteno; // what the run reported as printed
    tKonec konec = KonecOk;
    std::exception_ptr chyba;
    try {
        // Read only: the batch printer leaves the file to the program.
        const tNastaveni nastaveni = tUlozisteNastaveni(cestaNastaveni).Nacti();
        const int index = z.Etiketa.value_or(VybranaEtiketa(nastaveni.Stav.LastEtiketa));
        tPopisOblepky popis = nastaveni.Stav.PopisEtiket[static_cast<size_t>(index)];
        if (z.Tiskarna)
            popis.Tiskarna = *z.Tiskarna;
        // The copy box of the main window takes StdPocet within its range.
        const int kopii = z.Pocet.value_or(std::clamp(popis.StdPocet, 0, NejvicKopii));

        // The table file is opened before any job, so that a missing one prints nothing.
        std::unique_ptr<tRadkySouboru> radky;
        if (z.Soubor)
            radky = std::make_unique<tRadkySouboru>(*z.Soubor);

        tSluzbyTisku sluzby;
        sluzby.VytvorUlohu = [&](const std::string& nazev,
                                 const std::string& tiskarna) -> std::unique_ptr<tTiskovaUloha> {
            // The labels are made while the bytes before them travel.
            if (z.Vystup)
                return std::make_unique<tUlohaNaPozadi>(
                    std::make_unique<tSouborovaUloha>(*z.Vystup));
            return std::make_unique<tUlohaNaPozadi>(std::make_unique<tRawPrinter>(nazev, tiskarna));
        };
        sluzby.UkazDokonceni = [&](long long pocet) { vytisteno = pocet; };
        konec = KonecTisk; // from here on, a failure has the count line
        if (radky) {
            TiskniRadky(popis, kopii, *radky, sluzby);
        } else {
            tRucniHodnoty hodnoty{};
            for (const auto& [cislo, hodnota] : z.Pole)
                hodnoty[static_cast<size_t>(cislo)] = hodnota;
            TiskniRucne(popis, kopii, hodnoty, sluzby);
        }
        konec = KonecOk;
    } catch (...) {
        chyba = std::current_exception();
        // Before the run, every error is the settings file's or the table file's.
        konec = konec == KonecOk ? KonecSoubor : KonecChyby(chyba);
    }
    if (konec == KonecOk || konec == KonecTisk || konec == KonecSablona || vytisteno)
        vystup << "Počet etiket: " << vytisteno.value_or(0) << '\n' << std::flush;
    if (chyba)
        chyby << TextChybyUtf8(chyba) << '\n' << std::flush;
    return konec;
}
