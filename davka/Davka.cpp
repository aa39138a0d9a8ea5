#include "davka/Davka.h"

#include "core/Nastaveni.h"
#include "core/Win1250.h"
#include "davka/Zastaveni.h"
#include "output/ChybaTiskarny.h"
#include "output/Nahled.h"
#include "output/RadkySouboru.h"
#include "output/RawPrinter.h"
#include "output/SledovaniUloh.h"
#include "output/SouborovaUloha.h"
#include "output/TiskoveBehy.h"
#include "output/UlohaNaPozadi.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <ostream>

#include <sys/stat.h>
#include <unistd.h>

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
        return TextChyby(e.what());
    } catch (...) {
        return "?";
    }
}

// --wait: follows the job to its end, or until the time runs out (the job stays queued).
tKonec PockejNaUlohu(int id, int sekund, std::ostream& chyby) {
    std::optional<tUloha> u;
    try {
        u = CekejNaKonec(id, std::chrono::seconds(sekund));
    } catch (...) {
        chyby << TextChybyUtf8(std::current_exception()) << '\n' << std::flush;
        return KonecTisk;
    }
    if (!u) {
        chyby << "Tiskový server úlohu " << id << " už nezná\n" << std::flush;
        return KonecTisk;
    }
    switch (KonecUlohy(*u)) {
    case tKonecUlohy::Vytistena:
        return KonecOk;
    case tKonecUlohy::Selhala:
        chyby << Win1250NaUtf8(PopisUlohy(*u)) << '\n' << std::flush;
        return KonecTisk;
    case tKonecUlohy::Neskoncila:
        break;
    }
    chyby << Win1250NaUtf8(PopisUlohy(*u)) << '\n'
          << "Úloha se do " << sekund << " s nevytiskla; zůstává ve frontě a může se vytisknout "
          << "později\n"
          << std::flush;
    return KonecCeka;
}

// A run as the settings and the command line ask for it.
struct tBeh {
    tPopisOblepky popis;
    int kopii = 0;
    std::unique_ptr<tRadkySouboru> radky; // a table run; none: a manual run
    tRucniHodnoty hodnoty{};
    size_t nepresnych = 0; // of the values

    void operator()(const tSluzbyTisku& sluzby) const {
        if (radky)
            TiskniRadky(popis, kopii, *radky, sluzby);
        else
            TiskniRucne(popis, kopii, hodnoty, sluzby);
    }
};

// Raises the errors of the settings file and of opening the table file.
tBeh Priprav(const tZadani& z, const std::string& cestaNastaveni, const tVlozeniDavky& vlozeni) {
    // Read only: the batch printer leaves the file to the program.
    const tNastaveni nastaveni = tUlozisteNastaveni(cestaNastaveni).Nacti();
    tBeh beh;
    const int index = z.Etiketa.value_or(VybranaEtiketa(nastaveni.Stav.LastEtiketa));
    beh.popis = nastaveni.Stav.PopisEtiket[static_cast<size_t>(index)];
    if (z.Tiskarna)
        beh.popis.Tiskarna = *z.Tiskarna;
    // The copy box of the main window takes StdPocet within its range.
    beh.kopii = z.Pocet.value_or(std::clamp(beh.popis.StdPocet, 0, NejvicKopii));
    // The table file is opened before any job, so that a missing one prints nothing.
    if (vlozeni.Radky)
        beh.radky = vlozeni.Radky();
    else if (z.Soubor)
        beh.radky = std::make_unique<tRadkySouboru>(*z.Soubor, z.Tabulka);
    for (const auto& [cislo, hodnota] : z.Pole)
        beh.hodnoty[static_cast<size_t>(cislo)] = hodnota;
    beh.nepresnych = z.Nepresnych;
    return beh;
}

struct tZastaveno {};

// The job's file is where standard output goes (/dev/stdout, a redirection to it).
bool NaStandardniVystup(const std::string& cesta) {
    struct stat soubor {
    }, vystup{};
    return ::stat(cesta.c_str(), &soubor) == 0 && ::fstat(STDOUT_FILENO, &vystup) == 0 &&
           soubor.st_dev == vystup.st_dev && soubor.st_ino == vystup.st_ino;
}

tKonec Tiskni(const tBeh& beh, const tZadani& z, std::ostream& vystup, std::ostream& chyby,
              const tVlozeniDavky& vlozeni) {
    const tZastaveni zastaveni;
    std::optional<long long> vytisteno; // what the run reported as printed
    bool uloha = false;                 // the run opened a job
    int idUlohy = 0;                    // the CUPS job, once created
    tSluzbyTisku sluzby;
    sluzby.VytvorUlohu = [&](const std::string& nazev,
                             const std::string& tiskarna) -> std::unique_ptr<tTiskovaUloha> {
        if (zastaveni.Zastaveno())
            throw tZastaveno{}; // the signal came before the job: no job at all
        uloha = true;
        // The labels are made while the bytes before them travel.
        if (z.Vystup)
            return std::make_unique<tUlohaNaPozadi>(std::make_unique<tSouborovaUloha>(*z.Vystup));
        auto tisk = std::make_unique<tRawPrinter>(nazev, tiskarna, nullptr, vlozeni.Znacka);
        idUlohy = tisk->Uloha();
        if (vlozeni.UlohaVytvorena)
            vlozeni.UlohaVytvorena(*tisk); // on an error the job goes before its first byte
        return std::make_unique<tUlohaNaPozadi>(std::move(tisk));
    };
    sluzby.UkazDokonceni = [&](long long pocet) {
        vytisteno = pocet;
        if (vlozeni.Vytisteno)
            vlozeni.Vytisteno(pocet);
    };
    // A signal cancels the job: nothing of it prints, the temporary file goes.
    sluzby.Pokrok = [&](long long, long long) {
        return !zastaveni.Zastaveno() && (!vlozeni.Pokracovat || vlozeni.Pokracovat());
    };
    // The count must not land among the job's bytes.
    std::ostream& pocet = z.Vystup && NaStandardniVystup(*z.Vystup) ? chyby : vystup;
    std::exception_ptr chyba;
    tKonec konec = KonecOk;
    try {
        beh(sluzby);
    } catch (const tZastaveno&) {
        vytisteno = 0;
    } catch (...) {
        chyba = std::current_exception();
        konec = KonecChyby(chyba);
        if (vlozeni.Selhani)
            vlozeni.Selhani(chyba);
    }
    // The count is the run's own, also after a failure; a table file that could not be read
    // through before the first label has none.
    if (konec != KonecSoubor || vytisteno)
        pocet << "Počet etiket: " << vytisteno.value_or(0) << '\n' << std::flush;
    if (chyba)
        chyby << TextChybyUtf8(chyba) << '\n' << std::flush;
    if (zastaveni.Zastaveno()) {
        chyby << "Zastaveno signálem " << NazevSignalu(zastaveni.Signal()) << '\n' << std::flush;
        return KonecSignal;
    }
    if (!chyba && !uloha && z.Vystup) {
        // A script that goes on with the file must not take an older job for this one.
        chyby << "Nic k tisku: počet kopií je 0, nebo tabulka nemá žádný řádek; soubor "
              << *z.Vystup << " se nezměnil\n"
              << std::flush;
        return KonecNic;
    }
    if (konec == KonecOk && z.Cekat && idUlohy != 0 && vytisteno.value_or(0) > 0)
        konec = PockejNaUlohu(idUlohy, *z.Cekat, chyby);
    return konec;
}

// The preview window's text, made by the same run into the preview's job.
tKonec Nahled(const tBeh& beh, std::ostream& vystup, std::ostream& chyby) {
    // The preview shows a template error as part of the text; a table file that cannot be
    // read is no such error.
    std::exception_ptr chybaSouboru;
    tNahled nahled = ZachytNahled(beh.popis, [&](const tSluzbyTisku& sluzby) {
        try {
            beh(sluzby);
        } catch (const eSouborTabulky&) {
            chybaSouboru = std::current_exception();
        }
    });
    if (chybaSouboru) {
        chyby << TextChybyUtf8(chybaSouboru) << '\n' << std::flush;
        return KonecSoubor;
    }
    nahled.Nepresnych = beh.radky ? beh.radky->Druh().Nepresnych : beh.nepresnych;
    for (const tUsekNahledu& usek : VykresliNahled(nahled))
        vystup << ZobrazeniUseku(usek); // as the window shows it
    vystup << std::flush;
    if (nahled.Chyba.empty())
        return KonecOk;
    chyby << TextChyby(nahled.Chyba) << '\n' << std::flush;
    return KonecSablona;
}

} // namespace

tKonec SpustDavku(const tZadani& z, const std::string& cestaNastaveni, std::ostream& vystup,
                  std::ostream& chyby, const tVlozeniDavky& vlozeni) {
    tBeh beh;
    try {
        beh = Priprav(z, cestaNastaveni, vlozeni);
    } catch (...) {
        chyby << TextChybyUtf8(std::current_exception()) << '\n' << std::flush;
        return KonecSoubor;
    }
    if (beh.radky && z.Podrobne)
        chyby << Win1250NaUtf8(beh.radky->Druh().Popis) << '\n';
    if (const size_t n = beh.radky ? beh.radky->Druh().Nepresnych : z.Nepresnych; n > 0)
        chyby << "Upozornění: znaků bez přesné podoby ve Windows-1250: " << n
              << "; tisknou se jako nejbližší znak, nebo „?“\n";
    chyby << std::flush;
    return z.Nahled ? Nahled(beh, vystup, chyby) : Tiskni(beh, z, vystup, chyby, vlozeni);
}
