#pragma once
// The queue names the CUPS server knows, for the settings dialog.

#include <string>
#include <vector>

// The plain queue names (as tRawPrinter accepts them), in the server's order; empty when
// the server has none. Raises eRawPrinter when the print server cannot be reached.
std::vector<std::string> SeznamTiskaren();
