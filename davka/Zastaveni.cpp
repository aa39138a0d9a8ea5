#include "davka/Zastaveni.h"

#include <array>
#include <csignal>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace {

// What a signal handler may touch: the signal's number and the write end of a pipe.
volatile std::sig_atomic_t prisel = 0;
std::array<int, 2> trubka = {-1, -1};

constexpr std::array<int, 3> Signaly = {SIGTERM, SIGINT, SIGHUP};
std::array<struct sigaction, 3> predtim{};

void Zachyt(int signal) {
    prisel = signal;
    const char bajt = 1;
    [[maybe_unused]] const ssize_t zapsano = ::write(trubka[1], &bajt, 1);
}

} // namespace

tZastaveni::tZastaveni() {
    prisel = 0;
    if (::pipe2(trubka.data(), O_CLOEXEC | O_NONBLOCK) != 0)
        trubka = {-1, -1};
    struct sigaction akce {};
    akce.sa_handler = Zachyt;
    sigemptyset(&akce.sa_mask);
    // Calls under way go on (the spooler's connection must not fail half-way); the second
    // signal finds the default disposition again.
    akce.sa_flags = SA_RESTART | SA_RESETHAND;
    for (size_t i = 0; i < Signaly.size(); ++i)
        ::sigaction(Signaly[i], &akce, &predtim[i]);
}

tZastaveni::~tZastaveni() {
    for (size_t i = 0; i < Signaly.size(); ++i)
        ::sigaction(Signaly[i], &predtim[i], nullptr);
    for (int& fd : trubka)
        if (fd >= 0)
            ::close(std::exchange(fd, -1));
}

int tZastaveni::Signal() const {
    return prisel;
}

int tZastaveni::Fd() const {
    return trubka[0];
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
