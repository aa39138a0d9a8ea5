#include "output/SouborovaUloha.h"

#include <algorithm>

#include <unistd.h>

namespace {

constexpr size_t VelikostBloku = size_t{64} * 1024;

} // namespace

tSouborovaUloha::tSouborovaUloha(const std::string& cesta) : cil_(cesta) {
    const tCilZapisu cil = NajdiCilZapisu(cesta);
    if (cil.Obycejny()) {
        // As the settings file: a write-protected file stays, a replaced one keeps its mode.
        if (cil.Existuje && ChranenyProtiZapisu(cil.Cesta, cil.Stav))
            throw eSouborUlohy(ChybaVytvoreni(cesta));
        docasny_ = std::make_unique<tDocasnySoubor>(cil.Cesta);
        if (!docasny_->Otevreny())
            docasny_.reset();
        else if (cil.Existuje)
            docasny_->PrevezmiVlastnosti(cil.Stav);
    } else {
        naMiste_ = OtevriNaMiste(cesta, false);
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
        throw eSouborUlohy(ChybaZapisu);
}

void tSouborovaUloha::Prejmenuj() {
    if (!docasny_)
        return;
    if (!docasny_->Zavri())
        throw eSouborUlohy(ChybaZapisu);
    if (!docasny_->Nahrad())
        throw eSouborUlohy(ChybaVytvoreni(cil_));
    docasny_.reset();
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
