#include "Tabulka.h"
// TODO: being written
