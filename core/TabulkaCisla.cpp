#include "core/TabulkaCisla.h"

namespace {

int Cislic(unsigned cislo) {
    int cislic = 1;
    for (; cislo >= 10; cislo /= 10)
        ++cislic;
    return cislic;
}

} // namespace

tTabulkaCisla::tTabulkaCisla(int posledni)
    : posledni_(posledni > 0 ? posledni : 0),
      kusy_(std::make_unique<tKus[]>(static_cast<size_t>(posledni_ / VKusu) + 1)) {}

std::string_view tTabulkaCisla::Text(int cislo) const {
    if (cislo < 1 || cislo > posledni_)
        return {};
    tKus& kus = kusy_[static_cast<size_t>(cislo / VKusu)];
    std::call_once(kus.hotovo, [&] {
        kus.cislice = std::make_unique<char[]>(size_t{VKusu} * NejdelsiCislo);
        const unsigned prvni = static_cast<unsigned>(cislo / VKusu) * VKusu;
        for (unsigned k = 0; k < VKusu; ++k) {
            char* misto = kus.cislice.get() + size_t{k} * NejdelsiCislo;
            unsigned hodnota = prvni + k;
            for (int i = Cislic(hodnota) - 1; i >= 0; --i, hodnota /= 10)
                misto[i] = static_cast<char>('0' + hodnota % 10);
        }
    });
    const auto hodnota = static_cast<unsigned>(cislo);
    return {kus.cislice.get() + size_t{hodnota % VKusu} * NejdelsiCislo,
            static_cast<size_t>(Cislic(hodnota))};
}
