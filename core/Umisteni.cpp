#include "Umisteni.h"

#include "UNI.h"

#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace {

bool Existuje(const std::string& cesta) {
    return ::access(cesta.c_str(), F_OK) == 0;
}

} // namespace

tUmisteni NajdiUmisteni(const std::string& adresarProgramu, const std::string& konfigurace,
                        const std::string& data) {
    tUmisteni umisteni;
    umisteni.Nastaveni = adresarProgramu + NazevSouboruNastaveni;
    if (!Existuje(umisteni.Nastaveni) && ::access(adresarProgramu.c_str(), W_OK) != 0) {
        // A folder that cannot be made shows at the first save as "Cannot create file".
        std::error_code chyba;
        std::filesystem::create_directories(konfigurace, chyba);
        umisteni.Nastaveni = konfigurace + NazevSouboruNastaveni;
    }
    umisteni.Napoveda = adresarProgramu + NazevSouboruNapovedy;
    if (!Existuje(umisteni.Napoveda))
        umisteni.Napoveda = data + NazevSouboruNapovedy;
    return umisteni;
}
