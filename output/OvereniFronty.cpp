#include "output/OvereniFronty.h"

#include "output/ChybaTiskarny.h"
#include "output/Spojeni.h"

#include <cups/cups.h>

std::string OverFrontu(const std::string& frontaUtf8, tOdriznuti* odriznuti) {
    // Get-Printer-Attributes on the queue's own URI of our server: unlike a look-up by name
    // in libcups, it never searches the network for a name the server lacks.
    const tSpojeni spojeni(LimitSpojeniMs, LhutaTiskuS, IPP_STATUS_ERROR_SERVICE_UNAVAILABLE,
                           odriznuti);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", frontaUtf8.c_str());
    ipp_t* zadost = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(zadost, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(zadost, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ippAddString(zadost, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "printer-name");
    ipp_t* odpoved = nullptr;
    {
        const tSpojeni::tLhuta lhuta(spojeni);
        odpoved = cupsDoRequest(*spojeni, zadost, "/"); // frees the request
    }
    const ipp_status_t kod =
        odpoved != nullptr ? ippGetStatusCode(odpoved) : IPP_STATUS_ERROR_SERVICE_UNAVAILABLE;
    ipp_attribute_t* jmeno = ippFindAttribute(odpoved, "printer-name", IPP_TAG_NAME);
    std::string nazev = jmeno != nullptr ? ippGetString(jmeno, 0, nullptr) : frontaUtf8;
    ippDelete(odpoved);
    if (spojeni.Vyprselo() || odpoved == nullptr)
        throw spojeni.Chyba(IPP_STATUS_ERROR_SERVICE_UNAVAILABLE);
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
