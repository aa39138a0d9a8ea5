#pragma once
// The spreadsheet's own "as shown" export of a sheet (TAB between cells, UTF-8, a cell
// holding a quote in double quotes): the text the tests expect of the program.

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

inline std::vector<std::vector<std::string>> NactiZobrazeni(const std::string& cesta) {
    std::ifstream soubor(cesta, std::ios::binary);
    std::stringstream obsah;
    obsah << soubor.rdbuf();
    std::vector<std::vector<std::string>> radky;
    std::string radek;
    std::istringstream text(obsah.str());
    while (std::getline(text, radek)) {
        std::vector<std::string> bunky(1);
        for (size_t i = 0; i < radek.size(); ++i) {
            if (radek[i] == '\t') {
                bunky.emplace_back();
            } else if (radek[i] == '"' && bunky.back().empty()) {
                for (++i; i < radek.size(); ++i) {
                    if (radek[i] == '"' && i + 1 < radek.size() && radek[i + 1] == '"')
                        bunky.back() += radek[++i];
                    else if (radek[i] == '"')
                        break;
                    else
                        bunky.back() += radek[i];
                }
            } else {
                bunky.back() += radek[i];
            }
        }
        radky.push_back(std::move(bunky));
    }
    return radky;
}
