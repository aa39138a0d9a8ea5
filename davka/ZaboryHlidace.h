#pragma once
// The watched folder as the watcher keeps it: hotovo/ and chyby/ beside the files that
// arrive, and a working folder with one folder per running watcher, holding its lock file
// and one claim folder per file it has taken (the file and its journal). Every move is a
// rename inside the folder held open, so that of two watchers one gets a file and the
// other finds it gone, and a crash leaves each file in one place whole.

#include "core/Deskriptor.h"
#include "davka/Denik.h"

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <sys/stat.h>

// A file the watcher has taken, in a claim folder of its own.
struct tZaber {
    std::string slozka; // the claim folder's name ("00000012"), in claim order
    tDeskriptor fd;     // the claim folder
    std::string nazev;  // the file's name as it arrived
};

// A claim taken over from a watcher that has ended.
struct tPrevzaty {
    tZaber zaber;
    std::optional<tDenik> denik; // none: no job was recorded
    std::string chyba;           // the journal cannot be read (UTF-8): the claim is at fault
};

// The names the watcher takes as table files: no hidden file, none still being written.
bool Bere(const std::string& nazev);

class tZaboryHlidace {
public:
    inline static const std::string Hotovo = "hotovo", Chyby = "chyby",
                                    Pracovni = ".oblepky-hlidac";

    // Opens slozka (the user's own word: it may be a link), makes hotovo/, chyby/ and the
    // working folder, and a locked folder of this watcher's own. Raises eChyba.
    explicit tZaboryHlidace(const std::string& slozka);

    int Slozka() const { return slozka_.Fd(); }
    // This watcher's folder's name, which also marks its jobs.
    const std::string& Jmeno() const { return jmeno_; }

    // The claims of every watcher that has ended move into ours, each claim folder whole,
    // in their claim order: prevzat gets each. A watcher whose claims cannot all be moved
    // is reported to selhani (UTF-8) and tried again at the next call. Returns the names of
    // the watchers wholly taken over.
    std::set<std::string> Prevezmi(const std::function<void(tPrevzaty&&)>& prevzat,
                                   const std::function<void(const std::string&)>& selhani);

    // The file nazev moved into a new claim folder, durably; none when it cannot be, with
    // kod the errno (ENOENT: another watcher took it).
    std::optional<tZaber> Zaber(const std::string& nazev, int& kod);

    // The claimed file moved to hotovo/ or chyby/ without replacing anything there; returns
    // the name it got. Raises eMistniZapis.
    std::string Presun(const tZaber& z, bool hotovo);
    // The error file of the file that got the name cil in chyby/, and chyby/ flushed.
    void ZapisChybu(const tZaber& z, const std::string& cil, const std::string& text);
    // The claim's journal and folder removed, once its file has left.
    void Uvolni(tZaber& z);

    // Raises eChyba when this watcher's folder is gone (removed under it): the watcher
    // ends, so that its service starts it afresh.
    void OverPracovni() const;

private:
    std::string DalsiZabor();
    // The claim folder nazev of ours read; none when it held no file any more.
    std::optional<tPrevzaty> NactiZabor(const std::string& nazev);

    tDeskriptor slozka_, hotovo_, chyby_, pracovni_, moje_, zamek_;
    std::string jmeno_;
    long long poradi_ = 0;
};
