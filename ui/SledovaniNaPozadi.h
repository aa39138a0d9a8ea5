#pragma once
// The window's follower of jobs on a thread of its own, so that no question to the print
// server ever waits on the user-interface thread. It asks only while a job it follows is in
// progress (once a second) and sleeps otherwise; answers come back on the UI thread.

#include "output/SledovaniUloh.h"

#include <QObject>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TSledovaniUloh : public QObject {
    Q_OBJECT
public:
    // The questions are seams for tests; the thread starts with the first job to follow.
    explicit TSledovaniUloh(QObject* rodic = nullptr, tZjistiUlohu zjisti = ZjistiUlohu,
                            tVypisFrontu vypis = UlohyFronty,
                            std::chrono::seconds nedostupnaPo = NedostupnaPo);
    // Does not wait for a question in flight (its deadline may be 15 s away): the thread
    // finishes it alone and posts nothing more.
    ~TSledovaniUloh() override;
    TSledovaniUloh(const TSledovaniUloh&) = delete;
    TSledovaniUloh& operator=(const TSledovaniUloh&) = delete;

    // A job of this session that reached the server whole (any thread).
    void Sleduj(int id);
    // The job list shows these queues (empty: it is closed); Obnov lists them again.
    void Seznam(const std::vector<std::string>& fronty);
    void Obnov();
    // Cancels, or prints again, on the follower's thread and hands the error, or none, to
    // hotovo on this thread; the list is refreshed after. A job cancelled here is no news.
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
    void Prikaz(std::function<void(tSledovac&)> prikaz); // quick, on the thread
    void Ukol(std::function<void(tSdilene&)> ukol);      // asks the server, on the thread
    void Probud(bool spustit);
    // Onto the object's thread, while it lives.
    static void Posli(tSdilene& s, std::function<void(TSledovaniUloh&)> akce);
    static void Bez(const std::shared_ptr<tSdilene>& s);

    std::shared_ptr<tSdilene> s_;
};
