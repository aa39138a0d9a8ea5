#include "output/SouborovaUloha.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr size_t VelikostBloku = size_t{64} * 1024;

// "Stream write error: No space left on device": the cause in the system's words, in
// English whatever the locale, as the rest of the message.
std::string ChybaZapisuSouboru(int kod) {
    const char* pricina = kod != 0 ? ::strerrordesc_np(kod) : nullptr;
    return pricina ? std::string(ChybaZapisu) + ": " + pricina : std::string(ChybaZapisu);
}

// A FIFO or a device opened where it is. A FIFO nobody reads yet is tried again every 20 ms
// instead of waiting in open, where neither Storno nor a signal could end the wait.
tDeskriptor OtevriNaMisteACekej(const std::string& cesta, const tSouborovaUloha::tCekani& cekani) {
    for (;;) {
        tDeskriptor soubor = OtevriNaMiste(cesta, true);
        if (soubor.Otevreny() || errno != ENXIO)
            return soubor;
        if (cekani && !cekani())
            throw tZastaveno{};
        const timespec chvile{0, 20'000'000};
        ::nanosleep(&chvile, nullptr); // a signal cuts it short, and cekani learns of it
    }
}

} // namespace

tSouborovaUloha::tSouborovaUloha(const std::string& cesta, const tCekani& cekani) : cil_(cesta) {
    const tCilZapisu cil = NajdiCilZapisu(cesta);
    if (cil.Obycejny()) {
        // As the settings file: a write-protected file stays, a replaced one keeps its mode.
        if (cil.Existuje && ChranenyProtiZapisu(cil.Cesta, cil.Stav))
            throw eSouborUlohy(ChybaVytvoreni(cesta));
        docasny_ = std::make_unique<tDocasnySoubor>(cil.Cesta);
        if (!docasny_->Otevreny()) {
            docasny_.reset();
        } else if (cil.Existuje) {
            docasny_->PrevezmiVlastnosti(cil.Stav);
            // A file of another owner (only root may give a file away) or with more names
            // than one is written into at the end instead: a new file would lose both.
            struct stat novy {};
            kopirovat_ = cil.Stav.st_nlink > 1 || ::fstat(docasny_->Fd(), &novy) != 0 ||
                         novy.st_uid != cil.Stav.st_uid || novy.st_gid != cil.Stav.st_gid;
            cilCesta_ = cil.Cesta;
        }
    } else {
        naMiste_ = OtevriNaMisteACekej(cil.Cesta, cekani);
    }
    if (Fd() < 0)
        throw eSouborUlohy(ChybaVytvoreni(cesta));
    zasobnik_.reserve(VelikostBloku);
}

tSouborovaUloha::~tSouborovaUloha() {
    if (!hotovo_)
        Prerus(); // what is left of the temporary file goes with docasny_
}

long long tSouborovaUloha::Prerus() noexcept {
    if (hotovo_)
        return 0;
    if (etiket_ == 0) {
        Zrus(); // no whole label: nothing of the job, as on a queue
        return 0;
    }
    hotovo_ = true;
    try {
        // Only what ends on a label's end: a device cannot take back what it already got.
        const long long vZasobniku = std::max(celychEtiket_ - vFajlu_, 0LL);
        zasobnik_.resize(static_cast<size_t>(vZasobniku));
        Vyprazdni();
        if (docasny_ && ::ftruncate(Fd(), celychEtiket_) != 0)
            return 0;
        Prejmenuj();
        return etiket_;
    } catch (...) {
        return 0;
    }
}

void tSouborovaUloha::Zrus() noexcept {
    hotovo_ = true;
    zasobnik_.clear();
}

void tSouborovaUloha::Vyprazdni() {
    size_t zapsano = 0;
    const int chyba = ZapisVse(Fd(), zasobnik_, {}, &zapsano);
    vFajlu_ += static_cast<long long>(zapsano);
    zasobnik_.erase(0, zapsano); // what is left starts where the file ends
    if (chyba != 0)
        throw eSouborUlohy(ChybaZapisuSouboru(chyba));
}

void tSouborovaUloha::Prejmenuj() {
    if (!docasny_)
        return;
    if (kopirovat_) {
        PrepisCil();
        docasny_.reset(); // removes the temporary file
        return;
    }
    if (!docasny_->Zavri())
        throw eSouborUlohy(ChybaZapisuSouboru(errno));
    if (!docasny_->Nahrad())
        throw eSouborUlohy(ChybaVytvoreni(cil_));
    docasny_.reset();
}

// Copied only once the whole job is in the temporary file, so a failed run leaves the target
// as it was; the target is cut to the job's length after the last byte.
void tSouborovaUloha::PrepisCil() {
    const tDeskriptor cteni(::open(docasny_->Cesta().c_str(), O_RDONLY | O_CLOEXEC));
    const tDeskriptor cil(::open(cilCesta_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
    if (!cteni.Otevreny() || !cil.Otevreny())
        throw eSouborUlohy(ChybaVytvoreni(cil_));
    std::string blok(VelikostBloku, '\0');
    long long zkopirovano = 0;
    for (;;) {
        const ssize_t precteno = PrectiKus(cteni.Fd(), blok.data(), blok.size());
        if (precteno < 0)
            throw eSouborUlohy(ChybaZapisuSouboru(errno));
        if (precteno == 0)
            break;
        const int chyba =
            ZapisVse(cil.Fd(), std::string_view(blok.data(), static_cast<size_t>(precteno)));
        if (chyba != 0)
            throw eSouborUlohy(ChybaZapisuSouboru(chyba));
        zkopirovano += precteno;
    }
    if (::ftruncate(cil.Fd(), static_cast<off_t>(zkopirovano)) != 0 || ::fsync(cil.Fd()) != 0)
        throw eSouborUlohy(ChybaZapisuSouboru(errno));
}

void tSouborovaUloha::Write(const std::string& data) {
    if (zasobnik_.size() + data.size() > VelikostBloku)
        Vyprazdni();
    if (data.size() >= VelikostBloku) {
        zasobnik_ = data;
        Vyprazdni();
    } else {
        zasobnik_ += data;
    }
}

void tSouborovaUloha::KonecEtikety() {
    celychEtiket_ = vFajlu_ + static_cast<long long>(zasobnik_.size());
    ++etiket_;
}

void tSouborovaUloha::Dokonci() {
    Vyprazdni();
    Prejmenuj();
    hotovo_ = true; // a failure above leaves it to Prerus
}
