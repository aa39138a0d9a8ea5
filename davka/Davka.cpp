#include "davka/Davka.h"

#include "core/Nastaveni.h"
#include "core/SignalyKonce.h"
#include "output/ChybaTiskarny.h"
#include "output/Nahled.h"
#include "output/RadkySouboru.h"
#include "output/RawPrinter.h"
#include "output/SledovaniUloh.h"
#include "output/SouborovaUloha.h"
#include "output/Spojeni.h"
#include "output/TiskoveBehy.h"
#include "output/UlohaNaPozadi.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <ostream>

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Sleeps until kdy; false when a signal has come (at once, or while it sleeps).
bool Pockej(const tSignalyKonce& zastaveni, tTermin kdy) {
    while (!zastaveni.Prisel()) {
        const auto zbyva =
            std::chrono::ceil<std::chrono::milliseconds>(kdy - tTermin::clock::now());
        if (zbyva.count() <= 0)
            return true;
        pollfd signal{zastaveni.Fd(), POLLIN, 0};
        ::poll(&signal, 1, static_cast<int>(zbyva.count()));
    }
    return false;
}

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

// What --wait says of a job whose state is still open at the end (Windows-1250 parts kept
// in UTF-8 here, as the rest of standard error).
void ZustavaVeFronte(std::ostream& chyby, const std::string& proc) {
    chyby << proc << "; úloha zůstává ve frontě a může se vytisknout později\n" << std::flush;
}

// --wait: follows the job to its end, or until the time runs out or a signal comes (the job
// stays queued). A server out of reach meanwhile is asked again until the time is up.
tKonec PockejNaUlohu(int id, int sekund, const tSignalyKonce& zastaveni, std::ostream& chyby) {
    // A signal ends a question in flight as well as a pause.
    tOdriznuti odriznuti([&zastaveni] { return zastaveni.Prisel(); });
    tDotazyNaUlohy dotazy(&odriznuti);
    const tVysledekCekani v = CekejNaKonec(
        id, std::chrono::seconds(sekund),
        [&dotazy](int u, tTermin termin) { return dotazy.Uloha(u, termin); },
        [&zastaveni](tTermin kdy) { return Pockej(zastaveni, kdy); });
    if (v.Preruseno || zastaveni.Prisel()) {
        chyby << "Zastaveno signálem " << NazevSignalu(zastaveni.Signal()) << '\n';
        ZustavaVeFronte(chyby, "Čekání skončilo");
        return KonecSignal;
    }
    if (!v.Znamy) {
        ZustavaVeFronte(chyby, "Tiskový server nebyl k zastižení (" + TextChyby(v.Chyba) +
                                   "), stav úlohy " + std::to_string(id) + " není známý");
        return KonecCeka;
    }
    if (!v.Uloha) {
        chyby << "Tiskový server úlohu " << id << " už nezná\n" << std::flush;
        return KonecTisk;
    }
    switch (KonecUlohy(*v.Uloha)) {
    case tKonecUlohy::Vytistena:
        return KonecOk;
    case tKonecUlohy::Selhala:
        chyby << PopisUlohy(*v.Uloha) << '\n' << std::flush;
        return KonecTisk;
    case tKonecUlohy::Neskoncila:
        break;
    }
    chyby << PopisUlohy(*v.Uloha) << '\n';
    ZustavaVeFronte(chyby, "Úloha se do " + std::to_string(sekund) + " s nevytiskla");
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
            TiskniRadkyNapred(popis, kopii, *radky, sluzby);
        else
            TiskniRucne(popis, kopii, hodnoty, sluzby);
    }
};

// Raises the errors of the settings file and of opening the table file.
// A table on a FIFO waits for its writer while dal says so.
tBeh Priprav(const tZadani& z, const std::string& cestaNastaveni, const tVlozeniDavky& vlozeni,
             const tRadkySouboru::tPokracovat& dal) {
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
        beh.radky = std::make_unique<tRadkySouboru>(*z.Soubor, z.Tabulka, dal);
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

// The count line and the stop, when a signal came before the run opened a job.
tKonec Zastaveno(const tSignalyKonce& zastaveni, std::ostream& pocet, std::ostream& chyby) {
    pocet << "Počet etiket: 0\n" << std::flush;
    chyby << "Zastaveno signálem " << NazevSignalu(zastaveni.Signal()) << '\n' << std::flush;
    return KonecSignal;
}

// Where the count line goes: never among the job's bytes.
std::ostream& ProPocet(const tZadani& z, std::ostream& vystup, std::ostream& chyby) {
    return z.Vystup && NaStandardniVystup(*z.Vystup) ? chyby : vystup;
}

// A signal came too late for the queue's job: released whole, it prints (the cancel did not
// reach it in time, or the run had ended meanwhile), and the status says so (with --wait,
// that it is still queued).
tKonec Nezrusena(const tZadani& z, std::ostream& chyby) {
    chyby << "Úlohu se nepodařilo zrušit; vytiskne se.\n" << std::flush;
    return z.Cekat ? KonecCeka : KonecOk;
}

tKonec Tiskni(const tBeh& beh, const tZadani& z, const tSignalyKonce& zastaveni,
              std::ostream& vystup, std::ostream& chyby, const tVlozeniDavky& vlozeni) {
    std::optional<long long> vytisteno; // what the run reported as printed
    bool uloha = false;                 // the run opened a job
    int idUlohy = 0;                    // the CUPS job, once created
    // A signal cuts the job's calls off while it ends, as Storno does in the window; the
    // watched folder keeps its own stop.
    const bool signalRusi = !vlozeni.Pokracovat;
    tOdriznuti odriznuti;
    tSluzbyTisku sluzby;
    sluzby.VytvorUlohu = [&](const std::string& nazev,
                             const std::string& tiskarna) -> std::unique_ptr<tTiskovaUloha> {
        if (zastaveni.Prisel())
            throw tZastaveno{}; // the signal came before the job: no job at all
        uloha = true;
        // The labels are made while the bytes before them travel.
        if (z.Vystup)
            return std::make_unique<tUlohaNaPozadi>(std::make_unique<tSouborovaUloha>(
                *z.Vystup, [&zastaveni] { return !zastaveni.Prisel(); }));
        auto tisk = std::make_unique<tRawPrinter>(
            nazev, tiskarna, signalRusi ? &odriznuti : nullptr, vlozeni.Znacka);
        idUlohy = tisk->Uloha();
        if (vlozeni.UlohaVytvorena)
            vlozeni.UlohaVytvorena(*tisk); // on an error the job goes before its first byte
        if (!signalRusi)
            return std::make_unique<tUlohaNaPozadi>(std::move(tisk));
        return std::make_unique<tUlohaNaPozadi>(
            std::move(tisk), [&zastaveni] { return !zastaveni.Prisel(); }, odriznuti);
    };
    sluzby.UkazDokonceni = [&](long long pocet) {
        vytisteno = pocet;
        if (vlozeni.Vytisteno)
            vlozeni.Vytisteno(pocet);
    };
    // A signal cancels the job: nothing of it prints, the temporary file goes.
    sluzby.Pokrok = [&](long long, long long) {
        return !zastaveni.Prisel() && (!vlozeni.Pokracovat || vlozeni.Pokracovat());
    };
    std::ostream& pocet = ProPocet(z, vystup, chyby);
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
    if (signalRusi && zastaveni.Prisel() && idUlohy != 0 && !chyba && vytisteno.value_or(0) > 0)
        return Nezrusena(z, chyby);
    if (zastaveni.Prisel()) {
        chyby << "Zastaveno signálem " << NazevSignalu(zastaveni.Signal()) << '\n' << std::flush;
        return KonecSignal;
    }
    if (!chyba && !uloha && (z.Vystup || z.Cekat)) {
        // Nothing was sent: no job to wait for, and "printed" would be a lie; a script that
        // goes on with the file must not take an older job for this one.
        chyby << "Nic k tisku: počet kopií je 0, nebo tabulka nemá žádný řádek";
        if (z.Vystup)
            chyby << "; soubor " << *z.Vystup << " se nezměnil";
        chyby << '\n' << std::flush;
        return KonecNic;
    }
    if (konec == KonecOk && z.Cekat && idUlohy != 0 && vytisteno.value_or(0) > 0)
        konec = PockejNaUlohu(idUlohy, *z.Cekat, zastaveni, chyby);
    return konec;
}

// The preview window's text, made by the same run into the preview's job.
tKonec Nahled(const tBeh& beh, std::ostream& vystup, std::ostream& chyby) {
    // The preview shows a template error as part of the text; a table file that cannot be
    // read is no such error.
    // A table's labels past those shown are counted from its rows, as in the window, so
    // that any count takes the time of its rows.
    tNahled nahled;
    try {
        nahled = beh.radky ? ZachytNahled(beh.popis, beh.kopii, *beh.radky)
                           : ZachytNahled(beh.popis, [&](const tSluzbyTisku& s) { beh(s); });
    } catch (const eSouborTabulky&) {
        chyby << TextChybyUtf8(std::current_exception()) << '\n' << std::flush;
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
    // First of all: a signal while the table is recognised or standard input copied stops
    // the run as one while it prints does.
    const tSignalyKonce zastaveni(tSignalyKonce::tDalsi::Ukoncit);
    tBeh beh;
    try {
        beh = Priprav(z, cestaNastaveni, vlozeni, [&zastaveni] { return !zastaveni.Prisel(); });
    } catch (...) {
        if (zastaveni.Prisel())
            return Zastaveno(zastaveni, ProPocet(z, vystup, chyby), chyby);
        chyby << TextChybyUtf8(std::current_exception()) << '\n' << std::flush;
        return KonecSoubor;
    }
    if (zastaveni.Prisel())
        return Zastaveno(zastaveni, ProPocet(z, vystup, chyby), chyby);
    if (beh.radky && z.Podrobne)
        chyby << beh.radky->Druh().Popis << '\n';
    if (beh.radky) // a guess that was close: what the user may want to give instead
        for (const std::string& upozorneni : beh.radky->Druh().Upozorneni)
            chyby << upozorneni << '\n';
    if (const size_t n = beh.radky ? beh.radky->Druh().Nepresnych : z.Nepresnych; n > 0)
        chyby << "Upozornění: znaků bez přesné podoby ve Windows-1250: " << n
              << "; tisknou se jako nejbližší znak, nebo „?“\n";
    chyby << std::flush;
    return z.Nahled ? Nahled(beh, vystup, chyby)
                    : Tiskni(beh, z, zastaveni, vystup, chyby, vlozeni);
}
