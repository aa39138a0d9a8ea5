#include "BezpecnyZapis.h"

#include "Chyba.h"
#include "Deskriptor.h"
#include "Win1250.h"

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
    if (!docasny.soubor.Otevreny())
        throw eChyba(ChybaVytvoreni(cesta));
    if (existuje) {
        // Best effort: the new file keeps the old one's owner and permissions.
        if (::fchown(docasny.soubor.Fd(), stary.st_uid, stary.st_gid) != 0) {
        }
        if (::fchmod(docasny.soubor.Fd(), stary.st_mode & 07777) != 0) {
        }
    }

    size_t zapsano = 0;
    while (zapsano < obsah.size()) {
        size_t kus = std::min<size_t>(obsah.size() - zapsano, 65536);
        const char* data = obsah.data() + zapsano;
        ssize_t r =
            zapis ? zapis(docasny.soubor.Fd(), data, kus) : ::write(docasny.soubor.Fd(), data, kus);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            throw eChyba(ChybaZapisu);
        zapsano += static_cast<size_t>(r);
    }
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
