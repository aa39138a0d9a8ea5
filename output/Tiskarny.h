#pragma once
// The queue names the CUPS server knows, for the settings dialog.

#include <string>
#include <vector>

class tOdriznuti;

// The plain queue names in UTF-8, as CUPS has them (a name that Windows-1250 cannot hold is
// for the settings dialog to refuse), in the server's order; empty when the server has none. Raises
// eRawPrinter when the print server cannot be reached, or at once once odriznuti is cut.
std::vector<std::string> SeznamTiskaren(tOdriznuti* odriznuti = nullptr);
