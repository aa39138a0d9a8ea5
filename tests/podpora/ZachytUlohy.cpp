#include "tests/podpora/ZachytUlohy.h"

#include "core/Chyba.h"

#include <algorithm>
#include <memory>

namespace podpora {

std::string tZaznam::Bajty() const {
    std::string bajty;
    for (const auto& z : zapisy)
        bajty += z;
    return bajty;
}

tZachytUlohy::~tZachytUlohy() {
    zaznam_.udalosti.push_back("zniceno");
}

void tZachytUlohy::Write(const std::string& data) {
    if (zaznam_.zapisu == zaznam_.selzeZapis) {
        selhalo_ = true;
        throw eChyba("Chyba při komunikaci s tiskárnou (5)");
    }
    ++zaznam_.zapisu;
    zaznam_.bajtu += static_cast<long long>(data.size());
    zaznam_.konec += data.substr(data.size() - std::min<size_t>(data.size(), 2));
    zaznam_.konec.erase(0, zaznam_.konec.size() - std::min<size_t>(zaznam_.konec.size(), 2));
    if (data.size() <= zaznam_.drzet - drzeno_) {
        drzeno_ += data.size();
        zaznam_.zapisy.push_back(data);
    } else {
        drzeno_ = zaznam_.drzet; // nothing after a write that did not fit
    }
    if (zaznam_.poZapisu)
        zaznam_.poZapisu();
}

std::string* tZachytUlohy::MistoProEtiketu(size_t nejvic) {
    if (!zaznam_.primo)
        return nullptr;
    etiketa_.clear();
    nejvic_ = nejvic;
    return &etiketa_;
}

void tZachytUlohy::KonecEtikety() {
    if (!etiketa_.empty()) {
        if (etiketa_.size() > nejvic_)
            throw eChyba("A label longer than it was allowed");
        const std::string etiketa = std::move(etiketa_);
        etiketa_.clear();
        Write(etiketa);
    }
    ++zaznam_.etiket;
}

void tZachytUlohy::Dokonci() {
    zaznam_.udalosti.push_back("dokonci");
    if (zaznam_.priDokonceni)
        zaznam_.priDokonceni();
    if (zaznam_.selzeDokonceni) {
        selhalo_ = true;
        throw eChyba("Chyba při komunikaci s tiskárnou (1)");
    }
}

long long tZachytUlohy::Prerus() noexcept {
    return selhalo_ ? 0 : zaznam_.etiket;
}

tSluzbyTisku Sluzby(tZaznam& zaznam) {
    tSluzbyTisku sluzby;
    sluzby.VytvorUlohu = [&zaznam](const std::string& nazev,
                                   const std::string& tiskarna) -> std::unique_ptr<tTiskovaUloha> {
        zaznam.nazevDokumentu = nazev;
        zaznam.tiskarna = tiskarna;
        if (zaznam.selzeVytvoreni)
            throw eChyba("Chyba při komunikaci s tiskárnou (1)");
        ++zaznam.uloh;
        return std::make_unique<tZachytUlohy>(zaznam);
    };
    sluzby.UkazDokonceni = [&zaznam](long long pocet) {
        zaznam.udalosti.push_back("dokonceni " + std::to_string(pocet));
    };
    sluzby.UkazNezrusenou = [&zaznam](long long pocet) {
        zaznam.udalosti.push_back("nezrusena " + std::to_string(pocet));
    };
    sluzby.Pokrok = [&zaznam](long long hotovo, long long) {
        return zaznam.stornoPo < 0 || hotovo < zaznam.stornoPo;
    };
    sluzby.Kurzor = [&zaznam](bool cekej) {
        zaznam.udalosti.push_back(cekej ? "kurzor cekej" : "kurzor normalni");
    };
    return sluzby;
}

} // namespace podpora
