#include "core/BezpecnyZapis.h"

#include "core/Chyba.h"
#include "core/Deskriptor.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace {

void ZapisNeboChyba(int fd, std::string_view obsah, const tZapisDat& zapis) {
    if (ZapisVse(fd, obsah, zapis) != 0)
        throw eChyba(ChybaZapisu);
}

// The bytes written into cil where it is. For a regular file (obycejny), in a folder that
// refuses new files but lets the file be written: not safe against a crash in the middle,
// but the only write such a folder allows.
void PrepisNaMiste(const std::string& cesta, const std::string& cil, std::string_view obsah,
                   const tZapisDat& zapis, bool obycejny) {
    tDeskriptor soubor = OtevriNaMiste(cil, !obycejny);
    if (!soubor.Otevreny())
        throw eChyba(ChybaVytvoreni(cesta));
    ZapisNeboChyba(soubor.Fd(), obsah, zapis);
    // Cut off what is left of a longer old file only once the new content is all there.
    if ((obycejny && (::ftruncate(soubor.Fd(), static_cast<off_t>(obsah.size())) != 0 ||
                      ::fsync(soubor.Fd()) != 0)) ||
        !soubor.Zavri())
        throw eChyba(ChybaZapisu);
}

} // namespace

void ZapisSouborBezpecne(const std::string& cesta, std::string_view obsah, const tZapisDat& zapis) {
    const tCilZapisu cil = NajdiCilZapisu(cesta);
    if (!cil.Obycejny()) {
        // A FIFO or a device takes the bytes where it is: a file in its place would
        // destroy it, and its reader would get nothing.
        return PrepisNaMiste(cesta, cil.Cesta, obsah, zapis, false);
    }
    if (cil.Existuje && ChranenyProtiZapisu(cil.Cesta, cil.Stav))
        throw eChyba(ChybaVytvoreni(cesta));

    tDocasnySoubor docasny(cil.Cesta);
    if (!docasny.Otevreny()) {
        if ((errno == EACCES || errno == EPERM) && cil.Existuje) {
            return PrepisNaMiste(cesta, cil.Cesta, obsah, zapis, true);
        }
        throw eChyba(ChybaVytvoreni(cesta));
    }
    if (cil.Existuje)
        docasny.PrevezmiVlastnosti(cil.Stav);
    ZapisNeboChyba(docasny.Fd(), obsah, zapis);
    if (::fsync(docasny.Fd()) != 0 || !docasny.Zavri())
        throw eChyba(ChybaZapisu);
    if (!docasny.Nahrad())
        throw eChyba(ChybaVytvoreni(cesta));
}
