#include "davka/Slozka.h"

#include "core/Chyba.h"
#include "core/PriKonci.h"
#include "core/Soubory.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// "Soubor X nelze zapsat: No space left on device (28)"
[[noreturn]] void Chyba(const char* co, const std::string& nazev, int kod) {
    throw eMistniZapis(std::string(co) + " " + nazev + ": " + std::strerror(kod) + " (" +
                       std::to_string(kod) + ")");
}

// "export.txt" numbered n: "export.n.txt"; a name without an extension gets ".n" at its end.
// A name near the length limit loses the end of its stem to make room for the number, cut
// before a UTF-8 character, not inside one.
std::string SCislem(const std::string& nazev, int n) {
    const size_t tecka = nazev.rfind('.');
    const size_t konec = tecka == std::string::npos || tecka == 0 ? nazev.size() : tecka;
    const std::string cislo = "." + std::to_string(n), pripona = nazev.substr(konec);
    const size_t misto = cislo.size() + pripona.size();
    return Zkraceny(nazev.substr(0, konec), NAME_MAX > misto ? NAME_MAX - misto : 0) + cislo +
           pripona;
}

} // namespace

tDeskriptor OtevriSlozku(int kde, const std::string& nazev) {
    return tDeskriptor(
        ::openat(kde, nazev.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

tDeskriptor VytvorSlozku(int kde, const std::string& nazev, mode_t prava) {
    if (::mkdirat(kde, nazev.c_str(), prava) != 0 && errno != EEXIST)
        Chyba("Složku", nazev + " nelze vytvořit", errno);
    tDeskriptor slozka = OtevriSlozku(kde, nazev);
    if (!slozka.Otevreny())
        Chyba("Složku", nazev + " nelze otevřít", errno);
    return slozka;
}

std::vector<std::string> Polozky(int slozka) {
    std::vector<std::string> nazvy;
    // fdopendir takes the descriptor over; a copy keeps ours open.
    const int kopie = ::openat(slozka, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* d = kopie >= 0 ? ::fdopendir(kopie) : nullptr;
    if (d == nullptr) {
        if (kopie >= 0)
            ::close(kopie);
        Chyba("Složku", "nelze přečíst", errno);
    }
    while (const dirent* p = ::readdir(d)) {
        const std::string nazev = p->d_name;
        if (nazev != "." && nazev != "..")
            nazvy.push_back(nazev);
    }
    ::closedir(d);
    return nazvy;
}

void Synchronizuj(int slozka) {
    if (::fsync(slozka) != 0 && errno != EINVAL) // EINVAL: a file system without it
        Chyba("Složku", "nelze uložit na disk", errno);
}

void ZapisCely(int slozka, const std::string& nazev, std::string_view obsah, mode_t prava) {
    std::string docasny;
    tDeskriptor soubor = VytvorDocasny(slozka, "." + nazev, prava, docasny);
    if (!soubor.Otevreny())
        Chyba("Soubor", docasny + " nelze vytvořit", errno);
    bool prejmenovano = false;
    const tPriKonci uklid([&] {
        if (!prejmenovano)
            ::unlinkat(slozka, docasny.c_str(), 0);
    });
    if (const int kod = ZapisVse(soubor.Fd(), obsah); kod != 0)
        Chyba("Soubor", nazev + " nelze zapsat", kod);
    if (::fsync(soubor.Fd()) != 0 || !soubor.Zavri())
        Chyba("Soubor", nazev + " nelze zapsat", errno);
    if (::renameat(slozka, docasny.c_str(), slozka, nazev.c_str()) != 0)
        Chyba("Soubor", nazev + " nelze zapsat", errno);
    prejmenovano = true;
    Synchronizuj(slozka);
}

std::string PresunBezPrepsani(int z, const std::string& nazev, int kam, const std::string& cil) {
    for (int n = 1;; ++n) {
        std::string jmeno = n == 1 ? cil : SCislem(cil, n);
        if (::renameat2(z, nazev.c_str(), kam, jmeno.c_str(), RENAME_NOREPLACE) == 0)
            return jmeno;
        if (errno == EEXIST && n < 100000)
            continue;
        if (errno != EINVAL && errno != ENOSYS)
            Chyba("Soubor", nazev + " nelze přesunout", errno);
        // A file system without the flag (a network share): a hard link refuses a name in
        // use just as well, then the old name goes.
        if (::linkat(z, nazev.c_str(), kam, jmeno.c_str(), 0) == 0) {
            ::unlinkat(z, nazev.c_str(), 0);
            return jmeno;
        }
        if (errno != EEXIST)
            Chyba("Soubor", nazev + " nelze přesunout", errno);
    }
}
