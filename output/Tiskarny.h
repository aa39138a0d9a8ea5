#pragma once
// The queue names the CUPS server knows, and the one edge where a queue name of the settings
// (Windows-1250, as the settings file stores it) meets the server's (UTF-8). A queue name is
// an identifier: it is converted exactly or not at all, never approximated.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class tOdriznuti;

// The plain queue names in UTF-8, as CUPS has them (a name that Windows-1250 cannot hold is
// for the settings dialog to refuse), in the server's order; empty when the server has none. Raises
// eRawPrinter when the print server cannot be reached, or at once once odriznuti is cut.
std::vector<std::string> SeznamTiskaren(tOdriznuti* odriznuti = nullptr);

// The queue of a layout or of -p (Windows-1250) as the server names it (UTF-8): the same
// name, ASCII case aside as CUPS compares names; an empty name is the server's default
// queue. Raises eRawPrinter with "not found" for a queue the server does not have, with a
// message that says how to set one when none is named and there is no default, and when
// the server cannot be reached.
std::string FrontaTisku(const std::string& tiskarna, tOdriznuti* odriznuti = nullptr);

// A queue name from the server or the command line (UTF-8) as the settings hold it
// (Windows-1250); nullopt when Windows-1250 cannot hold it exactly.
std::optional<std::string> FrontaDoNastaveni(std::string_view utf8);
// The way back: a queue name of the settings as the server's questions take it (UTF-8).
std::string FrontaZNastaveni(std::string_view tiskarna);
