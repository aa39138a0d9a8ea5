#pragma once
// Jobs marked as a watcher's own. A watcher killed after the server created its job but
// before its journal named it leaves a held job that nothing else will ever release or
// cancel; the mark, set when the job is created, tells such jobs from everybody else's.

#include <string>
#include <vector>

// The job attribute that carries the mark (the watcher's own folder name); no other
// program sets it.
extern const char* const AtributZnacky;

struct tOznacenaUloha {
    int Id = 0;
    std::string Uuid;
    std::string Znacka;
};

// This user's held jobs (pending-held) that carry a mark, on every queue of the server.
// Raises eRawPrinter when the server cannot be reached in time.
std::vector<tOznacenaUloha> DrzeneOznaceneUlohy();
