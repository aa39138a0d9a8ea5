// A print run end to end through a raw queue of the private CUPS server: the bytes the
// printer receives, the job's name, a queue that does not exist, the preview against what
// the queue receives, and Storno while the server is frozen.

#include "core/Chyba.h"
#include "core/PriKonci.h"
#include "core/Win1250.h"
#include "output/Nahled.h"
#include "output/OhlasenaUloha.h"
#include "output/RawPrinter.h"
#include "output/SledovaniUloh.h"
#include "output/SpravaUloh.h"
#include "output/UlohaNaPozadi.h"
#include "tests/behy/VzorovaEtiketa.h"
#include "tests/podpora/Zpomaleni.h"
#include "tests/tisk/CupsTest.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <cups/ipp.h>
#include <fstream>
#include <limits>
#include <optional>
#include <thread>

#include <sys/types.h>

using namespace behy_test;
using namespace std::chrono_literals;

namespace {

TEST(BehyCups, VzorovyPrikladDoraziNeznamaFrontaNe) {
    const std::string fronta = "BehyCups";
    cups_test::PridejFrontu(fronta);
    cups_test::VymazZachycene(fronta);
    tZaznam zaznam;
    tSluzbyTisku sluzby = Sluzby(zaznam);
    // The real job instead of the capturing one; the record still notes cursor and dialog.
    sluzby.VytvorUlohu = [](const std::string& nazev, const std::string& tiskarna) {
        return std::make_unique<tRawPrinter>(nazev, tiskarna);
    };
    tPopisOblepky popis = VzorovaEtiketa(fronta);
    tRucniHodnoty hodnoty{"", "Jablko", "15"};
    TiskniRucne(popis, 2, hodnoty, sluzby);
    EXPECT_EQ(cups_test::CekejNaUlohy(fronta, 1),
              std::vector<std::string>{"\x1B@\r\n" + VzorovyBlok + VzorovyBlok});
    const auto nazvy = cups_test::NazvyUloh(fronta);
    ASSERT_FALSE(nazvy.empty());
    EXPECT_EQ(nazvy.back(), "Oblepky pro zboží (2 ks)");
    EXPECT_EQ(zaznam.udalosti.back(), "dokonceni 2");

    zaznam.udalosti.clear();
    popis.Tiskarna = "TaFrontaNeni";
    try {
        TiskniRucne(popis, 1, hodnoty, sluzby);
        ADD_FAILURE() << "no error";
    } catch (const eRawPrinter& e) {
        EXPECT_TRUE(std::string(e.what()).starts_with("Chyba při komunikaci s tiskárnou ("))
            << e.what();
    }
    EXPECT_TRUE(zaznam.udalosti.empty());
}

// The preview is the print: for a spread of layouts the preview's job holds the very bytes
// the queue receives, and its counts are those of the whole job.
TEST(BehyCups, NahledJeTisk) {
    const std::string fronta = "NahledCups";
    cups_test::PridejFrontu(fronta);
    tZaznam zaznam;
    tSluzbyTisku sluzby = Sluzby(zaznam);
    sluzby.VytvorUlohu = [](const std::string& nazev, const std::string& tiskarna) {
        return std::make_unique<tRawPrinter>(nazev, tiskarna);
    };
    struct tPripad {
        std::string nazev;
        std::function<void(tPopisOblepky&)> uprav;
        int kopii;
        const char* tabulka; // UTF-8; none: the manual run
    };
    std::vector<tPripad> pripady = {
        {"vzorovy priklad", [](tPopisOblepky&) {}, 2, nullptr},
        {"kody, odsazeni, orezani, radky pred a po",
         [](tPopisOblepky& p) {
             p.InitKody = "27 E 0 255 300 2764 99999999999";
             p.KodyOdradkovani = "13 10 12 x";
             p.Radky[1].HrZleva = 5;
             p.Radky[2].HrDelka = 4;
             p.Radky[4].HrText = "\x1B{1,3}\x7F";
             p.RadkuPred = 3;
             p.RadkuPo = 2;
             p.PocetRadkuOblepky = 7;
         },
         3, nullptr},
        {"tabulka", [](tPopisOblepky& p) { p.PoleSPoctem = 2; }, 1,
         "Hruška\t2\t8\r\nx\tx\r\nŽluť «€»\t1\t99"},
        // An error before the first whole label: the queue gets nothing, nor does the preview.
        {"chyba sablony", [](tPopisOblepky& p) { p.Radky[2].HrText = "{2,x}"; }, 2, nullptr},
    };
    for (int kodovani = 0; kodovani <= 5; ++kodovani)
        pripady.push_back({"kodovani " + std::to_string(kodovani),
                           [kodovani](tPopisOblepky& p) { p.Kodovani = kodovani; }, 1, nullptr});

    const tRucniHodnoty hodnoty{"", Utf8NaWin1250("Žluťoučký kůň «€» … ß ¤"), "15"};
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        tPopisOblepky popis = VzorovaEtiketa(fronta);
        p.uprav(popis);
        tTabulka tabulka;
        if (p.tabulka)
            tabulka.NactiText(Utf8NaWin1250(p.tabulka));
        auto beh = [&](const tSluzbyTisku& s) {
            if (p.tabulka)
                TiskniTabulku(popis, p.kopii, tabulka, s);
            else
                TiskniRucne(popis, p.kopii, hodnoty, s);
        };
        cups_test::VymazZachycene(fronta);
        std::string chyba;
        try {
            beh(sluzby);
        } catch (const eChyba& e) {
            chyba = e.what();
        }
        const auto zachycene = cups_test::CekejNaUlohy(fronta, 1, chyba.empty() ? 20s : 300ms);
        ASSERT_EQ(zachycene.size(), chyba.empty() ? 1u : 0u);
        const std::string prijato = zachycene.empty() ? "" : zachycene[0];
        const std::string dokonceni = zaznam.udalosti.back();
        const tNahled cely = ZachytNahled(popis, beh, std::numeric_limits<long long>::max());
        EXPECT_EQ(cely.Uloha.Bajty(), prijato);
        const tNahled nahled = ZachytNahled(popis, beh);
        EXPECT_EQ(nahled.Uloha.Bajtu(), static_cast<long long>(prijato.size()));
        EXPECT_EQ("dokonceni " + std::to_string(nahled.Uloha.Etiket()), dokonceni);
        EXPECT_EQ(nahled.Chyba, chyba);
    }
}

} // namespace

namespace {

pid_t Cupsd() {
    std::ifstream soubor(cups_test::Adresar() + "/cupsd.pid");
    pid_t pid = 0;
    soubor >> pid;
    return pid;
}

// The run's job, with the server frozen (SIGSTOP) as its document reaches the spool: before
// its end is confirmed, or right after its release and until the user has pressed Storno.
class tZamrznuti : public tTiskovaUloha {
public:
    tZamrznuti(std::unique_ptr<tTiskovaUloha> uloha, bool poUvolneni, std::atomic<bool>& zamrzl,
               const std::atomic<bool>& storno)
        : uloha_(std::move(uloha)), poUvolneni_(poUvolneni), zamrzl_(zamrzl), storno_(storno) {}
    void Write(const std::string& data) override { uloha_->Write(data); }
    void KonecEtikety() override { uloha_->KonecEtikety(); }
    void Dokonci() override {
        if (!poUvolneni_)
            Zamraz();
        uloha_->Dokonci();
        if (!poUvolneni_)
            return;
        Zamraz();
        while (!storno_)
            std::this_thread::sleep_for(1ms);
    }
    long long Prerus() noexcept override { return uloha_->Prerus(); }
    void Zrus() noexcept override { uloha_->Zrus(); }
    long long PoStornu() const noexcept override { return uloha_->PoStornu(); }

private:
    void Zamraz() {
        ASSERT_EQ(::kill(Cupsd(), SIGSTOP), 0);
        zamrzl_ = true;
    }
    std::unique_ptr<tTiskovaUloha> uloha_;
    bool poUvolneni_;
    std::atomic<bool>& zamrzl_;
    const std::atomic<bool>& storno_;
};

// Storno as the document reaches the spool of a frozen server: the dialog says what the
// server will print, and once it goes on, the queue prints that and nothing else. A job
// still held is cancelled by the follower once the server answers; one released prints.
TEST(BehyCups, StornoPriZamrzlemServeru) {
    const struct {
        const char* nazev;
        bool poUvolneni;
        std::string dokonceni;
        int stav; // the job's end on the server
    } pripady[] = {
        {"held: nothing prints", false, "dokonceni 0", IPP_JSTATE_CANCELED},
        {"released: it prints, as said", true, "nezrusena 3", IPP_JSTATE_COMPLETED},
    };
    const std::string fronta = "Zamrzly";
    cups_test::PridejFrontu(fronta);
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        cups_test::VymazZachycene(fronta);
        tZaznam zaznam;
        tSluzbyTisku sluzby = Sluzby(zaznam);
        std::atomic<bool> zamrzl = false, storno = false;
        const tPriKonci rozmraz([] { ::kill(Cupsd(), SIGCONT); });
        int id = 0;
        std::optional<bool> vytiskne; // what the run told the follower
        sluzby.VytvorUlohu = [&](const std::string& nazev, const std::string& tiskarna) {
            auto naPozadi = std::make_unique<tUlohaNaPozadi>(
                [&](tOdriznuti& odriznuti) -> std::unique_ptr<tTiskovaUloha> {
                    auto raw = std::make_unique<tRawPrinter>(nazev, tiskarna, &odriznuti);
                    id = raw->Uloha();
                    return std::make_unique<tZamrznuti>(std::move(raw), p.poUvolneni, zamrzl,
                                                        storno);
                },
                [&] {
                    if (!zamrzl)
                        return true;
                    // Storno, said a moment before the run hears it: a job that is not
                    // cut off ends meanwhile.
                    storno = true;
                    std::this_thread::sleep_for(100ms * Zpomaleni);
                    return false;
                });
            return std::unique_ptr<tTiskovaUloha>(std::make_unique<tOhlasenaUloha>(
                std::move(naPozadi), id, [&](int) { vytiskne = true; },
                [&](int, bool v) { vytiskne = v; }));
        };
        const auto zacatek = std::chrono::steady_clock::now();
        TiskniRucne(VzorovaEtiketa(fronta), 3, {"", "Jablko", "15"}, sluzby);
        // Storno never waits for the frozen server's deadline.
        EXPECT_LT(std::chrono::steady_clock::now() - zacatek, 5s * Zpomaleni);
        ASSERT_EQ(::kill(Cupsd(), SIGCONT), 0);
        ASSERT_TRUE(zamrzl);
        EXPECT_EQ(zaznam.udalosti.back(), p.dokonceni);
        ASSERT_TRUE(vytiskne);
        EXPECT_EQ(*vytiskne, p.poUvolneni);

        // The window's follower, once the server answers again.
        tDotazyNaUlohy dotazy;
        tSledovaniUloh sledovani([&](int u, tTermin termin) { return dotazy.Uloha(u, termin); },
                                 [&](const std::string& f, const tDotazFronty& d, tTermin termin) {
                                     return dotazy.Fronta(f, d, termin);
                                 },
                                 [](int u, tTermin) { ZrusUlohu(u); });
        auto ted = tSledovaniUloh::tHodiny::now();
        if (*vytiskne)
            sledovani.Nezrusena(id, ted);
        else
            sledovani.Zastavena(id, ted);
        std::vector<tUdalost::tDruh> udalosti;
        for (const auto konec = ted + 20s * Zpomaleni; sledovani.MaPraci() && ted < konec;
             ted = tSledovaniUloh::tHodiny::now()) {
            for (const tUdalost& u : sledovani.Kolo(ted).Udalosti)
                udalosti.push_back(u.Druh);
            std::this_thread::sleep_for(200ms);
        }
        EXPECT_FALSE(sledovani.MaPraci());
        EXPECT_TRUE(udalosti.empty()); // each ends as the dialog said
        EXPECT_EQ(cups_test::StavPosledniUlohy(fronta), p.stav);
        const std::vector<std::string> vytisteno =
            p.poUvolneni
                ? std::vector<std::string>{"\x1B@\r\n" + VzorovyBlok + VzorovyBlok + VzorovyBlok}
                : std::vector<std::string>{};
        EXPECT_EQ(cups_test::CekejNaUlohy(fronta, vytisteno.size(), 5s), vytisteno);
    }
}

} // namespace
