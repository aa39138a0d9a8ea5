// The watched folder (oblepky-tisk --watch) against the loop a user would otherwise write,
//     inotifywait -m -e moved_to,close_write DIR | while read ...; do lp -o raw ...; done
// printing the same pre-made bytes to the same capture queue of a private CUPS server:
// - latency: from a file's rename into the folder to its last byte at the capture, one file
//   at a time, p50 and p99;
// - throughput: files dropped at once, until the capture holds them all;
// both with the capture queue alone on the server and with 120 more queues beside it;
// - the watcher's CPU time while 80 files wait on a stopped queue (10 s);
// - the watcher's memory (VmRSS) while it prints 10,000 files, and its wake-ups when idle.
//
//   build-dir/bench/bench_hlidac [FILES [MEMORY]]
//       FILES for latency and throughput (default 1000), MEMORY for the memory (10000)
//
// Scripts are taken from OBLEPKY_SKRIPTY in the environment, else from the source tree.
#include "bench/Davka.h"
#include "bench/ProtiLp.h"
#include "core/Nastaveni.h"
#include "tests/podpora/DocasnyAdresar.h"
#include "tests/podpora/Proces.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace fs = std::filesystem;
using tHodiny = std::chrono::steady_clock;
using namespace std::chrono_literals;

namespace {

const std::string Fronta = "Bench";
fs::path Adresar, Program;

// In the background, in a process group of its own: the loop's shell and its children.
pid_t Spust(const std::vector<std::string>& argumenty, const fs::path& log) {
    const pid_t pid = SpustProces(argumenty, "/dev/null", log, true);
    if (pid < 0)
        throw std::runtime_error("cannot start " + argumenty[0]);
    return pid;
}

void Ukonci(pid_t pid) {
    ::kill(-pid, SIGTERM);
    PockejNaProces(pid);
}

// Counts the jobs that arrive whole at the capture (the listener renames .part to .bin).
class tZachyt {
public:
    tZachyt() : fd_(inotify_init1(IN_CLOEXEC)) {
        inotify_add_watch(fd_, Zachyceno(Adresar, Fronta).c_str(), IN_MOVED_TO);
    }
    ~tZachyt() { ::close(fd_); }
    tZachyt(const tZachyt&) = delete;
    tZachyt& operator=(const tZachyt&) = delete;
    // Waits until n more jobs have arrived.
    void Cekej(size_t n) {
        alignas(inotify_event) char buf[8192];
        while (n > 0) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 120000) <= 0)
                throw std::runtime_error("jobs did not arrive");
            const ssize_t delka = ::read(fd_, buf, sizeof buf);
            for (ssize_t i = 0; i < delka;) {
                const auto* u = reinterpret_cast<const inotify_event*>(buf + i);
                i += static_cast<ssize_t>(sizeof(inotify_event) + u->len);
                if (u->len > 0 && std::string(u->name).ends_with(".bin") && n > 0)
                    --n;
            }
        }
    }

private:
    int fd_;
};

std::string Cislo(int i) {
    char s[16];
    std::snprintf(s, sizeof s, "S%06d", i);
    return s;
}

struct tZpusob {
    const char* nazev;
    fs::path slozka;
    bool hlidac; // the watcher takes tables; the loop takes the job's bytes
    pid_t pid = 0;
};

// A file of the kind the way takes, written beside the folder and renamed into it.
void Vloz(const tZpusob& z, int i) {
    const fs::path docasny = z.slozka.parent_path() / (".v-" + Cislo(i));
    {
        std::ofstream f(docasny, std::ios::binary);
        if (z.hlidac)
            f << "1\t" << Cislo(i) << "\n";
        else
            f << Cislo(i) << "\r\n"; // what the watcher's run sends for that table
    }
    fs::rename(docasny, z.slozka / (Cislo(i) + ".txt"));
}

void Spust(tZpusob& z) {
    fs::create_directories(z.slozka);
    if (z.hlidac) {
        z.pid = Spust({Program.string(), "--watch", z.slozka.string()}, Adresar / "hlidac.log");
    } else {
        const std::string smycka = "inotifywait -m -q -e moved_to,close_write --format '%w%f' '" +
                                   z.slozka.string() + "' | while read -r f; do lp -d " + Fronta +
                                   " -o raw \"$f\" >/dev/null; done";
        z.pid = Spust({"bash", "-c", smycka}, Adresar / "smycka.log");
    }
    std::this_thread::sleep_for(1s); // set up (inotifywait watches, the watcher is ready)
}

double Percentil(std::vector<double> casy, double p) {
    std::sort(casy.begin(), casy.end());
    return casy[std::min(casy.size() - 1,
                         static_cast<size_t>(p * static_cast<double>(casy.size())))];
}

long Rss(pid_t pid) {
    std::ifstream f("/proc/" + std::to_string(pid) + "/status");
    std::string radek;
    while (std::getline(f, radek))
        if (radek.starts_with("VmRSS:"))
            return std::stol(radek.substr(6));
    return -1;
}

long Probuzeni(pid_t pid) {
    long soucet = 0;
    for (const auto& vlakno : fs::directory_iterator("/proc/" + std::to_string(pid) + "/task")) {
        std::ifstream f(vlakno.path() / "status");
        std::string radek;
        while (std::getline(f, radek))
            if (radek.starts_with("voluntary_ctxt_switches:") ||
                radek.starts_with("nonvoluntary_ctxt_switches:"))
                soucet += std::stol(radek.substr(radek.find(':') + 1));
    }
    return soucet;
}

constexpr int DalsichFront = 120;

void Prikaz(const std::string& radek) {
    if (std::system(radek.c_str()) != 0)
        throw std::runtime_error(radek + " failed");
}

std::string Skripty() {
    const char* skripty = std::getenv("OBLEPKY_SKRIPTY");
    return skripty ? skripty : OBLEPKY_SKRIPTY;
}

// The CPU time (user and system) a process has used so far, in seconds.
double CasProcesoru(pid_t pid) {
    std::ifstream f("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    std::istringstream pole(stat.substr(stat.rfind(')') + 2));
    std::string kus;
    double tiku = 0;
    for (int i = 3; i <= 15 && pole >> kus; ++i)
        if (i == 14 || i == 15)
            tiku += std::stod(kus);
    return tiku / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

struct tPomer {
    double latence, propustnost; // watcher / loop
};

// Latency and throughput of both ways on the server as it is now.
tPomer Porovnej(tZpusob (&zpusoby)[2], tZachyt& zachyt, int souboru, int& cislo,
                const std::string& nadpis) {
    // The two take turns, file by file and round by round, so load from elsewhere on the
    // machine hits both alike.
    std::vector<double> casy[2];
    for (int i = 0; i < souboru; ++i) {
        for (int k = 0; k < 2; ++k) {
            const auto zacatek = tHodiny::now();
            Vloz(zpusoby[k], ++cislo);
            zachyt.Cekej(1);
            casy[k].push_back(
                std::chrono::duration<double, std::milli>(tHodiny::now() - zacatek).count());
        }
    }
    constexpr int Kol = 5;
    double sekund[2]{};
    for (int kolo = 0; kolo < Kol; ++kolo) {
        for (int k = 0; k < 2; ++k) {
            std::this_thread::sleep_for(1s); // the other's jobs followed to their end
            const auto zacatek = tHodiny::now();
            for (int i = 0; i < souboru / Kol; ++i)
                Vloz(zpusoby[k], ++cislo);
            zachyt.Cekej(static_cast<size_t>(souboru / Kol));
            sekund[k] += std::chrono::duration<double>(tHodiny::now() - zacatek).count();
        }
    }
    const int podanych = souboru / Kol * Kol; // each round hands souboru / Kol whole files
    double p50[2]{}, propustnost[2]{};
    for (int k = 0; k < 2; ++k) {
        p50[k] = Percentil(casy[k], 0.5);
        propustnost[k] = podanych / sekund[k];
        std::printf("%s, %-26s latency p50 %6.1f ms, p99 %6.1f ms; throughput %6.1f files/s\n",
                    nadpis.c_str(), zpusoby[k].nazev, p50[k], Percentil(casy[k], 0.99),
                    propustnost[k]);
    }
    std::fflush(stdout);
    return {p50[0] / p50[1], propustnost[0] / propustnost[1]};
}

void Priprav() {
    CupsTest("start", Adresar, Fronta);
    CupsTest("queue", Adresar, Fronta);
    setenv("CUPS_SERVER", (Adresar / "cups.sock").c_str(), 1);
    tStav stav;
    tPopisOblepky& p = stav.PopisEtiket[0];
    p.Tiskarna = Fronta;
    p.StdPocet = 1;
    p.PoleSPoctem = 1;
    p.PocetRadkuOblepky = 1;
    p.Radky[1] = {0, 40, "{2}"};
    stav.Zmeneno = true;
    Program = PripravDavku(Adresar, OBLEPKY_TISK, stav);
}

} // namespace

int main(int argc, char** argv) try {
    const int souboru = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int pamet = argc > 2 ? std::atoi(argv[2]) : 10000;
    const tDocasnyAdresar adresar;
    Adresar = adresar.Cesta();
    try {
        Priprav();
        tZpusob zpusoby[] = {{"oblepky-tisk --watch", Adresar / "hlidac" / "slozka", true},
                             {"inotifywait | lp -o raw", Adresar / "smycka" / "slozka", false}};
        for (tZpusob& z : zpusoby)
            Spust(z);
        tZachyt zachyt;
        int cislo = 0;
        const tPomer jedna = Porovnej(zpusoby, zachyt, souboru, cislo, "1 queue");
        for (int i = 0; i < DalsichFront; ++i)
            Prikaz("'" + Skripty() + "/cups-test' dead '" + Adresar.string() + "' Dalsi" +
                   std::to_string(i) + " >/dev/null");
        const tPomer mnoho =
            Porovnej(zpusoby, zachyt, souboru, cislo, std::to_string(DalsichFront + 1) + " queues");
        for (const auto& [nadpis, p] : {std::pair{"1 queue", jedna}, {"many queues", mnoho}})
            std::printf("watcher / loop, %s: latency p50 %.2f (target at most 1.2), throughput "
                        "%.2f (target at least 1)\n",
                        nadpis, p.latence, p.propustnost);
        std::fflush(stdout);
        Ukonci(zpusoby[1].pid);
        {
            // Files that cannot move: the watcher should sleep, not spin.
            const tZpusob& z = zpusoby[0];
            std::this_thread::sleep_for(3s);
            Prikaz("cupsdisable " + Fronta);
            for (int i = 0; i < 80; ++i)
                Vloz(z, ++cislo);
            std::this_thread::sleep_for(3s);
            const double pred = CasProcesoru(z.pid);
            std::this_thread::sleep_for(10s);
            std::printf("watcher, 80 files on a stopped queue: %.1f %% of a core over 10 s "
                        "(target below 5)\n",
                        10.0 * (CasProcesoru(z.pid) - pred));
            Prikaz("cupsenable " + Fronta);
            zachyt.Cekej(80);
        }

        const tZpusob& z = zpusoby[0];
        if (pamet > 0) {
            // Idle: wake-ups of all its threads over 20 s with nothing arriving.
            std::this_thread::sleep_for(3s); // the last jobs followed to their end
            const long pred = Probuzeni(z.pid);
            std::this_thread::sleep_for(20s);
            const long probuzeni = Probuzeni(z.pid) - pred;
            std::printf("watcher idle: %ld wake-ups in 20 s (settle 2 s: at most 10)\n", probuzeni);
            // Memory while the files print, in batches of 1000.
            std::printf("watcher VmRSS after files:");
            for (int davka = 0; davka < pamet / 1000; ++davka) {
                for (int i = 0; i < 1000; ++i)
                    Vloz(z, ++cislo);
                zachyt.Cekej(1000);
                std::printf(" %d: %.1f MB", (davka + 1) * 1000,
                            static_cast<double>(Rss(z.pid)) / 1024);
                std::fflush(stdout);
                VymazZachycene(Adresar, Fronta);
            }
            std::printf("\n");
        }
        Ukonci(z.pid);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        CupsTest("stop", Adresar, Fronta);
        return 1;
    }
    CupsTest("stop", Adresar, Fronta);
} catch (const std::exception& e) { // before the server started, or in stopping it
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
}
