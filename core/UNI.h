#pragma once
// The program's state beside the layout records: owned by main and passed to the windows,
// and where the program's files lie.

#include "core/PopisEtiket.h"

#include <string>
#include <string_view>

struct tStav {
    tPopisEtiket PopisEtiket{}; // the five current layouts
    int16_t LastEtiketa = 0;    // index 0 to 4 of the layout selected in the main window
    bool Zmeneno = false;       // layouts or selection changed: save them at exit
    bool operator==(const tStav&) const = default;
};

inline constexpr const char* NazevSouboruNastaveni = "Oblepky.ini";
inline constexpr const char* NazevSouboruNapovedy = "Oblepky.hlp";

// Directory part of an executable's full path, always ending in "/". Unlike the program's
// other text a path holds the file system's own bytes; messages that quote it convert it.
std::string AdresarZCesty(std::string_view cestaProgramu);

// The executable's own full path (/proc/self/exe), not the working directory.
std::string CestaProgramu();

// Index of the selected layout as every consumer uses it: a negative index means 0.
int VybranaEtiketa(int index);
