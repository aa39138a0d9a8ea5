#include "output/SledovaniUloh.h"

#include "core/Win1250.h"

#include <algorithm>
#include <exception>
#include <thread>

tKonecUlohy KonecUlohy(const tUloha& u) {
    if (u.Stav == tStavUlohy::Vytistena)
        return tKonecUlohy::Vytistena;
    if (u.Skoncila() || u.StavFronty == tStavFronty::Zastavena)
        return tKonecUlohy::Selhala;
    return tKonecUlohy::Neskoncila;
}

std::string PopisUlohy(const tUloha& u) {
    std::string popis = Utf8NaWin1250("Úloha ") + std::to_string(u.Id);
    if (!u.Fronta.empty())
        popis += " (fronta " + u.Fronta + ")";
    popis += ": " + NazevStavu(u.Stav);
    if (!u.Skoncila() && u.StavFronty == tStavFronty::Zastavena)
        popis += Utf8NaWin1250(", fronta je zastavená");
    if (const std::string zprava = ZpravaTiskarny(u); !zprava.empty())
        popis += Utf8NaWin1250(" – ") + zprava;
    return popis;
}

std::optional<tUloha> CekejNaKonec(int id, std::chrono::milliseconds limit,
                                   const tZjistiUlohu& zjisti) {
    using tHodiny = std::chrono::steady_clock;
    const auto konec = tHodiny::now() + limit;
    for (;;) {
        const auto dotaz = tHodiny::now();
        std::optional<tUloha> u = zjisti(id);
        if (!u || KonecUlohy(*u) != tKonecUlohy::Neskoncila || dotaz >= konec)
            return u;
        std::this_thread::sleep_until(std::min(dotaz + OdstupDotazu, konec));
    }
}

tSledovac::tSledovac(tZjistiUlohu zjisti, tVypisFrontu vypis, std::chrono::seconds nedostupnaPo)
    : zjisti_(std::move(zjisti)), vypis_(std::move(vypis)), nedostupnaPo_(nedostupnaPo) {}

void tSledovac::Sleduj(int id, tHodiny::time_point ted) {
    tSledovana s;
    s.od = ted;
    s.zrusenaNami = zruseneNami_.count(id) > 0;
    sledovane_[id] = s;
}

void tSledovac::ZrusenaNami(int id) {
    zruseneNami_.insert(id);
    if (auto s = sledovane_.find(id); s != sledovane_.end())
        s->second.zrusenaNami = true;
}

void tSledovac::Seznam(const std::vector<std::string>& fronty) {
    fronty_.clear();
    for (const std::string& f : fronty) // two layouts may print to one queue
        if (!f.empty() && std::find(fronty_.begin(), fronty_.end(), f) == fronty_.end())
            fronty_.push_back(f);
    if (fronty_.empty())
        seznam_.clear();
    vypsatVse_ = !fronty_.empty();
}

bool tSledovac::MaPraci() const {
    if (vypsatVse_)
        return true;
    if (!fronty_.empty() &&
        std::any_of(seznam_.begin(), seznam_.end(), [](const tUloha& u) { return !u.Skoncila(); }))
        return true;
    return std::any_of(sledovane_.begin(), sledovane_.end(),
                       [](const auto& s) { return !s.second.skoncila; });
}

void tSledovac::Posud(tSledovana& s, const tUloha& u, tHodiny::time_point ted,
                      std::vector<tUdalost>& udalosti) const {
    if (u.Skoncila()) {
        s.skoncila = true;
        if (u.Stav == tStavUlohy::Prerusena)
            udalosti.push_back({tUdalost::Prerusena, u});
        else if (u.Stav == tStavUlohy::Zrusena && !s.zrusenaNami)
            udalosti.push_back({tUdalost::Zrusena, u});
        return;
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
}

tSledovac::tKolo tSledovac::Kolo(tHodiny::time_point ted) {
    tKolo kolo;
    const auto chyba = [&kolo](const std::exception& e) { kolo.Chyba = e.what(); };

    std::vector<std::string> vypsat;
    for (const std::string& f : fronty_)
        if (vypsatVse_ || std::any_of(seznam_.begin(), seznam_.end(), [&](const tUloha& u) {
                return u.Fronta == f && !u.Skoncila();
            }))
            vypsat.push_back(f);
    vypsatVse_ = false;

    std::map<int, const tUloha*> zeSeznamu;
    if (!vypsat.empty()) {
        std::vector<tUloha> novy;
        for (const std::string& f : fronty_) {
            const bool znovu = std::find(vypsat.begin(), vypsat.end(), f) != vypsat.end();
            std::vector<tUloha> fronty;
            if (znovu) {
                try {
                    fronty = vypis_(f);
                } catch (const std::exception& e) {
                    chyba(e);
                    fronty.clear();
                    std::copy_if(seznam_.begin(), seznam_.end(), std::back_inserter(fronty),
                                 [&](const tUloha& u) { return u.Fronta == f; });
                }
            } else {
                std::copy_if(seznam_.begin(), seznam_.end(), std::back_inserter(fronty),
                             [&](const tUloha& u) { return u.Fronta == f; });
            }
            novy.insert(novy.end(), fronty.begin(), fronty.end());
        }
        std::sort(novy.begin(), novy.end(),
                  [](const tUloha& a, const tUloha& b) { return a.Id > b.Id; });
        seznam_ = std::move(novy);
        kolo.Seznam = seznam_;
        for (const tUloha& u : seznam_)
            if (std::find(vypsat.begin(), vypsat.end(), u.Fronta) != vypsat.end())
                zeSeznamu[u.Id] = &u;
    }

    for (auto& [id, s] : sledovane_) {
        if (s.skoncila)
            continue;
        if (const auto z = zeSeznamu.find(id); z != zeSeznamu.end()) {
            Posud(s, *z->second, ted, kolo.Udalosti);
            continue;
        }
        try {
            const std::optional<tUloha> u = zjisti_(id);
            if (u)
                Posud(s, *u, ted, kolo.Udalosti);
            else
                s.skoncila = true; // purged: there is nothing left to follow
        } catch (const std::exception& e) {
            chyba(e);
        }
    }
    return kolo;
}
