#include "output/OznaceneUlohy.h"

#include "output/ChybaTiskarny.h"
#include "output/DotazServeru.h"
#include "output/Spojeni.h"

#include <cups/cups.h>

#include <iterator>
#include <string_view>

const char* const AtributZnacky = "oblepky-hlidac";

std::vector<tOznacenaUloha> DrzeneOznaceneUlohy() {
    const tSpojeni spojeni(LimitSpojeniMs, LhutaTiskuS, IPP_STATUS_ERROR_SERVICE_UNAVAILABLE);
    ipp_t* zadost = ZadostServeru(IPP_OP_GET_JOBS, "printer-uri", "/");
    ippAddString(zadost, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr,
                 "not-completed");
    ippAddBoolean(zadost, IPP_TAG_OPERATION, "my-jobs", 1);
    const char* const atributy[] = {"job-id", "job-uuid", "job-state", AtributZnacky};
    ippAddStrings(zadost, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  std::size(atributy), nullptr, atributy);
    const tOdpoved odpoved = PosliServeru(spojeni, zadost, IPP_STATUS_ERROR_SERVICE_UNAVAILABLE);
    const ipp_status_t kod = ippGetStatusCode(odpoved.get());
    std::vector<tOznacenaUloha> ulohy;
    // One group per job, each ended by a separator (or the response's end).
    tOznacenaUloha u;
    int stav = 0;
    auto uzavri = [&] {
        if (u.Id > 0 && stav == IPP_JSTATE_HELD && !u.Znacka.empty())
            ulohy.push_back(u);
        u = {};
        stav = 0;
    };
    for (ipp_attribute_t* a = ippFirstAttribute(odpoved.get()); a != nullptr;
         a = ippNextAttribute(odpoved.get())) {
        const char* nazev = ippGetName(a);
        if (nazev == nullptr) {
            uzavri();
            continue;
        }
        const std::string_view n(nazev);
        if (n == "job-id")
            u.Id = ippGetInteger(a, 0);
        else if (n == "job-state")
            stav = ippGetInteger(a, 0);
        else if (n == "job-uuid" || n == AtributZnacky) {
            const char* s = ippGetString(a, 0, nullptr);
            (n == "job-uuid" ? u.Uuid : u.Znacka) = s != nullptr ? s : "";
        }
    }
    uzavri();
    if (kod > IPP_STATUS_OK_EVENTS_COMPLETE && kod != IPP_STATUS_ERROR_NOT_FOUND)
        throw eRawPrinter::ZKodu(kod);
    return ulohy;
}
