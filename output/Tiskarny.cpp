#include "Tiskarny.h"

#include "../core/Win1250.h"
#include "RawPrinter.h"

#include <cups/cups.h>

namespace {

// How long to wait for a print server that does not answer at all.
constexpr int LimitSpojeniMs = 5000;

} // namespace

std::vector<std::string> SeznamTiskaren() {
    // An empty list and a server that is down look alike in the list's answer; a connection
    // of our own tells them apart.
    http_t* spojeni = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                   LimitSpojeniMs, nullptr);
    if (spojeni == nullptr) {
        const ipp_status_t kod = cupsLastError();
        throw eRawPrinter::ZKodu(
            kod >= IPP_STATUS_REDIRECTION_OTHER_SITE ? kod : IPP_STATUS_ERROR_SERVICE_UNAVAILABLE);
    }
    httpClose(spojeni);

    cups_dest_t* cile = nullptr;
    const int pocet = cupsGetDests2(CUPS_HTTP_DEFAULT, &cile);
    if (pocet == 0) {
        // "Not found" is how the server says it has no queues.
        const ipp_status_t kod = cupsLastError();
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
