#include "davka/Denik.h"

#include "core/CeleCislo.h"
#include "core/Chyba.h"
#include "core/Deskriptor.h"
#include "core/Soubory.h"
#include "davka/Slozka.h"

#include <cerrno>
#include <climits>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Starts with a dot: the watcher never takes such a name as a table file, so it cannot
// meet a claimed file's own name.
const std::string NazevDeniku = ".uloha";

[[noreturn]] void Chyba(const char* co, int kod) {
    throw eChyba(std::string("Deník úlohy nelze ") + co + " (" + std::to_string(kod) + ")");
}

// Lines: the job id, its uuid, "potvrzeno" once the document is confirmed whole.
const std::string Potvrzeno = "potvrzeno";

} // namespace

void ZapisDenik(int zabor, const tDenik& d) {
    ZapisCely(zabor, NazevDeniku,
              std::to_string(d.Uloha) + "\n" + d.Uuid + "\n" +
                  (d.Potvrzen ? Potvrzeno + "\n" : ""));
}

std::optional<tDenik> CtiDenik(int zabor) {
    const tDeskriptor soubor(
        ::openat(zabor, NazevDeniku.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!soubor.Otevreny()) {
        if (errno == ENOENT)
            return std::nullopt;
        Chyba("přečíst", errno);
    }
    std::string text;
    if (const int kod = PrectiDoNuly(soubor.Fd(), text); kod != 0)
        Chyba("přečíst", kod);
    if (text.size() > 512 || !text.ends_with('\n'))
        Chyba("přečíst", EINVAL);
    std::vector<std::string> radky;
    for (size_t od = 0; od < text.size();) {
        const size_t konec = text.find('\n', od);
        radky.push_back(text.substr(od, konec - od));
        od = konec + 1;
    }
    const auto cislo = ZkusTextNaCislo(radky[0]);
    if (!cislo || *cislo <= 0 || *cislo > INT_MAX || radky.size() > 3 ||
        (radky.size() == 3 && radky[2] != Potvrzeno))
        Chyba("přečíst", EINVAL);
    tDenik d;
    d.Uloha = static_cast<int>(*cislo);
    d.Uuid = radky.size() > 1 ? radky[1] : std::string();
    d.Potvrzen = radky.size() == 3;
    return d;
}

void SmazDenik(int zabor) {
    // Not flushed to the disk: a journal that comes back after a power cut names a job that
    // has ended, or one without its document, and is resolved the same way again.
    if (::unlinkat(zabor, NazevDeniku.c_str(), 0) != 0 && errno != ENOENT)
        Chyba("smazat", errno);
}
