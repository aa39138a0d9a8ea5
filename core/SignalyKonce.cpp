#include "core/SignalyKonce.h"

#include <array>
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace {

// What the handler may touch: the first signal's number and the pipe's write end, both
// process-wide because the handler can reach nothing else.
volatile std::sig_atomic_t prvni = 0;
volatile std::sig_atomic_t zapisSignalu = -1;

constexpr std::array<int, 3> Signaly = {SIGTERM, SIGINT, SIGHUP};
std::array<struct sigaction, Signaly.size()> predtim{};

extern "C" void PrijmiSignal(int cislo) {
    const int puvodni = errno; // the interrupted code may be about to read it
    if (prvni == 0)
        prvni = cislo;
    const char bajt = 1;
    [[maybe_unused]] const ssize_t zapsano = ::write(zapisSignalu, &bajt, 1);
    errno = puvodni;
}

} // namespace

tSignalyKonce::tSignalyKonce(tDalsi dalsi) {
    prvni = 0;
    std::array<int, 2> trubka{-1, -1};
    if (::pipe2(trubka.data(), O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    cteni_ = tDeskriptor(trubka[0]);
    zapis_ = tDeskriptor(trubka[1]);
    zapisSignalu = zapis_.Fd();
    struct sigaction akce {};
    akce.sa_handler = PrijmiSignal;
    sigemptyset(&akce.sa_mask);
    // Calls under way go on (a spooler's connection must not fail half-way); the loop
    // learns of the signal from the pipe.
    akce.sa_flags = SA_RESTART | (dalsi == tDalsi::Ukoncit ? SA_RESETHAND : 0);
    for (size_t i = 0; i < Signaly.size(); ++i)
        ::sigaction(Signaly[i], &akce, &predtim[i]);
}

tSignalyKonce::~tSignalyKonce() {
    if (!zapis_.Otevreny())
        return;
    for (size_t i = 0; i < Signaly.size(); ++i)
        ::sigaction(Signaly[i], &predtim[i], nullptr);
    zapisSignalu = -1;
}

int tSignalyKonce::Signal() const {
    return prvni;
}

void tSignalyKonce::Vyprazdni() const {
    std::array<char, 16> bajty{};
    while (cteni_.Otevreny() && ::read(cteni_.Fd(), bajty.data(), bajty.size()) > 0) {
    }
}

const char* NazevSignalu(int signal) {
    switch (signal) {
    case SIGTERM:
        return "SIGTERM";
    case SIGINT:
        return "SIGINT";
    case SIGHUP:
        return "SIGHUP";
    default:
        return "?";
    }
}
