#include "DekodujKody.h"
// TODO: being written
std::string DekodujKody(std::string_view) { return {}; }
