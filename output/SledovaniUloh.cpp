#include "output/SledovaniUloh.h"

#include <algorithm>
#include <exception>
#include <thread>

namespace {

// A question under way when the wait ends still gets this long.
constexpr std::chrono::milliseconds DoberOtazku{500};

} // namespace

tKonecUlohy KonecUlohy(const tUloha& u) {
    if (u.Stav == tStavUlohy::Vytistena)
        return tKonecUlohy::Vytistena;
    if (u.Skoncila() || u.StavFronty == tStavFronty::Zastavena)
        return tKonecUlohy::Selhala;
    return tKonecUlohy::Neskoncila;
}

std::string PopisUlohy(const tUloha& u) {
    std::string popis = std::string("Úloha ") + std::to_string(u.Id);
    if (!u.Fronta.empty())
        popis += " (fronta " + u.Fronta + ")";
    popis += ": " + StavVSeznamu(u);
    if (const std::string zprava = ZpravaTiskarny(u); !zprava.empty())
        popis += " – " + zprava;
    return popis;
}

bool Spi(tHodinyServeru::time_point do_) {
    std::this_thread::sleep_until(do_);
    return true;
}

tVysledekCekani CekejNaKonec(int id, std::chrono::milliseconds limit, const tZjistiUlohu& zjisti,
                             const tSpanek& spi) {
    const auto konec = tHodinyServeru::now() + limit;
    tVysledekCekani v;
    for (;;) {
        const auto dotaz = tHodinyServeru::now();
        int pozadavku = 1;
        try {
            v.Uloha = zjisti(id, konec + DoberOtazku);
            v.Znamy = true;
            v.Chyba.clear();
            if (!v.Uloha || KonecUlohy(*v.Uloha) != tKonecUlohy::Neskoncila)
                return v;
            pozadavku = PozadavkuOtazky(*v.Uloha);
        } catch (const eRawPrinter& e) {
            // Down for a moment, restarting, frozen: asked again until the time is up.
            v.Znamy = false;
            v.Chyba = e.what();
        }
        if (tHodinyServeru::now() >= konec)
            return v;
        if (!spi(std::min(dotaz + OdstupDotazu * pozadavku, konec))) {
            v.Preruseno = true;
            return v;
        }
    }
}

tSledovaniUloh::tSledovaniUloh(tZjistiUlohu zjisti, tVypisFrontu vypis, tZrusUlohu zrus,
                               std::chrono::seconds nedostupnaPo)
    : zjisti_(std::move(zjisti)), vypis_(std::move(vypis)), zrus_(std::move(zrus)),
      nedostupnaPo_(nedostupnaPo) {}

void tSledovaniUloh::Sleduj(int id, tHodiny::time_point ted) {
    auto [s, nova] = sledovane_.try_emplace(id);
    if (nova)
        s->second.od = s->second.dalsi = ted;
}

void tSledovaniUloh::ZrusenaNami(int id, tHodiny::time_point ted) {
    Sleduj(id, ted);
    sledovane_[id].zrusenaNami = true;
}

void tSledovaniUloh::Zastavena(int id, tHodiny::time_point ted) {
    ZrusenaNami(id, ted);
    sledovane_[id].zrusit = true;
}

void tSledovaniUloh::Nezrusena(int id, tHodiny::time_point ted) {
    Sleduj(id, ted);
    sledovane_[id].zrusitDrzenou = true;
}

void tSledovaniUloh::Seznam(const std::vector<std::string>& fronty) {
    std::vector<tFronta> nove;
    for (const std::string& f : fronty) // two layouts may print to one queue
        if (!f.empty() &&
            std::none_of(nove.begin(), nove.end(), [&](const tFronta& x) { return x.nazev == f; }))
            nove.push_back({f, {}, false});
    fronty_ = std::move(nove);
}

void tSledovaniUloh::Obnov() {
    for (tFronta& f : fronty_)
        f.nactena = false;
}

bool tSledovaniUloh::MaPraci() const {
    return !fronty_.empty() || !sledovane_.empty();
}

size_t tSledovaniUloh::Drzenych() const {
    size_t n = sledovane_.size();
    for (const tFronta& f : fronty_)
        n += f.ulohy.size();
    return n;
}

bool tSledovaniUloh::Posud(tSledovana& s, const tUloha& u, tHodiny::time_point ted,
                           std::vector<tUdalost>& udalosti) {
    if (u.Skoncila()) {
        if (u.Stav == tStavUlohy::Prerusena)
            udalosti.push_back({tUdalost::Prerusena, u});
        else if (u.Stav == tStavUlohy::Zrusena && !s.zrusenaNami)
            udalosti.push_back({tUdalost::Zrusena, u});
        else if (u.Stav == tStavUlohy::Vytistena && s.zrusenaNami)
            udalosti.push_back({tUdalost::VytistenaPresStorno, u});
        return true;
    }
    if (s.zrusitDrzenou && u.Stav != tStavUlohy::Pozastavena)
        s.zrusitDrzenou = false; // released: it prints, as the user was told
    if (s.zrusit || s.zrusitDrzenou) {
        bool& zrusit = s.zrusit ? s.zrusit : s.zrusitDrzenou;
        zrusit = false; // the next answer tells whether this one reached the server
        try {
            zrus_(u.Id, tHodinyServeru::now() + LhutaKola);
        } catch (const eRawPrinter&) {
            zrusit = true; // out of reach again: the next round tries once more
        }
        return false;
    }
    const bool zastavena = u.StavFronty == tStavFronty::Zastavena;
    if (zastavena && !s.frontaZastavena)
        udalosti.push_back({tUdalost::FrontaZastavena, u});
    s.frontaZastavena = zastavena; // stopped again after a restart is news again
    if (!zastavena && !s.nedostupnaHlasena && ted - s.od >= nedostupnaPo_ &&
        !u.ZpravaTiskarny.empty()) {
        s.nedostupnaHlasena = true;
        udalosti.push_back({tUdalost::Nedostupna, u});
    }
    return false;
}

// The queue's new jobs and those in progress, merged into what the list holds; whether the
// list changed.
bool tSledovaniUloh::VypisFrontu(tFronta& f, tTermin termin, tKolo& kolo) {
    tDotazFronty dotaz;
    if (f.nactena) {
        dotaz.NoveOd = f.ulohy.empty() ? 0 : f.ulohy.front().Id;
        for (const tUloha& u : f.ulohy)
            if (!u.Skoncila())
                dotaz.Obnovit.push_back(u.Id);
    }
    std::vector<tUloha> odpoved;
    try {
        odpoved = vypis_(f.nazev, dotaz, termin);
    } catch (const eFrontaNeni& e) {
        kolo.Chyba = e.what();
        const bool bylo = !f.ulohy.empty();
        f.ulohy.clear(); // the server holds none of them any more
        f.nactena = false;
        return bylo;
    } catch (const std::exception& e) {
        kolo.Chyba = e.what();
        return false;
    }
    std::vector<tUloha> nove = f.nactena ? f.ulohy : std::vector<tUloha>{};
    f.nactena = true;
    for (tUloha& u : odpoved) {
        const auto byla =
            std::find_if(nove.begin(), nove.end(), [&](const tUloha& x) { return x.Id == u.Id; });
        if (byla != nove.end())
            *byla = std::move(u);
        else
            nove.push_back(std::move(u));
    }
    std::sort(nove.begin(), nove.end(),
              [](const tUloha& a, const tUloha& b) { return a.Id > b.Id; });
    if (nove.size() > size_t{NejviceUlohFronty})
        nove.resize(NejviceUlohFronty);
    if (nove == f.ulohy)
        return false;
    f.ulohy = std::move(nove);
    return true;
}

tSledovaniUloh::tKolo tSledovaniUloh::Kolo(tHodiny::time_point ted) {
    tKolo kolo;
    const tTermin termin = tHodinyServeru::now() + LhutaKola;
    // Once the server has failed and the deadline has passed, the rest waits for the next
    // round: each further question would only add its own reconnect to the user's wait.
    const auto poTerminu = [&] { return !kolo.Chyba.empty() && tHodinyServeru::now() >= termin; };
    bool zmena = false;
    for (tFronta& f : fronty_) {
        if (poTerminu())
            break;
        zmena = VypisFrontu(f, termin, kolo) || zmena;
    }
    if (zmena) {
        std::vector<tUloha> vse;
        for (const tFronta& f : fronty_)
            vse.insert(vse.end(), f.ulohy.begin(), f.ulohy.end());
        std::sort(vse.begin(), vse.end(),
                  [](const tUloha& a, const tUloha& b) { return a.Id > b.Id; });
        kolo.Seznam = std::move(vse);
    }

    for (auto s = sledovane_.begin(); s != sledovane_.end();) {
        const tUloha* naSeznamu = nullptr;
        for (const tFronta& f : fronty_)
            for (const tUloha& u : f.ulohy)
                if (u.Id == s->first && f.nactena)
                    naSeznamu = &u;
        bool skoncila = false;
        if (naSeznamu != nullptr) {
            skoncila = Posud(s->second, *naSeznamu, ted, kolo.Udalosti);
        } else if (ted >= s->second.dalsi && !poTerminu()) {
            try {
                const std::optional<tUloha> u = zjisti_(s->first, termin);
                // Purged: there is nothing left to follow.
                skoncila = !u || Posud(s->second, *u, ted, kolo.Udalosti);
                if (u)
                    s->second.dalsi = ted + OdstupDotazu * PozadavkuOtazky(*u);
            } catch (const std::exception& e) {
                kolo.Chyba = e.what();
            }
        }
        s = skoncila ? sledovane_.erase(s) : std::next(s);
    }
    return kolo;
}
