#pragma once
// The table pasted from the clipboard: C columns x R rows of 8-bit text cells; row 0 holds
// the column numbers, column 0 the row numbers. Cells are kept compactly: one text buffer and
// where every few rows start, a cell found in its row when asked, the numbers made when
// asked, so a table of any shape (many small cells, millions of short rows, one row of
// millions) costs little more than its text.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

class tTabulkaCisla;

// The first CR or LF of text from od on, or the text's length: where a line of the
// clipboard's form ends, for the table and for a table file read row by row alike.
size_t KonecRadku(std::string_view text, size_t od);
// The cells of a line of that form, split at each TAB, appended to cil until it holds kolik.
void PridejBunky(std::string_view radek, std::vector<std::string_view>& cil, size_t kolik);

class tTabulka {
public:
    // The columns that have their number in row 0 (and that a view shows): as many as a
    // spreadsheet has. A row of millions of TABs would otherwise cost its numbers many times
    // its text; every column still prints.
    static constexpr int CislovanychSloupcu = 16384;

    tTabulka(); // before the first import: 5 columns x 5 rows, all cells empty

    int PocetSloupcu() const;
    int PocetRadku() const;

    // The cell in column sloupec of row radek; a cell outside the table reads as "", and so
    // does row 0 past CislovanychSloupcu. The view stays valid until the next import.
    std::string_view Bunka(int sloupec, int radek) const;

    // What Bunka(0, radek) reads, made anew: a caller that passes every row keeps no
    // number.
    std::string CisloRadku(int radek) const;

    // How many columns of row radek, counted from column 0, may hold text; every cell of
    // the row from this column on reads as "". Lets a reader skip the empty tail of a
    // short row in a very wide table.
    int DelkaRadku(int radek) const;

    // Cells 0 to kolik - 1 of row radek, as far as the row has them (DelkaRadku), found in
    // one pass over the row. The views stay valid until the next import; with cislo, cell 0
    // of a data row is written there instead (CisloRadku), and its view lasts as long.
    void BunkyRadku(int radek, std::vector<std::string_view>& cil, size_t kolik,
                    std::string* cislo = nullptr) const;

    // Replaces the whole table with a tab-separated text (already 8-bit, ending at the
    // first NUL if it had one): one row per line, one cell per TAB-separated piece.
    // Raises eChyba when the text has more lines or pieces than a table can number; the
    // table is then unchanged (also when memory runs out).
    void NactiText(std::string_view text);
    // The same, taking the text over instead of copying it (the table then holds the text
    // once); the text is gone also when the import fails.
    void PrevezmiText(std::string&& text);

private:
    // Where data rows 1, 1 + 2^krok_, 1 + 2 * 2^krok_, ... start in text_. 32-bit offsets
    // while they fit.
    template <class T> using tZacatky = std::vector<T>;
    static constexpr int NejdelsiKrok = 6;       // at most 64 rows walked to find one
    static constexpr size_t BajtuNaZacatek = 64; // of text, at least, per start kept

    template <class T> void Rozepis(std::string_view text, size_t pocetRadku);
    std::string_view Radek(int radek) const; // the row's text without its line end
    std::string_view Cislo(int cislo) const;

    std::string text_;
    std::variant<tZacatky<uint32_t>, tZacatky<uint64_t>> zacatky_;
    std::shared_ptr<const tTabulkaCisla> cisla_; // the rows' and the columns' numbers
    int krok_ = 0;
    int sloupcu_ = 5;
    int radku_ = 5;
};
