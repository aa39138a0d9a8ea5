#include "output/Tiskarny.h"

#include "core/Win1250.h"
#include "output/ChybaTiskarny.h"
#include "output/Spojeni.h"

#include <cups/cups.h>

namespace {

// How long to wait for a print server that stops answering. The list is asked for while
// the settings dialog opens; any server answers it at once.
constexpr int LhutaS = 3;

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

std::vector<std::string> SeznamTiskaren(tOdriznuti* odriznuti) {
    // An empty list and a server that is down look alike in the list's answer; a connection
    // of our own tells them apart, and with a time limit a server that accepts but never
    // answers cannot block the program.
    tCile cile;
    const tSpojeni spojeni(LimitSpojeniMs, LhutaS, IPP_STATUS_ERROR_SERVICE_UNAVAILABLE, odriznuti);
    {
        const tSpojeni::tLhuta lhuta(spojeni);
        cile.pocet = cupsGetDests2(*spojeni, &cile.cile);
    }
    if (cile.pocet == 0) {
        // "Not found" is how the server says it has no queues.
        const ipp_status_t kod = cupsLastError();
        if (spojeni.Vyprselo() ||
            (kod >= IPP_STATUS_REDIRECTION_OTHER_SITE && kod != IPP_STATUS_ERROR_NOT_FOUND))
            throw spojeni.Chyba(kod);
        return {};
    }
    std::vector<std::string> nazvy;
    for (int i = 0; i < cile.pocet; ++i) {
        // Instances (name/instance from lpoptions) print on the same queue: one entry each.
        if (cile.cile[i].instance == nullptr)
            nazvy.emplace_back(cile.cile[i].name);
    }
    return nazvy;
}
