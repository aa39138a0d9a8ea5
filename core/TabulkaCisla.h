#pragma once
// The texts "1" to "N" that number a table's rows and columns, made in pieces when first
// asked: a view shows a few hundred of them, and millions kept at once would cost more than
// a table of short rows holds in text. Safe to read from several threads at once.

#include <memory>
#include <mutex>
#include <string_view>

class tTabulkaCisla {
public:
    explicit tTabulkaCisla(int posledni);

    // The text of cislo, 1 to posledni; "" outside. Valid while this object lives.
    std::string_view Text(int cislo) const;

private:
    static constexpr int VKusu = 4096;
    static constexpr int NejdelsiCislo = 10; // digits of INT_MAX
    struct tKus {
        std::once_flag hotovo;
        std::unique_ptr<char[]> cislice; // VKusu numbers NejdelsiCislo bytes apart
    };

    int posledni_;
    std::unique_ptr<tKus[]> kusy_;
};
