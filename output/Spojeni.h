#pragma once
// A connection of our own to the CUPS server, with a deadline on every call, closed when it
// goes. No CUPS header here: this is seen wherever tRawPrinter is.

#include "output/ChybaTiskarny.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

struct _http_s; // NOLINT(bugprone-reserved-identifier): libcups names http_t so

// A shop's print server, even a busy one far away, connects within a second or two and
// answers each request (a 64 KiB chunk included) within a few; one that has not answered
// in 15 s is down or stuck, and the user waits no longer for it.
constexpr int LimitSpojeniMs = 5000;
constexpr int LhutaTiskuS = 15;

class tSpojeni;

// Lets another thread give up on the calls of a job: once Odrizni has run, a call on any
// connection that uses it ends at once, as at its deadline, and so does every later one.
// (The user stopped a run whose server does not answer: the window waits no longer.)
class tOdriznuti {
public:
    // konec (may be empty), asked on the calling thread while a call waits: true cuts too.
    explicit tOdriznuti(std::function<bool()> konec = nullptr) : konec_(std::move(konec)) {}
    void Odrizni() noexcept;
    // Later calls go on as before (the owner's: a round cut off for a task is over).
    void Spoj() noexcept { odriznuto_ = false; }
    bool Odriznuto() const { return odriznuto_ || (konec_ && konec_()); }

private:
    std::atomic<bool> odriznuto_ = false;
    std::function<bool()> konec_;
};

class tSpojeni {
public:
    using tHodiny = std::chrono::steady_clock;

    // Connects within limitSpojeniMs; raises eRawPrinter with the failure's code, or
    // kodBezKodu when it left none. Calls made under a tLhuta end after lhutaS seconds, or
    // at once when odriznuti (may be null) has been cut.
    tSpojeni(int limitSpojeniMs, int lhutaS, int kodBezKodu, tOdriznuti* odriznuti = nullptr);
    ~tSpojeni();
    tSpojeni(const tSpojeni&) = delete;
    tSpojeni& operator=(const tSpojeni&) = delete;

    _http_s* operator*() const { return http_; }

    // For as long as it lives, a call on the connection that passes the deadline (lhutaS
    // from now, or termin when that comes first) fails instead of waiting for ever.
    class tLhuta {
    public:
        explicit tLhuta(const tSpojeni& spojeni);
        tLhuta(const tSpojeni& spojeni, tHodiny::time_point termin);
        ~tLhuta();
        tLhuta(const tLhuta&) = delete;
        tLhuta& operator=(const tLhuta&) = delete;

    private:
        const tSpojeni& spojeni_;
    };

    // The deadline cut the last call off.
    bool Vyprselo() const;
    // The error of the call that just failed: the deadline's when it cut the call off, else
    // the call's CUPS code (kodBezKodu when it left none).
    eRawPrinter Chyba(int kodBezKodu) const;

    struct tStraz; // the deadline, kept by libcups' own waits on the calling thread

private:
    _http_s* http_;
    int lhutaS_;
    std::unique_ptr<tStraz> straz_;
};
