#pragma once
// A table file in any of its forms and character sets, read row by row as a run prints it:
// the bytes decoded into Windows-1250 block by block, then split into rows by the clipboard's
// rule or by RFC 4180 (CSV). Each row is kept in the clipboard's form (cells between TABs),
// so a CSV field's TAB and line breaks become blanks, as every value's line break does.

#include "core/Chyba.h"
#include "output/DruhTabulky.h"
#include "output/ZdrojRadku.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A table file that cannot be opened or read, or is no table.
class eSouborTabulky : public eChyba {
public:
    using eChyba::eChyba;
};

// The messages of a table file, nazev as given: "Soubor %s nelze přečíst (%d)", "Řádek %d
// souboru %s je delší než 8 MiB", "V souboru %s zůstaly otevřené uvozovky (od řádku %d)",
// "Soubor %s není tabulka: obsahuje řídicí bajty".
eSouborTabulky ChybaCteniTabulky(const std::string& nazev, int kod);
eSouborTabulky DlouhyRadekTabulky(const std::string& nazev, long long radek);
eSouborTabulky OtevreneUvozovky(const std::string& nazev, long long radek);
eSouborTabulky NeniTabulka(const std::string& nazev);

class tRadkyCsv : public tZdrojRadku {
public:
    // Reads fd (borrowed, read with pread from its start, never moved) as druh says; nazev
    // names the file in messages. Dalsi raises eSouborTabulky ChybaCteniTabulky,
    // DlouhyRadekTabulky, NeniTabulka wherever a control byte stands (in UTF-16: a control
    // character), and OtevreneUvozovky for a quote that no quote closes.
    tRadkyCsv(int fd, tDruhTabulky druh, std::string nazev);

    // What the file was found to be.
    const tDruhTabulky& Druh() const { return druh_; }

    void NaZacatek() override;
    bool Dalsi() override;
    std::string_view Bunka(int sloupec) const override;
    void Bunky(std::vector<std::string_view>& cil, size_t kolik) const override;
    // The clipboard's form in UTF-8 or Windows-1250 is counted in its bytes as read, only
    // the count cell decoded: no character that decodes to a byte of its own is a TAB, CR
    // or LF, so the rows and cells are where the decoded text has them. So is CSV in
    // Windows-1250, or in UTF-8 whose every character has its own Windows-1250 byte.
    long long SoucetPoctu(int sloupec) override;
    // The current row as it is kept: cells between TABs, column 0 not included.
    std::string_view Radek() const { return radek_; }

    // Characters read so far that Windows-1250 has no exact form for.
    size_t NepresnychPrectenych() const { return dekoder_.Nepresnych(); }
    // Bytes of the file read so far, for a progress bar.
    long long Precteno() const { return static_cast<long long>(kde_); }

    // The rows from here to the end appended to cil in the clipboard's form, each ending in
    // LF but maybe the last: a file in that form as it is decoded, block by block, without
    // splitting it into rows first. dal gets Precteno after each block; false: stop, and so
    // does PridejZbytek. Raises what Dalsi raises, but no row is too long.
    bool PridejZbytek(std::string& cil, const std::function<bool(long long precteno)>& dal);

private:
    bool Dopln(size_t aspon); // decodes at least aspon more bytes behind the rest; false at the end
    // Where the record at pozice_ ends (its line end), reading on; a CSV record is then in
    // radek_ already.
    size_t KonecZaznamu();
    [[noreturn]] void DlouhyRadek() const; // the current row is longer than a row may be
    long long SectiSyrove(int sloupec);    // SoucetPoctu's pass through the bytes as read
    // The same for a large file, its halves at once; none when it is not split so.
    std::optional<long long> SectiNaPulky(int sloupec);

    int fd_;
    tDruhTabulky druh_;
    std::string nazev_;
    tDekoder dekoder_{tZnakovaSada::Utf8};
    long long kde_ = 0;   // the next byte of the file to read
    long long od_ = -1;   // where the rows start; -1: after the byte-order mark
    long long pred_ = -1; // where they end; -1: at the file's end
    std::string blok_;    // the bytes of the last read
    std::string text_;    // decoded and not yet taken
    size_t pozice_ = 0;   // the first byte of text_ not taken
    bool konec_ = false;  // nothing more to decode
    bool syrove_ = false; // SoucetPoctu's pass: the bytes are kept as read
    long long cislo_ = 0; // the current row's number
    // The current row, cells between TABs: in text_ (TSV) or in zaznam_ (CSV), valid until
    // the next Dalsi.
    std::string_view radek_;
    std::string zaznam_;                 // a CSV record as it is taken
    std::string_view CisloRadku() const; // the current row's number as text
    mutable std::string cisloText_;
    mutable long long cisloTextu_ = -1; // the number cisloText_ holds
    std::array<bool, 256> zvlastni_{};  // what a CSV record's scan stops at
};
