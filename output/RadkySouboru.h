#pragma once
// A table file opened by its name, or standard input, read row by row as a run prints it,
// never held whole (tRadkyCsv reads it in every form).

#include "core/Deskriptor.h"
#include "output/RadkyCsv.h"

#include <functional>
#include <string>

namespace detail {
// The open file, made before the reader that reads it.
struct tOtevrenaTabulka {
    tDeskriptor soubor;
    std::string nazev; // for messages, as given
};
} // namespace detail

class tRadkySouboru : private detail::tOtevrenaTabulka, public tRadkyCsv {
public:
    // Called while input that comes slowly (a FIFO, a pipe) is waited for; false: stop, and
    // the constructor raises tZastaveno.
    using tPokracovat = std::function<bool()>;

    // Opens the file cesta (file system bytes), or standard input for "-", never waiting in
    // the open for a FIFO's writer. Input that cannot be read twice (a pipe, a FIFO, a
    // terminal) is first copied whole to an unnamed temporary file. Raises eSouborTabulky
    // "Cannot open file %s", ChybaCteniTabulky or, when the copy cannot be written, "Dočasnou
    // kopii souboru %s nelze zapsat: <the system's text> (%d)"; Dalsi raises what tRadkyCsv
    // raises. The file's character set and form are found as RozpoznejDruh says, or taken
    // from volby.
    explicit tRadkySouboru(const std::string& cesta, const tVolbyTabulky& volby = {},
                           const tPokracovat& pokracovat = {});
    // A file the caller opened and checked itself (a regular file); nazev names it in
    // messages.
    tRadkySouboru(tDeskriptor soubor, std::string nazev, const tVolbyTabulky& volby = {});
};
