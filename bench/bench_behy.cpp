// A table run of 100,000 labels through a raw queue of a private CUPS server, against
// `lp -o raw` of the identical bytes to the same queue, each until the capture listener
// holds every byte of the job; once with the job as the window opens it (every server call
// on a thread of its own). The server is started in a temporary directory with
// scripts/cups-test (OBLEPKY_SKRIPTY, given at build time) and stopped at the end.

#include "output/RawPrinter.h"
#include "output/TiskoveBehy.h"
#include "output/UlohaNaPozadi.h"
#include "tests/podpora/DocasnyAdresar.h"
#include "tests/podpora/ZachytUlohy.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>

namespace fs = std::filesystem;

namespace {

constexpr int Stitku = 100'000;
const std::string Fronta = "Bench";

void Spust(const std::string& prikaz) {
    if (std::system(prikaz.c_str()) != 0)
        throw std::runtime_error("failed: " + prikaz);
}

// The private server, started on first use and stopped when the program ends.
class tServer {
public:
    tServer() {
        Spust(Skript() + " start " + Adresar + " >/dev/null");
        Spust(Skript() + " queue " + Adresar + " " + Fronta + " >/dev/null");
        setenv("CUPS_SERVER", (Adresar + "/cups.sock").c_str(), 1);
    }
    ~tServer() { std::system((Skript() + " stop " + Adresar + " >/dev/null").c_str()); }

    // Captured jobs so far (complete ones only).
    size_t Hotovych() const {
        size_t pocet = 0;
        for (const auto& soubor : fs::directory_iterator(Adresar + "/zachyceno/" + Fronta))
            pocet += soubor.path().extension() == ".bin";
        return pocet;
    }
    // Waits until job number `poradi` is complete and checks its size.
    void Cekej(size_t poradi, size_t bajtu) const {
        while (Hotovych() < poradi)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        char nazev[32];
        std::snprintf(nazev, sizeof nazev, "%06zu.bin", poradi);
        if (fs::file_size(Adresar + "/zachyceno/" + Fronta + "/" + nazev) != bajtu)
            throw std::runtime_error("captured job has the wrong size");
    }

    const tDocasnyAdresar Misto; // removed after the server has stopped
    const std::string Adresar = Misto.Cesta().string();

private:
    static std::string Skript() { return std::string(OBLEPKY_SKRIPTY) + "/cups-test"; }
};

tServer& Server() {
    static tServer server;
    return server;
}

struct tPrace {
    tPopisOblepky popis;
    tTabulka tabulka;
    std::string bajty;  // what the run sends
    std::string soubor; // the same bytes for lp
};

const tPrace& Prace() {
    static const tPrace prace = [] {
        tPrace p;
        p.popis.Tiskarna = Fronta;
        p.popis.InitKody = "27 64";
        p.popis.RadkuPred = 1;
        p.popis.PocetRadkuOblepky = 4;
        p.popis.PoleSPoctem = 3;
        for (int i = 1; i <= PocetRadku; ++i)
            p.popis.Radky[i].HrDelka = 40;
        p.popis.Radky[1].HrZleva = 2;
        p.popis.Radky[1].HrText = "{1}";
        p.popis.Radky[2].HrText = "Cena: {2,8*} K\xE8";
        p.popis.Radky[3].HrText = "#{0}";
        p.popis.KodyOdradkovani = "12";
        std::string text;
        for (int r = 1; r <= Stitku / 2; ++r)
            text += "Zbozi " + std::to_string(r) + "\t" + std::to_string(r % 997) + "\t2\r\n";
        p.tabulka.NactiText(text);
        podpora::tZaznam zaznam;
        TiskniTabulku(p.popis, 1, p.tabulka, podpora::Sluzby(zaznam));
        p.bajty = zaznam.Bajty();
        p.soubor = Server().Adresar + "/stitky.bin";
        std::ofstream(p.soubor, std::ios::binary) << p.bajty;
        return p;
    }();
    return prace;
}

// zOkna: the job as the window opens it, every server call on a thread of its own.
void Tabulka(benchmark::State& state, bool zOkna) {
    const tPrace& p = Prace();
    tServer& server = Server();
    tSluzbyTisku sluzby;
    sluzby.VytvorUlohu = [zOkna](const std::string& nazev, const std::string& tiskarna) {
        if (!zOkna)
            return std::unique_ptr<tTiskovaUloha>(std::make_unique<tRawPrinter>(nazev, tiskarna));
        return std::unique_ptr<tTiskovaUloha>(std::make_unique<tUlohaNaPozadi>(
            [&](tOdriznuti& odriznuti) -> std::unique_ptr<tTiskovaUloha> {
                return std::make_unique<tRawPrinter>(nazev, tiskarna, &odriznuti);
            },
            [] { return true; }));
    };
    sluzby.UkazDokonceni = [](long long) {};
    for (auto _ : state) {
        const size_t dalsi = server.Hotovych() + 1;
        TiskniTabulku(p.popis, 1, p.tabulka, sluzby);
        server.Cekej(dalsi, p.bajty.size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * p.bajty.size()));
    state.counters["stitku"] = Stitku;
}

void BM_TabulkaPresCups(benchmark::State& state) {
    Tabulka(state, false);
}

void BM_TabulkaZOkna(benchmark::State& state) {
    Tabulka(state, true);
}

void BM_LpRaw(benchmark::State& state) {
    const tPrace& p = Prace();
    tServer& server = Server();
    const std::string prikaz = "lp -d " + Fronta + " -o raw " + p.soubor + " >/dev/null";
    for (auto _ : state) {
        const size_t dalsi = server.Hotovych() + 1;
        Spust(prikaz);
        server.Cekej(dalsi, p.bajty.size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * p.bajty.size()));
}

BENCHMARK(BM_TabulkaPresCups)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BM_TabulkaZOkna)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BM_LpRaw)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

} // namespace

BENCHMARK_MAIN();
