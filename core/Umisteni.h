#pragma once
// Where the settings file and the help file lie. A copy run from a folder of its own keeps
// its settings there (portable use); an installed copy, whose folder the user may not write,
// keeps them in the user's configuration folder.

#include <string>

struct tUmisteni {
    std::string Nastaveni; // the settings file Oblepky.ini
    std::string Napoveda;  // the help file Oblepky.hlp
};

// The user's configuration folder for the program, for the window and the batch printer
// alike: $XDG_CONFIG_HOME/oblepky/, by default ~/.config/oblepky/ (as the desktop's base
// directory rules have it). Ends in "/".
std::string KonfiguraceUzivatele();

// The settings file beside the executable (in adresarProgramu) when that folder already
// holds it or the user may write there and it is not one of the system's (under /usr, /bin
// or /sbin); otherwise in `konfigurace`, which is then created if missing and `vytvorit`
// (one that only reads the file needs no folder). The help file beside the executable when it
// is there, else in `data`. Folders end in "/".
tUmisteni NajdiUmisteni(const std::string& adresarProgramu, const std::string& konfigurace,
                        const std::string& data, bool vytvorit = true);
