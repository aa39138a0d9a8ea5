// The watched folder's claims without a server: what a watcher that has ended leaves, as
// the next one takes it over, and how a claim leaves for hotovo/ or chyby/.

#include "davka/ZaboryHlidace.h"

#include "../podpora/DocasnyAdresar.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::set<std::string> Obsah(const fs::path& slozka) {
    std::set<std::string> nazvy;
    for (const auto& p : fs::directory_iterator(slozka))
        nazvy.insert(p.path().filename().string());
    return nazvy;
}

TEST(ZaboryHlidace, Prevzeti) {
    const struct {
        const char* nazev;
        const char* denik; // the journal's bytes; nullptr: none
        bool soubor;       // the file is still in its claim folder
        const char* navic; // another entry in the claim folder; nullptr: none
        bool prevzat;      // a claim is handed over
        bool chyba;        // ... as one at fault
        std::optional<int> uloha;
    } pripady[] = {
        {"potvrzeny", "7\nurn:uuid:a\npotvrzeno\n", true, nullptr, true, false, 7},
        {"staryDenik", "12\n", true, nullptr, true, false, 12},
        {"bezDeniku", nullptr, true, nullptr, true, false, std::nullopt},
        // No crash leaves these: the file may have printed, so it is not sent again.
        {"uriznuty", "7\nurn:uuid:a\npotvr", true, nullptr, true, true, std::nullopt},
        {"bezCisla", "\n\n", true, nullptr, true, true, std::nullopt},
        {"ciziRadek", "7\nurn:uuid:a\nhotovo\n", true, nullptr, true, true, std::nullopt},
        // The file had left when its watcher stopped: the claim folder goes.
        {"bezSouboru", "7\nurn:uuid:a\npotvrzeno\n", false, nullptr, false, false, {}},
        // A journal never renamed into place is removed, the file taken over.
        {"docasnyDenik", nullptr, true, ".uloha.abc.tmp", true, false, std::nullopt},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        const tDocasnyAdresar adresar;
        const fs::path koren = adresar.Cesta();
        ZapisBajty(adresar / "a.csv", "x\n");
        fs::path zaborA;
        std::string jmenoA;
        {
            tZaboryHlidace a(koren.string());
            int kod = 0;
            std::optional<tZaber> z = a.Zaber("a.csv", kod);
            ASSERT_TRUE(z);
            jmenoA = a.Jmeno();
            zaborA = koren / tZaboryHlidace::Pracovni / jmenoA / z->slozka;
            if (p.denik)
                ZapisBajty((zaborA / ".uloha").string(), p.denik);
            if (!p.soubor)
                a.Presun(*z, true);
            if (p.navic)
                ZapisBajty((zaborA / p.navic).string(), "");
        } // the watcher ends: its lock goes with it

        tZaboryHlidace b(koren.string());
        std::vector<tPrevzaty> prevzate;
        std::vector<std::string> selhani;
        const std::set<std::string> hlidace =
            b.Prevezmi([&](tPrevzaty&& z) { prevzate.push_back(std::move(z)); },
                       [&](const std::string& s) { selhani.push_back(s); });
        EXPECT_EQ(hlidace, std::set<std::string>{jmenoA});
        EXPECT_TRUE(selhani.empty());
        EXPECT_FALSE(fs::exists(koren / tZaboryHlidace::Pracovni / jmenoA));
        const fs::path moje = koren / tZaboryHlidace::Pracovni / b.Jmeno();
        ASSERT_EQ(prevzate.size(), p.prevzat ? 1U : 0U);
        if (!p.prevzat) {
            EXPECT_EQ(Obsah(moje), std::set<std::string>{"zamek"});
            continue;
        }
        const tPrevzaty& z = prevzate[0];
        EXPECT_EQ(z.zaber.nazev, "a.csv");
        EXPECT_EQ(!z.chyba.empty(), p.chyba) << z.chyba;
        EXPECT_EQ(z.denik ? std::optional<int>(z.denik->Uloha) : std::nullopt, p.uloha);
        std::set<std::string> zustava = {"a.csv"};
        if (p.denik)
            zustava.insert(".uloha");
        EXPECT_EQ(Obsah(moje / z.zaber.slozka), zustava);
    }
}

TEST(ZaboryHlidace, ZivyHlidacSeNeprebira) {
    const tDocasnyAdresar adresar;
    ZapisBajty(adresar / "a.csv", "x\n");
    tZaboryHlidace a(adresar.Cesta().string());
    int kod = 0;
    ASSERT_TRUE(a.Zaber("a.csv", kod));
    tZaboryHlidace b(adresar.Cesta().string());
    int prevzato = 0;
    EXPECT_TRUE(b.Prevezmi([&](tPrevzaty&&) { ++prevzato; }, [](const std::string&) {}).empty());
    EXPECT_EQ(prevzato, 0);
    // A file that another watcher took meanwhile leaves no claim folder behind.
    EXPECT_FALSE(b.Zaber("a.csv", kod));
    EXPECT_EQ(kod, ENOENT);
    EXPECT_EQ(Obsah(adresar.Cesta() / tZaboryHlidace::Pracovni / b.Jmeno()),
              std::set<std::string>{"zamek"});
}

TEST(ZaboryHlidace, Uzavreni) {
    const std::string dlouhy = std::string(NAME_MAX - 11, 'a') + "ščř.csv"; // 254 bytes
    const struct {
        const char* nazev;
        std::string soubor;
        bool hotovo;
        std::string uzTam;   // a file of that name already in the target folder; "" none
        std::string cil;     // the name it gets
        std::string chybovy; // the error file's name; "" none
    } pripady[] = {
        {"hotovo", "a.csv", true, "", "a.csv", ""},
        {"hotovoObsazeno", "a.csv", true, "a.csv", "a.2.csv", ""},
        // The number makes room for itself too, and a name without an extension ends in it.
        {"hotovoDlouhyObsazeno", dlouhy, true, dlouhy, std::string(NAME_MAX - 11, 'a') + "šč.2.csv",
         ""},
        {"hotovoBezPripony", "a", true, "a", "a.2", ""},
        {"chyba", "a.csv", false, "", "a.csv", "a.csv.chyba.txt"},
        {"chybaObsazeno", "a.csv", false, "a.csv", "a.2.csv", "a.2.csv.chyba.txt"},
        // The suffix makes room for itself, cut before a UTF-8 character, not inside one.
        {"chybaDlouhy", dlouhy, false, "", dlouhy, std::string(NAME_MAX - 11, 'a') + ".chyba.txt"},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        const tDocasnyAdresar adresar;
        const fs::path koren = adresar.Cesta();
        ZapisBajty(adresar / p.soubor, "x\n");
        tZaboryHlidace s(koren.string());
        const fs::path kam = koren / (p.hotovo ? tZaboryHlidace::Hotovo : tZaboryHlidace::Chyby);
        if (!p.uzTam.empty())
            ZapisBajty((kam / p.uzTam).string(), "stary\n");
        int kod = 0;
        std::optional<tZaber> z = s.Zaber(p.soubor, kod);
        ASSERT_TRUE(z);
        const std::string cil = s.Presun(*z, p.hotovo);
        EXPECT_EQ(cil, p.cil);
        if (!p.hotovo)
            s.ZapisChybu(*z, cil, "Důvod\n");
        s.Uvolni(*z);
        EXPECT_EQ(PrectiBajty((kam / cil).string()), "x\n");
        if (!p.uzTam.empty()) {
            EXPECT_EQ(PrectiBajty((kam / p.uzTam).string()), "stary\n");
        }
        if (!p.chybovy.empty()) {
            EXPECT_EQ(PrectiBajty((kam / p.chybovy).string()), "Důvod\n");
        }
        EXPECT_EQ(Obsah(kam).size(), (p.uzTam.empty() ? 1U : 2U) + (p.chybovy.empty() ? 0U : 1U));
        EXPECT_EQ(Obsah(koren / tZaboryHlidace::Pracovni / s.Jmeno()),
                  std::set<std::string>{"zamek"});
    }
}

} // namespace
