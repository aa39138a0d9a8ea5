#pragma once
// The table pasted from the clipboard: C columns x R rows of 8-bit text cells; row 0 holds
// the column numbers, column 0 the row numbers. Cells are kept compactly (one text buffer
// and offsets), so a pasted range of 100,000 rows costs little more than its text.

#include <string>
#include <string_view>
#include <vector>

class tTabulka {
public:
    tTabulka(); // before the first import: 5 columns x 5 rows, all cells empty

    int PocetSloupcu() const;
    int PocetRadku() const;

    // The cell in column sloupec of row radek; a cell outside the table reads as "".
    std::string_view Bunka(int sloupec, int radek) const;

    // Replaces the whole table with a tab-separated text (already 8-bit, ending at the
    // first NUL if it had one): one row per line, one cell per TAB-separated piece.
    void NactiText(std::string_view text);

private:
    // (representation chosen by the implementation)
};
