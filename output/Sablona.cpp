#include "Sablona.h"
// TODO: being written
