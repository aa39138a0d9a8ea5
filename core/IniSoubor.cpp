#include "IniSoubor.h"
// TODO: being written
