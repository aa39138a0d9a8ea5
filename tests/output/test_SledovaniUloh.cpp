// The follower's rounds against a server played by the test: how often it asks, and which
// changes are news for the user.
#include "output/SledovaniUloh.h"

#include "core/Win1250.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using namespace std::chrono_literals;
using tHodiny = tSledovac::tHodiny;

tUloha Uloha(int id, tStavUlohy stav, std::string zprava = {},
             tStavFronty fronta = tStavFronty::Tiskne) {
    tUloha u;
    u.Id = id;
    u.Fronta = "A";
    u.Stav = stav;
    u.ZpravaTiskarny = std::move(zprava);
    u.StavFronty = fronta;
    return u;
}

// The server: what it says of each job now, and how many questions it got.
struct tServer {
    std::map<int, tUloha> ulohy;
    int dotazu = 0, vypisu = 0;
    tSledovac Sledovac() {
        return tSledovac(
            [this](int id) -> std::optional<tUloha> {
                ++dotazu;
                auto u = ulohy.find(id);
                return u != ulohy.end() ? std::optional(u->second) : std::nullopt;
            },
            [this](const std::string& fronta) {
                ++vypisu;
                std::vector<tUloha> v;
                for (const auto& [id, u] : ulohy)
                    if (u.Fronta == fronta)
                        v.push_back(u);
                return v;
            });
    }
};

TEST(SledovaniUloh, ASessionJobIsNewsOnlyWhenItFails) {
    const auto t0 = tHodiny::now();
    struct Kolo {
        std::optional<tUloha> server; // none: purged
        std::chrono::seconds kdy;
        std::vector<tUdalost::tDruh> udalosti;
    };
    const struct {
        const char* nazev;
        bool zrusenaNami;
        std::vector<Kolo> kola;
    } pripady[] = {
        {"printed",
         false,
         {{Uloha(1, tStavUlohy::Tiskne), 0s, {}}, {Uloha(1, tStavUlohy::Vytistena), 1s, {}}}},
        {"cancelled by someone else",
         false,
         {{Uloha(1, tStavUlohy::Zrusena), 0s, {tUdalost::Zrusena}}}},
        {"cancelled by the user here", true, {{Uloha(1, tStavUlohy::Zrusena), 0s, {}}}},
        {"aborted",
         false,
         {{Uloha(1, tStavUlohy::Prerusena, "Broken pipe"), 0s, {tUdalost::Prerusena}}}},
        {"queue stops, starts and stops again",
         false,
         {{Uloha(1, tStavUlohy::Ceka, "", tStavFronty::Zastavena), 0s, {tUdalost::FrontaZastavena}},
          {Uloha(1, tStavUlohy::Ceka, "", tStavFronty::Zastavena), 1s, {}},
          {Uloha(1, tStavUlohy::Tiskne), 2s, {}},
          {Uloha(1, tStavUlohy::Ceka, "", tStavFronty::Zastavena),
           3s,
           {tUdalost::FrontaZastavena}}}},
        {"printer unreachable for a minute",
         false,
         {{Uloha(1, tStavUlohy::Tiskne, "unreachable"), 59s, {}},
          {Uloha(1, tStavUlohy::Tiskne, "unreachable"), 60s, {tUdalost::Nedostupna}},
          {Uloha(1, tStavUlohy::Tiskne, "unreachable"), 61s, {}}}},
        {"a minute in the queue, printer quiet", false, {{Uloha(1, tStavUlohy::Tiskne), 70s, {}}}},
        {"purged from the history", false, {{std::nullopt, 0s, {}}}},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        tServer server;
        tSledovac s = server.Sledovac();
        EXPECT_FALSE(s.MaPraci()); // nothing followed: nothing asked
        s.Sleduj(1, t0);
        if (p.zrusenaNami)
            s.ZrusenaNami(1);
        for (const Kolo& k : p.kola) {
            if (k.server)
                server.ulohy[1] = *k.server;
            else
                server.ulohy.clear();
            ASSERT_TRUE(s.MaPraci());
            const int predtim = server.dotazu;
            const tSledovac::tKolo kolo = s.Kolo(t0 + k.kdy);
            EXPECT_EQ(server.dotazu, predtim + 1); // one question a round per job in progress
            std::vector<tUdalost::tDruh> druhy;
            for (const tUdalost& u : kolo.Udalosti)
                druhy.push_back(u.Druh);
            EXPECT_EQ(druhy, k.udalosti);
        }
        const bool skoncila = !p.kola.back().server || p.kola.back().server->Skoncila();
        EXPECT_EQ(s.MaPraci(), !skoncila);
        if (skoncila) { // ended: no more questions
            s.Kolo(t0 + 100s);
            EXPECT_EQ(server.dotazu, static_cast<int>(p.kola.size()));
        }
        EXPECT_EQ(server.vypisu, 0);
    }
}

TEST(SledovaniUloh, TheListAsksPerQueueOnlyWhileAJobOnItIsInProgress) {
    const auto t0 = tHodiny::now();
    tServer server;
    server.ulohy[1] = Uloha(1, tStavUlohy::Vytistena);
    server.ulohy[2] = Uloha(2, tStavUlohy::Tiskne);
    server.ulohy[3] = Uloha(3, tStavUlohy::Vytistena);
    server.ulohy[3].Fronta = "B";
    tSledovac s = server.Sledovac();
    s.Sleduj(2, t0);
    s.Seznam({"A", "", "A", "B"}); // two layouts on one queue, one without a queue

    tSledovac::tKolo kolo = s.Kolo(t0);
    EXPECT_EQ(server.vypisu, 2); // each queue once
    EXPECT_EQ(server.dotazu, 0); // the session's job is on the list
    ASSERT_TRUE(kolo.Seznam);
    std::vector<int> ids;
    for (const tUloha& u : *kolo.Seznam)
        ids.push_back(u.Id);
    EXPECT_EQ(ids, (std::vector<int>{3, 2, 1})); // newest first

    kolo = s.Kolo(t0 + 1s); // only A has a job in progress
    EXPECT_EQ(server.vypisu, 3);
    ASSERT_TRUE(kolo.Seznam);
    EXPECT_EQ(kolo.Seznam->size(), 3u); // B's jobs kept as they were

    server.ulohy[2].Stav = tStavUlohy::Vytistena;
    s.Kolo(t0 + 2s);
    EXPECT_FALSE(s.MaPraci()); // everything ended: quiet, though the list is open
    s.Obnov();
    EXPECT_TRUE(s.MaPraci());
    s.Kolo(t0 + 3s);
    EXPECT_EQ(server.vypisu, 6);
    s.Seznam({});
    s.Obnov();
    EXPECT_FALSE(s.MaPraci()); // closed
}

TEST(SledovaniUloh, WaitingEndsAtTheJobsEndOrAtTheLimit) {
    // The batch printer's wait: what each answer means for the exit status.
    const struct {
        tUloha u;
        tKonecUlohy konec;
    } pripady[] = {
        {Uloha(1, tStavUlohy::Vytistena), tKonecUlohy::Vytistena},
        {Uloha(1, tStavUlohy::Zrusena), tKonecUlohy::Selhala},
        {Uloha(1, tStavUlohy::Prerusena), tKonecUlohy::Selhala},
        {Uloha(1, tStavUlohy::Ceka, "", tStavFronty::Zastavena), tKonecUlohy::Selhala},
        {Uloha(1, tStavUlohy::Tiskne, "unreachable"), tKonecUlohy::Neskoncila},
        {Uloha(1, tStavUlohy::Pozastavena), tKonecUlohy::Neskoncila},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(NazevStavu(p.u.Stav));
        EXPECT_EQ(KonecUlohy(p.u), p.konec);
        int dotazu = 0;
        const auto zacatek = tHodiny::now();
        const auto u = CekejNaKonec(1, 1500ms, [&](int) {
            ++dotazu;
            return std::optional(p.u);
        });
        ASSERT_TRUE(u);
        // Ended: the first answer; in progress: a question a second up to the limit.
        EXPECT_EQ(dotazu, p.konec == tKonecUlohy::Neskoncila ? 3 : 1);
        EXPECT_LT(tHodiny::now() - zacatek, 2s);
    }
    EXPECT_EQ(PopisUlohy(Uloha(7, tStavUlohy::Ceka, "", tStavFronty::Zastavena)),
              Utf8NaWin1250("Úloha 7 (fronta A): čeká, fronta je zastavená"));
}

} // namespace
