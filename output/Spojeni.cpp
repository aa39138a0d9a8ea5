#include "output/Spojeni.h"

#include <cups/cups.h>

#include <optional>

namespace {

// How often libcups asks the deadline while a call waits on the server.
constexpr double KrokStraze = 0.1;

int KodChyby(int kodBezKodu) {
    const ipp_status_t kod = cupsLastError();
    return kod >= IPP_STATUS_REDIRECTION_OTHER_SITE ? kod : kodBezKodu;
}

} // namespace

// libcups asks its timeout callback, on the thread that makes the call, each time a wait for
// the server has lasted KrokStraze: the call ends when it says no. So the deadline and the
// cut-off are kept by the very thread that owns the socket, and nothing else touches it (a
// descriptor closed and reused by libcups could otherwise be cut).
struct tSpojeni::tStraz {
    tOdriznuti* odriznuti;
    int lhutaS;
    std::optional<tHodiny::time_point> termin; // set while a call runs; this thread's alone
    int krokuBezLhuty = 0;                     // waits of a call made without a tLhuta
    bool vyprselo = false;

    static int Cekat(http_t*, void* data) {
        auto& s = *static_cast<tStraz*>(data);
        if (s.odriznuti != nullptr && s.odriznuti->Odriznuto())
            return s.Vzdat();
        if (s.termin)
            return tHodiny::now() < *s.termin ? 1 : s.Vzdat();
        return ++s.krokuBezLhuty * KrokStraze < s.lhutaS ? 1 : s.Vzdat();
    }
    int Vzdat() {
        vyprselo = true;
        return 0;
    }
};

tSpojeni::tSpojeni(int limitSpojeniMs, int lhutaS, int kodBezKodu, tOdriznuti* odriznuti)
    : http_(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                         limitSpojeniMs, nullptr)),
      lhutaS_(lhutaS), straz_(std::make_unique<tStraz>(tStraz{odriznuti, lhutaS, {}, 0, false})) {
    if (http_ == nullptr)
        throw eRawPrinter::ZKodu(KodChyby(kodBezKodu));
    httpSetTimeout(http_, KrokStraze, tStraz::Cekat, straz_.get());
}

tSpojeni::~tSpojeni() {
    httpClose(http_);
}

void tOdriznuti::Odrizni() noexcept {
    odriznuto_ = true;
}

tSpojeni::tLhuta::tLhuta(const tSpojeni& spojeni) : tLhuta(spojeni, tHodiny::time_point::max()) {}

tSpojeni::tLhuta::tLhuta(const tSpojeni& spojeni, tHodiny::time_point termin) : spojeni_(spojeni) {
    tStraz& s = *spojeni_.straz_;
    s.vyprselo = false;
    s.krokuBezLhuty = 0;
    const auto ted = tHodiny::now();
    s.termin = std::min(termin, ted + std::chrono::seconds(spojeni_.lhutaS_));
    if (s.odriznuti != nullptr && s.odriznuti->Odriznuto())
        s.termin = ted;
}

tSpojeni::tLhuta::~tLhuta() {
    spojeni_.straz_->termin.reset();
}

bool tSpojeni::Vyprselo() const {
    return straz_->vyprselo;
}

eRawPrinter tSpojeni::Chyba(int kodBezKodu) const {
    if (Vyprselo())
        return eRawPrinter::Vyprselo(lhutaS_, IPP_STATUS_ERROR_TIMEOUT);
    return eRawPrinter::ZKodu(KodChyby(kodBezKodu));
}
