#pragma once
// The watched folder (--watch): every table file that arrives in it prints exactly once, as
// "oblepky-tisk -l N FILE" prints it, and then moves to hotovo/ (the server reports its job
// completed) or chyby/ (with NAME.chyba.txt saying why).

#include "davka/Davka.h"
#include "davka/Volby.h"

#include <iosfwd>
#include <string>

// Watches z.Slozka until SIGTERM or SIGINT, then returns KonecOk. Each event is one line on
// zaznam (UTF-8). Returns KonecSoubor when the folder cannot be watched. Blocks SIGTERM and
// SIGINT in the calling thread; call it before any other thread starts.
tKonec SpustHlidace(const tZadani& z, const std::string& cestaNastaveni, std::ostream& zaznam);
