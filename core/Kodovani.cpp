#include "Kodovani.h"
// TODO: being written
std::string PrevedKodovani(uint8_t, std::string_view radek) { return std::string(radek); }
