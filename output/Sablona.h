#pragma once
// Expansion of one template line of one label into one printed row.

#include "core/PopisEtiket.h"
#include "output/TiskovaUloha.h"

#include <span>
#include <string_view>

// Prints at most one row: line i (1 to 5) of popis with the values list (value 0 first),
// cut to HrDelka, indented by HrZleva, ended by CR LF, converted to the layout's encoding
// and written to uloha; adds 1 to pocitadlo when it printed. A placeholder that is not an
// integer raises the integer conversion error before anything of the row is written.
// A negative width leaves the value unchanged; a negative HrDelka or HrZleva counts as 0;
// a line number outside 1 to 5 prints nothing. A row longer than 64 KiB reaches uloha in
// several writes.
// The highest value number that the lines popis prints ask for, -1 for none; INT_MAX when a
// template does not parse (its error comes when its line prints). A run hands a row's
// values only up to this one, so a row of millions of cells costs no list of them.
int NejvyssiHodnota(const tPopisOblepky& popis);

void RozvinSablonu(std::string_view sablona, int i, std::span<const std::string_view> hodnoty,
                   const tPopisOblepky& popis, tTiskovaUloha& uloha, int& pocitadlo);
