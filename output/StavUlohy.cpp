#include "output/StavUlohy.h"

#include "core/Win1250.h"
#include "output/ChybaTiskarny.h"
#include "output/Spojeni.h"

#include <cups/cups.h>

#include <algorithm>
#include <array>
#include <memory>

namespace {

struct tSmazOdpoved {
    void operator()(ipp_t* odpoved) const { ippDelete(odpoved); }
};
using tOdpoved = std::unique_ptr<ipp_t, tSmazOdpoved>;

std::string Text(ipp_t* odpoved, const char* nazev) {
    ipp_attribute_t* a = ippFindAttribute(odpoved, nazev, IPP_TAG_ZERO);
    const char* text = a != nullptr ? ippGetString(a, 0, nullptr) : nullptr;
    return text != nullptr ? Utf8NaWin1250(text) : std::string();
}

std::vector<std::string> Slova(ipp_t* odpoved, const char* nazev) {
    std::vector<std::string> slova;
    ipp_attribute_t* a = ippFindAttribute(odpoved, nazev, IPP_TAG_KEYWORD);
    for (int i = 0; a != nullptr && i < ippGetCount(a); ++i)
        if (const char* slovo = ippGetString(a, i, nullptr); slovo != nullptr)
            slova.emplace_back(slovo);
    return slova;
}

int Cislo(ipp_t* odpoved, const char* nazev, int vychozi = 0) {
    ipp_attribute_t* a = ippFindAttribute(odpoved, nazev, IPP_TAG_ZERO);
    if (a == nullptr)
        return vychozi;
    const ipp_tag_t znacka = ippGetValueTag(a);
    return znacka == IPP_TAG_INTEGER || znacka == IPP_TAG_ENUM ? ippGetInteger(a, 0) : vychozi;
}

// One request on our connection within the deadline; the answer, or the error raised.
tOdpoved Zeptej(const tSpojeni& spojeni, ipp_t* zadost, const char* cesta) {
    tOdpoved odpoved;
    {
        const tSpojeni::tLhuta lhuta(spojeni);
        odpoved.reset(cupsDoRequest(*spojeni, zadost, cesta)); // frees the request
    }
    if (spojeni.Vyprselo() || odpoved == nullptr)
        throw spojeni.Chyba(IPP_STATUS_ERROR_INTERNAL);
    return odpoved;
}

void PridejPozadovane(ipp_t* zadost, const std::vector<const char*>& atributy) {
    ippAddStrings(zadost, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(atributy.size()), nullptr, atributy.data());
}

} // namespace

bool tUloha::MaDuvod(std::string_view duvod) const {
    return std::find(Duvody.begin(), Duvody.end(), duvod) != Duvody.end();
}

std::optional<tUloha> ZjistiUlohu(int id) {
    const tSpojeni spojeni(LimitSpojeniMs, LhutaTiskuS, IPP_STATUS_ERROR_INTERNAL);
    ipp_t* zadost = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/jobs/%d", id);
    ippAddString(zadost, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
    ippAddString(zadost, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    PridejPozadovane(zadost, {"job-id", "job-name", "job-state", "job-state-reasons",
                              "job-printer-state-message", "time-at-creation", "time-at-completed",
                              "job-printer-uri", "number-of-documents"});
    const tOdpoved o = Zeptej(spojeni, zadost, "/");
    const ipp_status_t kod = ippGetStatusCode(o.get());
    if (kod == IPP_STATUS_ERROR_NOT_FOUND)
        return std::nullopt;
    if (kod > IPP_STATUS_OK_EVENTS_COMPLETE)
        throw eRawPrinter::ZKodu(kod);

    tUloha u;
    u.Id = id;
    u.Nazev = Text(o.get(), "job-name");
    u.Stav =
        static_cast<tStavUlohy>(std::clamp(Cislo(o.get(), "job-state", IPP_JSTATE_PENDING),
                                           int{IPP_JSTATE_PENDING}, int{IPP_JSTATE_COMPLETED}));
    u.Duvody = Slova(o.get(), "job-state-reasons");
    u.ZpravaTiskarny = Text(o.get(), "job-printer-state-message");
    u.CasVytvoreni = Cislo(o.get(), "time-at-creation");
    u.CasDokonceni = Cislo(o.get(), "time-at-completed");
    u.PocetDokumentu = Cislo(o.get(), "number-of-documents");

    // The queue: the job's printer URI ends in its name ("/printers/NAME").
    ipp_attribute_t* tiskarna = ippFindAttribute(o.get(), "job-printer-uri", IPP_TAG_URI);
    const char* uriFronty = tiskarna != nullptr ? ippGetString(tiskarna, 0, nullptr) : nullptr;
    if (uriFronty == nullptr)
        return u;
    std::array<char, HTTP_MAX_URI> schema{}, uzivatel{}, pocitac{}, zdroj{};
    int port = 0;
    if (httpSeparateURI(HTTP_URI_CODING_ALL, uriFronty, schema.data(), schema.size(),
                        uzivatel.data(), uzivatel.size(), pocitac.data(), pocitac.size(), &port,
                        zdroj.data(), zdroj.size()) < HTTP_URI_STATUS_OK)
        return u;
    const std::string_view cesta(zdroj.data());
    u.Fronta = Utf8NaWin1250(std::string(cesta.substr(cesta.rfind('/') + 1)));

    ipp_t* dotaz = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(dotaz, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uriFronty);
    ippAddString(dotaz, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    PridejPozadovane(dotaz, {"printer-state", "printer-state-reasons", "printer-state-message",
                             "printer-is-accepting-jobs"});
    const tOdpoved f = Zeptej(spojeni, dotaz, "/");
    if (ippGetStatusCode(f.get()) > IPP_STATUS_OK_EVENTS_COMPLETE)
        return u; // a queue deleted since: the job's own state still stands
    u.StavFronty =
        static_cast<tStavFronty>(std::clamp(Cislo(f.get(), "printer-state", IPP_PSTATE_IDLE),
                                            int{IPP_PSTATE_IDLE}, int{IPP_PSTATE_STOPPED}));
    u.DuvodyFronty = Slova(f.get(), "printer-state-reasons");
    u.ZpravaFronty = Text(f.get(), "printer-state-message");
    ipp_attribute_t* prijima =
        ippFindAttribute(f.get(), "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
    u.PrijimaFronta = prijima == nullptr || ippGetBoolean(prijima, 0) != 0;
    return u;
}
