#include "output/Tiskarny.h"

#include "core/PriKonci.h"
#include "core/Win1250.h"
#include "output/ChybaTiskarny.h"
#include "output/OvereniFronty.h"
#include "output/Spojeni.h"

#include <cups/cups.h>

namespace {

// How long to wait for a print server that stops answering. The list is asked for while
// the settings dialog opens; any server answers it at once.
constexpr int LhutaS = 3;

// The plain queue names (instances left out) and the default queue, "" when there is none.
struct tFronty {
    std::vector<std::string> nazvy;
    std::string vychozi;
};

tFronty Fronty(tOdriznuti* odriznuti) {
    // An empty list and a server that is down look alike in the list's answer; a connection
    // of our own tells them apart, and with a time limit a server that accepts but never
    // answers cannot block the program.
    cups_dest_t* cile = nullptr;
    int pocet = 0;
    const tPriKonci uvolni([&] { cupsFreeDests(pocet, cile); }); // however the reading ends
    const tSpojeni spojeni(LimitSpojeniMs, LhutaS, IPP_STATUS_ERROR_SERVICE_UNAVAILABLE, odriznuti);
    {
        const tSpojeni::tLhuta lhuta(spojeni);
        pocet = cupsGetDests2(*spojeni, &cile);
    }
    if (pocet == 0) {
        // "Not found" is how the server says it has no queues.
        const ipp_status_t kod = cupsLastError();
        if (spojeni.Vyprselo() ||
            (kod >= IPP_STATUS_REDIRECTION_OTHER_SITE && kod != IPP_STATUS_ERROR_NOT_FOUND))
            throw spojeni.Chyba(kod);
        return {};
    }
    tFronty fronty;
    for (int i = 0; i < pocet; ++i) {
        // Instances (name/instance from lpoptions) print on the same queue: one entry each.
        if (cile[i].instance == nullptr)
            fronty.nazvy.emplace_back(cile[i].name);
        if (cile[i].is_default != 0)
            fronty.vychozi = cile[i].name;
    }
    return fronty;
}

} // namespace

std::vector<std::string> SeznamTiskaren(tOdriznuti* odriznuti) {
    return Fronty(odriznuti).nazvy;
}

std::string FrontaTisku(const std::string& tiskarna, tOdriznuti* odriznuti) {
    if (tiskarna.empty()) {
        const tFronty fronty = Fronty(odriznuti);
        if (fronty.vychozi.empty())
            throw eRawPrinter("Není nastavená žádná tiskárna a tiskový server nemá výchozí. "
                              "Zadejte název tiskárny v nastavení oblepky (v oblepky-tisk "
                              "volbou -p), nebo nastavte výchozí tiskárnu: lpoptions -d FRONTA");
        return fronty.vychozi;
    }
    // The name as it stands, asked of that queue alone: a near miss is no queue, and a job
    // costs the same on a server with many queues.
    return OverFrontu(FrontaZNastaveni(tiskarna), odriznuti);
}

std::optional<std::string> FrontaDoNastaveni(std::string_view utf8) {
    // Exact means the way back gives the same bytes: no nearest character, no composition.
    std::string win = Utf8NaWin1250(utf8);
    if (FrontaZNastaveni(win) != utf8)
        return std::nullopt;
    return win;
}

std::string FrontaZNastaveni(std::string_view tiskarna) {
    return Win1250NaUtf8(tiskarna);
}
