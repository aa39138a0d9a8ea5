#include "CupsTest.h"
