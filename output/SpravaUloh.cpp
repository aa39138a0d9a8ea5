#include "output/SpravaUloh.h"

#include "core/Win1250.h"
#include "output/ChybaTiskarny.h"
#include "output/Spojeni.h"
#include "output/StavUlohy.h"

#include <cups/cups.h>

#include <string>

namespace {

// One operation on job `id` within the deadline; its IPP status.
ipp_status_t NaUloze(ipp_op_t operace, int id) {
    const tSpojeni spojeni(LimitSpojeniMs, LhutaTiskuS, IPP_STATUS_ERROR_INTERNAL);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/jobs/%d", id);
    ipp_t* zadost = ippNewRequest(operace);
    ippAddString(zadost, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
    ippAddString(zadost, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ipp_t* odpoved = nullptr;
    {
        const tSpojeni::tLhuta lhuta(spojeni);
        odpoved = cupsDoRequest(*spojeni, zadost, "/jobs"); // frees the request
    }
    const ipp_status_t kod =
        odpoved != nullptr ? ippGetStatusCode(odpoved) : IPP_STATUS_ERROR_INTERNAL;
    ippDelete(odpoved);
    if (spojeni.Vyprselo() || odpoved == nullptr)
        throw spojeni.Chyba(IPP_STATUS_ERROR_INTERNAL);
    return kod;
}

eRawPrinter BezSouboru(int id, const char* proc) {
    return eRawPrinter("Úlohu " + std::to_string(id) +
                       " nelze vytisknout znovu: tiskový server už " + proc);
}

} // namespace

void ZrusUlohu(int id) {
    const ipp_status_t kod = NaUloze(IPP_OP_CANCEL_JOB, id);
    if (kod > IPP_STATUS_OK_EVENTS_COMPLETE)
        throw eRawPrinter::ZKodu(kod);
}

void VytiskniZnovu(int id) {
    const ipp_status_t kod = NaUloze(IPP_OP_RESTART_JOB, id);
    if (kod <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return;
    // The server says only "not possible"; its job history tells why.
    const std::optional<tUloha> u = ZjistiUlohu(id);
    if (!u)
        throw BezSouboru(id, "úlohu nezná (její historie byla smazána)");
    if (!u->Skoncila())
        throw eRawPrinter("Úloha " + std::to_string(id) +
                          " ještě neskončila, znovu ji vytisknout nejde");
    if (kod == IPP_STATUS_ERROR_NOT_POSSIBLE || kod == IPP_STATUS_ERROR_NOT_FOUND)
        throw BezSouboru(id, "nemá její soubory (uchovává je jen nějakou dobu)");
    throw eRawPrinter::ZKodu(kod);
}
