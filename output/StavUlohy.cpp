#include "output/StavUlohy.h"

#include "core/Win1250.h"
#include "output/ChybaTiskarny.h"
#include "output/Spojeni.h"

#include <cups/cups.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

namespace {

struct tSmazOdpoved {
    void operator()(ipp_t* odpoved) const { ippDelete(odpoved); }
};
using tOdpoved = std::unique_ptr<ipp_t, tSmazOdpoved>;

std::string Text(ipp_attribute_t* a) {
    const char* text = ippGetString(a, 0, nullptr);
    return text != nullptr ? Utf8NaWin1250(text) : std::string();
}

std::vector<std::string> Slova(ipp_attribute_t* a) {
    std::vector<std::string> slova;
    for (int i = 0; i < ippGetCount(a); ++i)
        if (const char* slovo = ippGetString(a, i, nullptr); slovo != nullptr)
            slova.emplace_back(slovo);
    return slova;
}

int Cislo(ipp_attribute_t* a, int vychozi = 0) {
    const ipp_tag_t znacka = ippGetValueTag(a);
    return znacka == IPP_TAG_INTEGER || znacka == IPP_TAG_ENUM ? ippGetInteger(a, 0) : vychozi;
}

// The queue's name from a printer URI ("…/printers/NAME"); empty when it is none.
std::string JmenoFronty(const char* uri) {
    std::array<char, HTTP_MAX_URI> schema{}, uzivatel{}, pocitac{}, zdroj{};
    int port = 0;
    if (uri == nullptr ||
        httpSeparateURI(HTTP_URI_CODING_ALL, uri, schema.data(), schema.size(), uzivatel.data(),
                        uzivatel.size(), pocitac.data(), pocitac.size(), &port, zdroj.data(),
                        zdroj.size()) < HTTP_URI_STATUS_OK)
        return {};
    const std::string_view cesta(zdroj.data());
    return std::string(cesta.substr(cesta.rfind('/') + 1));
}

// One job attribute into u; the queue's URI (UTF-8) into uriFronty.
void Vypln(tUloha& u, std::string& uriFronty, ipp_attribute_t* a) {
    const char* nazev = ippGetName(a);
    const auto je = [nazev](const char* jmeno) { return std::strcmp(nazev, jmeno) == 0; };
    if (je("job-id"))
        u.Id = Cislo(a);
    else if (je("job-name"))
        u.Nazev = Text(a);
    else if (je("job-state"))
        u.Stav = static_cast<tStavUlohy>(std::clamp(
            Cislo(a, IPP_JSTATE_PENDING), int{IPP_JSTATE_PENDING}, int{IPP_JSTATE_COMPLETED}));
    else if (je("job-state-reasons"))
        u.Duvody = Slova(a);
    else if (je("job-printer-state-message"))
        u.ZpravaTiskarny = Text(a);
    else if (je("time-at-creation"))
        u.CasVytvoreni = Cislo(a);
    else if (je("time-at-completed"))
        u.CasDokonceni = Cislo(a);
    else if (je("number-of-documents"))
        u.PocetDokumentu = Cislo(a);
    else if (je("job-uuid") && ippGetString(a, 0, nullptr) != nullptr)
        u.Uuid = ippGetString(a, 0, nullptr);
    else if (je("time-at-processing"))
        u.CasZpracovani = Cislo(a);
    else if (je("job-printer-uri") && ippGetString(a, 0, nullptr) != nullptr)
        uriFronty = ippGetString(a, 0, nullptr);
}

const std::vector<const char*> AtributyUlohy = {"job-id",
                                                "job-name",
                                                "job-state",
                                                "job-state-reasons",
                                                "job-printer-state-message",
                                                "time-at-creation",
                                                "time-at-completed",
                                                "job-printer-uri",
                                                "number-of-documents",
                                                "job-uuid",
                                                "time-at-processing"};

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

ipp_t* Zadost(ipp_op_t operace, const char* atribut, const char* uri) {
    ipp_t* zadost = ippNewRequest(operace);
    ippAddString(zadost, IPP_TAG_OPERATION, IPP_TAG_URI, atribut, nullptr, uri);
    ippAddString(zadost, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    return zadost;
}

void PridejPozadovane(ipp_t* zadost, const std::vector<const char*>& atributy) {
    ippAddStrings(zadost, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(atributy.size()), nullptr, atributy.data());
}

// The queue's state into every job given; false when the server has no such queue.
bool VyplnFrontu(const tSpojeni& spojeni, const char* uriFronty,
                 const std::vector<tUloha*>& ulohy) {
    ipp_t* dotaz = Zadost(IPP_OP_GET_PRINTER_ATTRIBUTES, "printer-uri", uriFronty);
    PridejPozadovane(dotaz, {"printer-state", "printer-state-reasons", "printer-state-message",
                             "printer-is-accepting-jobs"});
    const tOdpoved f = Zeptej(spojeni, dotaz, "/");
    if (ippGetStatusCode(f.get()) > IPP_STATUS_OK_EVENTS_COMPLETE)
        return false;
    tUloha fronta;
    for (ipp_attribute_t* a = ippFirstAttribute(f.get()); a != nullptr;
         a = ippNextAttribute(f.get())) {
        const char* nazev = ippGetName(a);
        if (nazev == nullptr)
            continue;
        if (std::strcmp(nazev, "printer-state") == 0)
            fronta.StavFronty = static_cast<tStavFronty>(std::clamp(
                Cislo(a, IPP_PSTATE_IDLE), int{IPP_PSTATE_IDLE}, int{IPP_PSTATE_STOPPED}));
        else if (std::strcmp(nazev, "printer-state-reasons") == 0)
            fronta.DuvodyFronty = Slova(a);
        else if (std::strcmp(nazev, "printer-state-message") == 0)
            fronta.ZpravaFronty = Text(a);
        else if (std::strcmp(nazev, "printer-is-accepting-jobs") == 0)
            fronta.PrijimaFronta = ippGetBoolean(a, 0) != 0;
    }
    for (tUloha* u : ulohy) {
        u->StavFronty = fronta.StavFronty;
        u->DuvodyFronty = fronta.DuvodyFronty;
        u->ZpravaFronty = fronta.ZpravaFronty;
        u->PrijimaFronta = fronta.PrijimaFronta;
    }
    return true;
}

std::string UriFronty(const std::string& frontaUtf8) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", frontaUtf8.c_str());
    return uri;
}

} // namespace

bool tUloha::MaDuvod(std::string_view duvod) const {
    return std::find(Duvody.begin(), Duvody.end(), duvod) != Duvody.end();
}

std::optional<tUloha> ZjistiUlohu(int id) {
    const tSpojeni spojeni(LimitSpojeniMs, LhutaTiskuS, IPP_STATUS_ERROR_INTERNAL);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/jobs/%d", id);
    ipp_t* zadost = Zadost(IPP_OP_GET_JOB_ATTRIBUTES, "job-uri", uri);
    PridejPozadovane(zadost, AtributyUlohy);
    const tOdpoved o = Zeptej(spojeni, zadost, "/");
    const ipp_status_t kod = ippGetStatusCode(o.get());
    if (kod == IPP_STATUS_ERROR_NOT_FOUND)
        return std::nullopt;
    if (kod > IPP_STATUS_OK_EVENTS_COMPLETE)
        throw eRawPrinter::ZKodu(kod);

    tUloha u;
    std::string uriFronty;
    for (ipp_attribute_t* a = ippFirstAttribute(o.get()); a != nullptr;
         a = ippNextAttribute(o.get()))
        if (ippGetGroupTag(a) == IPP_TAG_JOB && ippGetName(a) != nullptr)
            Vypln(u, uriFronty, a);
    u.Id = id;
    u.Fronta = Utf8NaWin1250(JmenoFronty(uriFronty.c_str()));
    // A queue deleted since: the job's own state still stands.
    if (!uriFronty.empty())
        VyplnFrontu(spojeni, uriFronty.c_str(), {&u});
    return u;
}

std::vector<tUloha> UlohyFronty(const std::string& fronta) {
    const tSpojeni spojeni(LimitSpojeniMs, LhutaTiskuS, IPP_STATUS_ERROR_INTERNAL);
    const std::string uri = UriFronty(Win1250NaUtf8(fronta));
    ipp_t* zadost = Zadost(IPP_OP_GET_JOBS, "printer-uri", uri.c_str());
    ippAddString(zadost, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr, "all");
    PridejPozadovane(zadost, AtributyUlohy);
    const tOdpoved o = Zeptej(spojeni, zadost, "/");
    const ipp_status_t kod = ippGetStatusCode(o.get());
    if (kod > IPP_STATUS_OK_EVENTS_COMPLETE)
        throw eRawPrinter::ZKodu(kod);

    // Each job is a group of its own; a separator (no name) or another group ends it.
    std::vector<tUloha> ulohy;
    std::string uriUlohy;
    bool vUloze = false;
    for (ipp_attribute_t* a = ippFirstAttribute(o.get()); a != nullptr;
         a = ippNextAttribute(o.get())) {
        if (ippGetGroupTag(a) != IPP_TAG_JOB || ippGetName(a) == nullptr) {
            vUloze = false;
            continue;
        }
        if (!vUloze) {
            ulohy.emplace_back();
            ulohy.back().Fronta = fronta;
            vUloze = true;
        }
        Vypln(ulohy.back(), uriUlohy, a);
    }
    std::vector<tUloha*> vsechny;
    vsechny.reserve(ulohy.size());
    for (tUloha& u : ulohy)
        vsechny.push_back(&u);
    if (!VyplnFrontu(spojeni, uri.c_str(), vsechny))
        throw eRawPrinter::ZKodu(IPP_STATUS_ERROR_NOT_FOUND);
    return ulohy;
}

std::string NazevStavu(tStavUlohy stav) {
    switch (stav) {
    case tStavUlohy::Ceka:
        return Utf8NaWin1250("čeká");
    case tStavUlohy::Pozastavena:
        return Utf8NaWin1250("pozastavena");
    case tStavUlohy::Tiskne:
        return Utf8NaWin1250("tiskne se");
    case tStavUlohy::Zastavena:
        return Utf8NaWin1250("zastavena");
    case tStavUlohy::Zrusena:
        return Utf8NaWin1250("zrušena");
    case tStavUlohy::Prerusena:
        return Utf8NaWin1250("přerušena");
    case tStavUlohy::Vytistena:
        return Utf8NaWin1250("vytištěna");
    }
    return {};
}

std::string ZpravaTiskarny(const tUloha& u) {
    const bool cekaNaZastavenou = !u.Skoncila() && u.StavFronty == tStavFronty::Zastavena;
    if (cekaNaZastavenou && (u.Stav != tStavUlohy::Tiskne || u.ZpravaTiskarny.empty()))
        return u.ZpravaFronty;
    return u.ZpravaTiskarny;
}
