#pragma once
// A table file read row by row as a run prints it, never held whole: the pasted table's
// format (UTF-8 text, TAB between cells, lines ending in CR, LF or CR LF, ending at the first
// NUL), each line turned into Windows-1250 as the clipboard's text is.

#include "core/Chyba.h"
#include "core/Deskriptor.h"
#include "output/RadkyCsv.h"
#include "output/RadkySesitu.h"
#include "output/ZdrojRadku.h"

#include <memory>

#include <string>
#include <string_view>
#include <vector>

class tRadkySouboru : public tZdrojRadku {
public:
    // Opens the file cesta (file system bytes), or standard input for "-". Input that cannot
    // be read twice (a pipe, a terminal) is first copied up to its first NUL to an unnamed
    // temporary file. Raises eSouborTabulky "Cannot open file %s", "Soubor %s nelze přečíst
    // (%d)" or, when the copy cannot be written, "Dočasnou kopii souboru %s nelze
    // zapsat: <the system's text> (%d)"; Dalsi also
    // "Řádek %d souboru %s je delší než 8 MiB".
    // The file's character set and form are found as RozpoznejDruh says, or taken from volby;
    // every other than UTF-8 in the clipboard's form is read by tRadkyCsv; a workbook
    // (JeSesit) by tRadkySesitu.
    explicit tRadkySouboru(const std::string& cesta, const tVolbyTabulky& volby = {});
    // A file the caller opened and checked itself (a regular file, read from where it
    // stands); nazev names it in messages.
    tRadkySouboru(tDeskriptor soubor, std::string nazev, const tVolbyTabulky& volby = {});

    // What the file was found to be.
    const tDruhTabulky& Druh() const { return druh_; }
    // Bytes of the file read so far, for a progress bar.
    long long Precteno() const;

    void NaZacatek() override;
    bool Dalsi() override;
    std::string_view Bunka(int sloupec) const override;
    void Bunky(std::vector<std::string_view>& cil, size_t kolik) const override;

private:
    void Otevri(const std::string& cesta);      // opens, and copies a pipe aside
    void Rozpoznej(const tVolbyTabulky& volby); // what the file is, and its reader
    bool Dopln(); // reads the next block behind what is left; false at the end
    [[noreturn]] void ChybaCteni(int kod) const;
    [[noreturn]] void ChybaKopie(int kod) const;

    std::string nazev_; // for messages, as given
    tDeskriptor soubor_;
    tDruhTabulky druh_;
    std::unique_ptr<tRadkyCsv> jinak_; // the reader of every other form
    std::unique_ptr<tRadkySesitu> sesit_; // the reader of .xlsx and .ods workbooks
    std::string blok_;                 // read and not yet taken
    size_t pozice_ = 0;                // the first byte of blok_ not taken
    bool konec_ = false;               // nothing more to read (the end, or a NUL)
    bool zacatek_ = true;              // nothing taken yet: a byte-order mark is skipped
    long long cislo_ = 0;              // the current row's number
    std::string surovy_;               // the current row as read (UTF-8)
    // Converted when asked for: the row and its cells, the cell of the last Bunka.
    mutable bool rozdeleno_ = false;
    mutable size_t rozdelenoKolik_ = 0;
    mutable std::string cisloText_, radek_, bunka_;
    mutable std::vector<std::string_view> bunky_;
};
