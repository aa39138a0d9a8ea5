#pragma once
// Expansion of a label's template lines into printed rows: row by row, or a whole label at once.

#include "core/Kodovani.h"
#include "core/PopisEtiket.h"
#include "output/TiskovaUloha.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

// A layout's whole label made at once into a job's buffer (tTiskovaUloha::MistoProEtiketu),
// with its templates parsed once for the run: the bytes of RozvinSablonu's rows 1 to 5, the
// filler rows up to PocetRadkuOblepky and the after-label codes. None when a template does
// not parse (the run row by row raises where it stands), a row needs the long path, or a
// label could be longer than any of the dialog's ranges makes.
class tSazbaEtikety {
public:
    static std::optional<tSazbaEtikety> Priprav(const tPopisOblepky& popis,
                                                const std::string& kodyPo);
    tSazbaEtikety(tSazbaEtikety&&) noexcept;
    tSazbaEtikety& operator=(tSazbaEtikety&&) noexcept;
    ~tSazbaEtikety();

    size_t Nejvic() const { return nejvic_; } // the room a label takes while it is made
    // Appends the label of these values (value 0 first) to cil.
    void Pis(std::span<const std::string_view> hodnoty, std::string& cil) const;

private:
    struct tRadek;
    tSazbaEtikety();

    std::vector<tRadek> radky_;
    std::string konec_; // the filler rows and the after-label codes
    size_t nejvic_ = 0;
    tKodovani kodovani_{};
    bool prevadi_ = false; // whether kodovani_ changes any byte
};
