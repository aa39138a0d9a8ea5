#pragma once
// A print job that keeps its writes, and a record of what a run did around it (cursor,
// job end, completion dialog), for the tests of the print runs.

#include "Chyba.h"
#include "Kurzor.h"
#include "PopisEtiket.h"
#include "TiskoveBehy.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace behy_test {

struct tZaznam {
    std::vector<std::string> zapisy;   // every Write, in order
    std::vector<std::string> udalosti; // "kurzor cekej", "zniceno", "dokonceni 3", ...
    std::string nazevDokumentu, tiskarna;
    int uloh = 0;
    long long selzeZapis = -1;      // the Write with this index raises
    bool selzeDokonceni = false;    // Dokonci raises
    bool selzeVytvoreni = false;    // creating the job raises
    std::function<void()> poZapisu; // runs after every accepted Write

    std::string Bajty() const {
        std::string bajty;
        for (const auto& z : zapisy)
            bajty += z;
        return bajty;
    }
};

class tZachytUlohy : public tTiskovaUloha {
public:
    explicit tZachytUlohy(tZaznam& zaznam) : Zaznam(zaznam) {}
    ~tZachytUlohy() override { Zaznam.udalosti.push_back("zniceno"); }

    void Write(const std::string& data) override {
        if (static_cast<long long>(Zaznam.zapisy.size()) == Zaznam.selzeZapis)
            throw eChyba("Chyba p\xF8i komunikaci s tisk\xE1rnou (5)");
        Zaznam.zapisy.push_back(data);
        if (Zaznam.poZapisu)
            Zaznam.poZapisu();
    }
    void Dokonci() override {
        Zaznam.udalosti.push_back("dokonci");
        if (Zaznam.selzeDokonceni)
            throw eChyba("Chyba p\xF8i komunikaci s tisk\xE1rnou (1)");
    }

private:
    tZaznam& Zaznam;
};

// Services that open a capturing job and note the cursor and the completion dialog.
inline tZaznam* aktivni = nullptr;

inline tSluzbyTisku Sluzby(tZaznam& zaznam) {
    aktivni = &zaznam;
    NastavObsluhuKurzoru([](bool cekej) {
        aktivni->udalosti.push_back(cekej ? "kurzor cekej" : "kurzor normalni");
    });
    tSluzbyTisku sluzby;
    sluzby.VytvorUlohu = [&zaznam](const std::string& nazev,
                                   const std::string& tiskarna) -> std::unique_ptr<tTiskovaUloha> {
        zaznam.nazevDokumentu = nazev;
        zaznam.tiskarna = tiskarna;
        if (zaznam.selzeVytvoreni)
            throw eChyba("Chyba p\xF8i komunikaci s tisk\xE1rnou (1)");
        ++zaznam.uloh;
        return std::make_unique<tZachytUlohy>(zaznam);
    };
    sluzby.UkazDokonceni = [&zaznam](long long pocet) {
        zaznam.udalosti.push_back("dokonceni " + std::to_string(pocet));
    };
    return sluzby;
}

// The layout of the worked example: init codes 27 64, one row before, three rows per
// label ("{1}" indented by 2, "Cena: {2,5*}"), form feed after each label.
inline tPopisOblepky VzorovaEtiketa(const std::string& tiskarna = "Stitky") {
    tPopisOblepky p;
    p.Tiskarna = tiskarna;
    p.InitKody = "27 64";
    p.RadkuPred = 1;
    p.PocetRadkuOblepky = 3;
    for (int i = 1; i <= PocetRadku; ++i)
        p.Radky[i].HrDelka = 80;
    p.Radky[1].HrZleva = 2;
    p.Radky[1].HrText = "{1}";
    p.Radky[2].HrText = "Cena: {2,5*}";
    p.KodyOdradkovani = "12";
    return p;
}

inline const std::string VzorovyBlok = "  Jablko\r\nCena:    15\r\n\r\n\x0C";

} // namespace behy_test
