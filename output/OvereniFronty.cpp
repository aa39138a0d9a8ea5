#include "output/OvereniFronty.h"

#include "output/ChybaTiskarny.h"
#include "output/DotazServeru.h"
#include "output/Spojeni.h"

#include <cups/cups.h>

std::string OverFrontu(const std::string& frontaUtf8, tOdriznuti* odriznuti) {
    // Get-Printer-Attributes on the queue's own URI of our server: unlike a look-up by name
    // in libcups, it never searches the network for a name the server lacks.
    const tSpojeni spojeni(LimitSpojeniMs, LhutaTiskuS, IPP_STATUS_ERROR_SERVICE_UNAVAILABLE,
                           odriznuti);
    ipp_t* zadost =
        ZadostServeru(IPP_OP_GET_PRINTER_ATTRIBUTES, "printer-uri", "/printers/" + frontaUtf8);
    ippAddString(zadost, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "printer-name");
    const tOdpoved odpoved = PosliServeru(spojeni, zadost, IPP_STATUS_ERROR_SERVICE_UNAVAILABLE);
    const ipp_status_t kod = ippGetStatusCode(odpoved.get());
    ipp_attribute_t* jmeno = ippFindAttribute(odpoved.get(), "printer-name", IPP_TAG_NAME);
    std::string nazev = jmeno != nullptr ? ippGetString(jmeno, 0, nullptr) : frontaUtf8;
    if (kod == IPP_STATUS_ERROR_NOT_FOUND)
        throw eRawPrinter::ZKodu(IPP_STATUS_ERROR_NOT_FOUND);
    if (kod > IPP_STATUS_OK_EVENTS_COMPLETE)
        throw eRawPrinter::ZKodu(kod);
    return nazev;
}

bool FrontaNeexistuje(const eRawPrinter& e) {
    return e.Kod() == IPP_STATUS_ERROR_NOT_FOUND;
}

bool FrontaOdmita(const eRawPrinter& e) {
    return e.Kod() == IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS;
}
