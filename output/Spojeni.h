#pragma once
// A connection of our own to the CUPS server, with a deadline on every call, closed when it
// goes. No CUPS header here: this is seen wherever tRawPrinter is.

#include "output/ChybaTiskarny.h"

#include <memory>

struct _http_s; // NOLINT(bugprone-reserved-identifier): libcups names http_t so

// A shop's print server, even a busy one far away, connects within a second or two and
// answers each request (a 64 KiB chunk included) within a few; one that has not answered
// in 15 s is down or stuck, and the user waits no longer for it.
constexpr int LimitSpojeniMs = 5000;
constexpr int LhutaTiskuS = 15;

class tSpojeni {
public:
    // Connects within limitSpojeniMs; raises eRawPrinter with the failure's code, or
    // kodBezKodu when it left none. Calls made under a tLhuta end after lhutaS seconds.
    tSpojeni(int limitSpojeniMs, int lhutaS, int kodBezKodu);
    ~tSpojeni();
    tSpojeni(const tSpojeni&) = delete;
    tSpojeni& operator=(const tSpojeni&) = delete;

    _http_s* operator*() const { return http_; }

    // For as long as it lives, a call on the connection that passes the deadline is cut
    // off: its socket is shut down, so the call fails instead of waiting for ever.
    class tLhuta {
    public:
        explicit tLhuta(const tSpojeni& spojeni);
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

private:
    struct tHlidac;
    _http_s* http_;
    int lhutaS_;
    std::unique_ptr<tHlidac> hlidac_;
};
