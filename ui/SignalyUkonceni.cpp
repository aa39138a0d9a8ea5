#include "ui/SignalyUkonceni.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace {

// A signal handler may only write to a pipe; the event loop reads the other end. The write
// end is process-wide because the handler can reach nothing else.
volatile sig_atomic_t zapisSignalu = -1;
constexpr std::array<int, 3> Signaly{SIGTERM, SIGINT, SIGHUP};

extern "C" void PrijmiSignal(int cislo) {
    const int puvodni = errno;
    const char bajt = static_cast<char>(cislo);
    [[maybe_unused]] ssize_t zapsano = ::write(zapisSignalu, &bajt, 1);
    errno = puvodni;
}

} // namespace

TSignalyUkonceni::TSignalyUkonceni(std::function<void()> ukonci, QObject* rodic)
    : QObject(rodic), ukonci_(std::move(ukonci)) {
    std::array<int, 2> trubka{-1, -1};
    if (::pipe2(trubka.data(), O_CLOEXEC | O_NONBLOCK) != 0)
        return; // without a pipe the signals keep their default: the program just ends
    cteni_ = tDeskriptor(trubka[0]);
    zapis_ = tDeskriptor(trubka[1]);
    zapisSignalu = zapis_.Fd();
    oznamovac_ = new QSocketNotifier(cteni_.Fd(), QSocketNotifier::Read, this);
    connect(oznamovac_, &QSocketNotifier::activated, this, [this] {
        std::array<char, 16> bajty{};
        while (::read(cteni_.Fd(), bajty.data(), bajty.size()) > 0) {
        }
        ukonci_();
    });
    struct sigaction akce {};
    akce.sa_handler = PrijmiSignal;
    sigemptyset(&akce.sa_mask);
    akce.sa_flags = SA_RESTART;
    for (int s : Signaly)
        ::sigaction(s, &akce, nullptr);
}

TSignalyUkonceni::~TSignalyUkonceni() {
    if (!oznamovac_)
        return;
    for (int s : Signaly)
        std::signal(s, SIG_DFL);
    zapisSignalu = -1;
    delete oznamovac_; // before its descriptor closes
}
