#include "Sledovani.h"

namespace {

tSledovani* aktualni = nullptr;

void ObsluhaKurzoru(bool cekej) {
    if (aktualni == nullptr)
        return;
    ++(cekej ? aktualni->cekej : aktualni->normalni);
    aktualni->kurzorCeka = cekej;
}

} // namespace

tSluzbyTisku SluzbyPro(tSledovani& s) {
    aktualni = &s;
    NastavObsluhuKurzoru(ObsluhaKurzoru);
    tSluzbyTisku sluzby;
    sluzby.VytvorUlohu = [&s](const std::string& dokument, const std::string& tiskarna) {
        return std::make_unique<tSledovanaUloha>(s, dokument, tiskarna);
    };
    sluzby.UkazDokonceni = [&s](long long pocet) { s.dokonceno = pocet; };
    return sluzby;
}
