#include "core/Chyba.h"

std::string TextChyby(const std::string& zprava) {
    if (!zprava.empty() && static_cast<unsigned char>(zprava.back()) > '.')
        return zprava + '.';
    return zprava;
}
