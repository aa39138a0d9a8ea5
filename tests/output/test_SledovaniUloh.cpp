// The follower's rounds against a server played by the test: how often it asks, and which
// changes are news for the user.
#include "output/SledovaniUloh.h"

#include "core/Win1250.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

using namespace std::chrono_literals;
using tHodiny = tSledovaniUloh::tHodiny;

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

// The server: what it says of each job now, and how many questions it got; a queue it
// does not know raises, as the real one does.
struct tServer {
    std::map<int, tUloha> ulohy;
    std::vector<std::string> bezFronty;
    int dotazu = 0, vypisu = 0, zruseni = 0;
    size_t nejviceUloh = 0; // the most jobs one listing carried
    tSledovaniUloh Sledovac() {
        return tSledovaniUloh(
            [this](int id, tTermin) -> std::optional<tUloha> {
                ++dotazu;
                auto u = ulohy.find(id);
                return u != ulohy.end() ? std::optional(u->second) : std::nullopt;
            },
            [this](const std::string& fronta, const tDotazFronty& dotaz, tTermin) {
                ++vypisu;
                if (std::find(bezFronty.begin(), bezFronty.end(), fronta) != bezFronty.end())
                    throw FrontaNeni(fronta);
                std::vector<tUloha> v;
                for (auto u = ulohy.rbegin(); u != ulohy.rend(); ++u)
                    if (u->second.Fronta == fronta &&
                        (u->first > dotaz.NoveOd ||
                         std::find(dotaz.Obnovit.begin(), dotaz.Obnovit.end(), u->first) !=
                             dotaz.Obnovit.end()) &&
                        v.size() < size_t{NejviceUlohFronty})
                        v.push_back(u->second);
                nejviceUloh = std::max(nejviceUloh, v.size());
                return v;
            },
            [this](int id, tTermin) {
                ++zruseni;
                ulohy[id].Stav = tStavUlohy::Zrusena;
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
        bool zastavena = false; // Storno while the server did not answer
        int zruseni = 0;        // cancels the follower sends
        bool nezrusena = false; // Storno too late, after the release: said to print
    } pripady[] = {
        {"stopped too late, released: prints as the user was told",
         false,
         {{Uloha(1, tStavUlohy::Tiskne), 0s, {}}, {Uloha(1, tStavUlohy::Vytistena), 1s, {}}},
         false,
         0,
         true},
        {"stopped too late, the release lost too: cancelled once found held, which is news",
         false,
         {{Uloha(1, tStavUlohy::Pozastavena), 0s, {}},
          {Uloha(1, tStavUlohy::Zrusena), 2s, {tUdalost::Zrusena}}},
         false,
         1,
         true},
        {"stopped too late, released, then held by someone: left alone",
         false,
         {{Uloha(1, tStavUlohy::Ceka), 0s, {}}, {Uloha(1, tStavUlohy::Pozastavena), 2s, {}}},
         false,
         0,
         true},
        {"printed",
         false,
         {{Uloha(1, tStavUlohy::Tiskne), 0s, {}}, {Uloha(1, tStavUlohy::Vytistena), 1s, {}}}},
        {"cancelled by someone else",
         false,
         {{Uloha(1, tStavUlohy::Zrusena), 0s, {tUdalost::Zrusena}}}},
        {"cancelled by the user here", true, {{Uloha(1, tStavUlohy::Zrusena), 0s, {}}}},
        {"stopped by the user, printed all the same",
         true,
         {{Uloha(1, tStavUlohy::Vytistena), 0s, {tUdalost::VytistenaPresStorno}}},
         true},
        {"stopped by the user, the cancel lost: cancelled once the server answers",
         true,
         {{Uloha(1, tStavUlohy::Ceka), 0s, {}}, {Uloha(1, tStavUlohy::Zrusena), 2s, {}}},
         true,
         1},
        {"aborted",
         false,
         {{Uloha(1, tStavUlohy::Prerusena, "Broken pipe"), 0s, {tUdalost::Prerusena}}}},
        {"queue stops, starts and stops again",
         false,
         {{Uloha(1, tStavUlohy::Ceka, "", tStavFronty::Zastavena), 0s, {tUdalost::FrontaZastavena}},
          {Uloha(1, tStavUlohy::Ceka, "", tStavFronty::Zastavena), 2s, {}}, // its queue asked too
          {Uloha(1, tStavUlohy::Tiskne), 4s, {}},
          {Uloha(1, tStavUlohy::Ceka, "", tStavFronty::Zastavena),
           5s,
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
        tSledovaniUloh s = server.Sledovac();
        EXPECT_FALSE(s.MaPraci()); // nothing followed: nothing asked
        s.Sleduj(1, t0);
        if (p.zastavena)
            s.Zastavena(1, t0);
        else if (p.nezrusena)
            s.Nezrusena(1, t0);
        else if (p.zrusenaNami)
            s.ZrusenaNami(1, t0);
        for (const Kolo& k : p.kola) {
            if (k.server)
                server.ulohy[1] = *k.server;
            else
                server.ulohy.clear();
            ASSERT_TRUE(s.MaPraci());
            const int predtim = server.dotazu;
            const tSledovaniUloh::tKolo kolo = s.Kolo(t0 + k.kdy);
            EXPECT_EQ(server.dotazu, predtim + 1); // one question a round per job in progress
            std::vector<tUdalost::tDruh> druhy;
            for (const tUdalost& u : kolo.Udalosti)
                druhy.push_back(u.Druh);
            EXPECT_EQ(druhy, k.udalosti);
        }
        EXPECT_EQ(server.zruseni, p.zruseni);
        const bool skoncila = !p.kola.back().server || p.kola.back().server->Skoncila();
        EXPECT_EQ(s.MaPraci(), !skoncila);
        if (skoncila) { // ended: no more questions, and nothing of it kept
            s.Kolo(t0 + 100s);
            EXPECT_EQ(server.dotazu, static_cast<int>(p.kola.size()));
            EXPECT_EQ(s.Drzenych(), 0u);
        }
        EXPECT_EQ(server.vypisu, 0);
    }
}

TEST(SledovaniUloh, TheListAsksPerQueueOnlyForNewJobsAndThoseInProgress) {
    const auto t0 = tHodiny::now();
    tServer server;
    server.ulohy[1] = Uloha(1, tStavUlohy::Vytistena);
    server.ulohy[2] = Uloha(2, tStavUlohy::Tiskne);
    server.ulohy[3] = Uloha(3, tStavUlohy::Vytistena);
    server.ulohy[3].Fronta = "B";
    tSledovaniUloh s = server.Sledovac();
    s.Sleduj(2, t0);
    s.Seznam({"A", "", "A", "B"}); // two layouts on one queue, one without a queue

    tSledovaniUloh::tKolo kolo = s.Kolo(t0);
    EXPECT_EQ(server.vypisu, 2); // each queue once
    EXPECT_EQ(server.dotazu, 0); // the session's job is on the list
    ASSERT_TRUE(kolo.Seznam);
    std::vector<int> ids;
    for (const tUloha& u : *kolo.Seznam)
        ids.push_back(u.Id);
    EXPECT_EQ(ids, (std::vector<int>{3, 2, 1})); // newest first

    server.nejviceUloh = 0;
    kolo = s.Kolo(t0 + 1s); // nothing changed: nothing to redraw, only job 2 asked again
    EXPECT_EQ(server.vypisu, 4);
    EXPECT_FALSE(kolo.Seznam);
    EXPECT_EQ(server.nejviceUloh, 1u);

    server.ulohy[4] = Uloha(4, tStavUlohy::Vytistena); // printed by someone else meanwhile
    server.ulohy[2].Stav = tStavUlohy::Vytistena;
    kolo = s.Kolo(t0 + 2s);
    ASSERT_TRUE(kolo.Seznam);
    EXPECT_EQ(kolo.Seznam->front().Id, 4); // the open list picks new jobs up
    EXPECT_EQ(kolo.Seznam->at(2).Stav, tStavUlohy::Vytistena);

    // Its queue deleted: the error names it, and its jobs go from the list.
    server.bezFronty = {"A"};
    kolo = s.Kolo(t0 + 3s);
    EXPECT_EQ(kolo.Chyba, "Fronta A na tiskovém serveru není");
    ASSERT_TRUE(kolo.Seznam);
    EXPECT_EQ(kolo.Seznam->size(), 1u);
    s.Seznam({});
    EXPECT_FALSE(s.MaPraci()); // closed, nothing in progress: quiet
}

TEST(SledovaniUloh, ABusyQueueShowsItsNewestJobsAndKeepsNoMore) {
    const auto t0 = tHodiny::now();
    tServer server;
    for (int id = 1; id <= 800; ++id)
        server.ulohy[id] = Uloha(id, tStavUlohy::Vytistena);
    tSledovaniUloh s = server.Sledovac();
    s.Seznam({"A"});
    tSledovaniUloh::tKolo kolo = s.Kolo(t0);
    ASSERT_TRUE(kolo.Seznam);
    ASSERT_EQ(kolo.Seznam->size(), size_t{NejviceUlohFronty});
    EXPECT_EQ(kolo.Seznam->front().Id, 800);
    server.ulohy[801] = Uloha(801, tStavUlohy::Ceka);
    kolo = s.Kolo(t0 + 1s);
    ASSERT_TRUE(kolo.Seznam);
    EXPECT_EQ(kolo.Seznam->front().Id, 801);
    EXPECT_EQ(s.Drzenych(), size_t{NejviceUlohFronty});
}

TEST(SledovaniUloh, AWaitingJobIsAskedHalfAsOftenSinceItsQueueIsAskedToo) {
    const auto t0 = tHodiny::now();
    tServer server;
    server.ulohy[1] = Uloha(1, tStavUlohy::Ceka);
    tSledovaniUloh s = server.Sledovac();
    s.Sleduj(1, t0);
    for (int i = 0; i < 6; ++i)
        s.Kolo(t0 + std::chrono::seconds(i));
    EXPECT_EQ(server.dotazu, 3); // two requests each: one a second
}

TEST(SledovaniUloh, WaitingEndsAtTheJobsEndOrAtTheLimit) {
    // The batch printer's wait: what each answer means for the exit status. A server out of
    // reach for a while is asked again; one that never answers leaves the state unknown.
    const auto chyba = eRawPrinter("Chyba při komunikaci s tiskárnou (1282)");
    const struct {
        tUloha u;
        tKonecUlohy konec;
        int nedostupny; // questions the server fails first (99: all)
        bool signal;    // a signal during the first pause
        int dotazu;
        bool znamy;
    } pripady[] = {
        {Uloha(1, tStavUlohy::Vytistena), tKonecUlohy::Vytistena, 0, false, 1, true},
        {Uloha(1, tStavUlohy::Zrusena), tKonecUlohy::Selhala, 0, false, 1, true},
        {Uloha(1, tStavUlohy::Prerusena), tKonecUlohy::Selhala, 0, false, 1, true},
        {Uloha(1, tStavUlohy::Ceka, "", tStavFronty::Zastavena), tKonecUlohy::Selhala, 0, false, 1,
         true},
        {Uloha(1, tStavUlohy::Tiskne, "unreachable"), tKonecUlohy::Neskoncila, 0, false, 3, true},
        {Uloha(1, tStavUlohy::Pozastavena), tKonecUlohy::Neskoncila, 0, false, 2, true},
        {Uloha(1, tStavUlohy::Vytistena), tKonecUlohy::Vytistena, 1, false, 2, true},
        {Uloha(1, tStavUlohy::Tiskne), tKonecUlohy::Neskoncila, 99, false, 3, false},
        {Uloha(1, tStavUlohy::Tiskne), tKonecUlohy::Neskoncila, 0, true, 1, true},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(NazevStavu(p.u.Stav) + " " + std::to_string(p.nedostupny) +
                     (p.signal ? " signal" : ""));
        EXPECT_EQ(KonecUlohy(p.u), p.konec);
        int dotazu = 0;
        const auto zacatek = tHodiny::now();
        const tVysledekCekani v = CekejNaKonec(
            1, 1500ms,
            [&](int, tTermin) {
                if (++dotazu <= p.nedostupny)
                    throw chyba;
                return std::optional(p.u);
            },
            [&](tTermin kdy) { return !p.signal && Spi(kdy); });
        // Ended: the first answer; in progress: a request a second up to the limit.
        EXPECT_EQ(dotazu, p.dotazu);
        EXPECT_EQ(v.Znamy, p.znamy);
        EXPECT_EQ(v.Preruseno, p.signal);
        EXPECT_EQ(v.Chyba.empty(), p.znamy);
        EXPECT_EQ(v.Uloha.has_value(), p.nedostupny < 99);
        EXPECT_LT(tHodiny::now() - zacatek, 2s);
    }
    EXPECT_EQ(PopisUlohy(Uloha(7, tStavUlohy::Ceka, "", tStavFronty::Zastavena)),
              "Úloha 7 (fronta A): čeká, fronta je zastavená");
    // What the printer said on the way is no part of a printed job's state.
    EXPECT_EQ(ZpravaTiskarny(Uloha(7, tStavUlohy::Vytistena, "may not exist")), "");
}

} // namespace
