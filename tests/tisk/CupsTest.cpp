#include "tests/tisk/CupsTest.h"

#include "core/PriKonci.h"

#include <cups/cups.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;

namespace cups_test {

namespace {

std::string Promenna(const char* nazev) {
    const char* hodnota = std::getenv(nazev);
    if (hodnota == nullptr || *hodnota == '\0') {
        std::fprintf(stderr, "%s is not set: run this test through ctest (fixture CupsServer)\n",
                     nazev);
        std::exit(2);
    }
    return hodnota;
}

// One word for the shell, whatever it holds.
std::string Uvozovky(const std::string& slovo) {
    std::string vysledek = "'";
    for (char znak : slovo) {
        if (znak == '\'')
            vysledek += "'\\''";
        else
            vysledek += znak;
    }
    return vysledek + "'";
}

// Runs scripts/cups-test with the given subcommand; its output goes to the test's log.
void Skript(const std::string& prikaz, const std::string& fronta = {},
            const std::string& dalsi = {}) {
    std::string radek = Uvozovky(Promenna("OBLEPKY_SKRIPTY") + "/cups-test") + " " + prikaz + " " +
                        Uvozovky(Adresar());
    if (!fronta.empty())
        radek += " " + Uvozovky(fronta);
    if (!dalsi.empty())
        radek += " " + Uvozovky(dalsi);
    std::fflush(nullptr);
    if (std::system(radek.c_str()) != 0)
        throw std::runtime_error("failed: " + radek);
}

fs::path Slozka(const std::string& nazev) {
    return fs::path(Adresar()) / "zachyceno" / nazev;
}

} // namespace

int StavPosledniUlohy(const std::string& nazev, std::chrono::milliseconds limit) {
    ipp_jstate_t stav = IPP_JSTATE_PENDING;
    for (auto konec = std::chrono::steady_clock::now() + limit;;) {
        cups_job_t* ulohy = nullptr;
        const int pocet =
            cupsGetJobs2(CUPS_HTTP_DEFAULT, &ulohy, nazev.c_str(), 0, CUPS_WHICHJOBS_ALL);
        int nejnovejsi = -1;
        for (int i = 0; i < pocet; ++i)
            if (nejnovejsi < 0 || ulohy[i].id > ulohy[nejnovejsi].id)
                nejnovejsi = i;
        if (nejnovejsi >= 0)
            stav = ulohy[nejnovejsi].state;
        cupsFreeJobs(pocet, ulohy);
        if (stav >= IPP_JSTATE_CANCELED || std::chrono::steady_clock::now() >= konec)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return stav;
}

std::string TichyServer(const std::string& nazev) {
    Skript("stall", nazev);
    std::ifstream soubor(fs::path(Adresar()) / "posluchaci" / (nazev + ".port"));
    std::string port;
    soubor >> port;
    return "127.0.0.1:" + port;
}

std::string Adresar() {
    return Promenna("OBLEPKY_CUPS_DIR");
}

void PridejFrontu(const std::string& nazev) {
    Skript("queue", nazev);
}

void PridejFrontu(const std::string& nazev, int zavritPo) {
    // The listener takes the limit from its environment, which it inherits from ours.
    setenv("OBLEPKY_ZAVRIT_PO", std::to_string(zavritPo).c_str(), 1);
    const tPriKonci zpet([] { unsetenv("OBLEPKY_ZAVRIT_PO"); });
    Skript("queue", nazev);
}

void PridejMrtvouFrontu(const std::string& nazev) {
    Skript("dead", nazev);
}

void SmazFrontu(const std::string& nazev) {
    Skript("delete", nazev);
}

void OdmitejUlohy(const std::string& nazev, bool odmitat) {
    Skript(odmitat ? "reject" : "accept", nazev);
}

std::vector<std::string> Zachycene(const std::string& nazev) {
    std::vector<fs::path> soubory;
    std::error_code chyba;
    for (const auto& polozka : fs::directory_iterator(Slozka(nazev), chyba)) {
        if (polozka.path().extension() == ".bin")
            soubory.push_back(polozka.path());
    }
    // Sequence numbers are zero-padded, so the name order is the arrival order.
    std::sort(soubory.begin(), soubory.end());
    std::vector<std::string> ulohy;
    for (const auto& soubor : soubory) {
        std::ifstream vstup(soubor, std::ios::binary);
        ulohy.emplace_back(std::istreambuf_iterator<char>(vstup), std::istreambuf_iterator<char>());
    }
    return ulohy;
}

std::vector<std::string> CekejNaUlohy(const std::string& nazev, size_t pocet,
                                      std::chrono::milliseconds limit) {
    const auto konec = std::chrono::steady_clock::now() + limit;
    for (;;) {
        auto ulohy = Zachycene(nazev);
        if (ulohy.size() >= pocet || std::chrono::steady_clock::now() >= konec)
            return ulohy;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void VymazZachycene(const std::string& nazev) {
    std::error_code chyba;
    for (const auto& polozka : fs::directory_iterator(Slozka(nazev), chyba)) {
        if (polozka.path().extension() == ".bin")
            fs::remove(polozka.path(), chyba);
    }
}

std::vector<std::string> NazvyUloh(const std::string& nazev) {
    cups_job_t* ulohy = nullptr;
    const int pocet = cupsGetJobs2(CUPS_HTTP_DEFAULT, &ulohy, nazev.c_str(), 0, CUPS_WHICHJOBS_ALL);
    std::vector<std::pair<int, std::string>> podleCisla;
    for (int i = 0; i < pocet; ++i)
        podleCisla.emplace_back(ulohy[i].id, ulohy[i].title ? ulohy[i].title : "");
    cupsFreeJobs(pocet, ulohy);
    std::sort(podleCisla.begin(), podleCisla.end());
    std::vector<std::string> nazvy;
    for (auto& [cislo, titul] : podleCisla)
        nazvy.push_back(std::move(titul));
    return nazvy;
}

void ZastavServer() {
    Skript("stop");
}

void SpustServer() {
    Skript("start");
}

void PresmerujFrontu(const std::string& nazev, const std::string& uri) {
    Skript("forward", nazev, uri);
}

tSdilenyServer::tSdilenyServer()
    : adresar_((fs::temp_directory_path() /
                ("oblepky-obchod-" +
                 std::to_string(std::chrono::steady_clock::now().time_since_epoch().count())))
                   .string()) {
    fs::create_directories(adresar_);
    const tNaServeru na(*this);
    SpustServer();
    std::ifstream(fs::path(adresar_) / "port") >> port_;
}

tSdilenyServer::~tSdilenyServer() {
    {
        const tNaServeru na(*this);
        ZastavServer();
    }
    std::error_code chyba;
    fs::remove_all(adresar_, chyba);
}

tSdilenyServer::tNaServeru::tNaServeru(const tSdilenyServer& server) : puvodni_(Adresar()) {
    setenv("OBLEPKY_CUPS_DIR", server.adresar_.c_str(), 1);
    cupsSetServer(server.port_.empty() ? nullptr : server.Adresa().c_str());
}

tSdilenyServer::tNaServeru::~tNaServeru() {
    setenv("OBLEPKY_CUPS_DIR", puvodni_.c_str(), 1);
    cupsSetServer(nullptr); // back to CUPS_SERVER
}

} // namespace cups_test
