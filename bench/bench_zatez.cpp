// Many clients at once: eight client processes built on the output library (tRawPrinter)
// send 1,000 jobs in total to one queue of a private CUPS server over TCP, against eight
// concurrent `lp -o raw` loops sending the same jobs in the same run. Every job must arrive
// whole and unmixed, under its own name; the report gives jobs per second (until the last
// was handed over, and until the last was captured) and the 50th and 99th percentile of the
// time to hand one job over.
//
//   build-dir/bench/bench_zatez [rounds]
#include "output/RawPrinter.h"
#include "tests/podpora/DocasnyAdresar.h"
#include "tests/podpora/Proces.h"

#include <cups/cups.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int Klientu = 8;
constexpr int Uloh = 1000;
const std::string Fronta = "Zatez";

using tHodiny = std::chrono::steady_clock;

void Skript(const std::string& prikaz, const fs::path& adresar, const std::string& fronta = {}) {
    const std::string radek = "'" + std::string(OBLEPKY_SKRIPTY) + "/cups-test' " + prikaz + " '" +
                              adresar.string() + "' " + fronta + " >/dev/null";
    if (std::system(radek.c_str()) != 0)
        throw std::runtime_error("failed: " + radek);
}

// About 3 KB naming its job on every line, so that a job mixed with another shows.
std::string Obsah(const std::string& nazev) {
    std::string obsah;
    for (int i = 0; i < 100; ++i)
        obsah += nazev + " radek " + std::to_string(i) + "\r\n";
    return obsah;
}

std::string Nazev(const std::string& kdo, int uloha) {
    return kdo + "-" + std::to_string(uloha);
}

// Runs the jobs of one client: every Klientu-th, timing each; the times (ms) go to `vystup`.
using tPosli = std::function<void(const std::string& nazev)>;

void Klient(int klient, const std::string& kdo, const tPosli& posli, int vystup) {
    for (int u = klient; u < Uloh; u += Klientu) {
        const auto zacatek = tHodiny::now();
        posli(Nazev(kdo, u));
        const double ms =
            std::chrono::duration<double, std::milli>(tHodiny::now() - zacatek).count();
        if (write(vystup, &ms, sizeof ms) != sizeof ms)
            _exit(3);
    }
}

struct tVysledek {
    std::vector<double> ms; // per job
    double predano = 0;     // s until every client was done
    double zachyceno = 0;   // s until the capture held every job
};

size_t Hotovych(const fs::path& zachyceno) {
    size_t pocet = 0;
    for (const auto& p : fs::directory_iterator(zachyceno))
        pocet += p.path().extension() == ".bin";
    return pocet;
}

// Every job arrived once, whole and unmixed, and the server knows each under its name.
void Over(const fs::path& zachyceno, const std::string& kdo) {
    std::set<std::string> videno;
    for (const auto& p : fs::directory_iterator(zachyceno)) {
        std::ifstream f(p.path(), std::ios::binary);
        const std::string obsah{std::istreambuf_iterator<char>(f), {}};
        const std::string nazev = obsah.substr(0, obsah.find(' '));
        if (obsah != Obsah(nazev) || !videno.insert(nazev).second)
            throw std::runtime_error("job " + p.path().string() + " is not whole or twice");
    }
    for (int u = 0; u < Uloh; ++u)
        if (!videno.contains(Nazev(kdo, u)))
            throw std::runtime_error("job " + Nazev(kdo, u) + " is missing");
    // Every job the server knows, by its id: Get-Jobs answers with 500 at most.
    std::set<std::string> nazvy;
    for (int id = 1;; ++id) {
        ipp_t* zadost = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
        ippAddString(zadost, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr,
                     ("ipp://localhost/jobs/" + std::to_string(id)).c_str());
        ippAddString(zadost, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                     "job-name");
        ipp_t* odpoved = cupsDoRequest(CUPS_HTTP_DEFAULT, zadost, "/");
        ipp_attribute_t* nazev = ippFindAttribute(odpoved, "job-name", IPP_TAG_NAME);
        if (nazev != nullptr && std::string(ippGetString(nazev, 0, nullptr)).starts_with(kdo + "-"))
            nazvy.insert(ippGetString(nazev, 0, nullptr));
        ippDelete(odpoved);
        if (nazev == nullptr)
            break;
    }
    if (nazvy != videno)
        throw std::runtime_error("the server knows " + std::to_string(nazvy.size()) + " of " + kdo +
                                 "'s job names");
}

tVysledek Davka(const fs::path& zachyceno, const std::string& kdo, const tPosli& posli) {
    for (const auto& p : fs::directory_iterator(zachyceno))
        fs::remove(p.path());
    tVysledek v;
    std::vector<std::pair<pid_t, int>> klienti;
    const auto zacatek = tHodiny::now();
    for (int k = 0; k < Klientu; ++k) {
        int roura[2];
        if (pipe(roura) != 0)
            throw std::runtime_error("pipe");
        const pid_t pid = fork();
        if (pid == 0) {
            close(roura[0]);
            try {
                Klient(k, kdo, posli, roura[1]);
            } catch (const std::exception& e) {
                std::fprintf(stderr, "%s: %s\n", kdo.c_str(), e.what());
                _exit(1);
            }
            _exit(0);
        }
        close(roura[1]);
        klienti.emplace_back(pid, roura[0]);
    }
    bool chyba = false;
    for (auto [pid, roura] : klienti) {
        double ms = 0;
        while (read(roura, &ms, sizeof ms) == sizeof ms)
            v.ms.push_back(ms);
        close(roura);
        const auto konec = PockejNaProces(pid);
        chyba |= !konec || konec->Kod != 0;
    }
    v.predano = std::chrono::duration<double>(tHodiny::now() - zacatek).count();
    if (chyba || v.ms.size() != Uloh)
        throw std::runtime_error(kdo + ": a client failed");
    while (Hotovych(zachyceno) < Uloh) {
        if (tHodiny::now() - zacatek > std::chrono::minutes(5))
            throw std::runtime_error(kdo + ": jobs did not arrive");
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    v.zachyceno = std::chrono::duration<double>(tHodiny::now() - zacatek).count();
    Over(zachyceno, kdo);
    return v;
}

double Percentil(std::vector<double> ms, double p) {
    std::sort(ms.begin(), ms.end());
    return ms[static_cast<size_t>(p * static_cast<double>(ms.size() - 1))];
}

void PosliRawPrinter(const std::string& nazev) {
    tRawPrinter uloha(nazev, Fronta);
    uloha.Write(Obsah(nazev));
    uloha.Dokonci();
}

// One `lp -o raw` of a file holding the job, as a shell loop would run it.
std::function<void(const std::string&)> PosliLp(const fs::path& soubory) {
    return [soubory](const std::string& nazev) {
        const std::string soubor = (soubory / nazev).string();
        const pid_t pid = SpustProces({"lp", "-s", "-d", Fronta, "-o", "raw", "-t", nazev, soubor});
        const auto konec = pid < 0 ? std::nullopt : PockejNaProces(pid);
        if (!konec || konec->Kod != 0)
            throw std::runtime_error("lp failed for " + nazev);
    };
}

void Radek(const char* kdo, const std::vector<tVysledek>& kola) {
    std::vector<double> ms;
    double predano = 0, zachyceno = 0;
    for (const auto& v : kola) {
        ms.insert(ms.end(), v.ms.begin(), v.ms.end());
        predano += v.predano;
        zachyceno += v.zachyceno;
    }
    const double uloh = static_cast<double>(Uloh * kola.size());
    std::printf("%-12s %10.1f %12.1f %9.1f %9.1f\n", kdo, uloh / predano, uloh / zachyceno,
                Percentil(ms, 0.5), Percentil(ms, 0.99));
}

} // namespace

int main(int argc, char** argv) try {
    const int kol = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2;
    const tDocasnyAdresar adresar;
    const fs::path server = adresar.Cesta() / "server";
    const fs::path soubory = adresar.Cesta() / "ulohy";
    fs::create_directories(server);
    fs::create_directories(soubory);
    Skript("start", server);
    std::string port;
    std::ifstream(server / "port") >> port;
    // Both kinds of client reach the server over TCP, as the PCs of a shop do.
    setenv("CUPS_SERVER", ("127.0.0.1:" + port).c_str(), 1);
    int vysledek = 0;
    try {
        Skript("queue", server, Fronta);
        std::vector<tVysledek> nase, lp;
        for (int k = 0; k < kol; ++k) {
            const std::string kdoLp = "lp" + std::to_string(k);
            for (int u = 0; u < Uloh; ++u)
                std::ofstream(soubory / Nazev(kdoLp, u), std::ios::binary)
                    << Obsah(Nazev(kdoLp, u));
            // The two take turns, so load from elsewhere hits both alike.
            nase.push_back(Davka(server / "zachyceno" / Fronta, "oblepky" + std::to_string(k),
                                 PosliRawPrinter));
            lp.push_back(Davka(server / "zachyceno" / Fronta, kdoLp, PosliLp(soubory)));
        }
        std::printf("%d clients, %d jobs per round, %d rounds; every job arrived whole, once, "
                    "under its name\n",
                    Klientu, Uloh, kol);
        std::printf("%-12s %10s %12s %9s %9s\n", "", "handed/s", "captured/s", "p50 ms", "p99 ms");
        Radek("tRawPrinter", nase);
        Radek("lp -o raw", lp);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        vysledek = 1;
    }
    Skript("stop", server);
    return vysledek;
} catch (const std::exception& e) { // before the server started, or in stopping it
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
}
