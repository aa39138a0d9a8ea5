#include "output/Spojeni.h"

#include <cups/cups.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include <sys/socket.h>

namespace {

using tHodiny = std::chrono::steady_clock;

int Vzdej(http_t*, void*) {
    return 0;
} // a timeout ends the request

int KodChyby(int kodBezKodu) {
    const ipp_status_t kod = cupsLastError();
    return kod >= IPP_STATUS_REDIRECTION_OTHER_SITE ? kod : kodBezKodu;
}

} // namespace

// libcups keeps its time limit only while it reads a reply, not everywhere (a server that
// takes the request and then says nothing blocks cupsCreateJob for ever). A watchdog thread
// cuts such a call off by shutting the socket down; libcups may connect again and wait
// anew, so it keeps cutting until the call has returned.
struct tSpojeni::tHlidac {
    http_t* http;
    std::mutex zamek;
    std::condition_variable zmena;
    std::optional<tHodiny::time_point> termin; // set while a call runs
    bool vyprselo = false;
    bool odriznuto = false; // every call ends at once
    bool konec = false;
    std::thread vlakno{[this] { Hlidej(); }};

    explicit tHlidac(http_t* h) : http(h) {}
    ~tHlidac() {
        {
            const std::lock_guard z(zamek);
            konec = true;
        }
        zmena.notify_one();
        vlakno.join();
    }
    tHlidac(const tHlidac&) = delete;
    tHlidac& operator=(const tHlidac&) = delete;

    void Odrizni() {
        {
            const std::lock_guard z(zamek);
            odriznuto = true;
            if (termin)
                termin = tHodiny::now();
        }
        zmena.notify_one();
    }

    void Hlidej() {
        std::unique_lock z(zamek);
        while (!konec) {
            if (!termin) {
                zmena.wait(z);
            } else if (tHodiny::now() < *termin) {
                zmena.wait_until(z, *termin);
            } else {
                vyprselo = true;
                shutdown(httpGetFd(http), SHUT_RDWR);
                termin = tHodiny::now() + std::chrono::milliseconds(100);
            }
        }
    }
};

tSpojeni::tSpojeni(int limitSpojeniMs, int lhutaS, int kodBezKodu, tOdriznuti* odriznuti)
    : http_(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                         limitSpojeniMs, nullptr)),
      lhutaS_(lhutaS), odriznuti_(odriznuti) {
    if (http_ == nullptr)
        throw eRawPrinter::ZKodu(KodChyby(kodBezKodu));
    httpSetTimeout(http_, lhutaS, Vzdej, nullptr);
    hlidac_ = std::make_unique<tHlidac>(http_);
    if (odriznuti_) {
        const std::lock_guard z(odriznuti_->zamek_);
        odriznuti_->spojeni_.push_back(this);
        if (odriznuti_->odriznuto_)
            hlidac_->Odrizni();
    }
}

tSpojeni::~tSpojeni() {
    if (odriznuti_) {
        const std::lock_guard z(odriznuti_->zamek_);
        std::erase(odriznuti_->spojeni_, this);
    }
    hlidac_.reset();
    httpClose(http_);
}

void tOdriznuti::Odrizni() noexcept {
    const std::lock_guard z(zamek_);
    odriznuto_ = true;
    for (tSpojeni* spojeni : spojeni_)
        spojeni->hlidac_->Odrizni();
}

tSpojeni::tLhuta::tLhuta(const tSpojeni& spojeni) : spojeni_(spojeni) {
    tHlidac& h = *spojeni_.hlidac_;
    {
        const std::lock_guard z(h.zamek);
        h.vyprselo = false;
        h.termin = tHodiny::now() + (h.odriznuto ? tHodiny::duration::zero()
                                                 : std::chrono::seconds(spojeni_.lhutaS_));
    }
    h.zmena.notify_one();
}

tSpojeni::tLhuta::~tLhuta() {
    tHlidac& h = *spojeni_.hlidac_;
    const std::lock_guard z(h.zamek);
    h.termin.reset();
}

bool tSpojeni::Vyprselo() const {
    const std::lock_guard z(hlidac_->zamek);
    return hlidac_->vyprselo;
}

eRawPrinter tSpojeni::Chyba(int kodBezKodu) const {
    if (Vyprselo())
        return eRawPrinter::Vyprselo(lhutaS_, IPP_STATUS_ERROR_TIMEOUT);
    return eRawPrinter::ZKodu(KodChyby(kodBezKodu));
}
