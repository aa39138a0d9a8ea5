#pragma once
// A connection of our own to the CUPS server, with time limits, closed when it goes. No
// CUPS header here: this is seen wherever tRawPrinter is.

struct _http_s; // NOLINT(bugprone-reserved-identifier): libcups names http_t so

class tSpojeni {
public:
    // Connects within limitSpojeniMs; a request that gets no answer for limitOdpovediS
    // fails. Raises eRawPrinter with the failure's code, or kodBezKodu when it left none.
    tSpojeni(int limitSpojeniMs, double limitOdpovediS, int kodBezKodu);
    ~tSpojeni();
    tSpojeni(const tSpojeni&) = delete;
    tSpojeni& operator=(const tSpojeni&) = delete;

    _http_s* operator*() const { return http_; }

private:
    _http_s* http_;
};

// The code of the CUPS call that just failed; kodBezKodu when it left no error code.
int KodChyby(int kodBezKodu);
