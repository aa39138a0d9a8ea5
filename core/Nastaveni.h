#pragma once
// The layouts, the selected layout and the manual values in the settings file, and the store
// that reads them at start and writes them once at exit.

#include "core/IniSoubor.h"
#include "core/PopisEtiket.h"
#include "core/UNI.h"

#include <optional>
#include <string>

// Fills lastEtiketa and all five layouts of cil from the file, with the defaults for
// whatever is missing or unusable.
void NactiNastaveni(const tIniSoubor& ini, tPopisEtiket& cil, int16_t& lastEtiketa);
// Puts lastEtiketa and all five layouts (every key, in read order) into the file model.
void ZapisNastaveni(tIniSoubor& ini, const tPopisEtiket& popis, int16_t lastEtiketa);
// ZapisNastaveni, then writes the file.
void UlozNastaveni(tIniSoubor& ini, const tPopisEtiket& popis, int16_t lastEtiketa);

// Section "Last": the twenty manual field values.
tRucniHodnoty NactiRucniHodnoty(const tIniSoubor& ini);
void ZapisRucniHodnoty(tIniSoubor& ini, const tRucniHodnoty& hodnoty); // does not write the file

// Everything the settings file holds for the program.
struct tNastaveni {
    tStav Stav;
    tRucniHodnoty Rucni{};
    bool operator==(const tNastaveni&) const = default;
};

// The settings file of one copy of the program.
class tUlozisteNastaveni {
public:
    explicit tUlozisteNastaveni(std::string cesta) : cesta_(std::move(cesta)) {}
    const std::string& Cesta() const { return cesta_; }

    // The state (Zmeneno clear) and the manual values. Raises eChyba "Cannot open file %s"
    // when the file exists but cannot be read.
    tNastaveni Nacti();

    // Writes the file once: the manual values always, the layouts and the selection when
    // stav.Zmeneno. Another copy of the program may have saved the same file meanwhile: the
    // file is read again and only what this copy changed since it read the file replaces
    // what is there, key by key, so the other copy's changes survive. Without an earlier
    // Nacti everything is this copy's.
    void Uloz(const tStav& stav, const tRucniHodnoty& rucni);

private:
    std::string cesta_;
    std::optional<tNastaveni> nacteno_; // the file as this copy last read or wrote it
};
