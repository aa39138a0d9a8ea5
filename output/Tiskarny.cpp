#include "Tiskarny.h"

#include "../core/Win1250.h"
#include "ChybaTiskarny.h"
#include "Spojeni.h"

#include <cups/cups.h>

namespace {

// How long to wait for a print server that does not answer at all, or stops answering.
constexpr int LimitSpojeniMs = 5000;
constexpr double LimitOdpovediS = 3.0;

// The server's list of destinations, freed however the reading ends.
struct tCile {
    cups_dest_t* cile = nullptr;
    int pocet = 0;
    tCile() = default;
    tCile(const tCile&) = delete;
    tCile& operator=(const tCile&) = delete;
    ~tCile() { cupsFreeDests(pocet, cile); }
};

} // namespace

std::vector<std::string> SeznamTiskaren() {
    // An empty list and a server that is down look alike in the list's answer; a connection
    // of our own tells them apart, and with a time limit a server that accepts but never
    // answers cannot block the program.
    tCile cile;
    const tSpojeni spojeni(LimitSpojeniMs, LimitOdpovediS, IPP_STATUS_ERROR_SERVICE_UNAVAILABLE);
    cile.pocet = cupsGetDests2(*spojeni, &cile.cile);
    const ipp_status_t kod = cupsLastError();
    if (cile.pocet == 0) {
        // "Not found" is how the server says it has no queues.
        if (kod >= IPP_STATUS_REDIRECTION_OTHER_SITE && kod != IPP_STATUS_ERROR_NOT_FOUND)
            throw eRawPrinter::ZKodu(kod);
        return {};
    }
    std::vector<std::string> nazvy;
    for (int i = 0; i < cile.pocet; ++i) {
        // Instances (name/instance from lpoptions) print on the same queue: one entry each.
        if (cile.cile[i].instance == nullptr)
            nazvy.push_back(Utf8NaWin1250(cile.cile[i].name));
    }
    return nazvy;
}
