// oblepky-tisk --watch as a service runs it: a copy of the executable with its own settings
// file watching a folder, against the private CUPS server; killed at random, two at once,
// with the printer switched off and the print server restarted. Every file's labels carry
// its own number, so the capture shows what printed how often.

#include "core/Nastaveni.h"
#include "output/OznaceneUlohy.h"
#include "output/SpravaUloh.h"
#include "tests/podpora/DocasnyAdresar.h"
#include "tests/podpora/Proces.h"
#include "tests/podpora/Zpomaleni.h"
#include "tests/tisk/CupsTest.h"

#include <cups/cups.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <regex>
#include <sstream>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

const std::string Fronta = "Hlidac", FrontaPreruseni = "HlidacPreruseni";

std::string Skripty() {
    return std::getenv("OBLEPKY_SKRIPTY");
}

void CupsTest(const std::string& prikaz, const std::string& fronta = {}) {
    const std::string radek = "'" + Skripty() + "/cups-test' " + prikaz + " '" +
                              cups_test::Adresar() + "' " + fronta + " >/dev/null";
    ASSERT_EQ(std::system(radek.c_str()), 0) << radek;
}

// A folder with its own copy of the batch printer and settings file: layout 1 prints one
// row per label, the second cell (a file's number) alone; layout 2 has a template whose
// width is no number.
struct tProstredi {
    tDocasnyAdresar adresar;
    fs::path slozka = adresar.Cesta() / "slozka";

    tProstredi() {
        fs::copy_file(OBLEPKY_TISK, adresar / "oblepky-tisk");
        tStav stav;
        tPopisOblepky& p = stav.PopisEtiket[0];
        p.Tiskarna = Fronta;
        p.PoleSPoctem = 1;
        p.StdPocet = 1;
        p.PocetRadkuOblepky = 1;
        p.Radky[1].HrText = "{2}";
        p.Radky[1].HrDelka = 80;
        stav.PopisEtiket[1] = p;
        stav.PopisEtiket[1].Radky[1].HrText = "{2,x}";
        stav.Zmeneno = true;
        tUlozisteNastaveni(adresar / NazevSouboruNastaveni).Uloz(stav, {});
        fs::create_directory(slozka);
    }
    // Written beside the folder, then renamed into it: the safe way for a writer.
    void Vloz(const std::string& nazev, const std::string& obsah) const {
        const fs::path docasny = adresar.Cesta() / ("." + nazev);
        ZapisBajty(docasny, obsah);
        fs::rename(docasny, slozka / nazev);
    }
    std::string Log() const { return PrectiBajty(adresar / "hlidac.log"); }
};

// One watcher process; killed with SIGKILL when it goes out of scope still running.
class tHlidac {
public:
    // pred: a command that runs the watcher (strace), found on the PATH.
    explicit tHlidac(const tProstredi& p, std::vector<std::string> volby = {},
                     std::vector<std::string> pred = {}) {
        std::vector<std::string> argumenty = {p.adresar / "oblepky-tisk", "--watch",
                                              p.slozka.string(), "--settle", "1"};
        argumenty.insert(argumenty.end(), volby.begin(), volby.end());
        argumenty.insert(argumenty.begin(), pred.begin(), pred.end());
        pid_ = SpustProces(std::move(argumenty), {}, p.adresar / "hlidac.log");
    }
    ~tHlidac() {
        if (pid_ > 0)
            Zabij();
    }
    tHlidac(const tHlidac&) = delete;
    tHlidac& operator=(const tHlidac&) = delete;

    void Zabij() { Signal(SIGKILL); }
    // SIGTERM (or the signal given): the exit status, or -1 when it did not end by itself
    // within 20 s.
    int Ukonci(int signal = SIGTERM) { return Signal(signal); }
    pid_t Pid() const { return pid_; }
    // Still running (it has not exited by itself).
    bool Bezi() {
        if (pid_ > 0 && PockejNaProces(pid_, WNOHANG))
            pid_ = -1;
        return pid_ > 0;
    }

private:
    int Signal(int signal) {
        ::kill(pid_, signal);
        for (int i = 0; i < 400; ++i) {
            if (const auto konec = PockejNaProces(pid_, WNOHANG)) {
                pid_ = -1;
                return konec->Kod;
            }
            std::this_thread::sleep_for(50ms);
        }
        ::kill(pid_, SIGKILL);
        PockejNaProces(pid_);
        pid_ = -1;
        return -1;
    }
    pid_t pid_ = -1;
};

bool Cekej(const std::function<bool()>& hotovo, std::chrono::seconds limit = 60s) {
    const auto konec = std::chrono::steady_clock::now() + limit;
    while (!hotovo()) {
        if (std::chrono::steady_clock::now() > konec)
            return false;
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

// Until the watcher watches. A file renamed in before that is found by its first look at the
// folder and waits the settle time, where one renamed in later goes at once: the order the
// files go in is only the order they came in from then on.
bool Hlida(const tProstredi& p) {
    return Cekej([&] { return p.Log().find("hlídá se složka") != std::string::npos; });
}

// The files in a folder, their .chyba.txt left out; 0 before the watcher has made it.
size_t Pocet(const fs::path& slozka) {
    size_t n = 0;
    std::error_code chyba;
    for (const auto& p : fs::directory_iterator(slozka, chyba))
        n += p.path().filename().string().ends_with(".chyba.txt") ? 0 : 1;
    return n;
}

// How often each file number ("S0007") was printed, and in which order the jobs came.
std::map<std::string, int> Vytistene(const std::string& fronta,
                                     std::vector<std::string>* poradi = nullptr) {
    std::map<std::string, int> pocty;
    static const std::regex cislo("[A-Z][0-9]{4,}");
    for (const std::string& uloha : cups_test::Zachycene(fronta)) {
        for (auto it = std::sregex_iterator(uloha.begin(), uloha.end(), cislo);
             it != std::sregex_iterator(); ++it) {
            ++pocty[it->str()];
            if (poradi)
                poradi->push_back(it->str());
        }
    }
    return pocty;
}

const std::string Sesity = OBLEPKY_SESITY; // workbooks, and hostile ones

std::string Cislo(int i) {
    char s[16];
    std::snprintf(s, sizeof s, "S%04d", i);
    return s;
}

// n rows of one label each, numbered with the letter p ("N0001"): 10 bytes a row.
std::string Radky(int n, char p) {
    std::string s;
    for (int i = 1; i <= n; ++i) {
        char r[16];
        std::snprintf(r, sizeof r, "1\t%c%04d\n", p, i % 10000);
        s += r;
    }
    return s;
}

// What reaches the folder, what becomes of it, and what prints. Cases with the same options
// share one watcher: a FIFO or a slow writer must not hold up the others.
TEST(Hlidac, Prichody) {
    cups_test::PridejFrontu(Fronta);
    cups_test::VymazZachycene(Fronta);
    // A printer that never answers: the job ends aborted after its connection time-out.
    cups_test::PresmerujFrontu(FrontaPreruseni, "socket://127.0.0.1:9/?contimeout=1");
    cups_test::VymazZachycene(FrontaPreruseni);

    enum tKonec { Hotovo, Chyby, Ponechan };
    const struct tPripad {
        const char* nazev; // the entry's name in the folder
        std::vector<std::string> volby;
        std::function<void(const tProstredi&, const std::string& nazev)> poloz;
        tKonec konec;
        std::string duvod;                // chyby/: a piece of NAME.chyba.txt
        std::vector<std::string> etikety; // printed once each
    } pripady[] = {
        {"prejmenovany.txt",
         {},
         [](auto& p, auto& n) { p.Vloz(n, "1\tS0001\r\n2\tS0002\n"); },
         Hotovo,
         "",
         {"S0002", "S0002", "S0001"}},
        {"pomalu.txt",
         {},
         [](auto& p, auto& n) {
             // Written in place, a row every 0.4 s: never taken before the last one.
             std::thread([slozka = p.slozka, n] {
                 for (int i = 11; i <= 14; ++i) {
                     std::FILE* f = std::fopen((slozka / n).c_str(), "ab");
                     std::fprintf(f, "1\tS%04d\n", i);
                     std::fclose(f);
                     std::this_thread::sleep_for(400ms);
                 }
             }).detach();
         },
         Hotovo,
         "",
         {"S0011", "S0012", "S0013", "S0014"}},
        {"odkaz.txt",
         {},
         [](auto& p, auto& n) {
             ZapisBajty(p.adresar / "venku.txt", "1\tV0001\n");
             fs::create_symlink(p.adresar / "venku.txt", p.slozka / n);
         },
         Ponechan,
         "",
         {}},
        {"roura.txt",
         {},
         [](auto& p, auto& n) { ::mkfifo((p.slozka / n).c_str(), 0644); },
         Ponechan,
         "",
         {}},
        {"podslozka",
         {},
         [](auto& p, auto& n) {
             fs::create_directory(p.slozka / n);
             ZapisBajty(p.slozka / n / "uvnitr.txt", "1\tU0001\n");
         },
         Ponechan,
         "",
         {}},
        {"rozepsany.txt.part",
         {},
         [](auto& p, auto& n) { p.Vloz(n, "1\tP0001\n"); },
         Ponechan,
         "",
         {}},
        {".skryty.txt", {}, [](auto& p, auto& n) { p.Vloz(n, "1\tP0002\n"); }, Ponechan, "", {}},
        {"smeti.bin",
         {},
         [](auto& p, auto& n) { p.Vloz(n, std::string("1\tS0099\n\0\xFF\xFE junk", 16)); },
         Chyby,
         "není tabulka",
         {}},
        // The whole file is judged, not its first block.
        {"nulaPo64k.txt",
         {},
         [](auto& p, auto& n) {
             p.Vloz(n, Radky(7000, 'N') + std::string("\0", 1) + Radky(500, 'M'));
         },
         Chyby,
         "není tabulka",
         {}},
        {"escPo64k.txt",
         {},
         [](auto& p, auto& n) { p.Vloz(n, Radky(7000, 'E') + "1\tS0095\x1B[2J\n"); },
         Chyby,
         "není tabulka",
         {}},
        // A name is bytes: shown as it is in the error file.
        {"Žlutá.csv",
         {},
         [](auto& p, auto& n) { p.Vloz(n, "Počet,Název\n1,\"S0094\n"); },
         Chyby,
         "V souboru Žlutá.csv zůstaly otevřené uvozovky",
         {}},
        {"dlouhy.txt",
         {},
         [](auto& p, auto& n) { p.Vloz(n, "1\tS0098\n1\t" + std::string(9 << 20, 'x') + "\n"); },
         Chyby,
         "je delší než 8 MiB",
         {}},
        {"sesit.xlsx",
         {},
         [](auto& p, auto& n) { p.Vloz(n, PrectiBajty(Sesity + "/hlidac.xlsx")); },
         Hotovo,
         "",
         {"S0201", "S0202", "S0202"}},
        {"bomba.xlsx",
         {},
         [](auto& p, auto& n) { p.Vloz(n, PrectiBajty(Sesity + "/nebezpecne/bomba.xlsx")); },
         Chyby,
         "je po rozbalení příliš velký",
         {}},
        {"stary.xls",
         {},
         [](auto& p, auto& n) { p.Vloz(n, PrectiBajty(Sesity + "/nebezpecne/stary.xlsx")); },
         Chyby,
         "starém formátu .xls",
         {}},
        {"sablona.txt",
         {"-l", "2"},
         [](auto& p, auto& n) { p.Vloz(n, "1\tS0097\n"); },
         Chyby,
         "'x' is not a valid integer value.\nÚloha: ",
         {}},
        {"prerusena.txt",
         {"-p", FrontaPreruseni},
         [](auto& p, auto& n) { p.Vloz(n, "1\tS0096\n"); },
         Chyby,
         "skončila: přerušena\nÚloha: ",
         {}},
    };

    std::map<std::vector<std::string>, std::vector<const tPripad*>> skupiny;
    for (const auto& p : pripady)
        skupiny[p.volby].push_back(&p);
    for (const auto& [volby, skupina] : skupiny) {
        const tProstredi prostredi;
        tHlidac hlidac(prostredi, volby);
        for (const tPripad* p : skupina)
            p->poloz(prostredi, p->nazev);
        std::map<std::string, int> ocekavane;
        for (const tPripad* p : skupina) {
            SCOPED_TRACE(p->nazev);
            const fs::path cil =
                prostredi.slozka / (p->konec == Hotovo ? "hotovo" : "chyby") / p->nazev;
            if (p->konec != Ponechan) {
                EXPECT_TRUE(Cekej([&] { return fs::exists(cil); }, 30s)) << prostredi.Log();
            }
            for (const std::string& e : p->etikety)
                ++ocekavane[e];
        }
        EXPECT_EQ(hlidac.Ukonci(), 0);
        for (const tPripad* p : skupina) {
            SCOPED_TRACE(p->nazev);
            const bool zustal = fs::is_symlink(prostredi.slozka / p->nazev) ||
                                fs::exists(prostredi.slozka / p->nazev);
            EXPECT_EQ(zustal, p->konec == Ponechan);
            if (p->konec == Chyby) {
                const std::string text = PrectiBajty(prostredi.slozka / "chyby" /
                                                     (std::string(p->nazev) + ".chyba.txt"));
                EXPECT_NE(text.find(p->duvod), std::string::npos) << text;
            }
        }
        const std::string fronta =
            std::find(volby.begin(), volby.end(), "-p") != volby.end() ? FrontaPreruseni : Fronta;
        EXPECT_EQ(Vytistene(fronta), ocekavane) << prostredi.Log();
        cups_test::VymazZachycene(fronta);
    }
    cups_test::SmazFrontu(FrontaPreruseni);
}

// kill -9 at random moments while files keep arriving: each file still prints exactly once
// and ends in hotovo/.
TEST(Hlidac, ZabitiKdykoli) {
    cups_test::PridejFrontu(Fronta);
    cups_test::VymazZachycene(Fronta);
    const tProstredi prostredi;
    constexpr int Souboru = 200;
    const unsigned seminko = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seminko));
    std::mt19937 nahoda(seminko);

    std::atomic<bool> vlozeno = false;
    std::thread vkladani([&] {
        for (int i = 1; i <= Souboru; ++i) {
            prostredi.Vloz(Cislo(i) + ".txt", "1\t" + Cislo(i) + "\n");
            std::this_thread::sleep_for(20ms);
        }
        vlozeno = true;
    });
    int zabiti = 0;
    auto hlidac = std::make_unique<tHlidac>(prostredi);
    while (zabiti < 25 || !vlozeno) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20 + nahoda() % 300));
        hlidac->Zabij();
        ++zabiti;
        hlidac = std::make_unique<tHlidac>(prostredi);
    }
    vkladani.join();
    EXPECT_TRUE(Cekej([&] { return Pocet(prostredi.slozka / "hotovo") == Souboru; }, 90s))
        << prostredi.Log();
    EXPECT_EQ(hlidac->Ukonci(), 0);

    const auto vytistene = Vytistene(Fronta);
    for (int i = 1; i <= Souboru; ++i) {
        const auto it = vytistene.find(Cislo(i));
        EXPECT_EQ(it == vytistene.end() ? 0 : it->second, 1) << Cislo(i);
    }
    EXPECT_EQ(vytistene.size(), size_t{Souboru});
    EXPECT_EQ(Pocet(prostredi.slozka / "chyby"), 0u) << prostredi.Log();
}

// Two watchers on one folder (two servers, for failover): no file prints twice.
TEST(Hlidac, DvaHlidace) {
    cups_test::PridejFrontu(Fronta);
    cups_test::VymazZachycene(Fronta);
    const tProstredi prostredi;
    constexpr int Souboru = 100;
    tHlidac prvni(prostredi), druhy(prostredi);
    for (int i = 1; i <= Souboru; ++i)
        prostredi.Vloz(Cislo(i) + ".txt", "1\t" + Cislo(i) + "\n");
    EXPECT_TRUE(Cekej([&] { return Pocet(prostredi.slozka / "hotovo") == Souboru; }))
        << prostredi.Log();
    EXPECT_EQ(prvni.Ukonci(), 0);
    EXPECT_EQ(druhy.Ukonci(), 0);
    const auto vytistene = Vytistene(Fronta);
    EXPECT_EQ(vytistene.size(), size_t{Souboru});
    for (const auto& [cislo, kolikrat] : vytistene)
        EXPECT_EQ(kolikrat, 1) << cislo;
}

// A printer switched off, a queue that refuses jobs, a stopped queue, each for a while: the
// files wait, and print once each, in order, when it works again; the log tells both turns.
TEST(Hlidac, TiskarnaMimoProvoz) {
    cups_test::PridejFrontu(Fronta);
    const std::string f = " " + Fronta;
    const struct {
        const char* nazev;
        std::function<void()> vypni, zapni;
        std::string mimo; // the log's line when it stops working
    } pripady[] = {
        {"vypnuta", [] { CupsTest("unplug", Fronta); }, [] { CupsTest("plug", Fronta); },
         "fronta" + f + ": "},
        {"odmita", [] { cups_test::OdmitejUlohy(Fronta); },
         [] { cups_test::OdmitejUlohy(Fronta, false); }, "fronta: odmítá úlohy"},
        {"zastavena", [f] { ASSERT_EQ(std::system(("cupsdisable" + f).c_str()), 0); },
         [f] { ASSERT_EQ(std::system(("cupsenable" + f).c_str()), 0); },
         "fronta" + f + ": zastavena"},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        cups_test::VymazZachycene(Fronta);
        const tProstredi prostredi;
        tHlidac hlidac(prostredi);
        ASSERT_TRUE(Hlida(prostredi)) << prostredi.Log();
        p.vypni();
        for (int i = 1; i <= 20; ++i)
            prostredi.Vloz(Cislo(i) + ".txt", "1\t" + Cislo(i) + "\n");
        std::this_thread::sleep_for(5s);
        EXPECT_EQ(Pocet(prostredi.slozka / "hotovo"), 0u);
        EXPECT_TRUE(cups_test::Zachycene(Fronta).empty());
        p.zapni();
        EXPECT_TRUE(Cekej([&] { return Pocet(prostredi.slozka / "hotovo") == 20; }))
            << prostredi.Log();
        EXPECT_EQ(hlidac.Ukonci(), 0);
        std::vector<std::string> poradi;
        const auto vytistene = Vytistene(Fronta, &poradi);
        std::vector<std::string> ocekavane;
        for (int i = 1; i <= 20; ++i)
            ocekavane.push_back(Cislo(i));
        const std::string log = prostredi.Log();
        // The watcher hands the files over in order. What a stopped queue holds, the server
        // orders itself once it starts again: there the order is the log's, and each prints
        // once.
        std::vector<std::string> odeslane;
        static const std::regex odeslano("(S[0-9]{4})\\.txt[^\n]*odesláno");
        for (auto it = std::sregex_iterator(log.begin(), log.end(), odeslano);
             it != std::sregex_iterator(); ++it)
            odeslane.push_back((*it)[1]);
        EXPECT_EQ(odeslane, ocekavane) << log;
        if (std::string(p.nazev) == "zastavena") {
            EXPECT_EQ(vytistene.size(), ocekavane.size());
            for (const auto& [cislo, kolikrat] : vytistene)
                EXPECT_EQ(kolikrat, 1) << cislo;
        } else {
            EXPECT_EQ(poradi, ocekavane) << log;
        }
        EXPECT_NE(log.find(p.mimo), std::string::npos) << log;
        EXPECT_NE(log.find("fronta" + f + " opět v pořádku"), std::string::npos) << log;
    }
}

// The print server restarted while a large file's document is on its way: the broken job
// never prints, the file prints again, whole and once. The restart lands in the middle of
// the document in most tries; the check holds in every try, and one must be a middle.
TEST(Hlidac, RestartServeru) {
    cups_test::PridejFrontu(Fronta);
    const tProstredi prostredi;
    constexpr int Radku = 2'000'000;
    std::string tabulka;
    for (int i = 1; i <= Radku; ++i)
        tabulka += "1\tR" + std::to_string(1000000 + i) + "\n";
    tHlidac hlidac(prostredi);
    const fs::path spool = fs::path(cups_test::Adresar()) / "spool";
    bool uprostred = false;
    for (int pokus = 1; pokus <= 4 && !uprostred; ++pokus) {
        SCOPED_TRACE("try " + std::to_string(pokus));
        cups_test::VymazZachycene(Fronta);
        const std::string nazev = "velky" + std::to_string(pokus) + ".txt";
        prostredi.Vloz(nazev, tabulka);
        // The server writes a request's document as it arrives into its spool folder, under
        // eight hexadecimal digits; it goes down while it holds between 1 and 10 of its 20 MB.
        const auto konec = std::chrono::steady_clock::now() + 20s;
        bool nalezen = false;
        while (!nalezen && std::chrono::steady_clock::now() < konec) {
            for (const auto& f : fs::directory_iterator(spool)) {
                const std::string n = f.path().filename().string();
                std::error_code e;
                const auto velikost = fs::file_size(f.path(), e);
                nalezen = nalezen ||
                          (n.size() == 8 && n.find_first_not_of("0123456789abcdef") == n.npos &&
                           !e && velikost > (1u << 20) && velikost < (10u << 20));
            }
            std::this_thread::sleep_for(1ms);
        }
        ::kill(std::stoi(PrectiBajty(cups_test::Adresar() + "/cupsd.pid")), SIGTERM);
        CupsTest("restart");
        EXPECT_TRUE(Cekej([&] { return fs::exists(prostredi.slozka / "hotovo" / nazev); }, 90s))
            << prostredi.Log();
        const auto ulohy = cups_test::Zachycene(Fronta);
        ASSERT_EQ(ulohy.size(), 1u) << prostredi.Log();
        EXPECT_EQ(ulohy[0].size(), size_t{Radku} * 10);
        uprostred = prostredi.Log().find("bez celého dokumentu") != std::string::npos;
    }
    EXPECT_EQ(hlidac.Ukonci(), 0);
    EXPECT_TRUE(uprostred) << prostredi.Log();
}

// lp's job of text on the queue (held with -H indefinite when drzet): its id.
int Lp(const fs::path& adresar, const std::string& text, bool drzet = false,
       const std::string& znacka = "") {
    ZapisBajty(adresar / "lp.txt", text);
    const std::string radek =
        "lp -d " + Fronta + " -o raw " + (drzet ? "-H indefinite " : "") +
        (znacka.empty() ? "" : "-o " + std::string(AtributZnacky) + "=" + znacka + " ") + "'" +
        (adresar / "lp.txt").string() + "' > '" + (adresar / "lp.out").string() + "'";
    EXPECT_EQ(std::system(radek.c_str()), 0);
    const std::string vystup = PrectiBajty(adresar / "lp.out"); // "request id is Q-12 (1 file(s))"
    const size_t pomlcka = vystup.find(Fronta + "-");
    return pomlcka == std::string::npos ? 0 : std::stoi(vystup.substr(pomlcka + Fronta.size() + 1));
}

// The job-uuid the server gave job id, or (stav) its job-state as a number.
std::string Uuid(int id, bool stav = false) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/jobs/%d", id);
    ipp_t* zadost = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(zadost, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
    ipp_t* odpoved = cupsDoRequest(CUPS_HTTP_DEFAULT, zadost, "/");
    ipp_attribute_t* a = stav ? ippFindAttribute(odpoved, "job-state", IPP_TAG_ENUM)
                              : ippFindAttribute(odpoved, "job-uuid", IPP_TAG_URI);
    std::string uuid = a == nullptr ? ""
                       : stav       ? std::to_string(ippGetInteger(a, 0))
                                    : ippGetString(a, 0, nullptr);
    ippDelete(odpoved);
    return uuid;
}

// Claims a watcher left when it was killed, each with its journal, against what the server
// answers about the job named: on a server that removes ended jobs' files at once, one whose
// ids another server has given again, one with a job held half sent, one killed before its
// journal was written. Each file prints once at most, and never reaches hotovo/ unless it
// printed. Of the held jobs no journal names, only the dead watcher's own is cancelled.
TEST(Hlidac, PrevzetiPoZabiti) {
    cups_test::PridejFrontu(Fronta);
    cups_test::VymazZachycene(Fronta);
    CupsTest("files", "no");
    const tProstredi prostredi;
    enum tKonec { Hotovo, Chyby };
    int sirotek = 0; // the held job of the claim without a journal
    const struct {
        const char* nazev;
        std::function<std::optional<std::string>(const tProstredi&)> denik; // none: no journal
        tKonec konec;
        std::string duvod;
        int vytisteno; // how often its number prints in all
    } pripady[] = {
        // Completed and its files gone: printed, not to be sent again.
        {"S0301",
         [](auto& p) {
             const int id = Lp(p.adresar.Cesta(), "1\tS0301\n");
             EXPECT_EQ(cups_test::StavPosledniUlohy(Fronta), IPP_JSTATE_COMPLETED);
             return std::to_string(id) + "\n" + Uuid(id) + "\npotvrzeno\n";
         },
         Hotovo, "", 1},
        // The id names somebody else's job (a new server gave it again).
        {"S0302",
         [](auto& p) {
             const int id = Lp(p.adresar.Cesta(), "X0302\n");
             cups_test::StavPosledniUlohy(Fronta);
             return std::to_string(id) + "\nurn:uuid:00000000-0000-0000-0000-000000000302\n"
                                         "potvrzeno\n";
         },
         Chyby, "jiná úloha", 0},
        // Held, its document never confirmed: cancelled, and the file prints.
        {"S0303",
         [](auto& p) {
             const int id = Lp(p.adresar.Cesta(), "X0303\n", true, "mrtvy");
             return std::to_string(id) + "\n" + Uuid(id) + "\n";
         },
         Hotovo, "", 1},
        {"S0304", [](auto&) { return std::string("999999\n\n"); }, Chyby, "nezná", 0},
        // Killed between creating the job and writing the journal: the job stays held, the
        // file prints.
        {"S0305",
         [&sirotek](auto& p) {
             sirotek = Lp(p.adresar.Cesta(), "X0305\n", true, "mrtvy");
             return std::nullopt;
         },
         Hotovo, "", 1},
    };
    // Held jobs that no journal names: another watcher's, and one of no watcher at all.
    const struct {
        const char* znacka;
        int stav;
    } drzene[] = {{"jiny", IPP_JSTATE_HELD}, {"", IPP_JSTATE_HELD}};
    std::vector<int> idDrzenych;
    for (const auto& d : drzene)
        idDrzenych.push_back(Lp(prostredi.adresar.Cesta(), "X\n", true, d.znacka));
    // A dead watcher's folder: its lock file, one claim folder per file.
    const fs::path mrtvy = prostredi.slozka / ".oblepky-hlidac" / "mrtvy";
    fs::create_directories(mrtvy);
    ZapisBajty(mrtvy / "zamek", "");
    int n = 0;
    for (const auto& p : pripady) {
        char slozka[16];
        std::snprintf(slozka, sizeof slozka, "%08d", ++n);
        fs::create_directory(mrtvy / slozka);
        ZapisBajty(mrtvy / slozka / (std::string(p.nazev) + ".txt"),
                   "1\t" + std::string(p.nazev) + "\n");
        if (const auto denik = p.denik(prostredi))
            ZapisBajty(mrtvy / slozka / ".uloha", *denik);
    }
    {
        tHlidac hlidac(prostredi);
        for (const auto& p : pripady) {
            SCOPED_TRACE(p.nazev);
            const fs::path cil = prostredi.slozka / (p.konec == Hotovo ? "hotovo" : "chyby") /
                                 (std::string(p.nazev) + ".txt");
            // A file in chyby/ gets its reason just after it arrives.
            const fs::path duvod = cil.string() + ".chyba.txt";
            EXPECT_TRUE(Cekej(
                [&] { return fs::exists(cil) && (p.konec == Hotovo || fs::exists(duvod)); }, 30s))
                << prostredi.Log();
            if (p.konec == Chyby) {
                const std::string text = PrectiBajty(duvod);
                EXPECT_NE(text.find(p.duvod), std::string::npos) << text;
            }
        }
        EXPECT_EQ(hlidac.Ukonci(), 0);
    }
    const auto vytistene = Vytistene(Fronta);
    for (const auto& p : pripady) {
        const auto it = vytistene.find(p.nazev);
        EXPECT_EQ(it == vytistene.end() ? 0 : it->second, p.vytisteno) << p.nazev;
    }
    EXPECT_EQ(Uuid(sirotek, true), std::to_string(IPP_JSTATE_CANCELED));
    for (size_t i = 0; i < std::size(drzene); ++i) {
        EXPECT_EQ(Uuid(idDrzenych[i], true), std::to_string(drzene[i].stav)) << drzene[i].znacka;
        ZrusUlohu(idDrzenych[i]);
    }
    EXPECT_NE(prostredi.Log().find("zrušena úloha ukončeného hlídače"), std::string::npos)
        << prostredi.Log();
    CupsTest("files", "yes");

    // Killed for real between the job's creation and the journal's write (strace injects
    // SIGKILL at the journal's rename, the third renameat after the watcher's own folder's and
    // the claim's): the next watcher cancels the held job and prints the file once.
    if (std::system("command -v strace >/dev/null") != 0)
        return;
    cups_test::VymazZachycene(Fronta);
    const tProstredi zabity;
    {
        tHlidac hlidac(zabity, {},
                       {"strace", "-f", "-qq", "-o", "/dev/null", "-e", "trace=renameat", "-e",
                        "inject=renameat:signal=SIGKILL:when=3"});
        ASSERT_TRUE(Cekej([&] { return zabity.Log().find("hlídá se") != std::string::npos; }));
        zabity.Vloz("S0306.txt", "1\tS0306\n");
        ASSERT_TRUE(Cekej([&] { return !hlidac.Bezi(); }, 20s)) << zabity.Log();
    }
    EXPECT_EQ(cups_test::StavPosledniUlohy(Fronta, 100ms), IPP_JSTATE_HELD);
    {
        tHlidac hlidac(zabity);
        EXPECT_TRUE(Cekej([&] { return fs::exists(zabity.slozka / "hotovo" / "S0306.txt"); }, 30s))
            << zabity.Log();
        EXPECT_EQ(hlidac.Ukonci(), 0);
    }
    EXPECT_NE(zabity.Log().find("zrušena úloha ukončeného hlídače"), std::string::npos)
        << zabity.Log();
    EXPECT_EQ(Vytistene(Fronta).count("S0306") == 1 ? Vytistene(Fronta).at("S0306") : 0, 1);
    // Nothing held is left; the server may take a moment to show the cancel.
    const std::string nedokoncene = "test -z \"$(lpstat -o " + Fronta + ")\"";
    EXPECT_TRUE(Cekej([&] { return std::system(nedokoncene.c_str()) == 0; }, 10s));
}

// The CPU time (user and system) a process has used so far, in seconds.
double CasProcesoru(pid_t pid) {
    std::string stat = PrectiBajty("/proc/" + std::to_string(pid) + "/stat");
    stat = stat.substr(stat.rfind(')') + 2);
    std::istringstream pole(stat);
    std::string kus;
    double tiku = 0;
    for (int i = 3; i <= 15 && pole >> kus; ++i)
        if (i == 14 || i == 15)
            tiku += std::stod(kus);
    return tiku / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

// More files than the watcher keeps in flight, on a stopped queue: it sleeps while nothing
// can move (under 5 % of a core over 10 s, where a busy loop takes all of it), and prints them
// all once the queue starts.
TEST(Hlidac, StojiciFrontaNespali) {
    cups_test::PridejFrontu(Fronta);
    cups_test::VymazZachycene(Fronta);
    const std::string zastav = "cupsdisable " + Fronta, spust = "cupsenable " + Fronta;
    ASSERT_EQ(std::system(zastav.c_str()), 0);
    const tProstredi prostredi;
    tHlidac hlidac(prostredi);
    constexpr int Souboru = 80;
    for (int i = 1; i <= Souboru; ++i)
        prostredi.Vloz(Cislo(i) + ".txt", "1\t" + Cislo(i) + "\n");
    std::this_thread::sleep_for(3s);
    const double pred = CasProcesoru(hlidac.Pid());
    std::this_thread::sleep_for(10s);
    const double cas = CasProcesoru(hlidac.Pid()) - pred;
    EXPECT_LT(cas, 0.5 * Zpomaleni) << prostredi.Log();
    ASSERT_EQ(std::system(spust.c_str()), 0);
    EXPECT_TRUE(Cekej([&] { return Pocet(prostredi.slozka / "hotovo") == Souboru; }, 90s))
        << prostredi.Log();
    EXPECT_EQ(hlidac.Ukonci(), 0);
    EXPECT_EQ(Vytistene(Fronta).size(), size_t{Souboru});
}

// SIGHUP ends the watcher as SIGTERM does, idle or during a run: exit status 0, the log's
// last line, and a file in the middle of its run stays claimed and prints once, whole, after
// the next start.
TEST(Hlidac, SignalHup) {
    cups_test::PridejFrontu(Fronta);
    constexpr int Radku = 2'000'000;
    for (const bool behem : {false, true}) {
        SCOPED_TRACE(behem ? "during a run" : "idle");
        cups_test::VymazZachycene(Fronta);
        const tProstredi prostredi;
        {
            tHlidac hlidac(prostredi);
            ASSERT_TRUE(
                Cekej([&] { return prostredi.Log().find("hlídá se") != std::string::npos; }));
            if (behem) {
                prostredi.Vloz("velky.txt", Radky(Radku, 'R'));
                const std::string lpstat = "lpstat -o " + Fronta + " | grep -q .";
                EXPECT_TRUE(Cekej([&] { return std::system(lpstat.c_str()) == 0; }, 20s));
            }
            EXPECT_EQ(hlidac.Ukonci(SIGHUP), 0);
        }
        const std::string log = prostredi.Log();
        EXPECT_NE(log.find("hlídání skončilo"), std::string::npos) << log;
        EXPECT_EQ(Pocet(prostredi.slozka / "chyby"), 0u) << log;
        if (!behem)
            continue;
        EXPECT_EQ(Pocet(prostredi.slozka / "hotovo"), 0u) << log;
        tHlidac znovu(prostredi);
        EXPECT_TRUE(Cekej([&] { return Pocet(prostredi.slozka / "hotovo") == 1; }, 90s))
            << prostredi.Log();
        EXPECT_EQ(znovu.Ukonci(), 0);
        const auto ulohy = cups_test::Zachycene(Fronta);
        ASSERT_EQ(ulohy.size(), 1u) << prostredi.Log();
        EXPECT_EQ(ulohy[0].size(), size_t{Radku} * 7); // "R1234\r\n"
    }
}

// A full file system under the folder: the file waits claimed (not in chyby/), the log says
// why once, and it prints once there is space again.
TEST(Hlidac, PlnyDisk) {
    cups_test::PridejFrontu(Fronta);
    cups_test::VymazZachycene(Fronta);
    const tProstredi prostredi;
    if (::mount("tmpfs", prostredi.slozka.c_str(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "no tmpfs mount here";
    {
        tHlidac hlidac(prostredi);
        ASSERT_TRUE(Cekej([&] { return prostredi.Log().find("hlídá se") != std::string::npos; }));
        ZapisBajty(prostredi.slozka / ".soubor", "1\tS0401\n");
        // Whatever is left is taken by a file the watcher leaves alone (its name has a dot).
        std::system(("cat /dev/zero > '" + (prostredi.slozka / ".plno").string() + "' 2>/dev/null")
                        .c_str());
        fs::rename(prostredi.slozka / ".soubor", prostredi.slozka / "S0401.txt");
        std::this_thread::sleep_for(4s);
        EXPECT_EQ(Pocet(prostredi.slozka / "chyby"), 0u) << prostredi.Log();
        EXPECT_EQ(Pocet(prostredi.slozka / "hotovo"), 0u) << prostredi.Log();
        EXPECT_NE(prostredi.Log().find("No space left on device"), std::string::npos)
            << prostredi.Log();
        fs::remove(prostredi.slozka / ".plno");
        EXPECT_TRUE(Cekej([&] { return Pocet(prostredi.slozka / "hotovo") == 1; }, 60s))
            << prostredi.Log();
        EXPECT_EQ(hlidac.Ukonci(), 0);
    }
    ::umount2(prostredi.slozka.c_str(), MNT_DETACH);
    EXPECT_EQ(Vytistene(Fronta), (std::map<std::string, int>{{"S0401", 1}}));
}

// Two watchers started at the same instant, again and again: neither fails because of the
// other.
TEST(Hlidac, SoucasnyStart) {
    for (int pokus = 0; pokus < 20; ++pokus) {
        SCOPED_TRACE("try " + std::to_string(pokus));
        const tProstredi prostredi;
        tHlidac prvni(prostredi), druhy(prostredi);
        std::this_thread::sleep_for(300ms);
        EXPECT_TRUE(prvni.Bezi()) << prostredi.Log();
        EXPECT_TRUE(druhy.Bezi()) << prostredi.Log();
        if (!prvni.Bezi() || !druhy.Bezi())
            break;
    }
}

// A folder that not even root may write in while it lives (the immutable flag), as a folder
// not writable for a while is to the watcher's own account; false when the file system
// cannot do it.
class tNezapisovatelna {
public:
    explicit tNezapisovatelna(const fs::path& slozka)
        : fd_(::open(slozka.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        ok_ = fd_ >= 0 && Nastav(true);
    }
    ~tNezapisovatelna() { Uvolni(); }
    tNezapisovatelna(const tNezapisovatelna&) = delete;
    tNezapisovatelna& operator=(const tNezapisovatelna&) = delete;
    explicit operator bool() const { return ok_; }
    void Uvolni() {
        if (ok_)
            Nastav(false);
        ok_ = false;
        if (fd_ >= 0)
            ::close(std::exchange(fd_, -1));
    }

private:
    bool Nastav(bool zapnout) const {
        int priznaky = 0;
        if (::ioctl(fd_, FS_IOC_GETFLAGS, &priznaky) != 0)
            return false;
        priznaky = zapnout ? priznaky | FS_IMMUTABLE_FL : priznaky & ~FS_IMMUTABLE_FL;
        return ::ioctl(fd_, FS_IOC_SETFLAGS, &priznaky) == 0;
    }
    int fd_;
    bool ok_ = false;
};

// How often the log has a line.
size_t Vyskytu(const std::string& log, const std::string& co) {
    size_t n = 0;
    for (size_t i = log.find(co); i != std::string::npos; i = log.find(co, i + co.size()))
        ++n;
    return n;
}

// Files that once stayed behind: a second file of a 255-byte name that hotovo/ holds already
// (the number cuts the name), a move into hotovo/ that fails for a while (tried again after a
// growing pause, not in a loop, and done once it can be), and the watcher's own folder removed
// while it runs (it ends with a status that makes its service start it again, naming the
// folder).
TEST(Hlidac, UvizleSoubory) {
    cups_test::PridejFrontu(Fronta);
    cups_test::VymazZachycene(Fronta);
    const std::string dlouhy =
        std::string(250, 'd') + ".txt"; // 254 bytes, 255 with the writer's dot
    {
        const tProstredi prostredi;
        tHlidac hlidac(prostredi);
        for (int i = 1; i <= 2; ++i) {
            prostredi.Vloz(dlouhy, "1\t" + Cislo(500 + i) + "\n");
            EXPECT_TRUE(Cekej([&] { return Pocet(prostredi.slozka / "hotovo") == size_t(i); }, 30s))
                << prostredi.Log();
        }
        EXPECT_EQ(hlidac.Ukonci(), 0);
        EXPECT_EQ(Vytistene(Fronta).size(), 2u);
    }
    {
        cups_test::VymazZachycene(Fronta);
        const tProstredi prostredi;
        tHlidac hlidac(prostredi);
        ASSERT_TRUE(Cekej([&] { return prostredi.Log().find("hlídá se") != std::string::npos; }));
        tNezapisovatelna zamcena(prostredi.slozka / "hotovo");
        if (!zamcena) {
            std::cerr << "skipped: the file system has no immutable flag\n";
        } else {
            prostredi.Vloz("S0511.txt", "1\tS0511\n");
            const std::string neuzavren = "nelze uzavřít";
            EXPECT_TRUE(Cekej([&] { return Vyskytu(prostredi.Log(), neuzavren) >= 2; }, 20s))
                << prostredi.Log();
            EXPECT_EQ(Pocet(prostredi.slozka / "hotovo"), 0u);
            zamcena.Uvolni();
            EXPECT_TRUE(
                Cekej([&] { return fs::exists(prostredi.slozka / "hotovo" / "S0511.txt"); }, 40s))
                << prostredi.Log();
            EXPECT_EQ(hlidac.Ukonci(), 0);
            // Paused 1 s, then 2 s, 4 s …: a handful of tries, and the job asked about no more.
            EXPECT_LE(Vyskytu(prostredi.Log(), neuzavren), 5u) << prostredi.Log();
            EXPECT_EQ(Vytistene(Fronta).size(), 1u);
        }
    }
    {
        const tProstredi prostredi;
        tHlidac hlidac(prostredi);
        ASSERT_TRUE(Cekej([&] { return prostredi.Log().find("hlídá se") != std::string::npos; }));
        fs::remove_all(prostredi.slozka / ".oblepky-hlidac");
        prostredi.Vloz("S0510.txt", "1\tS0510\n");
        EXPECT_TRUE(Cekej([&] { return !hlidac.Bezi(); }, 20s)) << prostredi.Log();
        EXPECT_NE(prostredi.Log().find("Pracovní složka hlídače"), std::string::npos)
            << prostredi.Log();
        EXPECT_TRUE(fs::exists(prostredi.slozka / "S0510.txt")); // waits for the next start
    }
}

} // namespace
