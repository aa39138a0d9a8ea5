// The window's follower on its thread, without a window: answers come back on the UI
// thread, questions only while a job is in progress, and a follower that goes while a
// question is in flight leaves nothing behind.

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
    bool drzet = false; // questions wait until released
    std::atomic<int> dotazu{0};

    std::optional<tUloha> Zjisti(int id) {
        std::unique_lock z(zamek);
        zmena.wait(z, [this] { return !drzet; });
        ++dotazu;
        return Uloha(id, stav);
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
        TSledovaniUloh s(
            nullptr, [server](int id) { return server->Zjisti(id); },
            [](const std::string& f) {
                return std::vector<tUloha>{Uloha(2, tStavUlohy::Vytistena, f)};
            });
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
        QTest::qWait(2500);
        // A question a second while it prints (the first at once).
        QVERIFY2(server->dotazu >= 2 && server->dotazu <= 3,
                 qPrintable(QString::number(server->dotazu)));
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

    // Gone while the server has not answered yet: its destructor does not wait, and the
    // late answer reaches nobody.
    void odejdeBehemDotazu() {
        auto server = std::make_shared<tServer>();
        server->drzet = true;
        auto udalosti = std::make_shared<std::atomic<int>>(0);
        {
            TSledovaniUloh s(
                nullptr, [server](int id) { return server->Zjisti(id); },
                [](const std::string&) { return std::vector<tUloha>{}; });
            s.NaUdalost = [udalosti](const tUdalost&) { ++*udalosti; };
            server->Nastav(tStavUlohy::Prerusena);
            s.Sleduj(1);
            QTest::qWait(300);
            QElapsedTimer cas;
            cas.start();
            // s goes here, with the question in flight
            QVERIFY(cas.elapsed() < 100);
        }
        {
            const std::lock_guard z(server->zamek);
            server->drzet = false;
        }
        server->zmena.notify_all();
        QTRY_COMPARE_WITH_TIMEOUT(server->dotazu.load(), 1, 3000);
        QTest::qWait(200);
        QCOMPARE(udalosti->load(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSledovani)
#include "test_sledovani.moc"
