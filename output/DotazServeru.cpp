#include "output/DotazServeru.h"

#include "output/ChybaTiskarny.h"
#include "output/Spojeni.h"

#include <cups/cups.h>

ipp_t* ZadostServeru(ipp_op_t operace, const char* atribut, const std::string& cesta) {
    char uri[HTTP_MAX_URI];
    httpAssembleURI(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                    cesta.c_str());
    ipp_t* zadost = ippNewRequest(operace);
    ippAddString(zadost, IPP_TAG_OPERATION, IPP_TAG_URI, atribut, nullptr, uri);
    ippAddString(zadost, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    return zadost;
}

std::string CestaUlohy(int id) {
    return "/jobs/" + std::to_string(id);
}

tOdpoved PosliServeru(const tSpojeni& spojeni, ipp_t* zadost, int kodBezKodu, const char* zdroj,
                      std::chrono::steady_clock::time_point termin) {
    ipp_t* odpoved = nullptr;
    {
        const tSpojeni::tLhuta lhuta(spojeni, termin);
        odpoved = cupsDoRequest(*spojeni, zadost, zdroj); // frees the request
    }
    if (spojeni.Vyprselo() || odpoved == nullptr) {
        ippDelete(odpoved);
        throw spojeni.Chyba(kodBezKodu);
    }
    return tOdpoved(odpoved);
}
