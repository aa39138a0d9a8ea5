// The settings file model: reading rules, writing rules, and replacing the file on disk.

#include "tests/podpora/DocasnyAdresar.h"
#include "tests/podpora/JakoNikdo.h"

#include "core/Chyba.h"
#include "core/Deskriptor.h"
#include "core/IniSoubor.h"
#include "core/Soubory.h"
#include "core/Win1250.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <grp.h>
#include <optional>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace std::string_literals;

const std::string Chybi = "(default)";

struct tCteni {
    const char* popis;
    std::string obsah;
    std::string sekce, klic;
    std::string ocekavano; // Chybi when the default must come back
};

TEST(IniSoubor, CteniPodlePravidelSouboru) {
    const tCteni pripady[] = {
        {"CR LF", "[A]\r\nk=v\r\n", "A", "k", "v"},
        {"CR only", "[A]\rk=v\r", "A", "k", "v"},
        {"LF only", "[A]\nk=v\n", "A", "k", "v"},
        {"LF CR is two ends", "[A]\n\rk=v\n\r", "A", "k", "v"},
        {"last line without end", "[A]\r\nk=v", "A", "k", "v"},
        {"zero byte ends the text", "[A]\r\nk=a\0b\r\nj=w"s, "A", "k", "a"},
        {"nothing after the zero byte", "[A]\r\nk=a\0\r\nj=w"s, "A", "j", Chybi},
        {"zero byte first", "\0[A]\r\nk=v"s, "A", "k", Chybi},
        {"line before the first header", "k=v\r\n[A]\r\n", "A", "k", Chybi},
        {"comment", "[A]\r\n;k=v\r\n", "A", "k", Chybi},
        {"blank before ; is a key name", "[A]\r\n ;k=v\r\n", "A", " ;k", "v"},
        {"header name not trimmed", "[ A ]\r\nk=v\r\n", "A", "k", Chybi},
        {"header with blanks found as such", "[ A ]\r\nk=v\r\n", " A ", "k", "v"},
        {"blank after ] is no header", "[A] \r\nk=v\r\n", "A", "k", Chybi},
        {"blank after ] belongs to previous section", "[B]\r\n[A] \r\nk=v", "B", "k", "v"},
        {"key name not trimmed", "[A]\r\nk =v\r\n", "A", "k", Chybi},
        {"key name with its blank", "[A]\r\nk =v\r\n", "A", "k ", "v"},
        {"value not trimmed", "[A]\r\nk= v \r\n", "A", "k", " v "},
        {"value not unquoted", "[A]\r\nk=\"v\"\r\n", "A", "k", "\"v\""},
        {"empty value is not the default", "[A]\r\nk=\r\n", "A", "k", ""},
        {"value after the first =", "[A]\r\nk=a=b\r\n", "A", "k", "a=b"},
        {"line without = never matches", "[A]\r\nk\r\n", "A", "k", Chybi},
        {"case of section and key", "[a]\r\nK=v\r\n", "A", "k", "v"},
        {"first section of a name wins", "[A]\r\nk=1\r\n[a]\r\nk=2\r\n", "A", "k", "1"},
        {"first section even when it lacks the key", "[A]\r\n[A]\r\nk=2\r\n", "A", "k", Chybi},
        {"first key of a name wins", "[A]\r\nk=1\r\nK=2\r\n", "A", "k", "1"},
        {"empty section and key names", "[]\r\n=v\r\n", "", "", "v"},
        {"key of another section", "[A]\r\n[B]\r\nk=v\r\n", "A", "k", Chybi},
        {"missing section", "[A]\r\nk=v\r\n", "B", "k", Chybi},
        {"lone [ is no header", "[\r\n[A]\r\nk=v", "A", "k", "v"},
        {"Central European letters ignore case", "[\x8a\x8d]\r\n\xc8\xcc=v", "\x9a\x9d", "\xe8\xec",
         "v"},
        {"times and divide are not a pair", "[\xd7]\r\nk=v", "\xf7", "k", Chybi},
        {"sharp s has no upper case", "[\xdf]\r\nk=v", "\xff", "k", Chybi},
    };
    for (const auto& p : pripady) {
        auto ini = tIniSoubor::ZTextu("x.ini", p.obsah);
        EXPECT_EQ(ini.ReadString(p.sekce, p.klic, Chybi), p.ocekavano) << p.popis;
    }
}

TEST(IniSoubor, CelaCislaSVychozimPriOdmitnuti) {
    const struct {
        std::string radek;
        int32_t ocekavano;
    } pripady[] = {
        {"n=5", 5},   {"n=abc", 3},        {"n=5 ", 3},         {"n= 5", 5}, {"n=", 3},
        {"n= ", 3},   {"n=0x28", 40},      {"n=$28", 40},       {"n=0x", 3}, {"n=-7", -7},
        {"n=5.0", 3}, {"n=2147483648", 3}, {"n=$FFFFFFFF", -1}, {"nn=5", 3}, {"N=9", 9},
    };
    for (const auto& p : pripady) {
        auto ini = tIniSoubor::ZTextu("x.ini", "[A]\r\n" + p.radek + "\r\n");
        EXPECT_EQ(ini.ReadInteger("A", "n", 3), p.ocekavano) << p.radek;
    }
}

TEST(IniSoubor, ZapisDoPrazdnehoSouboruVPoradi) {
    auto ini = tIniSoubor::ZTextu("x.ini", "");
    ini.WriteString("B", "k", "1");
    ini.WriteString("A", "k", "2");
    ini.WriteInteger("b", "j", -2147483647 - 1);
    EXPECT_EQ(ini.Obsah(), "[B]\r\nk=1\r\nj=-2147483648\r\n\r\n[A]\r\nk=2\r\n\r\n");
}

TEST(IniSoubor, ZapisNahradiRadekNaMiste) {
    auto ini = tIniSoubor::ZTextu("x.ini", ";c\r\nvolny\r\n[a]\r\n\r\nX=1\r\n;y\r\nK=stare\r\n"
                                           "K=druhe\r\nbez rovnitka\r\n[A]\r\nk=jinde\r\n");
    ini.WriteString("A", "k", "nove");
    ini.WriteString("A", "z", "");
    EXPECT_EQ(ini.Obsah(), "[a]\r\nX=1\r\nk=nove\r\nK=druhe\r\nbez rovnitka\r\nz=\r\n\r\n"
                           "[A]\r\nk=jinde\r\n\r\n");
}

TEST(IniSoubor, HodnotaNemuzeRozbitRadky) {
    const std::string hodnoty[] = {"a\r\nb", "a\rb", "a\nb", "a\0b"s,
                                   "x\r\n[Config]\r\nLastEtiketa=4"};
    for (const auto& h : hodnoty) {
        auto ini = tIniSoubor::ZTextu("x.ini", "");
        ini.WriteString("A", "k", h);
        auto znovu = tIniSoubor::ZTextu("x.ini", ini.Obsah());
        std::string ocekavano = h;
        for (char& c : ocekavano)
            if (c == '\r' || c == '\n' || c == '\0')
                c = ' ';
        EXPECT_EQ(znovu.ReadString("A", "k", Chybi), ocekavano);
        EXPECT_EQ(znovu.ReadString("Config", "LastEtiketa", Chybi), Chybi);
        EXPECT_EQ(znovu.Obsah(), ini.Obsah());
    }
}

// Every file written must read back as the same model.
TEST(IniSoubor, ObsahSeCteStejne) {
    auto ini = tIniSoubor::ZTextu("x.ini", "[A]\nk=1\n\n[]\n=\n[ B ]\r\nx\r[A]\r\nk=2");
    auto znovu = tIniSoubor::ZTextu("x.ini", ini.Obsah());
    EXPECT_EQ(znovu.Obsah(), ini.Obsah());
}

// A disk that fills up at the n-th write call: that call stores half of its bytes, every
// later one fails with "no space".
tZapisDat PlnyDisk(int n) {
    return [n, volani = 0](int fd, const char* data, size_t delka) mutable -> ssize_t {
        if (++volani == n)
            delka /= 2;
        if (volani > n || delka == 0) {
            errno = ENOSPC;
            return -1;
        }
        return ::write(fd, data, delka);
    };
}

class SouborNaDisku : public ::testing::Test {
protected:
    // Only the named files are left in the directory (no temporary files).
    void JenSoubory(std::set<std::string> ocekavane) {
        std::set<std::string> jsou;
        for (const auto& f : std::filesystem::directory_iterator(adresar.Cesta()))
            jsou.insert(f.path().filename().string());
        EXPECT_EQ(jsou, ocekavane);
    }

    tDocasnyAdresar adresar;
};

// A missing file reads as empty and is created by the first write.
TEST_F(SouborNaDisku, ChybejiciSouborJePrazdnyAZapisHoVytvori) {
    const std::string cesta = adresar / "Oblepky.ini";
    ZapisBajty(adresar / "soubor", "x");
    EXPECT_EQ(tIniSoubor(adresar / "soubor/Oblepky.ini").Obsah(), "");
    tIniSoubor ini(cesta);
    EXPECT_EQ(ini.Obsah(), "");
    ini.WriteString("A", "k", "\x9e\xe1");
    ini.UpdateFile();
    EXPECT_EQ(PrectiBajty(cesta), "[A]\r\nk=\x9e\xe1\r\n\r\n");
    EXPECT_EQ(tIniSoubor(cesta).ReadString("a", "K", Chybi), "\x9e\xe1");
    JenSoubory({"Oblepky.ini", "soubor"});
}

TEST_F(SouborNaDisku, PrepisZachovaPravaAOdkaz) {
    const std::string skutecny = adresar / "skutecny.ini";
    const std::string odkaz = adresar / "Oblepky.ini";
    ZapisBajty(skutecny, "[A]\r\nk=stare\r\n");
    ::chmod(skutecny.c_str(), 0640);
    std::filesystem::create_symlink(skutecny, odkaz);

    tIniSoubor ini(odkaz);
    ini.WriteString("A", "k", "nove");
    ini.UpdateFile();

    EXPECT_TRUE(std::filesystem::is_symlink(odkaz));
    EXPECT_EQ(PrectiBajty(skutecny), "[A]\r\nk=nove\r\n\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(skutecny.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    JenSoubory({"Oblepky.ini", "skutecny.ini"});
}

// A FIFO in the file's place takes the bytes where it is and stays a FIFO (a saved job for a
// reader at its other end); without a reader the write fails at once instead of waiting.
TEST_F(SouborNaDisku, RouraSePiseNaMiste) {
    const std::string roura = adresar / "roura";
    ASSERT_EQ(::mkfifo(roura.c_str(), 0600), 0);
    const auto obsah = tIniSoubor::ZTextu(roura, "[A]\r\nk=v\r\n");
    std::string zprava;
    try {
        obsah.UpdateFile();
    } catch (const eChyba& e) {
        zprava = e.what();
    }
    EXPECT_EQ(zprava, "Cannot create file " + roura);

    const tDeskriptor ctenar(::open(roura.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    ASSERT_TRUE(ctenar.Otevreny());
    obsah.UpdateFile();
    std::string prijato;
    EXPECT_EQ(PrectiDoNuly(ctenar.Fd(), prijato), 0);
    EXPECT_EQ(prijato, obsah.Obsah());
    EXPECT_TRUE(std::filesystem::is_fifo(roura));
    JenSoubory({"roura"});
}

// Writing into a missing directory and reading a directory raise with the path; the
// failed write leaves nothing behind.
TEST_F(SouborNaDisku, ChybyCestyHlasiCestu) {
    const std::string zapis = adresar / "štítky/Oblepky.ini", cteni = adresar / "čtení";
    std::string zprava;
    try {
        tIniSoubor::ZTextu(zapis, "[A]\r\nk=v\r\n").UpdateFile();
    } catch (const eChyba& e) {
        zprava = e.what();
    }
    EXPECT_EQ(zprava, "Cannot create file " + zapis);
    JenSoubory({});
    std::filesystem::create_directory(cteni);
    zprava.clear();
    try {
        tIniSoubor ini(cteni);
    } catch (const eChyba& e) {
        zprava = e.what();
    }
    EXPECT_EQ(zprava, "Cannot open file " + cteni);
}

// A full disk at any write leaves the old file whole and no temporary file behind.
TEST_F(SouborNaDisku, PlnyDiskNechaStaryCely) {
    const std::string cesta = adresar / "Oblepky.ini";
    const std::string stary = "[A]\r\nk=stare\r\n\r\n";
    auto ini = tIniSoubor::ZTextu(cesta, "");
    ini.WriteString("A", "k", std::string(200000, 'x')); // several write calls
    for (int n : {1, 2, 3, 4}) {
        ZapisBajty(cesta, stary);
        try {
            ini.UpdateFile(PlnyDisk(n));
            ADD_FAILURE() << "no error at write " << n;
        } catch (const eChyba& e) {
            EXPECT_STREQ(e.what(), "Stream write error");
        }
        EXPECT_EQ(PrectiBajty(cesta), stary) << "write " << n;
        JenSoubory({"Oblepky.ini"});
    }
    ini.UpdateFile();
    EXPECT_EQ(PrectiBajty(cesta), ini.Obsah());
}

// Write protection as an ordinary user would meet it (the tests run as root, who may write
// anything): a folder that refuses new files with a writable file in it gets the file
// rewritten in place; a read-only file gives "Cannot create file" and stays as it was.
TEST_F(SouborNaDisku, OchranaProtiZapisuBeznehoUzivatele) {
    const struct {
        const char* nazev;
        mode_t slozka, soubor;
        bool zapise;
    } pripady[] = {{"read-only folder", 0555, 0640, true},
                   {"read-only file", 0755, 0444, false},
                   {"both read-only", 0555, 0444, false}};
    ::chmod(adresar.Cesta().c_str(), 0755);
    const std::string stary = "[A]\r\nk=stare\r\n\r\n";
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        const std::string slozka = adresar / p.nazev, cesta = slozka + "/Oblepky.ini";
        std::filesystem::create_directory(slozka);
        ZapisBajty(cesta, stary);
        ASSERT_EQ(::chown(cesta.c_str(), Nikdo, Nikdo) | ::chown(slozka.c_str(), Nikdo, Nikdo) |
                      ::chmod(cesta.c_str(), p.soubor) | ::chmod(slozka.c_str(), p.slozka),
                  0);
        const auto ini = tIniSoubor::ZTextu(cesta, "[A]\r\nk=nove\r\n");

        const auto zprava = JakoNikdo([&ini]() -> std::string {
            try {
                ini.UpdateFile();
                return "ok";
            } catch (const eChyba& e) {
                return e.what();
            }
        });
        ::chmod(slozka.c_str(), 0755); // so that the temporary folder can be removed
        if (!zprava)
            GTEST_SKIP() << "cannot become an ordinary user here";

        EXPECT_EQ(*zprava, p.zapise ? "ok" : "Cannot create file " + cesta);
        EXPECT_EQ(PrectiBajty(cesta), p.zapise ? ini.Obsah() : stary);
        struct stat st {};
        ASSERT_EQ(::stat(cesta.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, p.soubor);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(slozka), {}), 1);
    }
}

} // namespace
