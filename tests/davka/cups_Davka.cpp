// oblepky-tisk as a script runs it: a copy of the executable with its own settings file, its
// exit status, standard output and error, and what reaches the queue or the job's file,
// compared with the program's own run of the same layout and table and with its preview.

#include "core/Kodovani.h"
#include "core/Nastaveni.h"
#include "core/Win1250.h"
#include "output/Nahled.h"
#include "output/RawPrinter.h"
#include "tests/behy/VzorovaEtiketa.h"
#include "tests/podpora/DocasnyAdresar.h"
#include "tests/tisk/CupsTest.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/wait.h>

using namespace behy_test;
namespace fs = std::filesystem;

namespace {

const std::string Fronta = "Davka", FrontaProgramu = "DavkaProgram";

// The preview window's text of a table run of the layout, in UTF-8.
std::string TextNahledu(const tPopisOblepky& popis, const tTabulka& tabulka) {
    std::string text;
    const tNahled nahled =
        ZachytNahled(popis, [&](const tSluzbyTisku& s) { TiskniTabulku(popis, 1, tabulka, s); });
    for (const tUsekNahledu& usek : VykresliNahled(nahled))
        text += Win1250NaUtf8(usek.Text);
    return text;
}

// UTF-8, as a stock system exports it; the second row's count is no number.
const std::string TextTabulky = "2\tJablko\t15\r\nx\tHruška\t7\r\n1\tŽlutý meloun\t120\n";
// A CSV as LibreOffice saves it: letters that Windows-1250 lacks, a narrow no-break space.
const std::string TextCsv = "Počet,Název,Cena\n1,Crème brûlée,\"1\u202F234,50 Kč\"\n";

// Layout 1 prints the table (count in column 1), layout 2 has a template whose width is no
// number, layout 3 is the worked example of a manual label.
tStav Nastaveni() {
    tStav stav;
    tPopisOblepky& tabulkou = stav.PopisEtiket[0];
    tabulkou = VzorovaEtiketa(Fronta);
    tabulkou.Kodovani = static_cast<int16_t>(tKodovani::Cp852);
    tabulkou.PoleSPoctem = 1;
    tabulkou.StdPocet = 1;
    tabulkou.Radky[1].HrText = "{2}";
    tabulkou.Radky[2].HrText = "Cena: {3,5*}";
    stav.PopisEtiket[1] = tabulkou;
    stav.PopisEtiket[1].Radky[2].HrText = "Cena: {3,x}";
    stav.PopisEtiket[2] = VzorovaEtiketa(Fronta);
    stav.Zmeneno = true;
    return stav;
}

struct tVysledek {
    int stav = -1;
    std::string vystup, chyby;
};

// Runs the shell command line in the directory; the executable there is ./oblepky-tisk.
tVysledek Spust(const tDocasnyAdresar& adresar, const std::string& prikaz) {
    const std::string radek =
        "cd '" + adresar.Cesta().string() + "' && { " + prikaz + "; } >stdout.txt 2>stderr.txt";
    const int stav = std::system(radek.c_str());
    return {WIFEXITED(stav) ? WEXITSTATUS(stav) : -1, PrectiBajty(adresar / "stdout.txt"),
            PrectiBajty(adresar / "stderr.txt")};
}

TEST(Davka, JakoProgram) {
    cups_test::PridejFrontu(Fronta);
    cups_test::PridejFrontu(FrontaProgramu);
    cups_test::VymazZachycene(Fronta);

    // What the program's table run sends for the same layout and the same text on the clipboard.
    const tStav stav = Nastaveni();
    tPopisOblepky popis = stav.PopisEtiket[0];
    popis.Tiskarna = FrontaProgramu;
    tTabulka tabulka;
    tabulka.NactiText(Utf8NaWin1250(TextTabulky));
    tZaznam zaznam;
    tSluzbyTisku sluzby = Sluzby(zaznam);
    sluzby.VytvorUlohu = [](const std::string& nazev, const std::string& tiskarna) {
        return std::make_unique<tRawPrinter>(nazev, tiskarna);
    };
    TiskniTabulku(popis, 1, tabulka, sluzby);
    const auto ulohyProgramu = cups_test::CekejNaUlohy(FrontaProgramu, 1);
    ASSERT_EQ(ulohyProgramu.size(), 1u);
    const std::string bajty = ulohyProgramu[0];
    const std::string nazev = cups_test::NazvyUloh(FrontaProgramu).back();
    ASSERT_EQ(nazev, "Oblepky pro zboží (3 ks)");
    const std::string rucne = "\x1B@\r\n" + VzorovyBlok + VzorovyBlok;
    const std::string nahled = TextNahledu(stav.PopisEtiket[0], tabulka);
    const std::string nahledChyby = TextNahledu(stav.PopisEtiket[1], tabulka);
    ASSERT_NE(nahledChyby.find("'x' is not a valid integer value"), std::string::npos);

    enum tTisk { Nic, Tabulka, Rucne, DoSouboru, ZadnySoubor, Csv };
    const struct {
        const char* nazev;
        std::string prikaz;
        int stav;
        std::string vystup, chyby; // chyby: the start of standard error
        tTisk tisk = Nic;
    } pripady[] = {
        {"tabulka", "./oblepky-tisk tabulka.txt", 0, "Počet etiket: 3\n", "", Tabulka},
        {"rouraNaVstupu", "cat tabulka.txt | ./oblepky-tisk -", 0, "Počet etiket: 3\n", "",
         Tabulka},
        {"presmerovanyVstup", "./oblepky-tisk --layout=1 - <tabulka.txt", 0, "Počet etiket: 3\n",
         "", Tabulka},
        {"doSouboru", "./oblepky-tisk -o uloha.bin tabulka.txt", 0, "Počet etiket: 3\n", "",
         DoSouboru},
        {"rucne", "./oblepky-tisk -l 3 -f 1=Jablko --field 2=15 -c 2", 0, "Počet etiket: 2\n", "",
         Rucne},
        {"chybiFronta", "./oblepky-tisk -p TaFrontaNeni tabulka.txt", 4, "Počet etiket: 0\n",
         "Chyba při komunikaci s tiskárnou ("},
        {"spatnaSablona", "./oblepky-tisk -l 2 -o uloha.bin tabulka.txt", 5, "Počet etiket: 0\n",
         "'x' is not a valid integer value.\n", ZadnySoubor},
        {"nahled", "./oblepky-tisk -n tabulka.txt", 0, nahled, ""},
        {"nahledChybySablony", "./oblepky-tisk --preview -l 2 - <tabulka.txt", 5, nahledChyby,
         "'x' is not a valid integer value.\n"},
        {"plnyDisk", "./oblepky-tisk -o /dev/full tabulka.txt", 4, "Počet etiket: 0\n",
         "Stream write error.\n"},
        {"souborNejdeCist", "./oblepky-tisk .", 3, "", "Soubor . nelze přečíst (21)\n"},
        {"souborNeni", "./oblepky-tisk neni.txt", 3, "", "Cannot open file neni.txt.\n"},
        {"nastaveniNejdeCist", "rm Oblepky.ini && mkdir Oblepky.ini && ./oblepky-tisk tabulka.txt",
         3, "", "Cannot open file "},
        {"bezVoleb", "./oblepky-tisk", 2, "", "Zadejte soubor s tabulkou"},
        {"formatMimo", "./oblepky-tisk -l 6 tabulka.txt", 2, "",
         "Formát (-l) musí být číslo od 1 do 5, ne „6“.\n"},
        {"poleITabulka", "./oblepky-tisk -f 1=a tabulka.txt", 2, "", "Pole (-f) patří"},
        {"neznamaVolba", "./oblepky-tisk --barva tabulka.txt", 2, "", "Neznámá volba „barva“."},
        {"csvZLibreOffice", "./oblepky-tisk -o uloha.bin libre.csv", 0, "Počet etiket: 1\n",
         "Upozornění: znaků bez přesné podoby ve Windows-1250: 3; tisknou se jako nejbližší "
         "znak, nebo „?“\n",
         Csv},
        {"otevreneUvozovky", "printf 'a,\"b\\n' >o.csv && ./oblepky-tisk -o uloha.bin o.csv", 3, "",
         "V souboru o.csv zůstaly otevřené uvozovky (od řádku 1)\n", ZadnySoubor},
        {"podrobne", "./oblepky-tisk --verbose -o uloha.bin tabulka.txt", 0, "Počet etiket: 3\n",
         "tabulka.txt: kódování UTF-8 (platné UTF-8), formát jako schránka, buňky oddělené TAB "
         "(podle přípony souboru)\n",
         DoSouboru},
        {"csvZVolby",
         "./oblepky-tisk --verbose --format=csv --separator=';' -o uloha.bin - <libre.csv", 0,
         "Počet etiket: 0\n",
         "(standardní vstup): kódování UTF-8 (platné UTF-8), formát CSV (volba --format), "
         "oddělovač „;“ (volba --separator)\n"},
        {"spatnyFormat", "./oblepky-tisk --format xls tabulka.txt", 2, "",
         "Tvar (--format) je tsv nebo csv, ne „xls“.\n"},
        {"napoveda", "./oblepky-tisk --help | head -n 1", 0,
         "Použití: ./oblepky-tisk [VOLBY] [SOUBOR]\n", ""},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        const tDocasnyAdresar adresar;
        fs::copy_file(OBLEPKY_TISK, adresar / "oblepky-tisk");
        tUlozisteNastaveni(adresar / NazevSouboruNastaveni).Uloz(stav, {});
        const std::string ini = PrectiBajty(adresar / NazevSouboruNastaveni);
        ZapisBajty(adresar / "tabulka.txt", TextTabulky);
        ZapisBajty(adresar / "libre.csv", TextCsv);
        const size_t uloh = cups_test::NazvyUloh(Fronta).size();

        const tVysledek v = Spust(adresar, p.prikaz);
        EXPECT_EQ(v.stav, p.stav);
        EXPECT_EQ(v.vystup, p.vystup);
        EXPECT_TRUE(v.chyby.starts_with(p.chyby)) << v.chyby;
        if (p.chyby.empty()) {
            EXPECT_EQ(v.chyby, "");
        }
        if (fs::is_regular_file(adresar / NazevSouboruNastaveni)) {
            EXPECT_EQ(PrectiBajty(adresar / NazevSouboruNastaveni), ini); // never written
        }
        if (p.tisk == Tabulka || p.tisk == Rucne) {
            EXPECT_EQ(cups_test::CekejNaUlohy(Fronta, 1),
                      std::vector<std::string>{p.tisk == Tabulka ? bajty : rucne});
            ASSERT_FALSE(cups_test::NazvyUloh(Fronta).empty());
            EXPECT_EQ(cups_test::NazvyUloh(Fronta).back(),
                      p.tisk == Tabulka ? nazev : "Oblepky pro zboží (2 ks)");
            cups_test::VymazZachycene(Fronta);
        } else {
            EXPECT_EQ(cups_test::NazvyUloh(Fronta).size(), uloh);
        }
        if (p.tisk == DoSouboru) {
            EXPECT_EQ(PrectiBajty(adresar / "uloha.bin"), bajty);
        }
        if (p.tisk == Csv) { // layout 1 prints CP 852: é is 82, the no-break space FF
            const std::string uloha = PrectiBajty(adresar / "uloha.bin");
            EXPECT_NE(uloha.find("Creme brul\x82"
                                 "e\r\n"),
                      std::string::npos)
                << uloha;
            EXPECT_NE(uloha.find("Cena: 1\xFF"
                                 "234\r\n"),
                      std::string::npos)
                << uloha;
        }
        if (p.tisk == ZadnySoubor) { // no whole label: no file, no temporary one left
            for (const auto& soubor : fs::directory_iterator(adresar.Cesta()))
                EXPECT_FALSE(soubor.path().filename().string().starts_with("uloha.bin"));
        }
    }
}

} // namespace
