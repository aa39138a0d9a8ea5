// The window's follower on its thread, without a window: answers come back on the UI
// thread, questions only while a job is in progress, and a follower that goes while a
// question is in flight cuts it off, joins its thread and leaves nothing behind.

#include "output/Spojeni.h"
#include "tests/podpora/Zpomaleni.h"
#include "ui/SledovaniNaPozadi.h"

#include <QCoreApplication>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <condition_variable>
#include <mutex>

using namespace std::chrono_literals;

namespace {

tUloha Uloha(int id, tStavUlohy stav, std::string fronta = "A") {
    tUloha u;
    u.Id = id;
    u.Fronta = std::move(fronta);
    u.Stav = stav;
    return u;
}

// The server as the follower's thread sees it: the state of job 1, questions counted.
struct tServer {
    std::mutex zamek;
    std::condition_variable zmena;
    tStavUlohy stav = tStavUlohy::Tiskne;
    bool drzet = false; // questions wait until released, or cut off
    std::atomic<int> dotazu{0};
    std::atomic<int> odriznutych{0};

    std::optional<tUloha> Zjisti(int id, const tOdriznuti& odriznuti) {
        std::unique_lock z(zamek);
        while (drzet && !odriznuti.Odriznuto())
            zmena.wait_for(z, 10ms); // as libcups asks its timeout callback
        if (drzet) {
            ++odriznutych;
            throw eRawPrinter("cut off");
        }
        ++dotazu;
        return Uloha(id, stav);
    }
    TSledovaniNaPozadi::tOtazky
    Otazky(std::function<std::vector<tUloha>(const std::string&)> vypis) {
        return {[this](tOdriznuti& o) -> tZjistiUlohu {
                    return [this, &o](int id, tTermin) { return Zjisti(id, o); };
                },
                [vypis](tOdriznuti&) -> tVypisFrontu {
                    return [vypis](const std::string& f, const tDotazFronty&, tTermin) {
                        return vypis(f);
                    };
                }};
    }
    void Nastav(tStavUlohy s) {
        const std::lock_guard z(zamek);
        stav = s;
    }
};

} // namespace

class TestSledovani : public QObject {
    Q_OBJECT

private slots:
    void odpovediPrichaziNaVlaknoOkna() {
        auto server = std::make_shared<tServer>();
        TSledovaniNaPozadi s(nullptr, server->Otazky([](const std::string& f) {
            return std::vector<tUloha>{Uloha(2, tStavUlohy::Vytistena, f)};
        }));
        std::vector<tUdalost> udalosti;
        std::vector<int> seznam;
        bool naVlaknu = true;
        s.NaUdalost = [&](const tUdalost& u) {
            naVlaknu =
                naVlaknu && QThread::currentThread() == QCoreApplication::instance()->thread();
            udalosti.push_back(u);
        };
        s.NaSeznam = [&](const std::vector<tUloha>& ulohy) {
            naVlaknu =
                naVlaknu && QThread::currentThread() == QCoreApplication::instance()->thread();
            for (const tUloha& u : ulohy)
                seznam.push_back(u.Id);
        };
        QTest::qWait(200);
        QCOMPARE(s.Kol(), 0); // nothing to follow: no thread asks anything

        s.Sleduj(1);
        QTRY_VERIFY_WITH_TIMEOUT(server->dotazu >= 2, 5000);
        // A question a second while it prints (the first at once): a loaded machine may
        // come late, never early.
        QElapsedTimer cas;
        cas.start();
        const int od = server->dotazu;
        QTest::qWait(2000);
        QVERIFY2(server->dotazu - od <= cas.elapsed() / 1000 + 1,
                 qPrintable(QString::number(server->dotazu - od)));
        server->Nastav(tStavUlohy::Zrusena);
        QTRY_COMPARE_WITH_TIMEOUT(udalosti.size(), size_t{1}, 3000);
        QCOMPARE(udalosti[0].Druh, tUdalost::Zrusena);
        QCOMPARE(udalosti[0].Uloha.Id, 1);
        const int poKonci = server->dotazu;
        QTest::qWait(1500);
        QCOMPARE(server->dotazu.load(), poKonci); // ended: quiet

        s.Seznam({"A"});
        QTRY_COMPARE_WITH_TIMEOUT(seznam, std::vector<int>{2}, 3000);
        QVERIFY(naVlaknu);
    }

    // Gone while the server has not answered yet: its destructor cuts the question off and
    // joins the thread, without waiting for the server; the late answer reaches nobody.
    void odejdeBehemDotazu() {
        auto server = std::make_shared<tServer>();
        server->drzet = true;
        auto udalosti = std::make_shared<std::atomic<int>>(0);
        auto s = std::make_unique<TSledovaniNaPozadi>(
            nullptr, server->Otazky([](const std::string&) { return std::vector<tUloha>{}; }));
        s->NaUdalost = [udalosti](const tUdalost&) { ++*udalosti; };
        server->Nastav(tStavUlohy::Prerusena);
        s->Sleduj(1);
        QTest::qWait(300);
        QElapsedTimer cas;
        cas.start();
        s.reset(); // with the question in flight
        // The server holds its answer for ever: a destructor that waited would never end.
        QVERIFY2(cas.elapsed() < 2000, qPrintable(QString::number(cas.elapsed())));
        QCOMPARE(server->odriznutych.load(), 1);
        QTest::qWait(200);
        QCOMPARE(udalosti->load(), 0);
        QCOMPARE(server->dotazu.load(), 0);
    }

    // A cancel from the list while a round hangs on a server that does not answer: the
    // round is cut off for it, and the cancel's answer comes at once, not after the round's
    // deadline.
    void zruseniNecekaNaKolo() {
        auto server = std::make_shared<tServer>();
        server->drzet = true;
        TSledovaniNaPozadi s(
            nullptr, server->Otazky([](const std::string&) { return std::vector<tUloha>{}; }));
        s.Sleduj(1);
        QTest::qWait(300); // the round waits in its question
        QElapsedTimer cas;
        cas.start();
        qint64 odpoved = -1;
        s.Zrus(2, [&](const std::exception_ptr&) { odpoved = cas.elapsed(); });
        QTRY_VERIFY_WITH_TIMEOUT(odpoved >= 0, 20000);
        // The round's deadline is 15 s; the cancel itself asks a server that is not there.
        QVERIFY2(odpoved < 3000 * Zpomaleni, qPrintable(QString::number(odpoved)));
        QCOMPARE(server->odriznutych.load(), 1);
    }
};

QTEST_GUILESS_MAIN(TestSledovani)
#include "test_sledovani.moc"
