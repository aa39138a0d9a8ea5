#include "output/UlohaNaPozadi.h"

namespace {

constexpr size_t VelikostKusu = size_t{64} * 1024;
constexpr size_t NejviceKusu = 4; // 256 KiB on the way at most

} // namespace

tUlohaNaPozadi::tUlohaNaPozadi(std::unique_ptr<tTiskovaUloha> uloha) : uloha_(std::move(uloha)) {
    kus_.bajty.reserve(VelikostKusu);
    vlakno_ = std::thread([this] { Posilej(); });
}

tUlohaNaPozadi::~tUlohaNaPozadi() {
    if (!skoncila_)
        Prerus();
    Zastav(false);
}

void tUlohaNaPozadi::Zastav(bool dopsat) noexcept {
    if (!vlakno_.joinable())
        return;
    {
        const std::lock_guard zamek(zamek_);
        if (dopsat)
            fronta_.push_back(std::move(kus_));
        else
            fronta_.clear();
        konec_ = true;
    }
    zmena_.notify_all();
    vlakno_.join();
}

long long tUlohaNaPozadi::Prerus() noexcept {
    skoncila_ = true;
    Zastav(true);
    return uloha_->Prerus();
}

void tUlohaNaPozadi::Zrus() noexcept {
    skoncila_ = true;
    Zastav(false);
    uloha_->Zrus();
}

void tUlohaNaPozadi::Posilej() {
    std::unique_lock zamek(zamek_);
    for (;;) {
        zmena_.wait(zamek, [this] { return !fronta_.empty() || konec_; });
        if (fronta_.empty())
            return;
        tKus kus = std::move(fronta_.front());
        fronta_.erase(fronta_.begin());
        pracuje_ = true;
        zamek.unlock();
        zmena_.notify_all();
        std::exception_ptr chyba;
        if (!chyba_) { // chyba_ changes only here, on this thread
            try {
                Pis(kus);
            } catch (...) {
                chyba = std::current_exception();
            }
        }
        zamek.lock();
        if (chyba)
            chyba_ = chyba;
        pracuje_ = false;
        zmena_.notify_all();
    }
}

void tUlohaNaPozadi::Pis(tKus& kus) {
    std::string cast;
    size_t od = 0;
    for (const size_t konec : kus.konceEtiket) {
        cast.assign(kus.bajty, od, konec - od);
        uloha_->Write(cast);
        uloha_->KonecEtikety();
        od = konec;
    }
    if (od < kus.bajty.size()) {
        cast.assign(kus.bajty, od);
        uloha_->Write(cast);
    }
}

void tUlohaNaPozadi::Predej() {
    std::unique_lock zamek(zamek_);
    zmena_.wait(zamek, [this] { return fronta_.size() < NejviceKusu || chyba_; });
    if (chyba_)
        std::rethrow_exception(chyba_);
    fronta_.push_back(std::move(kus_));
    zamek.unlock();
    zmena_.notify_all();
    kus_ = {};
    kus_.bajty.reserve(VelikostKusu);
}

void tUlohaNaPozadi::Write(const std::string& data) {
    kus_.bajty += data;
    if (kus_.bajty.size() >= VelikostKusu)
        Predej();
}

void tUlohaNaPozadi::KonecEtikety() {
    kus_.konceEtiket.push_back(kus_.bajty.size());
}

void tUlohaNaPozadi::Vyprazdni() {
    Predej();
    std::unique_lock zamek(zamek_);
    zmena_.wait(zamek, [this] { return (fronta_.empty() && !pracuje_) || chyba_; });
    if (chyba_)
        std::rethrow_exception(chyba_);
}

void tUlohaNaPozadi::Dokonci() {
    Vyprazdni();
    Zastav(false); // idle: nothing else touches the inner job now
    uloha_->Dokonci();
    skoncila_ = true; // a failure above leaves it to Prerus
}
