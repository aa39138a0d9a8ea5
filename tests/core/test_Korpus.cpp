// Hand-broken settings files: each loads with the values the reading rules give, and
// writing the layouts back keeps every line the program does not own.

#include "tests/podpora/DocasnyAdresar.h"

#include "core/IniSoubor.h"
#include "core/Nastaveni.h"
#include "core/Win1250.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace {

struct tOcekavani {
    std::string sekce, klic, hodnota; // hodnota as the program writes it (Windows-1250)
};

struct tPripad {
    std::string soubor;
    std::vector<tOcekavani> ocekavani; // empty: every layout and LastEtiketa as defaults
};

std::string W(const char* utf8) {
    return Utf8NaWin1250(utf8);
}

std::vector<tPripad> Pripady() {
    const tOcekavani nazev1 = {"Layout1", "Nazev", W("Formát oblepky č. 1")};
    const std::vector<tOcekavani> ceslaVychozi = {
        {"Config", "LastEtiketa", "0"},        {"Layout1", "Kodovani", "0"},
        {"Layout2", "PocetRadkuOblepky", "3"}, {"Layout3", "RadkuPred", "0"},
        {"Layout4", "StdPocet", "1"},          {"Layout5", "PoleSPoctem", "1"},
        {"Layout5", "HrDelka5", "80"},         {"Layout1", "HrZleva3", "0"}};
    return {
        {"prazdny.ini", {}},
        {"jen_komentare.ini", {}},
        {"binarni_smeti.ini", {}},
        {"jen_lf_cr_prazdne.ini", {}},
        {"prazdne_sekce.ini", {}},
        {"utf16.ini", {}},
        {"nula_na_zacatku.ini", {}},
        {"lastetiketa_mimo.ini", {}},
        {"smeti_a_sekce.ini", {{"Layout2", "Nazev", "Po smeti"}, nazev1}},
        {"nula_uprostred.ini",
         {{"Layout1", "Nazev", "Pred nulou"},
          {"Layout1", "PocetRadkuOblepky", "9"},
          {"Layout1", "StdPocet", "1"}}},
        {"jen_cr.ini",
         {{"Config", "LastEtiketa", "1"}, {"Layout1", "Nazev", "CR"}, {"Layout1", "RadkuPo", "4"}}},
        {"jen_lf.ini", {{"Layout1", "Nazev", "LF"}, {"Layout1", "RadkuPred", "2"}}},
        {"lf_cr.ini", {{"Layout1", "Nazev", "LF CR"}, {"Layout1", "StdPocet", "12"}}},
        {"smisene_konce.ini",
         {{"Layout1", "Nazev", "A"},
          {"Layout1", "Tiskarna", "B"},
          {"Layout1", "InitKody", "C"},
          {"Layout1", "KodyOdradkovani", "D"}}},
        {"bez_konce.ini", {{"Layout1", "RadkuPo", "1"}, {"Layout1", "Nazev", "Konec"}}},
        {"dlouhy_radek.ini",
         {{"Layout1", "HrText1", std::string(1 << 20, 'A')}, {"Layout1", "HrDelka1", "40"}}},
        {"dlouha_hlavicka.ini", {{"Layout1", "Nazev", "Za ni"}}},
        {"duplicitni_sekce.ini",
         {{"Layout1", "Nazev", "Prvni"},
          {"Layout1", "StdPocet", "1"},
          {"Layout2", "Nazev", "Dva"}}},
        {"duplicitni_klic.ini", {{"Layout1", "Nazev", "Prvni"}, {"Layout1", "StdPocet", "4"}}},
        {"prazdne_hodnoty.ini",
         {{"Layout1", "Nazev", ""},
          {"Layout1", "Field01", ""},
          {"Layout1", "Field02", W("Pole č. 2")},
          {"Layout1", "Tiskarna", ""},
          {"Layout1", "PocetRadkuOblepky", "3"},
          {"Layout1", "HrDelka1", "80"}}},
        {"preteceni.ini", ceslaVychozi},
        {"preteceni_zaporne.ini", ceslaVychozi},
        {"preteceni_dlouhe.ini", ceslaVychozi},
        {"zaporne.ini",
         {{"Config", "LastEtiketa", "0"},
          {"Layout1", "Kodovani", "-1"},
          {"Layout2", "PocetRadkuOblepky", "-1"},
          {"Layout3", "HrDelka3", "-1"},
          {"Layout5", "StdPocet", "-1"}}},
        {"meze.ini",
         {{"Layout1", "RadkuPred", "2147483647"},
          {"Layout1", "RadkuPo", "-2147483648"},
          {"Layout1", "StdPocet", "7"}}},
        {"hex.ini",
         {{"Layout1", "HrDelka1", "40"},
          {"Layout1", "HrDelka2", "40"},
          {"Layout1", "HrDelka3", "40"},
          {"Layout1", "HrDelka4", "40"},
          {"Layout1", "HrDelka5", "40"},
          {"Layout1", "StdPocet", "-1"},
          {"Layout1", "RadkuPred", "40"},
          {"Layout1", "RadkuPo", "0"},
          {"Layout1", "PoleSPoctem", "1"},
          {"Layout1", "HrZleva1", "0"}}},
        {"mezery.ini",
         {{"Layout1", "PocetRadkuOblepky", "5"},
          {"Layout1", "RadkuPred", "0"},
          {"Layout1", "StdPocet", "1"},
          nazev1,
          {"Layout1", "Tiskarna", " Mezera zustava "},
          {"Layout2", "PocetRadkuOblepky", "3"},
          {"Layout2", "RadkuPo", "0"}}},
        {"desetinna.ini",
         {{"Layout1", "PocetRadkuOblepky", "3"},
          {"Layout1", "StdPocet", "1"},
          {"Layout1", "RadkuPo", "0"},
          {"Layout1", "PoleSPoctem", "1"},
          {"Layout1", "HrDelka1", "80"}}},
        {"velka_mala.ini",
         {{"Config", "LastEtiketa", "2"},
          {"Layout1", "Nazev", "X"},
          {"Layout2", "Nazev", "Y"},
          {"Layout2", "Field01", "Z"},
          {"Layout3", "HrDelka3", "33"}}},
        {"mezery_v_hlavicce.ini",
         {{"Config", "LastEtiketa", "0"}, nazev1, {"Layout2", "Nazev", "V Layout2"}}},
        {"radky_pred_hlavickou.ini",
         {{"Config", "LastEtiketa", "0"}, nazev1, {"Layout3", "Nazev", "Treti"}}},
        {"cizi_klice.ini",
         {{"Layout1", "Nazev", "Zbozi"}, {"Layout2", "Nazev", W("Formát oblepky č. 2")}}},
        {"lastetiketa_16bit.ini", {{"Config", "LastEtiketa", "3"}}},
        {"kodovani_16bit.ini",
         {{"Layout1", "Kodovani", "5"},
          {"Layout2", "Kodovani", "-32768"},
          {"Layout3", "Kodovani", "-1"}}},
        {"bom_utf8.ini", {{"Config", "LastEtiketa", "0"}, {"Layout1", "Nazev", "Po BOM"}}},
        {"cestina.ini",
         {{"Layout1", "Nazev", W("Žluťoučký kůň")},
          {"Layout1", "Field01", W("Číslo zboží")},
          {"Layout2", "Nazev", W("ŠŤĚRBA")}}},
        {"divne_hlavicky.ini", {nazev1, {"Layout4", "Nazev", "Ctvrta"}}},
        {"rovnitka.ini", {{"Layout1", "InitKody", "a=b==c"}, {"Layout1", "KodyOdradkovani", "="}}},
        {"ridici_znaky.ini",
         {{"Layout1", "Nazev", "\x01\x1b[0m\tTab\xff"}, {"Layout1", "HrText1", "\x7f\x80\x81"}}},
        {"mnoho_sekci.ini",
         {{"Layout1", "Nazev", "Sekce 1"},
          {"Layout1", "StdPocet", "1"},
          {"Layout5", "Nazev", "Sekce 5"},
          {"Layout5", "StdPocet", "5"}}},
    };
}

// The sections of a file as the program writes it: header, lines, empty line.
struct tSekceTextu {
    std::string nazev;
    std::vector<std::string> radky;
};

std::vector<tSekceTextu> Sekce(const std::string& obsah) {
    std::vector<tSekceTextu> sekce;
    bool vSekci = false;
    size_t i = 0;
    while (i < obsah.size()) {
        size_t konec = obsah.find("\r\n", i);
        if (konec == std::string::npos)
            konec = obsah.size();
        std::string radek = obsah.substr(i, konec - i);
        i = konec + 2;
        if (!vSekci) {
            sekce.push_back({radek.substr(1, radek.size() - 2), {}});
            vSekci = true;
        } else if (radek.empty()) {
            vSekci = false;
        } else {
            sekce.back().radky.push_back(radek);
        }
    }
    return sekce;
}

// Lines of a section that the layouts' writer may replace; all others must survive it.
bool PatriProgramu(const std::string& sekce, const std::string& radek) {
    static const std::vector<std::string> klice = [] {
        std::vector<std::string> k = {
            "Nazev",   "Tiskarna",        "Kodovani", "PocetRadkuOblepky", "RadkuPred",
            "RadkuPo", "KodyOdradkovani", "InitKody", "StdPocet",          "PoleSPoctem"};
        for (int p = 1; p <= 20; ++p)
            k.push_back((p < 10 ? "Field0" : "Field") + std::to_string(p));
        for (int r = 1; r <= 5; ++r)
            for (const char* predpona : {"HrZleva", "HrDelka", "HrText"})
                k.push_back(predpona + std::to_string(r));
        return k;
    }();
    size_t rovnase = radek.find('=');
    if (rovnase == std::string::npos)
        return false;
    const std::string klic = radek.substr(0, rovnase);
    if (StejneBezVelikosti(sekce, "Config"))
        return StejneBezVelikosti(klic, "LastEtiketa");
    for (int n = 1; n <= 5; ++n)
        if (StejneBezVelikosti(sekce, "Layout" + std::to_string(n)))
            return std::any_of(klice.begin(), klice.end(),
                               [&](const std::string& k) { return StejneBezVelikosti(klic, k); });
    return false;
}

std::vector<std::string> CiziRadky(const tSekceTextu& s) {
    std::vector<std::string> cizi;
    for (const auto& r : s.radky)
        if (!PatriProgramu(s.nazev, r))
            cizi.push_back(r);
    return cizi;
}

void PrintTo(const tPripad& p, std::ostream* os) {
    *os << p.soubor;
}

class KorpusIni : public ::testing::TestWithParam<tPripad> {};

TEST_P(KorpusIni, NacteSeAZapisZachovaCiziKlice) {
    const tPripad& p = GetParam();
    tDocasnyAdresar adresar;
    const std::string kopie = adresar / "Oblepky.ini";
    std::filesystem::copy_file(std::string(OBLEPKY_KORPUS_INI) + "/" + p.soubor, kopie);

    tPopisEtiket popis;
    int16_t last = -5;
    tIniSoubor puvodni(kopie);
    ASSERT_NO_THROW(NactiNastaveni(puvodni, popis, last));
    EXPECT_TRUE(last >= 0 && last < PocetEtiket);

    {
        tIniSoubor ini(kopie);
        UlozNastaveni(ini, popis, last);
    }
    const std::string zapsano = PrectiBajty(kopie);

    // Every line ends in CR LF and nothing else breaks a line.
    size_t crlf = 0;
    for (size_t i = zapsano.find("\r\n"); i != std::string::npos; i = zapsano.find("\r\n", i + 2))
        ++crlf;
    EXPECT_EQ(std::count(zapsano.begin(), zapsano.end(), '\r'), crlf);
    EXPECT_EQ(std::count(zapsano.begin(), zapsano.end(), '\n'), crlf);
    EXPECT_EQ(zapsano.find('\0'), std::string::npos);

    auto pred = Sekce(puvodni.Obsah());
    auto po = Sekce(zapsano);
    ASSERT_GE(po.size(), pred.size());
    for (size_t i = 0; i < pred.size(); ++i) {
        ASSERT_EQ(po[i].nazev, pred[i].nazev);
        EXPECT_EQ(CiziRadky(po[i]), CiziRadky(pred[i])) << "section " << pred[i].nazev;
    }

    tIniSoubor znovu(kopie);
    for (const auto& o : p.ocekavani)
        EXPECT_EQ(znovu.ReadString(o.sekce, o.klic, "(chybi)"), o.hodnota)
            << o.sekce << "/" << o.klic;

    if (p.ocekavani.empty()) {
        tPopisEtiket vychozi;
        int16_t lastVychozi = -5;
        NactiNastaveni(tIniSoubor::ZTextu("x.ini", ""), vychozi, lastVychozi);
        EXPECT_EQ(popis, vychozi);
        EXPECT_EQ(last, 0);
    }

    tPopisEtiket podruhe;
    int16_t lastPodruhe = -5;
    NactiNastaveni(znovu, podruhe, lastPodruhe);
    EXPECT_EQ(podruhe, popis);
    EXPECT_EQ(lastPodruhe, last);
}

INSTANTIATE_TEST_SUITE_P(Soubory, KorpusIni, ::testing::ValuesIn(Pripady()), [](const auto& info) {
    std::string jmeno = info.param.soubor;
    jmeno = jmeno.substr(0, jmeno.find('.'));
    std::replace(jmeno.begin(), jmeno.end(), '-', '_');
    return jmeno;
});

TEST(KorpusIni, KazdySouborMaOcekavani) {
    std::set<std::string> vTabulce;
    for (const auto& p : Pripady())
        vTabulce.insert(p.soubor);
    std::set<std::string> naDisku;
    for (const auto& f : std::filesystem::directory_iterator(OBLEPKY_KORPUS_INI))
        naDisku.insert(f.path().filename().string());
    EXPECT_EQ(naDisku, vTabulce);
    EXPECT_GE(naDisku.size(), 30u);
}

} // namespace
