#pragma once
// The layouts, the selected layout and the manual values in the settings file.

#include "IniSoubor.h"
#include "PopisEtiket.h"

// Fills lastEtiketa and all five layouts of cil from the file, with the defaults for
// whatever is missing or unusable.
void NactiNastaveni(const tIniSoubor& ini, tPopisEtiket& cil, int16_t& lastEtiketa);
// Puts lastEtiketa and all five layouts (every key, in read order) into the file model.
void ZapisNastaveni(tIniSoubor& ini, const tPopisEtiket& popis, int16_t lastEtiketa);
// ZapisNastaveni, then writes the file.
void UlozNastaveni(tIniSoubor& ini, const tPopisEtiket& popis, int16_t lastEtiketa);

// The same on the shared state and SouborNastaveni().
void NactiNastaveni(tPopisEtiket& cil);
void UlozNastaveni(const tPopisEtiket& popis);

// Section "Last": the twenty manual field values.
tRucniHodnoty NactiRucniHodnoty(const tIniSoubor& ini);
void ZapisRucniHodnoty(tIniSoubor& ini, const tRucniHodnoty& hodnoty); // does not write the file
