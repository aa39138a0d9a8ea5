#pragma once
// SIGTERM, SIGINT and SIGHUP while the batch printer works. The first one asks the work to
// stop, so that it can clean up (cancel the job, remove the temporary file) and report; a
// second one ends the process as the signal always would, so that nothing can hold it.

// While an object lives, the three signals are caught; one object at a time.
class tZastaveni {
public:
    tZastaveni();
    ~tZastaveni(); // the dispositions from before
    tZastaveni(const tZastaveni&) = delete;
    tZastaveni& operator=(const tZastaveni&) = delete;

    // The signal that came (SIGTERM, SIGINT, SIGHUP), 0 while none has.
    int Signal() const;
    bool Zastaveno() const { return Signal() != 0; }
    // Becomes readable once a signal has come, for a wait in poll().
    int Fd() const;
};

// The signal's name for messages: "SIGTERM".
const char* NazevSignalu(int signal);
