#include "output/UlohaNaPozadi.h"

#include "core/PriKonci.h"

#include <chrono>

namespace {

using namespace std::chrono_literals;

constexpr size_t VelikostKusu = size_t{64} * 1024;
constexpr size_t NejviceKusu = 4; // 256 KiB on the way at most
// How often a waiting window repaints and looks at Storno.
constexpr auto KrokCekani = 20ms;
// How long a cancel may take before the server's calls are cut off: a server that answers
// cancels in milliseconds, and the user who pressed Storno waits no longer than this.
constexpr auto LhutaZruseni = 300ms;

} // namespace

// Its Zrus cuts the object's own tOdriznuti, which no call of the inner job takes.
tUlohaNaPozadi::tUlohaNaPozadi(std::unique_ptr<tTiskovaUloha> uloha)
    : tUlohaNaPozadi(std::move(uloha), nullptr, odriznuti_) {}

tUlohaNaPozadi::tUlohaNaPozadi(std::unique_ptr<tTiskovaUloha> uloha, tCekani cekani,
                               tOdriznuti& odriznuti)
    : cekani_(std::move(cekani)), odrizni_(&odriznuti), uloha_(std::move(uloha)), otevrena_(true) {
    kus_.bajty.reserve(VelikostKusu);
    vlakno_ = std::thread([this] { Posilej(); });
}

tUlohaNaPozadi::tUlohaNaPozadi(tVytvoreni vytvor, tCekani cekani)
    : vytvor_(std::move(vytvor)), cekani_(std::move(cekani)) {
    kus_.bajty.reserve(VelikostKusu);
    vlakno_ = std::thread([this] { Posilej(); });
    std::unique_lock zamek(zamek_);
    if (!Pockej(zamek, [this] { return otevrena_; })) {
        zamek.unlock();
        Zrus(); // the thread is joined before the object goes
        throw tZastaveno{};
    }
    if (chyba_) {
        const std::exception_ptr chyba = chyba_;
        zamek.unlock();
        vlakno_.join(); // without a job the thread has ended
        std::rethrow_exception(chyba);
    }
}

tUlohaNaPozadi::~tUlohaNaPozadi() {
    if (!skoncila_)
        Prerus();
    if (vlakno_.joinable())
        vlakno_.join();
}

template <class Podminka>
bool tUlohaNaPozadi::Pockej(std::unique_lock<std::mutex>& zamek, Podminka splneno) {
    while (!splneno()) {
        if (!cekani_) {
            zmena_.wait(zamek);
            continue;
        }
        if (zmena_.wait_for(zamek, KrokCekani, splneno))
            break;
        zamek.unlock();
        const bool dal = cekani_();
        zamek.lock();
        if (!dal)
            return false;
    }
    return true;
}

void tUlohaNaPozadi::Ukonci(tKonec konec, bool dopsat) {
    {
        const std::lock_guard zamek(zamek_);
        if (dopsat && !chyba_)
            fronta_.push_back(std::move(kus_));
        else if (!dopsat)
            fronta_.clear();
        kus_ = {};
        konec_ = konec;
    }
    if (konec == tKonec::Zrus)
        zrusit_ = true; // the piece being written stops too
    zmena_.notify_all();
}

long long tUlohaNaPozadi::Prerus() noexcept {
    if (skoncila_ || !vlakno_.joinable())
        return vytiskne_;
    skoncila_ = true;
    Ukonci(tKonec::Prerus, true);
    std::unique_lock zamek(zamek_);
    if (!Pockej(zamek, [this] { return hotovo_; })) {
        zamek.unlock();
        Zrus();
        return poStornu_;
    }
    zamek.unlock();
    vlakno_.join();
    return vytiskne_;
}

void tUlohaNaPozadi::Zrus() noexcept {
    skoncila_ = true;
    if (!vlakno_.joinable())
        return;
    Ukonci(tKonec::Zrus, false);
    {
        std::unique_lock zamek(zamek_);
        const auto konec = std::chrono::steady_clock::now() + LhutaZruseni;
        while (!hotovo_ && std::chrono::steady_clock::now() < konec) {
            if (zmena_.wait_for(zamek, KrokCekani, [this] { return hotovo_; }) || !cekani_)
                continue;
            zamek.unlock();
            cekani_(); // the window repaints; the user has said stop already
            zamek.lock();
        }
        if (!hotovo_) {
            zamek.unlock();
            odrizni_->Odrizni(); // the thread's call ends at once, and so does its cancel
        }
    }
    vlakno_.join();
    vytiskne_ = 0;
}

void tUlohaNaPozadi::Posilej() {
    if (vytvor_) {
        std::unique_ptr<tTiskovaUloha> uloha;
        std::exception_ptr chyba;
        try {
            uloha = vytvor_(odriznuti_);
        } catch (...) {
            chyba = std::current_exception();
        }
        vytvor_ = nullptr; // what it refers to is the caller's and may go
        const std::lock_guard zamek(zamek_);
        uloha_ = std::move(uloha);
        chyba_ = chyba;
        otevrena_ = true;
        hotovo_ = !uloha_;
        zmena_.notify_all();
        if (hotovo_)
            return;
    }
    std::unique_lock zamek(zamek_);
    for (;;) {
        zmena_.wait(zamek, [this] { return !fronta_.empty() || konec_ != tKonec::Zadny; });
        if (fronta_.empty()) {
            tKonec konec = konec_;
            zamek.unlock();
            Skonci(konec);
            zamek.lock();
            if (konec == tKonec::Zadny)
                continue; // Dokonci failed: Prerus or Zrus comes next
            hotovo_ = true;
            zmena_.notify_all();
            return;
        }
        tKus kus = std::move(fronta_.front());
        fronta_.erase(fronta_.begin());
        zamek.unlock();
        zmena_.notify_all();
        std::exception_ptr chyba;
        if (!chyba_) { // chyba_ changes only on this thread
            try {
                Pis(kus);
            } catch (...) {
                chyba = std::current_exception();
            }
        }
        zamek.lock();
        if (chyba)
            chyba_ = chyba;
        else if (volne_.size() < NejviceKusu && kus.bajty.capacity() <= 2 * VelikostKusu)
            volne_.push_back(std::move(kus)); // its memory serves a later piece
        zmena_.notify_all();
    }
}

// Ends the inner job as asked, and destroys it here: its destructor may still talk to the
// server. A Dokonci that failed leaves dokonano Zadny and the job open for Prerus.
void tUlohaNaPozadi::Skonci(tKonec& dokonano) {
    std::exception_ptr chyba;
    long long vytiskne = 0;
    bool zrusena = false;
    switch (dokonano) {
    case tKonec::Dokonci:
        try {
            if (chyba_)
                std::rethrow_exception(chyba_);
            uloha_->Dokonci();
            vytiskne = predano_;
        } catch (...) {
            chyba = std::current_exception();
        }
        break;
    case tKonec::Prerus:
        vytiskne = uloha_->Prerus();
        break;
    case tKonec::Zrus:
    case tKonec::Zadny:
        uloha_->Zrus();
        zrusena = true;
        break;
    }
    std::unique_lock zamek(zamek_);
    if (konec_ == tKonec::Zrus && dokonano != tKonec::Zrus) {
        // Storno came while the job was ending: it is cancelled all the same.
        zamek.unlock();
        uloha_->Zrus();
        zamek.lock();
        chyba = nullptr;
        zrusena = true;
    } else if (chyba) {
        // Under the same lock as the question above, so that a Zrus asked meanwhile is
        // not lost.
        chyba_ = chyba;
        konec_ = dokonano = tKonec::Zadny;
        zmena_.notify_all();
        return;
    }
    // A Zrus that comes after this end finds the job gone: what it sent prints.
    poStornu_ = zrusena ? uloha_->PoStornu() : vytiskne;
    vytiskne_ = zrusena ? 0 : vytiskne;
    zamek.unlock();
    uloha_.reset();
}

void tUlohaNaPozadi::Pis(tKus& kus) {
    if (zrusit_)
        return;
    uloha_->PisEtikety(kus.bajty, kus.konceEtiket);
    predano_ += static_cast<long long>(kus.konceEtiket.size());
}

void tUlohaNaPozadi::Predej() {
    std::unique_lock zamek(zamek_);
    if (!Pockej(zamek, [this] { return fronta_.size() < NejviceKusu || chyba_; }))
        throw tZastaveno{};
    if (chyba_)
        std::rethrow_exception(chyba_);
    fronta_.push_back(std::move(kus_));
    kus_ = {};
    if (!volne_.empty()) {
        kus_ = std::move(volne_.back());
        volne_.pop_back();
    }
    zamek.unlock();
    zmena_.notify_all();
    kus_.bajty.clear();
    kus_.konceEtiket.clear();
    kus_.bajty.reserve(VelikostKusu);
}

void tUlohaNaPozadi::Write(const std::string& data) {
    // A piece is handed over before a write would outgrow it: growing it would copy it.
    if (!kus_.bajty.empty() && kus_.bajty.size() + data.size() > VelikostKusu)
        Predej();
    kus_.bajty += data;
    if (kus_.bajty.size() >= VelikostKusu)
        Predej();
}

std::string* tUlohaNaPozadi::MistoProEtiketu(size_t nejvic) {
    if (!kus_.bajty.empty() && kus_.bajty.size() + nejvic > VelikostKusu)
        Predej();
    return &kus_.bajty;
}

void tUlohaNaPozadi::KonecEtikety() {
    kus_.konceEtiket.push_back(kus_.bajty.size());
}

void tUlohaNaPozadi::Dokonci() {
    Ukonci(tKonec::Dokonci, true);
    std::unique_lock zamek(zamek_);
    if (!Pockej(zamek, [this] { return hotovo_ || konec_ == tKonec::Zadny; }))
        throw tZastaveno{};
    if (!hotovo_)
        std::rethrow_exception(chyba_);
    zamek.unlock();
    vlakno_.join();
    skoncila_ = true; // a failure above leaves it to Prerus
}

bool ProvedNaPozadi(const std::function<void(const std::atomic<bool>& zrusit)>& prace,
                    const tUlohaNaPozadi::tCekani& cekani) {
    std::mutex zamek;
    std::condition_variable zmena;
    bool hotovo = false;
    std::exception_ptr chyba;
    std::atomic<bool> zrusit = false;
    std::thread vlakno([&] {
        try {
            prace(zrusit);
        } catch (...) {
            chyba = std::current_exception();
        }
        const std::lock_guard konec(zamek);
        hotovo = true;
        zmena.notify_all();
    });
    {
        // However the wait is left, the work is told and waited for; the lock goes first.
        bool dockano = false;
        const tPriKonci spoj([&] {
            if (!dockano)
                zrusit = true;
            vlakno.join();
        });
        std::unique_lock cekam(zamek);
        while (!zmena.wait_for(cekam, KrokCekani, [&] { return hotovo; })) {
            cekam.unlock();
            if (!cekani())
                zrusit = true;
            cekam.lock();
        }
        dockano = true;
    }
    if (chyba && !zrusit)
        std::rethrow_exception(chyba);
    return !zrusit;
}
