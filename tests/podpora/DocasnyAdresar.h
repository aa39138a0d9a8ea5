#pragma once
// A fresh directory under the system's temporary directory, removed with everything in it.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include <stdlib.h>

class tDocasnyAdresar {
public:
    tDocasnyAdresar() {
        std::string vzor = (std::filesystem::temp_directory_path() / "oblepky-XXXXXX").string();
        if (!mkdtemp(vzor.data()))
            throw std::runtime_error("mkdtemp");
        cesta_ = vzor;
    }
    ~tDocasnyAdresar() {
        std::error_code chyba;
        std::filesystem::remove_all(cesta_, chyba);
    }
    tDocasnyAdresar(const tDocasnyAdresar&) = delete;
    tDocasnyAdresar& operator=(const tDocasnyAdresar&) = delete;

    std::string operator/(const std::string& jmeno) const { return (cesta_ / jmeno).string(); }
    const std::filesystem::path& Cesta() const { return cesta_; }

private:
    std::filesystem::path cesta_;
};

inline std::string PrectiBajty(const std::string& cesta) {
    std::ifstream f(cesta, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

inline void ZapisBajty(const std::string& cesta, const std::string& obsah) {
    std::ofstream f(cesta, std::ios::binary | std::ios::trunc);
    f.write(obsah.data(), static_cast<std::streamsize>(obsah.size()));
}
