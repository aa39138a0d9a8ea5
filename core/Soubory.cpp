#include "core/Soubory.h"

#include "core/Win1250.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <filesystem>
#include <random>
#include <string_view>
#include <system_error>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

// The temporary name's part taken from the target's name: short, so that the whole name
// stays within the file system's limit, and cut before a UTF-8 character, not inside one.
constexpr size_t DelkaZeJmena = 64;

std::string Slozka(const std::string& cesta) {
    const size_t lomitko = cesta.rfind('/');
    return lomitko == std::string::npos ? std::string() : cesta.substr(0, lomitko + 1);
}

} // namespace

std::string ChybaVytvoreni(const std::string& cesta) {
    return "Cannot create file " + cesta;
}

std::string ChybaOtevreni(const std::string& cesta) {
    return "Cannot open file " + cesta;
}

ssize_t PrectiKus(int fd, char* kam, size_t kolik) {
    for (;;) {
        const ssize_t precteno = ::read(fd, kam, kolik);
        if (precteno >= 0 || errno != EINTR)
            return precteno;
    }
}

ssize_t PrectiKusOd(int fd, void* kam, size_t kolik, off_t kde) {
    for (;;) {
        const ssize_t precteno = ::pread(fd, kam, kolik, kde);
        if (precteno >= 0 || errno != EINTR)
            return precteno;
    }
}

bool CekejNaCteni(int fd, int ms) {
    pollfd cteni{fd, POLLIN, 0};
    const int r = ::poll(&cteni, 1, ms);
    return r > 0 || (r < 0 && errno != EINTR); // another error: the read that follows says it
}

bool Cekej(std::span<pollfd> co, int ms) {
    return ::poll(co.data(), co.size(), ms) >= 0 || errno == EINTR;
}

int PrectiDoNuly(int fd, std::string& obsah) {
    std::array<char, 65536> blok;
    for (;;) {
        const ssize_t precteno = PrectiKus(fd, blok.data(), blok.size());
        if (precteno < 0)
            return errno;
        const auto konec = blok.begin() + precteno;
        const auto nula = std::find(blok.begin(), konec, '\0');
        obsah.append(blok.begin(), nula);
        if (precteno == 0 || nula != konec)
            return 0;
    }
}

int ZapisVse(int fd, std::string_view data, const tZapisDat& zapis, size_t* zapsano) {
    size_t hotovo = 0;
    int chyba = 0;
    while (hotovo < data.size()) {
        const size_t kus = std::min<size_t>(data.size() - hotovo, 65536);
        const char* od = data.data() + hotovo;
        const ssize_t r = zapis ? zapis(fd, od, kus) : ::write(fd, od, kus);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0) {
            chyba = r < 0 ? errno : EIO;
            break;
        }
        hotovo += static_cast<size_t>(r);
    }
    if (zapsano)
        *zapsano = hotovo;
    return chyba;
}

tDeskriptor OtevriObycejny(const std::string& cesta, int priznaky, struct stat& stav) {
    // Non-blocking, so that a FIFO in the file's place cannot hold the program for ever.
    tDeskriptor soubor(::open(cesta.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | priznaky));
    if (!soubor.Otevreny())
        return soubor;
    if (::fstat(soubor.Fd(), &stav) != 0)
        return tDeskriptor();
    if (!S_ISREG(stav.st_mode)) {
        errno = EINVAL;
        return tDeskriptor();
    }
    return soubor;
}

bool SynchronizujSlozku(const std::string& cesta) {
    const std::string slozka = Slozka(cesta);
    const tDeskriptor fd(
        ::open(slozka.empty() ? "." : slozka.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return fd.Otevreny() && ::fsync(fd.Fd()) == 0;
}

bool Prejmenuj(const std::string& od, const std::string& kam) {
    if (::rename(od.c_str(), kam.c_str()) != 0)
        return false;
    SynchronizujSlozku(kam);
    if (Slozka(od) != Slozka(kam))
        SynchronizujSlozku(od);
    return true;
}

bool ChranenyProtiZapisu(const std::string& cesta, const struct stat& stav) {
    return (stav.st_mode & 0222) == 0 || ::access(cesta.c_str(), W_OK) != 0;
}

tCilZapisu NajdiCilZapisu(const std::string& cesta) {
    tCilZapisu cil;
    cil.Cesta = cesta;
    cil.Existuje = ::stat(cesta.c_str(), &cil.Stav) == 0;
    if (!cil.Obycejny())
        return cil; // written where it is, by the name given (/dev/stdout has no other)
    // Through a link, the file it points to is replaced, not the link.
    std::error_code chyba;
    if (const auto skutecna = std::filesystem::weakly_canonical(cesta, chyba); !chyba)
        cil.Cesta = skutecna.string();
    return cil;
}

tDeskriptor OtevriNaMiste(const std::string& cesta, bool neCekat) {
    tDeskriptor soubor(
        ::open(cesta.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | (neCekat ? O_NONBLOCK : 0)));
    // Once open, writes wait for the reader as any writer's do.
    if (soubor.Otevreny() && neCekat)
        ::fcntl(soubor.Fd(), F_SETFL, ::fcntl(soubor.Fd(), F_GETFL) & ~O_NONBLOCK);
    return soubor;
}

std::string NahodneJmeno() {
    static thread_local std::mt19937_64 nahoda{std::random_device{}()};
    static constexpr std::string_view Znaky = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string s;
    for (int i = 0; i < 10; ++i)
        s += Znaky[nahoda() % Znaky.size()];
    return s;
}

tDeskriptor VytvorDocasny(int slozka, const std::string& zaklad, mode_t prava, std::string& jmeno) {
    for (int pokus = 0; pokus < 100; ++pokus) {
        jmeno = zaklad + "." + NahodneJmeno() + ".tmp";
        tDeskriptor soubor(::openat(slozka, jmeno.c_str(),
                                    O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, prava));
        if (soubor.Otevreny() || errno != EEXIST)
            return soubor;
    }
    return tDeskriptor();
}

bool KonciNa(std::string_view nazev, std::string_view pripona) {
    return nazev.size() >= pripona.size() &&
           std::equal(pripona.begin(), pripona.end(), nazev.end() - pripona.size(),
                      [](char a, char b) { return a == (b | 0x20); });
}

std::string Zkraceny(const std::string& nazev, size_t delka) {
    if (nazev.size() <= delka)
        return nazev;
    while (delka > 0 && (static_cast<unsigned char>(nazev[delka]) & 0xC0) == 0x80)
        --delka;
    return nazev.substr(0, delka);
}

tDocasnySoubor::tDocasnySoubor(const std::string& cil) : cil_(cil) {
    const std::string slozka = Slozka(cil);
    const std::string jmeno = Zkraceny(cil.substr(slozka.size()), DelkaZeJmena);
    for (int pokus = 0; pokus < 100; ++pokus) {
        std::string cesta = slozka + jmeno + "." + std::to_string(::getpid()) + "." +
                            std::to_string(pokus) + ".tmp";
        soubor_ = tDeskriptor(::open(cesta.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (soubor_.Otevreny()) {
            cesta_ = std::move(cesta);
            return;
        }
        if (errno != EEXIST)
            return;
    }
}

tDocasnySoubor::~tDocasnySoubor() {
    if (!cesta_.empty())
        ::unlink(cesta_.c_str());
}

void tDocasnySoubor::PrevezmiVlastnosti(const struct stat& stary) {
    if (::fchown(soubor_.Fd(), stary.st_uid, stary.st_gid) != 0) {
    }
    if (::fchmod(soubor_.Fd(), stary.st_mode & 07777) != 0) {
    }
}

bool tDocasnySoubor::Nahrad() {
    soubor_.Zavri();
    if (!Prejmenuj(cesta_, cil_))
        return false;
    cesta_.clear();
    return true;
}
