#pragma once
// SIGTERM, SIGINT and SIGHUP (logout, kill, Ctrl+C in a terminal) as a byte on a pipe: all a
// signal handler may safely do. The program's own loop (the window's event loop, a run's
// waits) watches the other end and ends in order: the job cancelled, the values saved.

#include "core/Deskriptor.h"

class tSignalyKonce {
public:
    // What a signal after the first one does.
    enum class tDalsi {
        Zachytit, // caught as the first: the loop decides (the window ends on the second)
        Ukoncit,  // the default disposition again: the process ends, so that nothing holds it
    };

    // While the object lives, the three signals are caught; one object at a time. Without
    // a pipe (no descriptor left) they keep their dispositions.
    explicit tSignalyKonce(tDalsi dalsi);
    ~tSignalyKonce(); // the dispositions from before
    tSignalyKonce(const tSignalyKonce&) = delete;
    tSignalyKonce& operator=(const tSignalyKonce&) = delete;

    // The first signal that came (SIGTERM, SIGINT, SIGHUP), 0 while none has.
    int Signal() const;
    bool Prisel() const { return Signal() != 0; }
    // Readable once a signal has come, for poll() or an event loop; -1 without a pipe.
    int Fd() const { return cteni_.Fd(); }
    // Reads what the pipe holds, so that a loop's next wait waits for a new signal.
    void Vyprazdni() const;

private:
    tDeskriptor cteni_, zapis_;
};

// The signal's name for messages: "SIGTERM".
const char* NazevSignalu(int signal);
