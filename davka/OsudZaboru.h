#pragma once
// What becomes of a claimed file, from what its journal says and what the print server
// answers about the job it names. One decision for a file sent a moment ago and for one
// taken over after any crash; it never asks the server itself.

#include "davka/Denik.h"
#include "output/StavUlohy.h"

#include <optional>
#include <string>

enum class tOsud {
    Odeslat, // no job of it can print: send the file (again)
    Cekat,   // the job may still print: ask about it later
    Hotovo,  // printed: hotovo/
    Chyba,   // chyby/, with Duvod
    Zrusit,  // a held job whose document was never confirmed: cancel it, then decide again
};

struct tOdpovedServeru {
    bool Dostupny = true;        // false: the server could not be reached (ask again later)
    std::optional<tUloha> Uloha; // none: the server does not know the job id
};

struct tRozhodnuti {
    tOsud Osud = tOsud::Cekat;
    std::string Duvod; // UTF-8; for Chyba the error file's first line, else the log's
};

// denik: none while no job was recorded. A server out of reach is Cekat.
tRozhodnuti OsudZaboru(const std::optional<tDenik>& denik, const tOdpovedServeru& server);
