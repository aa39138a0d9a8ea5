#pragma once
// A spreadsheet file (.xlsx or .ods) as a zip archive: told from other table files, its
// parts unpacked within the limits that keep a hostile file (a zip bomb) from taking the
// memory, and the messages of the files it refuses.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// At most this much of one part is unpacked (a sheet, its shared strings), and at most
// this much cell text is kept: what lets a sheet print within 256 MB.
constexpr size_t NejvetsiCastSesitu = size_t{64} * 1024 * 1024;
constexpr size_t NejvicTextuSesitu = size_t{64} * 1024 * 1024;

// Whether the file fd (read with pread; its offset is not moved) is to be read as a
// workbook: a zip archive or an older compound document, or a name ending in .xlsx, .xlsm,
// .ods or .xls (the reader then says what the file is instead).
bool JeSesit(int fd, std::string_view nazev);

// Raises eSouborTabulky naming the file nazev; co is the rest of the sentence (UTF-8).
[[noreturn]] void ChybaSesitu(const std::string& nazev, std::string_view co);

class tArchivSesitu {
public:
    // Opens the archive in fd (kept open by the caller while this lives); raises
    // eSouborTabulky for a file that is no zip archive, an encrypted or an .xls workbook.
    tArchivSesitu(int fd, std::string nazev);
    ~tArchivSesitu();
    tArchivSesitu(const tArchivSesitu&) = delete;
    tArchivSesitu& operator=(const tArchivSesitu&) = delete;

    bool Obsahuje(std::string_view cast) const;
    // The part unpacked; raises eSouborTabulky when it is missing (povinna), larger than
    // NejvetsiCastSesitu, encrypted or damaged. An optional part missing reads as empty.
    std::vector<unsigned char> Cast(std::string_view cast, bool povinna = true) const;
    const std::string& Nazev() const { return nazev_; }
    long long Velikost() const { return velikost_; }

private:
    struct tStav;
    std::string nazev_;
    long long velikost_ = 0;
    std::unique_ptr<tStav> stav_;
};

// The list of a workbook's sheets, as its tabs show them.
struct tListSesitu {
    std::string Nazev; // UTF-8
    bool Viditelny = true;
};
