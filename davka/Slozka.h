#pragma once
// The watched folder's file-system work, always relative to a folder held open: another
// account that may write in the folder can rename or replace a path, never a descriptor.
// (core/Soubory works on paths; what it does on a descriptor, it does here too.) Failures
// raise eChyba with the file's name and the system's error code.

#include "core/Chyba.h"
#include "core/Deskriptor.h"

#include <string>
#include <string_view>
#include <vector>

#include <sys/types.h>

// A write of the watcher's own folders failed (a full disk, a folder removed): the file
// waits, it is not at fault.
class eMistniZapis : public eChyba {
public:
    using eChyba::eChyba;
};

// The folder nazev in kde (AT_FDCWD: a path), never through a symbolic link; none on failure.
tDeskriptor OtevriSlozku(int kde, const std::string& nazev);

// The folder nazev in kde, made first (with prava) when it is not there.
tDeskriptor VytvorSlozku(int kde, const std::string& nazev, mode_t prava);

// The names in a folder, "." and ".." left out.
std::vector<std::string> Polozky(int slozka);

// Writes obsah as the file nazev in slozka so that a crash leaves either the old file or
// the new one whole: a temporary file, flushed to the disk, renamed over nazev, and the
// folder flushed, so that the rename itself survives a power cut.
void ZapisCely(int slozka, const std::string& nazev, std::string_view obsah, mode_t prava = 0600);

// The folder's entries flushed to the disk (a rename into it, or out of it, survives).
void Synchronizuj(int slozka);

// Moves nazev from folder z into folder kam as cil, or, when kam holds that name already,
// as cil with a number before its extension ("export.2.txt"); nothing there is replaced.
// Returns the name it got.
std::string PresunBezPrepsani(int z, const std::string& nazev, int kam, const std::string& cil);
