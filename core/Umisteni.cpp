#include "core/Umisteni.h"

#include "core/UNI.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace {

bool Existuje(const std::string& cesta) {
    return ::access(cesta.c_str(), F_OK) == 0;
}

// The system's program folders hold installed copies, never a portable one: root may write
// there, yet a settings file must not land in /usr/bin.
bool SlozkaSystemu(const std::string& adresar) {
    for (const char* koren : {"/usr/", "/bin/", "/sbin/"})
        if (adresar.rfind(koren, 0) == 0)
            return true;
    return false;
}

} // namespace

std::string KonfiguraceUzivatele() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && *xdg != '\0')
        return std::string(xdg) + "/oblepky/";
    const char* domov = std::getenv("HOME");
    std::string zaklad = domov != nullptr && *domov != '\0' ? domov : "";
    while (!zaklad.empty() && zaklad.back() == '/')
        zaklad.pop_back();
    return zaklad + "/.config/oblepky/";
}

tUmisteni NajdiUmisteni(const std::string& adresarProgramu, const std::string& konfigurace,
                        const std::string& data, bool vytvorit) {
    tUmisteni umisteni;
    umisteni.Nastaveni = adresarProgramu + NazevSouboruNastaveni;
    if (!Existuje(umisteni.Nastaveni) &&
        (SlozkaSystemu(adresarProgramu) || ::access(adresarProgramu.c_str(), W_OK) != 0)) {
        // A folder that cannot be made shows at the first save as "Cannot create file".
        std::error_code chyba;
        if (vytvorit)
            std::filesystem::create_directories(konfigurace, chyba);
        umisteni.Nastaveni = konfigurace + NazevSouboruNastaveni;
    }
    umisteni.Napoveda = adresarProgramu + NazevSouboruNapovedy;
    if (!Existuje(umisteni.Napoveda))
        umisteni.Napoveda = data + NazevSouboruNapovedy;
    return umisteni;
}
