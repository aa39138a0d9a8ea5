#include "davka/Denik.h"

#include "core/CeleCislo.h"
#include "core/Chyba.h"
#include "core/Deskriptor.h"
#include "core/Win1250.h"
#include "davka/Slozka.h"

#include <cerrno>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Starts with a dot: the watcher never takes such a name as a table file, so it cannot
// meet a claimed file's own name.
const std::string NazevDeniku = ".uloha";

[[noreturn]] void Chyba(const char* co, int kod) {
    throw eChyba(
        Utf8NaWin1250(std::string("Deník úlohy nelze ") + co + " (" + std::to_string(kod) + ")"));
}

} // namespace

void ZapisDenik(int zabor, int uloha) {
    ZapisCely(zabor, NazevDeniku, std::to_string(uloha) + "\n");
}

std::optional<int> CtiDenik(int zabor) {
    const tDeskriptor soubor(
        ::openat(zabor, NazevDeniku.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!soubor.Otevreny()) {
        if (errno == ENOENT)
            return std::nullopt;
        Chyba("přečíst", errno);
    }
    char text[32];
    const ssize_t delka = ::read(soubor.Fd(), text, sizeof text);
    if (delka <= 1 || text[delka - 1] != '\n')
        Chyba("přečíst", delka < 0 ? errno : EINVAL);
    const auto cislo = ZkusTextNaCislo(std::string(text, static_cast<size_t>(delka - 1)));
    if (!cislo || *cislo <= 0)
        Chyba("přečíst", EINVAL);
    return static_cast<int>(*cislo);
}

void SmazDenik(int zabor) {
    // Not flushed to the disk: a journal that comes back after a power cut names a job that
    // has ended, or one without its document, and is resolved the same way again.
    if (::unlinkat(zabor, NazevDeniku.c_str(), 0) != 0 && errno != ENOENT)
        Chyba("smazat", errno);
}
