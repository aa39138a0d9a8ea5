#include "core/BezpecnyZapis.h"

#include "core/Chyba.h"
#include "core/Deskriptor.h"
#include "core/Win1250.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ChybaVytvoreni(const std::string& cesta) {
    return "Cannot create file " + Utf8NaWin1250(cesta);
}

const char* const ChybaZapisu = "Stream write error";

// The temporary file of one write: closed and removed unless it was renamed.
struct tDocasnySoubor {
    std::string cesta;
    tDeskriptor soubor;
    ~tDocasnySoubor() {
        if (!cesta.empty())
            ::unlink(cesta.c_str());
    }
};

// Writes all of obsah, EINTR retried; any other failure or a write of nothing raises.
void ZapisVse(int fd, std::string_view obsah, const tZapisDat& zapis) {
    size_t zapsano = 0;
    while (zapsano < obsah.size()) {
        size_t kus = std::min<size_t>(obsah.size() - zapsano, 65536);
        const char* data = obsah.data() + zapsano;
        ssize_t r = zapis ? zapis(fd, data, kus) : ::write(fd, data, kus);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            throw eChyba(ChybaZapisu);
        zapsano += static_cast<size_t>(r);
    }
}

// A write-protected file: the user may not write it, or nobody may (no write bit at all,
// which holds even for root, who passes every access check).
bool ChranenyProtiZapisu(const std::string& cesta, const struct stat& soubor) {
    return (soubor.st_mode & 0222) == 0 || ::access(cesta.c_str(), W_OK) != 0;
}

// The file rewritten where it is, for a folder that refuses new files but lets the file be
// written. Not safe against a crash in the middle, but the only write such a folder allows.
void PrepisNaMiste(const std::string& cesta, const std::string& cil, std::string_view obsah,
                   const tZapisDat& zapis) {
    tDeskriptor soubor(::open(cil.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
    if (!soubor.Otevreny())
        throw eChyba(ChybaVytvoreni(cesta));
    ZapisVse(soubor.Fd(), obsah, zapis);
    // Cut off what is left of a longer old file only once the new content is all there.
    if (::ftruncate(soubor.Fd(), static_cast<off_t>(obsah.size())) != 0 ||
        ::fsync(soubor.Fd()) != 0 || !soubor.Zavri())
        throw eChyba(ChybaZapisu);
}

} // namespace

void ZapisSouborBezpecne(const std::string& cesta, std::string_view obsah, const tZapisDat& zapis) {
    // Through a link, the file it points to is replaced, not the link.
    std::string cil = cesta;
    std::error_code chybaCesty;
    auto skutecna = std::filesystem::canonical(cesta, chybaCesty);
    if (!chybaCesty)
        cil = skutecna.string();
    struct stat stary {};
    const bool existuje = ::stat(cil.c_str(), &stary) == 0;
    if (existuje && S_ISREG(stary.st_mode) && ChranenyProtiZapisu(cil, stary))
        throw eChyba(ChybaVytvoreni(cesta));

    tDocasnySoubor docasny;
    for (int pokus = 0; pokus < 100; ++pokus) {
        std::string jmeno =
            cil + "." + std::to_string(::getpid()) + "." + std::to_string(pokus) + ".tmp";
        docasny.soubor =
            tDeskriptor(::open(jmeno.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (docasny.soubor.Otevreny()) {
            docasny.cesta = std::move(jmeno);
            break;
        }
        if (errno != EEXIST)
            break;
    }
    if (!docasny.soubor.Otevreny()) {
        if ((errno == EACCES || errno == EPERM) && existuje && S_ISREG(stary.st_mode)) {
            PrepisNaMiste(cesta, cil, obsah, zapis);
            return;
        }
        throw eChyba(ChybaVytvoreni(cesta));
    }
    if (existuje) {
        // Best effort: the new file keeps the old one's owner and permissions.
        if (::fchown(docasny.soubor.Fd(), stary.st_uid, stary.st_gid) != 0) {
        }
        if (::fchmod(docasny.soubor.Fd(), stary.st_mode & 07777) != 0) {
        }
    }

    ZapisVse(docasny.soubor.Fd(), obsah, zapis);
    if (::fsync(docasny.soubor.Fd()) != 0 || !docasny.soubor.Zavri())
        throw eChyba(ChybaZapisu);
    if (::rename(docasny.cesta.c_str(), cil.c_str()) != 0)
        throw eChyba(ChybaVytvoreni(cesta));
    docasny.cesta.clear();

    // Make the rename itself durable.
    size_t lomitko = cil.rfind('/');
    std::string adresar = lomitko == std::string::npos ? "." : cil.substr(0, lomitko + 1);
    const tDeskriptor slozka(::open(adresar.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (slozka.Otevreny())
        ::fsync(slozka.Fd());
}
