#include "UlohaNaPozadi.h"

namespace {

constexpr size_t VelikostKusu = 64 * 1024;
constexpr size_t NejviceKusu = 4; // 256 KiB on the way at most

} // namespace

tUlohaNaPozadi::tUlohaNaPozadi(std::unique_ptr<tTiskovaUloha> uloha) : uloha_(std::move(uloha)) {
    kus_.bajty.reserve(VelikostKusu);
    vlakno_ = std::thread([this] { Posilej(); });
}

tUlohaNaPozadi::~tUlohaNaPozadi() {
    {
        const std::lock_guard zamek(zamek_);
        fronta_.push_back(std::move(kus_));
        konec_ = true;
    }
    zmena_.notify_all();
    vlakno_.join();
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
    uloha_->Dokonci(); // the thread is idle: nothing else touches the inner job now
}
