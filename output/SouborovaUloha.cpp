#include "output/SouborovaUloha.h"

#include "core/Chyba.h"
#include "core/Win1250.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t VelikostBloku = size_t{64} * 1024;

std::string ChybaVytvoreni(const std::string& cesta) {
    return "Cannot create file " + Utf8NaWin1250(cesta);
}

const char* const ChybaZapisu = "Stream write error";

} // namespace

tSouborovaUloha::tSouborovaUloha(const std::string& cesta) : cil_(cesta) {
    struct stat druh {};
    if (::stat(cesta.c_str(), &druh) == 0 && !S_ISREG(druh.st_mode)) {
        soubor_ = tDeskriptor(::open(cesta.c_str(), O_WRONLY | O_CLOEXEC));
    } else {
        // Through a link, the file it points to is replaced, not the link.
        std::error_code chyba;
        if (const auto skutecna = std::filesystem::weakly_canonical(cesta, chyba); !chyba)
            cil_ = skutecna.string();
        for (int pokus = 0; pokus < 100 && !soubor_.Otevreny(); ++pokus) {
            docasny_ =
                cil_ + "." + std::to_string(::getpid()) + "." + std::to_string(pokus) + ".tmp";
            soubor_ = tDeskriptor(
                ::open(docasny_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
            if (!soubor_.Otevreny() && errno != EEXIST)
                break;
        }
        if (!soubor_.Otevreny())
            docasny_.clear();
    }
    if (!soubor_.Otevreny())
        throw eSouborUlohy(ChybaVytvoreni(cesta));
    zasobnik_.reserve(VelikostBloku);
}

tSouborovaUloha::~tSouborovaUloha() {
    if (!hotovo_)
        Prerus();
    if (!docasny_.empty())
        ::unlink(docasny_.c_str());
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
        if (!docasny_.empty() && ::ftruncate(soubor_.Fd(), celychEtiket_) != 0)
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
    const char* data = zasobnik_.data();
    size_t zbyva = zasobnik_.size();
    while (zbyva > 0) {
        const ssize_t zapsano = ::write(soubor_.Fd(), data, zbyva);
        if (zapsano < 0 && errno == EINTR)
            continue;
        if (zapsano <= 0)
            throw eSouborUlohy(ChybaZapisu);
        data += zapsano;
        zbyva -= static_cast<size_t>(zapsano);
        vFajlu_ += zapsano;
    }
    zasobnik_.clear();
}

void tSouborovaUloha::Prejmenuj() {
    if (docasny_.empty())
        return;
    if (!soubor_.Zavri())
        throw eSouborUlohy(ChybaZapisu);
    if (::rename(docasny_.c_str(), cil_.c_str()) != 0)
        throw eSouborUlohy(ChybaVytvoreni(cil_));
    docasny_.clear();
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
