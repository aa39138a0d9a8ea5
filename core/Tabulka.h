#pragma once
// The table pasted from the clipboard: C columns x R rows of 8-bit text cells; row 0 holds
// the column numbers, column 0 the row numbers. Cells are kept compactly (one text buffer
// and offsets), so a pasted range of 100,000 rows costs little more than its text.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

class tTabulka {
public:
    tTabulka(); // before the first import: 5 columns x 5 rows, all cells empty

    int PocetSloupcu() const;
    int PocetRadku() const;

    // The cell in column sloupec of row radek; a cell outside the table reads as "".
    // The view stays valid until the next import.
    std::string_view Bunka(int sloupec, int radek) const;

    // How many columns of row radek, counted from column 0, may hold text; every cell of
    // the row from this column on reads as "". Lets a reader skip the empty tail of a
    // short row in a very wide table.
    int DelkaRadku(int radek) const;

    // Replaces the whole table with a tab-separated text (already 8-bit, ending at the
    // first NUL if it had one): one row per line, one cell per TAB-separated piece.
    // Raises eChyba when the text has more lines or pieces than a table can number; the
    // table is then unchanged (also when memory runs out).
    void NactiText(std::string_view text);
    // The same, taking the text over instead of copying it (the table then holds the text
    // once); the text is gone also when the import fails.
    void PrevezmiText(std::string&& text);

private:
    // Start offsets into text_ of every piece, row after row; after the pieces of a row
    // comes the offset just past the row's last piece (its line end + 1), so piece k ends
    // one byte (the TAB or the end marker) before piece k + 1 starts. radky[r] is the index
    // of row r + 1's first entry; radky has n + 1 entries. 32-bit offsets while they fit.
    template <class T> struct tRozpis {
        std::vector<T> zacatky;
        std::vector<T> radky;
    };

    template <class T> void Rozepis(std::string_view text, size_t pocetRadku, size_t pocetZaznamu);
    template <class T> std::string_view Kus(const tRozpis<T>& rozpis, int sloupec, int radek) const;
    std::string_view Cislo(int cislo) const;

    std::string text_;
    std::variant<tRozpis<uint32_t>, tRozpis<uint64_t>> rozpis_;
    std::string cisla_; // "1", "2", ... "N" back to back, N the larger of n and m
    int sloupcu_ = 5;
    int radku_ = 5;
};
