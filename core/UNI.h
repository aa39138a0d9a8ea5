#pragma once
// Process-wide shared state beside the layout records.

#include "PopisEtiket.h"

#include <string>
#include <string_view>

extern tPopisEtiket PopisEtiket; // the five current layouts
extern int16_t LastEtiketa;      // index 0 to 4 of the layout selected in the main window
extern bool Zmeneno;             // layouts or selection changed: save them at exit
// The executable's directory, ending in "/". Unlike the program's other text it holds the
// file system's own bytes (it is a path); messages that quote it convert it.
extern std::string AdresarProgramu;
extern std::string SouborNapovedy; // AdresarProgramu + "Oblepky.hlp"

// Directory part of an executable's full path, always ending in "/".
std::string AdresarZCesty(std::string_view cestaProgramu);

// The executable's own full path (/proc/self/exe), not the working directory.
std::string CestaProgramu();

// Full name of the settings file: AdresarProgramu + "Oblepky.ini".
std::string SouborNastaveni();

// Start-up of the shared state: AdresarProgramu from the executable's path, the help
// file name, then the layouts and LastEtiketa from the settings file. Raises eChyba
// ("Cannot open file %s") when the settings file exists but cannot be read.
void InicializujUNI(std::string_view cestaProgramu);

// Index of the selected layout as every consumer uses it: a negative index means 0.
int VybranaEtiketa(int index);
