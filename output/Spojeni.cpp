#include "Spojeni.h"

#include "ChybaTiskarny.h"

#include <cups/cups.h>

namespace {

int Vzdej(http_t*, void*) {
    return 0;
} // a timeout ends the request

} // namespace

tSpojeni::tSpojeni(int limitSpojeniMs, double limitOdpovediS, int kodBezKodu)
    : http_(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                         limitSpojeniMs, nullptr)) {
    if (http_ == nullptr)
        throw eRawPrinter::ZKodu(KodChyby(kodBezKodu));
    httpSetTimeout(http_, limitOdpovediS, Vzdej, nullptr);
}

tSpojeni::~tSpojeni() {
    httpClose(http_);
}

int KodChyby(int kodBezKodu) {
    const ipp_status_t kod = cupsLastError();
    return kod >= IPP_STATUS_REDIRECTION_OTHER_SITE ? kod : kodBezKodu;
}
