// Where the settings and help files are looked for, as an ordinary user: beside the
// executable for a portable copy, in the user's configuration and the installed data folder
// for an installed one.

#include "tests/podpora/DocasnyAdresar.h"
#include "tests/podpora/JakoNikdo.h"

#include "core/Umisteni.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

TEST(Umisteni, PrenosnaANainstalovanaKopie) {
    const struct {
        const char* nazev;
        bool slozkaUzivatele; // the program folder belongs to the user (writable)
        bool ini, hlp;        // Oblepky.ini, Oblepky.hlp beside the executable
        bool nastaveniVedle, napovedaVedle;
    } pripady[] = {
        {"portable, first start", true, false, true, true, true},
        {"read-only folder holding the settings", false, true, false, true, false},
        {"installed", false, false, false, false, false},
    };
    tDocasnyAdresar adresar;
    ::chmod(adresar.Cesta().c_str(), 0755);
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        const std::string program = adresar / p.nazev + "/", domov = adresar / p.nazev + "-home";
        const std::string konfigurace = domov + "/.config/oblepky/", data = "/usr/share/oblepky/";
        std::filesystem::create_directory(program);
        std::filesystem::create_directory(domov);
        if (p.ini)
            ZapisBajty(program + "Oblepky.ini", "");
        if (p.hlp)
            ZapisBajty(program + "Oblepky.hlp", "");
        ASSERT_EQ(::chown(domov.c_str(), Nikdo, Nikdo), 0);
        if (p.slozkaUzivatele) {
            ASSERT_EQ(::chown(program.c_str(), Nikdo, Nikdo), 0);
        }

        const auto vysledek = JakoNikdo([&] {
            const tUmisteni u = NajdiUmisteni(program, konfigurace, data);
            return u.Nastaveni + "|" + u.Napoveda;
        });
        if (!vysledek)
            GTEST_SKIP() << "cannot become an ordinary user here";
        EXPECT_EQ(*vysledek, (p.nastaveniVedle ? program : konfigurace) + "Oblepky.ini|" +
                                 (p.napovedaVedle ? program : data) + "Oblepky.hlp");
        // The configuration folder is made when it is chosen, so that the first save works.
        EXPECT_EQ(std::filesystem::is_directory(konfigurace), !p.nastaveniVedle);
    }
}

// Root may write /usr/bin, yet an installed copy keeps its settings in the configuration
// folder; the batch printer, which only reads them, makes no folder.
TEST(Umisteni, SlozkaSystemuNeniPrenosna) {
    tDocasnyAdresar domov;
    const std::string konfigurace = domov / "oblepky/";
    EXPECT_EQ(NajdiUmisteni("/usr/bin/", konfigurace, "/usr/share/oblepky/", false).Nastaveni,
              konfigurace + "Oblepky.ini");
    EXPECT_FALSE(std::filesystem::exists(konfigurace));
    EXPECT_EQ(NajdiUmisteni("/usr/bin/", konfigurace, "/usr/share/oblepky/").Nastaveni,
              konfigurace + "Oblepky.ini");
    EXPECT_TRUE(std::filesystem::is_directory(konfigurace));
}

} // namespace
