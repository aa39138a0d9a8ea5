#include "davka/ZaboryHlidace.h"

#include "core/Chyba.h"
#include "core/Soubory.h"
#include "davka/Slozka.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const std::string Zamek = "zamek", Novy = ".novy-";

} // namespace

bool Bere(const std::string& nazev) {
    return !nazev.empty() && nazev[0] != '.' && !nazev.ends_with(".tmp") &&
           !nazev.ends_with(".part");
}

tZaboryHlidace::tZaboryHlidace(const std::string& slozka) {
    // The folder the user names may be a link to it (it is the user's own word); what is
    // inside is then reached only through the folder held open.
    slozka_ = tDeskriptor(::open(slozka.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!slozka_.Otevreny())
        throw eChyba("Složku " + slozka + " nelze otevřít (" + std::to_string(errno) + ")");
    hotovo_ = VytvorSlozku(slozka_.Fd(), Hotovo, 0755);
    chyby_ = VytvorSlozku(slozka_.Fd(), Chyby, 0755);
    pracovni_ = VytvorSlozku(slozka_.Fd(), Pracovni, 0700);

    // Our folder is made under a name that no other watcher takes over, locked, and only
    // then given its real name: a watcher that sees it can never find it unlocked while we
    // live. The kernel drops the lock when we die, however we die.
    const std::string nazev = NahodneJmeno();
    const std::string docasny = Novy + nazev;
    moje_ = VytvorSlozku(pracovni_.Fd(), docasny, 0700);
    zamek_ = tDeskriptor(::openat(moje_.Fd(), Zamek.c_str(),
                                  O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!zamek_.Otevreny() || ::flock(zamek_.Fd(), LOCK_EX | LOCK_NB) != 0 ||
        ::renameat(pracovni_.Fd(), docasny.c_str(), pracovni_.Fd(), nazev.c_str()) != 0)
        throw eChyba("Pracovní složku hlídače nelze připravit (" + std::to_string(errno) + ")");
    jmeno_ = nazev;
}

std::string tZaboryHlidace::DalsiZabor() {
    char cislo[32];
    std::snprintf(cislo, sizeof cislo, "%08lld", ++poradi_);
    return cislo;
}

// A watcher's lock can be taken only when it no longer runs.
std::set<std::string>
tZaboryHlidace::Prevezmi(const std::function<void(tPrevzaty&&)>& prevzat,
                         const std::function<void(const std::string&)>& selhani) {
    std::set<std::string> prevzate;
    for (const std::string& jmeno : Polozky(pracovni_.Fd())) {
        // A folder still under its new name belongs to a watcher starting up: it holds no
        // claim yet, and its lock may not be taken yet.
        if (jmeno == jmeno_ || jmeno.starts_with(Novy))
            continue;
        const tDeskriptor cizi = OtevriSlozku(pracovni_.Fd(), jmeno);
        if (!cizi.Otevreny())
            continue;
        const tDeskriptor zamek(
            ::openat(cizi.Fd(), Zamek.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC));
        if (!zamek.Otevreny() || ::flock(zamek.Fd(), LOCK_EX | LOCK_NB) != 0)
            continue; // not set up yet, or its watcher runs
        try {
            std::vector<std::string> zabory = Polozky(cizi.Fd());
            std::sort(zabory.begin(), zabory.end());
            for (const std::string& z : zabory) {
                if (z == Zamek)
                    continue;
                const std::string cislo = DalsiZabor();
                if (::renameat(cizi.Fd(), z.c_str(), moje_.Fd(), cislo.c_str()) != 0)
                    continue;
                if (auto p = NactiZabor(cislo))
                    prevzat(std::move(*p));
            }
            Synchronizuj(moje_.Fd());
        } catch (const eChyba& e) {
            selhani(TextChyby(e.what())); // what stays there is taken over at the next look
            continue;
        }
        ::unlinkat(cizi.Fd(), Zamek.c_str(), 0);
        ::unlinkat(pracovni_.Fd(), jmeno.c_str(), AT_REMOVEDIR);
        prevzate.insert(jmeno);
    }
    return prevzate;
}

std::optional<tPrevzaty> tZaboryHlidace::NactiZabor(const std::string& nazev) {
    tPrevzaty p;
    tZaber& z = p.zaber;
    z.slozka = nazev;
    z.fd = OtevriSlozku(moje_.Fd(), nazev);
    if (!z.fd.Otevreny())
        return std::nullopt;
    for (const std::string& n : Polozky(z.fd.Fd())) {
        if (Bere(n))
            z.nazev = n;
        else if (n.ends_with(".tmp"))
            ::unlinkat(z.fd.Fd(), n.c_str(), 0); // a journal never renamed into place
    }
    if (z.nazev.empty()) {
        // The file had reached hotovo/ or chyby/ when its watcher stopped.
        Uvolni(z);
        return std::nullopt;
    }
    try {
        p.denik = CtiDenik(z.fd.Fd());
    } catch (const eChyba& e) {
        // No crash leaves a journal half written; what is unreadable here may have printed.
        p.chyba = TextChyby(e.what());
    }
    return p;
}

// rename() is atomic: of two watchers on one folder, one gets the file.
std::optional<tZaber> tZaboryHlidace::Zaber(const std::string& nazev, int& kod) {
    tZaber z;
    z.slozka = DalsiZabor();
    z.nazev = nazev;
    z.fd = VytvorSlozku(moje_.Fd(), z.slozka, 0700);
    if (::renameat(slozka_.Fd(), nazev.c_str(), z.fd.Fd(), nazev.c_str()) != 0) {
        kod = errno;
        z.fd.Zavri();
        ::unlinkat(moje_.Fd(), z.slozka.c_str(), AT_REMOVEDIR);
        return std::nullopt;
    }
    // Once on the disk, the file cannot come back into the folder after a power cut.
    Synchronizuj(slozka_.Fd());
    return z;
}

std::string tZaboryHlidace::Presun(const tZaber& z, bool hotovo) {
    return PresunBezPrepsani(z.fd.Fd(), z.nazev, hotovo ? hotovo_.Fd() : chyby_.Fd(), z.nazev);
}

void tZaboryHlidace::ZapisChybu(const tZaber& z, const std::string& cil, const std::string& text) {
    // Written under a short name of this watcher's own, then given the file's name with the
    // suffix, cut to fit the length limit when the file's name is long.
    const std::string docasny = "." + jmeno_ + "." + z.slozka + ".chyba";
    ZapisCely(chyby_.Fd(), docasny, text, 0644);
    const std::string pripona = ".chyba.txt";
    PresunBezPrepsani(chyby_.Fd(), docasny, chyby_.Fd(),
                      Zkraceny(cil, NAME_MAX - pripona.size()) + pripona);
    // A failure may not show in the server's history, so chyby/ is flushed. (A move to
    // hotovo/ lost in a power cut leaves the file claimed with its journal, and the
    // history moves it again.)
    Synchronizuj(chyby_.Fd());
}

void tZaboryHlidace::Uvolni(tZaber& z) {
    // The journal goes last: a claim folder without its file is a finished one.
    SmazDenik(z.fd.Fd());
    z.fd.Zavri();
    ::unlinkat(moje_.Fd(), z.slozka.c_str(), AT_REMOVEDIR);
}

void tZaboryHlidace::OverPracovni() const {
    struct stat st {};
    if (::fstat(moje_.Fd(), &st) != 0 || st.st_nlink == 0)
        throw eChyba("Pracovní složka hlídače " + Pracovni + "/" + jmeno_ + " zmizela");
}
