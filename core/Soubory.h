#pragma once
// File access as the whole program does it: interrupted calls retried, whole writes, the
// temporary file beside a target that goes away unless it replaced the target, and the
// messages that name a file.

#include "core/Deskriptor.h"

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include <poll.h>
#include <sys/stat.h>
#include <sys/types.h>

// "Cannot create file %s", "Cannot open file %s" (the name in file system bytes) and
// "Stream write error".
std::string ChybaVytvoreni(const std::string& cesta);
std::string ChybaOtevreni(const std::string& cesta);
inline constexpr const char* ChybaZapisu = "Stream write error";

// One write call, with the contract of ::write (bytes written, or -1 and errno). Tests pass
// one that runs out of space; an empty function is ::write itself.
using tZapisDat = std::function<ssize_t(int fd, const char* data, size_t delka)>;

// One read of up to kolik bytes, an interrupted call retried: bytes read, 0 at the end, -1
// and errno.
ssize_t PrectiKus(int fd, char* kam, size_t kolik);

// The same at an offset (pread): the file's own offset is not moved.
ssize_t PrectiKusOd(int fd, void* kam, size_t kolik, off_t kde);

// Waits at most ms milliseconds (-1: as long as it takes) until fd can be read or its writer
// has gone; false on a timeout. An interrupted wait counts as a timeout, so that the caller
// looks at whatever the signal asked for; any other failure is left to the read after it.
bool CekejNaCteni(int fd, int ms);

// Waits at most ms milliseconds (-1: as long as it takes) for the events asked in co (poll);
// an interrupted wait ends as a timeout does. False only when the wait itself fails (errno).
bool Cekej(std::span<pollfd> co, int ms);

// Appends what is left of the file up to its end or its first zero byte (where a text ends).
// 0, or the errno of the failed read.
int PrectiDoNuly(int fd, std::string& obsah);

// Writes all of data, an interrupted call retried. 0, or the errno of the failure (EIO for
// a write that took nothing); zapsano, when given, gets the bytes that did get written.
int ZapisVse(int fd, std::string_view data, const tZapisDat& zapis = {}, size_t* zapsano = nullptr);

// Opens cesta only when it is a plain file, never waiting for a FIFO's writer; priznaky are
// added to O_RDONLY-like flags (O_NOFOLLOW: a link is refused). stav gets its fstat. Not open
// when it cannot be opened (errno) or is no plain file (errno EINVAL).
tDeskriptor OtevriObycejny(const std::string& cesta, int priznaky, struct stat& stav);

// Makes the renaming or creation of the file cesta durable: fsync of its folder.
bool SynchronizujSlozku(const std::string& cesta);

// Renames od to kam (over a file there) and makes that durable in both folders; false with
// errno when the rename fails.
bool Prejmenuj(const std::string& od, const std::string& kam);

// A write-protected file: the user may not write it, or nobody may (no write bit at all,
// which holds even for root, who passes every access check).
bool ChranenyProtiZapisu(const std::string& cesta, const struct stat& stav);

// Where a write of the file cesta lands and what is there now.
struct tCilZapisu {
    std::string Cesta;     // through a link, the file it points to
    bool Existuje = false; // Stav is valid
    struct stat Stav {};
    bool Obycejny() const { return !Existuje || S_ISREG(Stav.st_mode); }
};
tCilZapisu NajdiCilZapisu(const std::string& cesta);

// A device or a FIFO opened for writing in place. With neCekat, a FIFO without a reader is an
// error (ENXIO) instead of a wait.
tDeskriptor OtevriNaMiste(const std::string& cesta, bool neCekat);

// nazev ends in pripona (given in lower case), in either case: "TABULKA.CSV" in ".csv".
bool KonciNa(std::string_view nazev, std::string_view pripona);

// nazev cut to at most delka bytes, before a UTF-8 character, not inside one.
std::string Zkraceny(const std::string& nazev, size_t delka);

// Ten random letters and digits, for names no other process picks.
std::string NahodneJmeno();

// A new file in the folder held open as slozka, created exclusively under a name that starts
// with zaklad and ends ".tmp" with random characters between; jmeno gets the name. Not open
// when it cannot be made (errno tells why).
tDeskriptor VytvorDocasny(int slozka, const std::string& zaklad, mode_t prava, std::string& jmeno);

// A new file beside a target, under a short name in the same folder (so that a target name
// near the length limit still has one), created exclusively. Removed when the owner goes,
// unless Nahrad has put it in the target's place.
class tDocasnySoubor {
public:
    // Not open when it cannot be made (errno tells why).
    explicit tDocasnySoubor(const std::string& cil);
    ~tDocasnySoubor();
    tDocasnySoubor(const tDocasnySoubor&) = delete;
    tDocasnySoubor& operator=(const tDocasnySoubor&) = delete;

    bool Otevreny() const { return soubor_.Otevreny(); }
    int Fd() const { return soubor_.Fd(); }
    const std::string& Cesta() const { return cesta_; }
    // Best effort: the owner and the permissions of the file it is to replace.
    void PrevezmiVlastnosti(const struct stat& stary);
    // Closes it; false when close reports an error (data may not have reached the file).
    bool Zavri() { return soubor_.Zavri(); }
    // Closes it and renames it over the target, durably (Prejmenuj); false when the rename
    // fails (errno), and it is still removed at the end.
    bool Nahrad();

private:
    std::string cil_, cesta_; // cesta_ empty: nothing to remove
    tDeskriptor soubor_;
};
