#include "davka/Hlidac.h"

#include "core/Chyba.h"
#include "core/Soubory.h"
#include "davka/Denik.h"
#include "davka/OsudZaboru.h"
#include "davka/Slozka.h"
#include "davka/ZaboryHlidace.h"
#include "davka/ZdrojUdalosti.h"
#include "output/ChybaTiskarny.h"
#include "output/OvereniFronty.h"
#include "output/OznaceneUlohy.h"
#include "output/RadkySouboru.h"
#include "output/RawPrinter.h"
#include "output/SpravaUloh.h"
#include "output/StavUlohy.h"
#include "output/Tiskarny.h"

#include <systemd/sd-daemon.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <deque>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <sstream>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using tHodiny = tZdrojUdalosti::tHodiny;
using namespace std::chrono_literals;

const std::string &Hotovo = tZaboryHlidace::Hotovo, &Chyby = tZaboryHlidace::Chyby;
// Jobs handed to the server and not yet ended: enough to keep the queue busy while the
// watcher learns that the first has ended, few enough that a stopped printer keeps the rest
// waiting in the folder, in order.
constexpr size_t NejvicUloh = 64;
// A job is asked about soon after it is sent, then less and less often: the first in line
// at least every 200 ms (the queue prints in order, so it is the one that ends next), the
// others every 2 s. A job that has waited 3 s makes the printer's message worth a log line.
constexpr std::chrono::milliseconds PrvniDotaz = 10ms, DotazPrvni = 200ms, NejdelsiDotaz = 2s,
                                    DlouhoCeka = 3s, PrvniPauza = 1s, NejdelsiPauza = 30s;

// The next try of something that failed again: each waits twice as long as the one before
// (krok), from a second up to half a minute.
tHodiny::time_point Znovu(tHodiny::duration& krok) {
    krok = std::clamp<tHodiny::duration>(2 * krok, PrvniPauza, NejdelsiPauza);
    return tHodiny::now() + krok;
}

// The print server's error that ended a run; none for any other.
std::optional<eRawPrinter> ChybaTisku(const std::exception_ptr& selhani) {
    try {
        if (selhani)
            std::rethrow_exception(selhani);
    } catch (const eRawPrinter& e) {
        return e;
    } catch (...) {
    }
    return std::nullopt;
}

// A file name as the log shows it: control characters would break the line.
std::string Vypis(const std::string& nazev) {
    std::string s = nazev;
    for (char& z : s)
        if (static_cast<unsigned char>(z) < 0x20 || z == 0x7F)
            z = '?';
    return s;
}

// How a claim is to end, kept while its moves fail.
struct tUzavreni {
    bool hotovo = false;
    std::string chyba;
    std::optional<tUloha> u;
    std::string cil; // the name it got in hotovo/ or chyby/; empty: not moved yet
};

// A claim as the watcher follows it.
struct tZabor : tZaber {
    explicit tZabor(tZaber&& z) : tZaber(std::move(z)) {}
    std::optional<tDenik> denik; // what the journal says; none: no job recorded
    long long etiket = -1;       // labels of the run; -1: not known (taken over after a crash)
    tHodiny::time_point dotaz{}; // the next question about the job
    tHodiny::duration krok = PrvniDotaz;
    tHodiny::time_point od = tHodiny::now(); // followed since
    std::optional<tUzavreni> uzavrit;        // to be ended so, once the moves succeed
    tHodiny::time_point uzavritOd{};
    tHodiny::duration krokUzavreni{};
};

struct tKandidat {
    off_t velikost = -1;
    timespec zmena{};
    tHodiny::time_point od{}; // since when size and time have stayed as they are
    bool cely = false;        // complete: waits to be claimed
};

class tHlidac {
public:
    tHlidac(const tZadani& z, const std::string& nastaveni, std::ostream& zaznam)
        : zadani_(z), nastaveni_(nastaveni), zaznam_(zaznam), usazeni_(z.Usazeni * 1s) {}

    tKonec Bez();

private:
    void Priprav();
    void Zapis(const std::string& nazev, std::optional<int> uloha, long long etiket,
               const std::string& stav);
    void Zapis(const tZabor& z, const std::string& stav) {
        Zapis(z.nazev, z.denik ? std::optional(z.denik->Uloha) : std::nullopt, z.etiket, stav);
    }
    bool Signal();
    void Prisel(const std::string& nazev, bool prejmenovan);
    void Prohledej();
    void Dozrale();
    void Prevezmi();
    void ZrusOpustene();
    void Prevzat(tPrevzaty&& p);
    bool Zaber();
    void Pracuj();
    void Tiskni(tZabor& z);
    void Sleduj(tZabor& z, bool prvni);
    void Uzavri(tZabor& z, bool hotovo, const std::string& chyba, const std::optional<tUloha>& u);
    void Server(const std::string& potiz);
    void Odloz();
    void Fronta(const tUloha& u, bool vazne);
    void Potiz(std::string& posledni, const std::string& potiz, const std::string& co);
    bool MuzeOdeslat() const;
    tHodiny::time_point Cekani() const;

    const tZadani& zadani_;
    const std::string& nastaveni_;
    std::ostream& zaznam_;
    const tHodiny::duration usazeni_;
    bool konec_ = false;

    std::optional<tZaboryHlidace> zabor_;
    std::optional<tZdrojUdalosti> zdroj_;

    std::map<std::string, tKandidat> kandidati_;
    std::deque<std::string> pripravene_; // complete files, in the order they became so
    std::set<std::string> ponechane_;    // entries left alone (logged once)
    std::deque<tZabor> zabory_;          // claimed, in claim order
    std::set<std::string> opustene_;     // watchers taken over whose lost jobs may remain
    tHodiny::time_point pauzaDo_{};
    tHodiny::duration pauza_{};
    std::string potizServeru_, potizFronty_, potizTisku_, potizZapisu_;
    bool frontaStoji_ = false;
};

void tHlidac::Zapis(const std::string& nazev, std::optional<int> uloha, long long etiket,
                    const std::string& stav) {
    const std::time_t ted = std::time(nullptr);
    std::tm tm{};
    ::localtime_r(&ted, &tm);
    char cas[32];
    std::strftime(cas, sizeof cas, "%Y-%m-%d %H:%M:%S", &tm);
    zaznam_ << cas << ' ' << (nazev.empty() ? "-" : Vypis(nazev)) << " úloha "
            << (uloha ? std::to_string(*uloha) : "-") << ", etiket "
            << (etiket >= 0 ? std::to_string(etiket) : "-") << ": " << stav << '\n'
            << std::flush;
}

void tHlidac::Priprav() {
    zabor_.emplace(*zadani_.Slozka);
    zdroj_.emplace(*zadani_.Slozka, usazeni_);
    Prevezmi();
    Prohledej();
}

bool tHlidac::Signal() {
    if (zdroj_->Signal())
        konec_ = true;
    return konec_;
}

void tHlidac::Prisel(const std::string& nazev, bool prejmenovan) {
    if (!Bere(nazev))
        return;
    struct stat st {};
    if (::fstatat(zabor_->Slozka(), nazev.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        kandidati_.erase(nazev);
        return;
    }
    if (!S_ISREG(st.st_mode)) {
        // Links, FIFOs, devices and folders are never opened: left where they are.
        kandidati_.erase(nazev);
        if (nazev != Hotovo && nazev != Chyby && ponechane_.insert(nazev).second)
            Zapis(nazev, {}, -1,
                  S_ISLNK(st.st_mode)   ? "ponechán: symbolický odkaz se netiskne"
                  : S_ISDIR(st.st_mode) ? "ponechán: složka se netiskne"
                                        : "ponechán: není obyčejný soubor");
        return;
    }
    auto [misto, novy] = kandidati_.try_emplace(nazev);
    tKandidat& k = misto->second;
    if (k.cely)
        return;
    if (prejmenovan) {
        // Renamed into the folder: its writer has finished it.
        k.cely = true;
        pripravene_.push_back(nazev);
        return;
    }
    if (novy || k.velikost != st.st_size || k.zmena.tv_sec != st.st_mtim.tv_sec ||
        k.zmena.tv_nsec != st.st_mtim.tv_nsec) {
        k.velikost = st.st_size;
        k.zmena = st.st_mtim;
        k.od = tHodiny::now();
    }
}

void tHlidac::Prohledej() {
    zdroj_->Prohledano();
    std::set<std::string> jsou;
    for (const std::string& nazev : Polozky(zabor_->Slozka())) {
        jsou.insert(nazev);
        Prisel(nazev, false);
    }
    std::erase_if(kandidati_, [&](const auto& k) { return !jsou.contains(k.first); });
    std::erase_if(ponechane_, [&](const std::string& n) { return !jsou.contains(n); });
    Prevezmi();
}

void tHlidac::Dozrale() {
    const auto ted = tHodiny::now();
    std::vector<std::pair<std::string, tHodiny::time_point>> zrale;
    for (const auto& [nazev, k] : kandidati_)
        if (!k.cely && ted - k.od >= usazeni_)
            zrale.emplace_back(nazev, k.od);
    for (const auto& [nazev, od] : zrale) {
        Prisel(nazev, false);
        const auto misto = kandidati_.find(nazev);
        if (misto != kandidati_.end() && misto->second.od == od) {
            misto->second.cely = true; // unchanged for the whole settle time
            pripravene_.push_back(nazev);
        }
    }
}

// Claims left by watchers that have ended are taken over.
void tHlidac::Prevezmi() {
    opustene_.merge(zabor_->Prevezmi([this](tPrevzaty&& p) { Prevzat(std::move(p)); },
                                     [this](const std::string& chyba) {
                                         Zapis("", {}, -1,
                                               "převzetí po ukončeném hlídači: " + chyba);
                                     }));
    if (!opustene_.empty())
        ZrusOpustene();
}

// A watcher killed between its job's creation and the journal's write leaves the job held
// for ever: nothing names it. Such jobs of the watchers taken over (the mark is their folder's
// name) are cancelled once all their claims are ours. A job a journal names is left to
// OsudZaboru, and another program's job has no such mark. A held job was never released, so
// nothing of it has printed.
void tHlidac::ZrusOpustene() {
    std::set<int> jmenovane;
    for (const tZabor& z : zabory_)
        if (z.denik)
            jmenovane.insert(z.denik->Uloha);
    try {
        for (const tOznacenaUloha& u : DrzeneOznaceneUlohy()) {
            if (!opustene_.contains(u.Znacka) || jmenovane.contains(u.Id))
                continue;
            try {
                ZrusUlohu(u.Id);
                Zapis("", u.Id, -1,
                      "zrušena úloha ukončeného hlídače, kterou nejmenuje žádný deník");
            } catch (const eRawPrinter&) {
                // It ended meanwhile, or its user took it back.
            }
        }
        opustene_.clear();
    } catch (const eChyba& e) {
        Server(TextChyby(e.what())); // asked again at the next look at the folder
    }
}

void tHlidac::Prevzat(tPrevzaty&& p) {
    tZabor z(std::move(p.zaber));
    if (!p.chyba.empty()) {
        zabory_.push_back(std::move(z));
        return Uzavri(zabory_.back(), false, p.chyba, {});
    }
    z.denik = p.denik;
    Zapis(z, z.denik ? "převzat po ukončeném hlídači, úloha se dohledá"
                     : "převzat po ukončeném hlídači, neodeslán");
    z.dotaz = tHodiny::now();
    zabory_.push_back(std::move(z));
}

// The oldest complete file moves into a claim folder of ours. rename() is atomic: of two
// watchers on one folder, one gets the file and the other finds it gone.
bool tHlidac::Zaber() {
    while (!pripravene_.empty()) {
        const std::string nazev = pripravene_.front();
        pripravene_.pop_front();
        const auto k = kandidati_.find(nazev);
        if (k == kandidati_.end() || !k->second.cely)
            continue;
        kandidati_.erase(k);
        int kod = 0;
        std::optional<tZaber> z = zabor_->Zaber(nazev, kod);
        if (!z) {
            Zapis(nazev, {}, -1,
                  kod == ENOENT ? "přeskočen: zmizel (vzal si ho jiný hlídač?)"
                                : "přeskočen: nelze převzít (" + std::to_string(kod) + ")");
            continue;
        }
        zabory_.emplace_back(std::move(*z));
        return true;
    }
    return false;
}

void tHlidac::Potiz(std::string& posledni, const std::string& potiz, const std::string& co) {
    if (potiz == posledni)
        return;
    Zapis("", {}, -1, co + (potiz.empty() ? " opět v pořádku" : ": " + potiz));
    sd_notifyf(0, "STATUS=%s", (co + (potiz.empty() ? " v pořádku" : ": " + potiz)).c_str());
    posledni = potiz;
}

// The print server could not be reached (potiz) or answered again (""): the next try waits
// longer each time, up to half a minute.
void tHlidac::Server(const std::string& potiz) {
    Potiz(potizServeru_, potiz, "tiskový server");
    if (potiz.empty()) {
        pauza_ = {};
        return;
    }
    Odloz();
}

void tHlidac::Odloz() {
    pauzaDo_ = Znovu(pauza_);
}

// The queue's trouble, one log line each time it changes. The printer's message counts only
// once a job has waited a while (vazne): while jobs flow it changes with every job.
void tHlidac::Fronta(const tUloha& u, bool vazne) {
    std::string potiz;
    auto pridej = [&](const std::string& s) { potiz += (potiz.empty() ? "" : ", ") + s; };
    if (u.StavFronty == tStavFronty::Zastavena)
        pridej("zastavena");
    if (!u.PrijimaFronta)
        pridej("odmítá úlohy");
    for (const std::string& d : u.DuvodyFronty)
        // cups-waiting-for-job-completed comes and goes with every job that ends.
        if (d != "none" && !d.ends_with("-report") && d != "cups-waiting-for-job-completed")
            pridej(d);
    if ((vazne || !potiz.empty()) && !u.ZpravaFronty.empty())
        pridej(u.ZpravaFronty);
    Potiz(potizFronty_, potiz, "fronta " + u.Fronta);
    frontaStoji_ = u.StavFronty == tStavFronty::Zastavena || !u.PrijimaFronta;
}

void tHlidac::Uzavri(tZabor& z, bool hotovo, const std::string& chyba,
                     const std::optional<tUloha>& u) {
    try {
        if (!z.uzavrit || z.uzavrit->cil.empty())
            z.uzavrit = tUzavreni{hotovo, chyba, u, zabor_->Presun(z, hotovo)};
        const std::string& cil = z.uzavrit->cil;
        if (!hotovo) {
            std::string text = chyba + "\n";
            text += "Úloha: " + (z.denik ? std::to_string(z.denik->Uloha) : std::string("žádná")) +
                    "\n";
            if (u) {
                text += std::string("Stav úlohy: ") + NazevStavu(u->Stav) + "\n";
                text += "Zpráva tiskárny: " + u->ZpravaTiskarny + "\n";
            }
            zabor_->ZapisChybu(z, cil, text);
        }
        Zapis(z, hotovo ? std::string(z.denik ? "vytištěno, " : "nic k tisku, ") + Hotovo + "/" +
                              Vypis(cil)
                        : "chyba, " + Chyby + "/" + Vypis(cil) + ": " + chyba);
        zabor_->Uvolni(z);
    } catch (const eChyba& e) {
        // Tried again with a growing pause (a folder not writable for a while), with the
        // same outcome: the claim stays, and nothing about its job is asked again.
        if (!z.uzavrit)
            z.uzavrit = tUzavreni{hotovo, chyba, u, ""};
        z.uzavritOd = Znovu(z.krokUzavreni);
        Zapis(z, "nelze uzavřít: " + TextChyby(e.what()) + ", zkusí se znovu");
        return;
    }
    const auto misto = std::find_if(zabory_.begin(), zabory_.end(),
                                    [&](const tZabor& x) { return x.slozka == z.slozka; });
    if (misto != zabory_.end())
        zabory_.erase(misto);
}

// What becomes of a file whose job is recorded: OsudZaboru decides, this does it.
void tHlidac::Sleduj(tZabor& z, bool prvni) {
    const int id = z.denik->Uloha;
    for (;;) {
        tOdpovedServeru odpoved;
        odpoved.Uloha = ZjistiUlohu(id); // raises while the server cannot be reached
        Server("");
        if (odpoved.Uloha)
            Fronta(*odpoved.Uloha, tHodiny::now() - z.od >= DlouhoCeka);
        const tRozhodnuti r = OsudZaboru(z.denik, odpoved);
        switch (r.Osud) {
        case tOsud::Cekat: {
            z.dotaz = tHodiny::now() + z.krok;
            // A job that waits (a printer off, a stopped queue) is asked about less often.
            const bool ceka = frontaStoji_ || tHodiny::now() - z.od >= DlouhoCeka;
            z.krok = std::min<tHodiny::duration>(2 * z.krok,
                                                 prvni && !ceka ? DotazPrvni : NejdelsiDotaz);
            return;
        }
        case tOsud::Hotovo:
            return Uzavri(z, true, "", odpoved.Uloha);
        case tOsud::Chyba:
            return Uzavri(z, false, r.Duvod, odpoved.Uloha);
        case tOsud::Zrusit:
            try {
                ZrusUlohu(id);
            } catch (const eRawPrinter&) {
                // A job that ended meanwhile refuses the cancel; the next question says what
                // became of it, and raises itself when the server is out of reach.
            }
            continue;
        case tOsud::Odeslat:
            SmazDenik(z.fd.Fd());
            Zapis(z, r.Duvod + ", soubor se odešle znovu");
            z.denik.reset();
            z.etiket = -1;
            return;
        }
    }
}

void tHlidac::Tiskni(tZabor& z) {
    // Opened without following a link and without waiting on a FIFO, then checked: only a
    // regular file is read.
    tDeskriptor soubor(::openat(z.fd.Fd(), z.nazev.c_str(),
                                O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat st {};
    if (!soubor.Otevreny())
        return Uzavri(z, false,
                      errno == ELOOP ? "Soubor je symbolický odkaz, netiskne se"
                                     : TextChyby(ChybaOtevreni(z.nazev)),
                      {});
    if (::fstat(soubor.Fd(), &st) != 0 || !S_ISREG(st.st_mode))
        return Uzavri(z, false, "Soubor není obyčejný soubor, netiskne se", {});
    // A file with control bytes anywhere is no table: the reader refuses it in the run's
    // first pass, before any job exists, as it does for the window and the batch printer.

    tZadani zadani = zadani_;
    zadani.Soubor = z.nazev;
    bool radky = false, zastaveno = false;
    tVlozeniDavky vlozeni;
    vlozeni.Znacka = zabor_->Jmeno();
    vlozeni.Radky = [&]() -> std::unique_ptr<tRadkySouboru> {
        radky = true;
        return std::make_unique<tRadkySouboru>(std::move(soubor), z.nazev, zadani.Tabulka);
    };
    std::optional<std::string> mistni; // our own folder could not be written
    vlozeni.UlohaVytvorena = [&](const tRawPrinter& uloha) {
        // Recorded before the first byte: after any crash the server's history of this job
        // tells whether the file may be sent again. A journal that cannot be written
        // cancels the job before its first byte, and the file waits.
        try {
            ZapisDenik(z.fd.Fd(), {uloha.Uloha(), uloha.Uuid(), false});
        } catch (const eMistniZapis& e) {
            mistni = TextChyby(e.what());
            throw;
        }
        z.denik = tDenik{uloha.Uloha(), uloha.Uuid(), false};
    };
    vlozeni.Pokracovat = [&] {
        zastaveno = zastaveno || Signal();
        return !zastaveno;
    };
    vlozeni.Vytisteno = [&](long long pocet) { z.etiket = pocet; };
    std::exception_ptr selhani;
    vlozeni.Selhani = [&](const std::exception_ptr& e) { selhani = e; };
    std::ostringstream vystup, chyby;
    const tKonec konec = SpustDavku(zadani, nastaveni_, vystup, chyby, vlozeni);
    std::string chyba = chyby.str();
    while (!chyba.empty() && chyba.back() == '\n')
        chyba.pop_back();

    if (zastaveno) {
        // Cancelled before its document was whole: the journal stays, and the next start
        // finds the job without its document and sends the file again.
        Zapis(z, "zrušeno při ukončení, odešle se po dalším spuštění");
        return;
    }
    if (mistni)
        throw eMistniZapis(*mistni); // the file waits, claimed
    if (konec == KonecOk) {
        Server("");
        Potiz(potizTisku_, "", "nastavení");
        Potiz(potizZapisu_, "", "zápis do složky");
        // A table without rows, or rows without a label: nothing to print (an empty job is
        // cancelled by the run itself).
        if (!z.denik || z.etiket == 0) {
            z.etiket = 0;
            return Uzavri(z, true, "", {});
        }
        // The server has confirmed the whole document: from now on the job is followed to
        // its end and never sent again, whatever the server keeps of its files.
        ZapisDenik(z.fd.Fd(), {z.denik->Uloha, z.denik->Uuid, true});
        z.denik->Potvrzen = true;
        // A job behind others in the queue is asked about once they have ended; until then
        // the questions would only keep the server from printing.
        const bool zaJinymi = std::any_of(zabory_.begin(), zabory_.end(), [&](const tZabor& x) {
            return x.denik && x.slozka < z.slozka;
        });
        z.krok = zaJinymi ? tHodiny::duration(NejdelsiDotaz) : PrvniDotaz;
        z.dotaz = tHodiny::now() + z.krok;
        z.od = tHodiny::now();
        return Zapis(z, "odesláno");
    }
    if (konec == KonecTisk && z.denik) {
        // The job broke off in the middle: resolved as after a crash.
        z.dotaz = tHodiny::now();
        Zapis(z, "chyba tiskárny: " + chyba);
        return Server(chyba);
    }
    if (konec == KonecTisk) {
        // No job: a queue that does not exist is this file's failure; anything else (a
        // server that is down, a queue that refuses jobs) passes, and the file waits.
        const std::optional<eRawPrinter> tisk = ChybaTisku(selhani);
        if (tisk && FrontaNeexistuje(*tisk))
            return Uzavri(z, false, chyba, {});
        if (tisk && FrontaOdmita(*tisk)) {
            Potiz(potizFronty_, "odmítá úlohy", "fronta");
            return Odloz();
        }
        return Server(chyba);
    }
    if (konec == KonecSoubor && !radky) {
        // The settings file, not the table: the file waits until it can be read.
        Potiz(potizTisku_, chyba, "nastavení");
        return Odloz();
    }
    // The table or a template failed; the job, if there is one, was cancelled or ended with
    // the labels made before the failure.
    std::optional<tUloha> u;
    if (z.denik) {
        try {
            u = ZjistiUlohu(z.denik->Uloha);
        } catch (const eChyba&) {
            // Its state is only a detail of the report.
        }
    }
    Uzavri(z, false, chyba, u);
}

void tHlidac::Pracuj() {
    // Claims whose moves failed a while ago are tried again first.
    for (size_t i = 0; i < zabory_.size();) {
        tZabor& z = zabory_[i];
        const size_t pred = zabory_.size();
        if (z.uzavrit && tHodiny::now() >= z.uzavritOd) {
            const tUzavreni u = *z.uzavrit;
            Uzavri(z, u.hotovo, u.chyba, u.u);
        }
        if (zabory_.size() == pred)
            ++i; // else it ended, and the next one is at i now
    }
    // A file that has arrived goes out first; questions about jobs sent can wait.
    while (!konec_ && !Signal() && tHodiny::now() >= pauzaDo_) {
        if (!MuzeOdeslat())
            break;
        std::string nazev;
        try {
            auto dalsi = std::find_if(zabory_.begin(), zabory_.end(),
                                      [](const tZabor& z) { return !z.denik && !z.uzavrit; });
            if (dalsi == zabory_.end()) {
                if (!Zaber())
                    break;
                dalsi = std::prev(zabory_.end());
            }
            nazev = dalsi->nazev;
            Tiskni(*dalsi);
        } catch (const eMistniZapis& e) {
            // Our own folder could not be written (a full disk): nothing prints, the file
            // waits claimed and is tried again after the pause. A working folder removed
            // under us ends the watcher, so that its service starts it afresh.
            zabor_->OverPracovni();
            Potiz(potizZapisu_, TextChyby(e.what()), "zápis do složky");
            Odloz();
        } catch (const eChyba& e) {
            Zapis(nazev, {}, -1, "nelze odeslat: " + TextChyby(e.what()));
            Server(TextChyby(e.what()));
        }
    }
    bool prvni = true;
    for (size_t i = 0; i < zabory_.size() && !konec_;) {
        tZabor& z = zabory_[i];
        const std::string slozka = z.slozka;
        if (!z.denik || z.uzavrit || tHodiny::now() < z.dotaz || tHodiny::now() < pauzaDo_) {
            prvni = prvni && !z.denik;
            ++i;
            continue;
        }
        try {
            Sleduj(z, std::exchange(prvni, false));
        } catch (const eChyba& e) {
            Server(TextChyby(e.what()));
            break;
        }
        // The next job in line usually ends soon after the one before it.
        if (i < zabory_.size() && zabory_[i].slozka == slozka)
            ++i;
        else if (i < zabory_.size() && zabory_[i].denik)
            zabory_[i].dotaz = std::min(zabory_[i].dotaz, tHodiny::now());
    }
}

// Another job may be handed to the server: few enough in flight, and a queue that prints.
bool tHlidac::MuzeOdeslat() const {
    const auto vTisku = static_cast<size_t>(std::count_if(
        zabory_.begin(), zabory_.end(), [](const tZabor& z) { return z.denik.has_value(); }));
    return vTisku < NejvicUloh && !(frontaStoji_ && vTisku > 0);
}

// The time of the next task; the event source wakes earlier for an event or a look at the
// whole folder.
tHodiny::time_point tHlidac::Cekani() const {
    auto kdy = tHodiny::time_point::max();
    for (const auto& [nazev, k] : kandidati_)
        if (!k.cely)
            kdy = std::min(kdy, k.od + usazeni_);
    bool tisk = !pripravene_.empty();
    for (const tZabor& z : zabory_) {
        if (z.uzavrit)
            kdy = std::min(kdy, z.uzavritOd);
        else if (z.denik)
            kdy = std::min(kdy, std::max(z.dotaz, pauzaDo_));
        else
            tisk = true;
    }
    // A file that may not go yet (jobs enough in flight, a stopped queue) waits for the
    // next question about a job, not in a loop.
    if (tisk && MuzeOdeslat())
        kdy = std::min(kdy, pauzaDo_);
    return kdy;
}

tKonec tHlidac::Bez() {
    Priprav();
    sd_notify(0, "READY=1");
    Zapis("", {}, -1, "hlídá se složka " + Vypis(*zadani_.Slozka));
    while (!konec_) {
        Pracuj();
        if (konec_)
            break;
        if (!zdroj_->Cekej(Cekani()) || Signal())
            break;
        zdroj_->Udalosti(
            [this](const std::string& nazev, bool prejmenovan) { Prisel(nazev, prejmenovan); });
        if (zdroj_->Prohledat())
            Prohledej();
        Dozrale();
    }
    sd_notify(0, "STOPPING=1");
    Zapis("", {}, -1, "hlídání skončilo");
    return KonecOk;
}

} // namespace

tKonec SpustHlidace(const tZadani& z, const std::string& cestaNastaveni, std::ostream& zaznam) {
    tHlidac hlidac(z, cestaNastaveni, zaznam);
    try {
        return hlidac.Bez();
    } catch (const eChyba& e) {
        zaznam << TextChyby(e.what()) << '\n' << std::flush;
        return KonecSoubor;
    }
}
