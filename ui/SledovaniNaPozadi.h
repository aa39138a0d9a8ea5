#pragma once
// The window's follower of jobs on a thread of its own, so that no question to the print
// server ever waits on the user-interface thread. It asks only while a job it follows is in
// progress or the job list is open (a round a second) and sleeps otherwise; answers come
// back on the UI thread.

#include "output/SledovaniUloh.h"

#include <QObject>

#include <exception>
#include <functional>
#include <memory>
#include <stop_token>
#include <string>
#include <vector>

class tOdriznuti;

class TSledovaniNaPozadi : public QObject {
    Q_OBJECT
public:
    // The questions (given the cut-off that ends them) are seams for tests; by default the
    // server's, on a connection the thread keeps.
    struct tOtazky {
        std::function<tZjistiUlohu(tOdriznuti&)> Zjisti;
        std::function<tVypisFrontu(tOdriznuti&)> Vypis;
    };
    explicit TSledovaniNaPozadi(QObject* rodic = nullptr, const tOtazky& otazky = {},
                                std::chrono::seconds nedostupnaPo = NedostupnaPo);
    // Cuts the question in flight off and joins the thread: nothing outlives the object.
    ~TSledovaniNaPozadi() override;
    TSledovaniNaPozadi(const TSledovaniNaPozadi&) = delete;
    TSledovaniNaPozadi& operator=(const TSledovaniNaPozadi&) = delete;

    // A job of this session that reached the server whole (any thread).
    void Sleduj(int id);
    // A job of this session the user stopped, whose cancel may not have reached the server
    // before its document was whole: followed, and cancelled by the first round that finds
    // it not ended (any thread). vytiskne: the cancel came after its release and the user
    // was told it prints; followed as a job sent (tSledovaniUloh::Nezrusena).
    void Zastavena(int id, bool vytiskne = false);
    // The job list shows these queues (empty: it is closed); Obnov lists them again.
    void Seznam(const std::vector<std::string>& fronty);
    void Obnov();
    // Cancels, or prints again, on the follower's thread and hands the error, or none, to
    // hotovo on this thread; the list is refreshed after. A round in progress is cut off
    // for it. A job cancelled here is no news.
    void Zrus(int id, std::function<void(std::exception_ptr)> hotovo);
    void VytiskniZnovu(int id, std::function<void(std::exception_ptr)> hotovo);

    // On the UI thread: the job list anew; a failure the user did not see coming; what kept
    // the server from answering (empty once it answers again).
    std::function<void(const std::vector<tUloha>&)> NaSeznam;
    std::function<void(const tUdalost&)> NaUdalost;
    std::function<void(const std::string& chyba)> NaChybu;

    // Tests: rounds done so far (each asks the server).
    int Kol() const;

private:
    struct tSdilene;
    void Prikaz(std::function<void(tSledovaniUloh&)> prikaz);  // quick, on the thread
    void Ukol(std::function<void()> ukol);                     // asks the server, on the thread
    void Posli(std::function<void(TSledovaniNaPozadi&)> akce); // onto this object's thread
    void Bez(const std::stop_token& stop);

    std::unique_ptr<tSdilene> s_;
};
