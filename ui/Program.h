#pragma once
// The program's run from the settings file to the end of the event loop, as main runs it.

#include "ui/StranaTabulky.h"

#include <functional>
#include <string>

class TMainForm;

// Reads the settings file of folder `adresar` (ending in "/"), shows the main window and
// runs the event loop until the window closes (by the user, at logout or on SIGTERM, SIGINT
// or SIGHUP), which saves the settings. Returns the exit code: 1 when the settings file
// cannot be read or written. poZobrazeni runs once the window is up; vybery answer for the
// user on the table page.
int SpustProgram(const std::string& adresar,
                 const std::function<void(TMainForm&)>& poZobrazeni = {},
                 tVyberyStrany vybery = {});
