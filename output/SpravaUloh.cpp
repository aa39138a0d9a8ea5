#include "output/SpravaUloh.h"

#include "output/ChybaTiskarny.h"
#include "output/DotazServeru.h"
#include "output/Spojeni.h"
#include "output/StavUlohy.h"

#include <cups/cups.h>

#include <string>

namespace {

// One operation on job `id` within the deadline; its IPP status.
ipp_status_t NaUloze(ipp_op_t operace, int id, tOdriznuti* odriznuti) {
    const tSpojeni spojeni(LimitSpojeniMs, LhutaTiskuS, IPP_STATUS_ERROR_INTERNAL, odriznuti);
    const tOdpoved odpoved =
        PosliServeru(spojeni, ZadostServeru(operace, "job-uri", CestaUlohy(id)),
                     IPP_STATUS_ERROR_INTERNAL, "/jobs");
    return ippGetStatusCode(odpoved.get());
}

eRawPrinter BezSouboru(int id, const char* proc) {
    return eRawPrinter("Úlohu " + std::to_string(id) +
                       " nelze vytisknout znovu: tiskový server už " + proc);
}

} // namespace

void ZrusUlohu(int id, tOdriznuti* odriznuti) {
    const ipp_status_t kod = NaUloze(IPP_OP_CANCEL_JOB, id, odriznuti);
    if (kod > IPP_STATUS_OK_EVENTS_COMPLETE)
        throw eRawPrinter::ZKodu(kod);
}

void VytiskniZnovu(int id, tOdriznuti* odriznuti) {
    const ipp_status_t kod = NaUloze(IPP_OP_RESTART_JOB, id, odriznuti);
    if (kod <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return;
    // The server says only "not possible"; its job history tells why.
    tDotazyNaUlohy dotazy(odriznuti);
    const std::optional<tUloha> u = dotazy.Uloha(id);
    if (!u)
        throw BezSouboru(id, "úlohu nezná (její historie byla smazána)");
    if (!u->Skoncila())
        throw eRawPrinter("Úloha " + std::to_string(id) +
                          " ještě neskončila, znovu ji vytisknout nejde");
    if (kod == IPP_STATUS_ERROR_NOT_POSSIBLE || kod == IPP_STATUS_ERROR_NOT_FOUND)
        throw BezSouboru(id, "nemá její soubory (uchovává je jen nějakou dobu)");
    throw eRawPrinter::ZKodu(kod);
}
