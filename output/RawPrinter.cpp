#include "RawPrinter.h"
// TODO: being written
