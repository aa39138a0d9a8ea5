#include "Tiskarny.h"

#include "../core/Win1250.h"
#include "RawPrinter.h"

#include <cups/cups.h>

namespace {

// How long to wait for a print server that does not answer at all, or stops answering.
constexpr int LimitSpojeniMs = 5000;
constexpr double LimitOdpovediS = 3.0;

int Vzdej(http_t*, void*) {
    return 0;
} // a timeout ends the request

} // namespace

std::vector<std::string> SeznamTiskaren() {
    // An empty list and a server that is down look alike in the list's answer; a connection
    // of our own tells them apart, and with a time limit a server that accepts but never
    // answers cannot block the program.
    http_t* spojeni = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                   LimitSpojeniMs, nullptr);
    if (spojeni == nullptr) {
        const ipp_status_t kod = cupsLastError();
        throw eRawPrinter::ZKodu(
            kod >= IPP_STATUS_REDIRECTION_OTHER_SITE ? kod : IPP_STATUS_ERROR_SERVICE_UNAVAILABLE);
    }
    httpSetTimeout(spojeni, LimitOdpovediS, Vzdej, nullptr);

    cups_dest_t* cile = nullptr;
    const int pocet = cupsGetDests2(spojeni, &cile);
    const ipp_status_t kod = cupsLastError();
    httpClose(spojeni);
    if (pocet == 0) {
        // "Not found" is how the server says it has no queues.
        if (kod >= IPP_STATUS_REDIRECTION_OTHER_SITE && kod != IPP_STATUS_ERROR_NOT_FOUND)
            throw eRawPrinter::ZKodu(kod);
        return {};
    }
    std::vector<std::string> nazvy;
    for (int i = 0; i < pocet; ++i) {
        // Instances (name/instance from lpoptions) print on the same queue: one entry each.
        if (cile[i].instance == nullptr)
            nazvy.push_back(Utf8NaWin1250(cile[i].name));
    }
    cupsFreeDests(pocet, cile);
    return nazvy;
}
