#pragma once
// What a table file is: its character set and its form, found from its bytes and its name
// unless the user says so, and the decoding of its bytes into the program's Windows-1250.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <sys/types.h>

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
    std::string Popis;     // the choice and why, for --verbose (UTF-8)
    // A line each (UTF-8) where the guess was close: the character set or the separator that
    // the user may want to give instead.
    std::vector<std::string> Upozorneni;
};

// Reads the whole file fd (from its start, with pread; its offset is not moved) up to its
// first NUL. The character set: the user's, else a byte-order mark (UTF-8, UTF-16 LE or BE),
// else UTF-16 when the zero bytes stand at every other byte, else UTF-8 when its multi-byte
// sequences outnumber the bytes that are no UTF-8 more than twice (the rest then read as
// "?"), else Windows-1250. The form: the user's, else CSV for a name ending in ".csv", else
// the clipboard's. The CSV separator: the user's, else whichever of ';', TAB and ',' (ahead
// on a tie in this order) splits the most of the first lines into the same number of fields.
// Raises nothing itself; a read error returns what was read so far (the reader reports it).
tDruhTabulky RozpoznejDruh(int fd, std::string_view nazev, const tVolbyTabulky& volby);

// Decodes a file's bytes block by block into Windows-1250 (each character as
// NejblizsiWin1250), keeping a sequence that a block cuts in two for the next block.
class tDekoder {
public:
    // pocitejUtf8: count the UTF-8 sequences, as the choice of the character set wants.
    explicit tDekoder(tZnakovaSada sada, bool pocitejUtf8 = false)
        : sada_(sada), pocitejUtf8_(pocitejUtf8) {}
    // Appends the decoded blok to cil. konec: no bytes follow (a cut sequence at the end is
    // then a replacement character).
    void Dekoduj(std::string_view blok, std::string& cil, bool konec);
    // The same counts as Dekoduj, without the text: for a file that is only looked through.
    void Pocitej(std::string_view blok, bool konec);
    size_t Nepresnych() const { return nepresnych_; }
    // Of UTF-8 so far: well-formed sequences of two to four bytes, and bytes that are no
    // UTF-8 (each one a replacement character).
    size_t VicebajtovychUtf8() const { return vicebajtovych_; }
    size_t ChybnychUtf8() const { return chybnych_; }
    // Adds the counts of a decoder that went through the text right after this one's.
    void Pricti(const tDekoder& dalsi) {
        nepresnych_ += dalsi.nepresnych_;
        vicebajtovych_ += dalsi.vicebajtovych_;
        chybnych_ += dalsi.chybnych_;
    }

private:
    // The UTF-8 sequences of data counted, and with nepresne the characters without an exact
    // form as the conversion counts them.
    void PocitejUtf8(std::string_view data, bool nepresne);

    tZnakovaSada sada_;
    bool pocitejUtf8_;
    std::string zbytek_; // the start of a sequence that the last block cut
    size_t nepresnych_ = 0;
    size_t vicebajtovych_ = 0, chybnych_ = 0;
};

// Where a pass through a table file from od on may split into halves read at once: just
// after the first LF from the middle of the rest on, where a row and a UTF-8 character
// start whatever came before. -1 when fd is no regular file, the rest is short or holds
// no LF near its middle.
off_t StredPruchodu(int fd, off_t od);

// Whether a file that starts so may be UTF-16 (a byte-order mark, or zero bytes at every
// other byte), whose zero bytes are half characters.
bool MoznaUtf16(std::string_view zacatek);

// Whether a table file's raw bytes hold a control byte other than TAB, CR and LF (NUL and DEL
// included): such a file is no table (a zip, a program) unless it is UTF-16.
bool MaRidiciBajty(std::string_view bajty);
