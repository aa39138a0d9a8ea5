#pragma once
// What a table file is: its character set and its form, found from its bytes and its name
// unless the user says so, and the decoding of its bytes into the program's Windows-1250.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

enum class tZnakovaSada { Utf8, Utf16Le, Utf16Be, Win1250 };

enum class tFormatTabulky {
    Tsv, // the clipboard's form: TAB between cells, no quoting rules
    Csv, // RFC 4180: a separator, fields in double quotes may hold anything
};

// What the user asks for; what is not given is found from the file.
struct tVolbyTabulky {
    std::optional<tFormatTabulky> Format;
    std::optional<char> Oddelovac; // for CSV: ';', ',' or TAB
    std::optional<tZnakovaSada> Sada;
    std::string List = {}; // of a workbook: a sheet's name or number; empty, the first visible
};

struct tDruhTabulky {
    tZnakovaSada Sada = tZnakovaSada::Utf8;
    tFormatTabulky Format = tFormatTabulky::Tsv;
    char Oddelovac = '\t';
    size_t Bom = 0;        // bytes of the byte-order mark that the text starts with
    size_t Nepresnych = 0; // characters without an exact form in Windows-1250
    std::string Popis;     // the choice and why, for --verbose (Windows-1250)
    std::string Upozorneni; // lines of warnings to show before printing (UTF-8)
};

// Reads the whole file fd (from its start, with pread; its offset is not moved) up to its
// first NUL. The character set: the user's, else a byte-order mark (UTF-8, UTF-16 LE or BE),
// else UTF-8 when every byte is well-formed UTF-8, else Windows-1250. The form: the user's,
// else CSV for a name ending in ".csv", else the clipboard's. The CSV separator: the user's,
// else whichever of ';', ',' and TAB divides the first lines into the same number of fields.
// Raises nothing itself; a read error returns what was read so far (the reader reports it).
tDruhTabulky RozpoznejDruh(int fd, std::string_view nazev, const tVolbyTabulky& volby);

// Decodes a file's bytes block by block into Windows-1250 (each character as
// NejblizsiWin1250), keeping a sequence that a block cuts in two for the next block.
class tDekoder {
public:
    explicit tDekoder(tZnakovaSada sada) : sada_(sada) {}
    // Appends the decoded blok to cil. konec: no bytes follow (a cut sequence at the end is
    // then a replacement character).
    void Dekoduj(std::string_view blok, std::string& cil, bool konec);
    size_t Nepresnych() const { return nepresnych_; }
    bool PlatneUtf8() const { return platne_; } // every UTF-8 sequence so far was well-formed

private:
    tZnakovaSada sada_;
    std::string zbytek_; // the start of a sequence that the last block cut
    size_t nepresnych_ = 0;
    bool platne_ = true;
};
