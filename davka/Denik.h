#pragma once
// The journal of one claimed file: the CUPS job it was given, written before the job gets
// its first byte. With the server's own job history it tells, after any crash, whether the
// file may be sent again.

#include <optional>

// Records job `uloha` in the claim folder `zabor`, whole and on the disk before it returns.
// Raises eChyba when it cannot.
void ZapisDenik(int zabor, int uloha);

// The recorded job; none when no job was recorded. Raises eChyba for a journal that cannot
// be read or holds no job number (which no crash makes: it is written whole or not at all).
std::optional<int> CtiDenik(int zabor);

// The journal removed (the job recorded can no longer print anything). Raises eChyba.
void SmazDenik(int zabor);
