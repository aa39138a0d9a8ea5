#include "Tiskarny.h"
// TODO: being written
std::vector<std::string> SeznamTiskaren() { return {}; }
