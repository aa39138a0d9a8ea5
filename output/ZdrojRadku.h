#pragma once
// Where a table run takes its rows from: the pasted table, or a table file read as it prints.

#include "core/Ascii16.h"
#include "core/CeleCislo.h"
#include "core/Tabulka.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

// Piece sloupec (from 1) of a line whose cells TAB separates; empty past its last piece.
inline std::string_view KusRadku(std::string_view radek, int sloupec) {
    size_t od = 0;
    for (int c = 1; c < sloupec; ++c) {
        od = NajdiJeden(radek, od, '\t', '\t');
        if (od == std::string_view::npos)
            return {};
        ++od;
    }
    return radek.substr(od, NajdiJeden(radek, od, '\t', '\t') - od);
}

// What a count cell asks for: anything that is not an integer counts 0.
inline long long PocetZBunky(std::string_view bunka) {
    return ZkusTextNaCislo(bunka).value_or(0);
}

class tZdrojRadku {
public:
    virtual ~tZdrojRadku() = default;
    // Back before the first row. A run reads the rows twice: first for the number of labels
    // that names the document, then to print them.
    virtual void NaZacatek() = 0;
    // Moves to the next row; false after the last one.
    virtual bool Dalsi() = 0;
    // The current row's cell in column sloupec (column 0: the row number); "" outside the row.
    // The view stays valid until the next Bunka, Dalsi or NaZacatek.
    virtual std::string_view Bunka(int sloupec) const = 0;
    // The current row's cells from column 0 on, as far as they may hold text, and at most
    // kolik of them. The views stay valid until the next Dalsi or NaZacatek.
    virtual void Bunky(std::vector<std::string_view>& cil, size_t kolik) const = 0;
    // From the first row to the last: the sum of the counts in column sloupec that are
    // positive integers (anything else, or no such cell, counts 0). Raises what Dalsi
    // raises. A source may count without making the rows' text, and then reads as after
    // its last row.
    virtual long long SoucetPoctu(int sloupec) {
        long long celkem = 0;
        for (NaZacatek(); Dalsi();)
            if (const long long pocet = PocetZBunky(Bunka(sloupec)); pocet > 0)
                celkem += pocet;
        return celkem;
    }
};

// The rows of the pasted table, rows 1 to R - 1.
class tRadkyTabulky : public tZdrojRadku {
public:
    explicit tRadkyTabulky(const tTabulka& tabulka) : tabulka_(tabulka) {}
    void NaZacatek() override { radek_ = 0; }
    bool Dalsi() override { return ++radek_ < tabulka_.PocetRadku(); }
    // The row's number is written here, not taken from the table, which would keep the
    // numbers of every row a run passes.
    std::string_view Bunka(int sloupec) const override {
        return sloupec == 0 ? Cislo() : tabulka_.Bunka(sloupec, radek_);
    }
    void Bunky(std::vector<std::string_view>& cil, size_t kolik) const override {
        tabulka_.BunkyRadku(radek_, cil, kolik, &cislo_);
    }

private:
    std::string_view Cislo() const {
        cislo_ = tabulka_.CisloRadku(radek_);
        return cislo_;
    }

    const tTabulka& tabulka_;
    int radek_ = 0;
    mutable std::string cislo_;
};
