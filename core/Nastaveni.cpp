#include "Nastaveni.h"
// TODO: being written
