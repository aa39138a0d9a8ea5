#pragma once
// The journal of one claimed file: the CUPS job it was given, written before the job gets
// its first byte, and marked once the server has confirmed the whole document. With the
// server's own job history it tells, after any crash, whether the file may be sent again.

#include <optional>
#include <string>

struct tDenik {
    int Uloha = 0;
    std::string Uuid;      // the job's job-uuid; empty in a journal of an older watcher
    bool Potvrzen = false; // the server confirmed the whole document and released the job
};

// Records d in the claim folder `zabor`, whole and on the disk before it returns. Raises
// eMistniZapis when it cannot.
void ZapisDenik(int zabor, const tDenik& d);

// The recorded job; none when no job was recorded. Raises eChyba for a journal that cannot
// be read or holds no job number (which no crash makes: it is written whole or not at all).
std::optional<tDenik> CtiDenik(int zabor);

// The journal removed (the job recorded can no longer print anything). Raises eChyba.
void SmazDenik(int zabor);
