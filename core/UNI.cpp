#include "core/UNI.h"

#include <filesystem>
#include <system_error>

std::string AdresarZCesty(std::string_view cestaProgramu) {
    size_t lomitko = cestaProgramu.rfind('/');
    std::string adresar(lomitko == std::string_view::npos ? std::string_view{}
                                                          : cestaProgramu.substr(0, lomitko));
    if (adresar.empty() || adresar.back() != '/')
        adresar += '/';
    return adresar;
}

std::string CestaProgramu() {
    std::error_code chyba;
    auto cesta = std::filesystem::read_symlink("/proc/self/exe", chyba);
    return chyba ? std::string() : cesta.string();
}

int VybranaEtiketa(int index) {
    return index < 0 ? 0 : index;
}
