#include "output/StavUlohy.h"

#include "output/ChybaTiskarny.h"
#include "output/DotazServeru.h"
#include "output/Spojeni.h"

#include <cups/cups.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <memory>
#include <utility>

namespace {

std::string Text(ipp_attribute_t* a) {
    const char* text = ippGetString(a, 0, nullptr);
    return text != nullptr ? std::string(text) : std::string();
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

// The resource of a printer URI ("/printers/NAME"); empty when it is none.
std::string CestaUri(const std::string& uri) {
    std::array<char, HTTP_MAX_URI> schema{}, uzivatel{}, pocitac{}, zdroj{};
    int port = 0;
    if (httpSeparateURI(HTTP_URI_CODING_ALL, uri.c_str(), schema.data(), schema.size(),
                        uzivatel.data(), uzivatel.size(), pocitac.data(), pocitac.size(), &port,
                        zdroj.data(), zdroj.size()) < HTTP_URI_STATUS_OK)
        return {};
    return zdroj.data();
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

void PridejPozadovane(ipp_t* zadost, const std::vector<const char*>& atributy) {
    ippAddStrings(zadost, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(atributy.size()), nullptr, atributy.data());
}

// The queue's state into every job given.
void VyplnFrontu(ipp_t* f, std::vector<tUloha>& ulohy) {
    tUloha fronta;
    for (ipp_attribute_t* a = ippFirstAttribute(f); a != nullptr; a = ippNextAttribute(f)) {
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
    for (tUloha& u : ulohy) {
        u.StavFronty = fronta.StavFronty;
        u.DuvodyFronty = fronta.DuvodyFronty;
        u.ZpravaFronty = fronta.ZpravaFronty;
        u.PrijimaFronta = fronta.PrijimaFronta;
    }
}

ipp_t* DotazNaFrontu(const std::string& cestaFronty) {
    ipp_t* dotaz = ZadostServeru(IPP_OP_GET_PRINTER_ATTRIBUTES, "printer-uri", cestaFronty);
    PridejPozadovane(dotaz, {"printer-state", "printer-state-reasons", "printer-state-message",
                             "printer-is-accepting-jobs"});
    return dotaz;
}

bool Chyba(ipp_t* odpoved) {
    return ippGetStatusCode(odpoved) > IPP_STATUS_OK_EVENTS_COMPLETE;
}

// Each job is a group of its own; a separator (no name) or another group ends it. The queue
// URI of the last job into uriFronty.
std::vector<tUloha> UlohyZOdpovedi(ipp_t* o, const std::string& fronta, std::string& uriFronty) {
    std::vector<tUloha> ulohy;
    bool vUloze = false;
    for (ipp_attribute_t* a = ippFirstAttribute(o); a != nullptr; a = ippNextAttribute(o)) {
        if (ippGetGroupTag(a) != IPP_TAG_JOB || ippGetName(a) == nullptr) {
            vUloze = false;
            continue;
        }
        if (!vUloze) {
            ulohy.emplace_back();
            ulohy.back().Fronta = fronta;
            vUloze = true;
        }
        Vypln(ulohy.back(), uriFronty, a);
    }
    return ulohy;
}

void PridejCisla(ipp_t* zadost, const char* nazev, const std::vector<int>& cisla) {
    ippAddIntegers(zadost, IPP_TAG_OPERATION, IPP_TAG_INTEGER, nazev,
                   static_cast<int>(cisla.size()), cisla.data());
}

} // namespace

bool tUloha::MaDuvod(std::string_view duvod) const {
    return std::find(Duvody.begin(), Duvody.end(), duvod) != Duvody.end();
}

// A job that prints or has ended says all by itself; one that waits may wait on a stopped
// queue, which only the queue tells.
bool tUloha::ZavisiNaFronte() const {
    return !Skoncila() && Stav != tStavUlohy::Tiskne;
}

eFrontaNeni FrontaNeni(const std::string& fronta) {
    return eFrontaNeni("Fronta " + fronta + " na tiskovém serveru není");
}

tDotazyNaUlohy::tDotazyNaUlohy(tOdriznuti* odriznuti) : odriznuti_(odriznuti) {}
tDotazyNaUlohy::~tDotazyNaUlohy() = default;

const tSpojeni& tDotazyNaUlohy::Spojeni() {
    if (!spojeni_)
        spojeni_ = std::make_unique<tSpojeni>(LimitSpojeniMs, LhutaTiskuS,
                                              IPP_STATUS_ERROR_INTERNAL, odriznuti_);
    return *spojeni_;
}

_ipp_s* tDotazyNaUlohy::Posli(_ipp_s* zadost, tHodinyServeru::time_point termin) {
    ++pozadavku_;
    try {
        const tSpojeni& spojeni = Spojeni();
        return PosliServeru(spojeni, std::exchange(zadost, nullptr), IPP_STATUS_ERROR_INTERNAL, "/",
                            termin)
            .release();
    } catch (...) {
        ippDelete(zadost);
        spojeni_.reset(); // a call cut off halfway leaves the connection unusable
        throw;
    }
}

std::optional<tUloha> tDotazyNaUlohy::Uloha(int id, tHodinyServeru::time_point termin,
                                            bool sFrontou) {
    ipp_t* zadost = ZadostServeru(IPP_OP_GET_JOB_ATTRIBUTES, "job-uri", CestaUlohy(id));
    PridejPozadovane(zadost, AtributyUlohy);
    const tOdpoved o(Posli(zadost, termin));
    const ipp_status_t kod = ippGetStatusCode(o.get());
    if (kod == IPP_STATUS_ERROR_NOT_FOUND)
        return std::nullopt;
    if (kod > IPP_STATUS_OK_EVENTS_COMPLETE)
        throw eRawPrinter::ZKodu(kod);

    std::string uriFronty;
    std::vector<tUloha> u = UlohyZOdpovedi(o.get(), {}, uriFronty);
    u.resize(1); // an answer without the job's attributes: the job as asked for
    u[0].Id = id;
    const std::string cestaFronty = CestaUri(uriFronty);
    u[0].Fronta = cestaFronty.substr(cestaFronty.rfind('/') + 1);
    // A queue deleted since: the job's own state still stands.
    if (!cestaFronty.empty() && (sFrontou || u[0].ZavisiNaFronte())) {
        const tOdpoved f(Posli(DotazNaFrontu(cestaFronty), termin));
        if (!Chyba(f.get()))
            VyplnFrontu(f.get(), u);
    }
    return std::move(u[0]);
}

std::vector<tUloha> tDotazyNaUlohy::Fronta(const std::string& fronta, const tDotazFronty& dotaz,
                                           tHodinyServeru::time_point termin) {
    const std::string cesta = "/printers/" + fronta;
    // Get-Jobs on the queue, with requested-attributes atributy.
    const auto uloh = [&](ipp_t* zadost, const std::vector<const char*>& atributy) {
        PridejPozadovane(zadost, atributy);
        tOdpoved o(Posli(zadost, termin));
        if (ippGetStatusCode(o.get()) == IPP_STATUS_ERROR_NOT_FOUND)
            throw FrontaNeni(fronta);
        if (Chyba(o.get()))
            throw eRawPrinter::ZKodu(ippGetStatusCode(o.get()));
        return o;
    };
    // The ids alone cost the server nothing: the newest are picked from them.
    ipp_t* zadost = ZadostServeru(IPP_OP_GET_JOBS, "printer-uri", cesta);
    ippAddString(zadost, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr, "all");
    if (dotaz.NoveOd > 0)
        ippAddInteger(zadost, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "first-job-id", dotaz.NoveOd + 1);
    const tOdpoved o = uloh(zadost, {"job-id"});
    std::vector<int> ids;
    for (ipp_attribute_t* a = ippFindAttribute(o.get(), "job-id", IPP_TAG_INTEGER); a != nullptr;
         a = ippFindNextAttribute(o.get(), "job-id", IPP_TAG_INTEGER))
        if (ippGetInteger(a, 0) > dotaz.NoveOd)
            ids.push_back(ippGetInteger(a, 0));
    std::sort(ids.begin(), ids.end(), std::greater<>());
    if (ids.size() > size_t{NejviceUlohFronty})
        ids.resize(NejviceUlohFronty);
    for (const int id : dotaz.Obnovit)
        if (id <= dotaz.NoveOd)
            ids.push_back(id);
    // Details of jobs by their ids: the server loads each job's file for them, so they are
    // asked of the few the list shows, never of the whole history.
    std::vector<tUloha> ulohy;
    if (!ids.empty()) {
        zadost = ZadostServeru(IPP_OP_GET_JOBS, "printer-uri", cesta);
        PridejCisla(zadost, "job-ids", ids);
        std::string uriFronty; // the queue is the one asked of
        ulohy = UlohyZOdpovedi(uloh(zadost, AtributyUlohy).get(), fronta, uriFronty);
    }
    if (dotaz.NoveOd == 0 || !ulohy.empty()) {
        const tOdpoved f(Posli(DotazNaFrontu(cesta), termin));
        if (Chyba(f.get()))
            throw FrontaNeni(fronta);
        VyplnFrontu(f.get(), ulohy);
    }
    std::sort(ulohy.begin(), ulohy.end(),
              [](const tUloha& a, const tUloha& b) { return a.Id > b.Id; });
    return ulohy;
}

std::optional<tUloha> ZjistiUlohu(int id) {
    tDotazyNaUlohy dotazy;
    return dotazy.Uloha(id, tHodinyServeru::time_point::max(), true);
}

std::vector<tUloha> UlohyFronty(const std::string& fronta) {
    tDotazyNaUlohy dotazy;
    return dotazy.Fronta(fronta, {});
}

std::string NazevStavu(tStavUlohy stav) {
    switch (stav) {
    case tStavUlohy::Ceka:
        return "čeká";
    case tStavUlohy::Pozastavena:
        return "pozastavena";
    case tStavUlohy::Tiskne:
        return "tiskne se";
    case tStavUlohy::Zastavena:
        return "zastavena";
    case tStavUlohy::Zrusena:
        return "zrušena";
    case tStavUlohy::Prerusena:
        return "přerušena";
    case tStavUlohy::Vytistena:
        return "vytištěna";
    }
    return {};
}

std::string StavVSeznamu(const tUloha& u) {
    std::string stav = NazevStavu(u.Stav);
    if (!u.Skoncila() && u.StavFronty == tStavFronty::Zastavena)
        stav += ", fronta je zastavená";
    return stav;
}

std::string ZpravaTiskarny(const tUloha& u) {
    if (u.Stav == tStavUlohy::Vytistena)
        return {}; // what the printer said on the way belongs to the job's history
    const bool cekaNaZastavenou = !u.Skoncila() && u.StavFronty == tStavFronty::Zastavena;
    if (cekaNaZastavenou && (u.Stav != tStavUlohy::Tiskne || u.ZpravaTiskarny.empty()))
        return u.ZpravaFronty;
    return u.ZpravaTiskarny;
}
