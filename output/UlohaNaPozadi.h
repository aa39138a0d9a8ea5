#pragma once
// A job whose every call into another job runs on a thread of its own: the labels of a long
// run are made while the bytes before them travel to the server. Given a waiting hook, the
// inner job is opened on the thread too, and the caller's thread (the window's) never
// blocks on the server: it waits in short steps and lets its event loop in between.

#include "output/Spojeni.h"
#include "output/TiskovaUloha.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class tUlohaNaPozadi : public tTiskovaUloha {
public:
    // Opens the inner job; its server calls take the tOdriznuti, so that they can be cut off.
    using tVytvoreni = std::function<std::unique_ptr<tTiskovaUloha>(tOdriznuti&)>;
    // Called every 20 ms or so while the caller waits for the thread; false: the user stopped.
    using tCekani = std::function<bool()>;

    // The thread writes into a job already open; the caller waits for it plainly.
    explicit tUlohaNaPozadi(std::unique_ptr<tTiskovaUloha> uloha);
    // The job is opened on the thread as well, and every wait of the caller lets cekani in.
    // Raises what vytvor raises, or tZastaveno when cekani said stop first.
    tUlohaNaPozadi(tVytvoreni vytvor, tCekani cekani);
    // A job already open whose server calls take odriznuti: every wait lets cekani in, and
    // Zrus cuts odriznuti (which must outlive this object).
    tUlohaNaPozadi(std::unique_ptr<tTiskovaUloha> uloha, tCekani cekani, tOdriznuti& odriznuti);
    ~tUlohaNaPozadi() override; // as Prerus, unless the job has ended

    tUlohaNaPozadi(const tUlohaNaPozadi&) = delete;
    tUlohaNaPozadi& operator=(const tUlohaNaPozadi&) = delete;

    // An error of the inner job comes out of a later Write, or out of Dokonci; tZastaveno
    // when cekani said stop while they waited.
    void Write(const std::string& data) override;
    void KonecEtikety() override;
    // The piece being filled; the one before goes to the thread first when the label could
    // outgrow it.
    std::string* MistoProEtiketu(size_t nejvic) override;
    void Dokonci() override;
    // What was written reaches the inner job first, in order; then the inner job's Prerus.
    // Stopped while it waits, it goes on as Zrus and returns what prints all the same.
    long long Prerus() noexcept override;
    // What is still on the way is dropped; then the inner job's Zrus. A server that keeps the
    // thread longer than a moment is cut off, so that the caller waits no longer for it.
    void Zrus() noexcept override;
    // The inner job's, or all labels when it had ended whole before Zrus could reach it.
    long long PoStornu() const noexcept override { return poStornu_; }

private:
    // Bytes for the inner job, with the offsets where labels end.
    struct tKus {
        std::string bajty;
        std::vector<size_t> konceEtiket;
    };
    // What the thread does once the pieces before it are written.
    enum class tKonec { Zadny, Dokonci, Prerus, Zrus };

    void Predej(); // the current piece to the thread; waits while the queue is full
    // Asks the thread to end the job as konec says, after the pieces queued.
    void Ukonci(tKonec konec, bool dopsat);
    // Waits until splneno (under zamek_), letting cekani_ in; false when it said stop.
    template <class Podminka> bool Pockej(std::unique_lock<std::mutex>& zamek, Podminka splneno);
    void Posilej();                // the thread
    void Pis(tKus& kus);           // one piece into the inner job, on the thread
    void Skonci(tKonec& dokonano); // the inner job's end, on the thread

    tVytvoreni vytvor_;
    tCekani cekani_;
    tOdriznuti odriznuti_;
    tOdriznuti* odrizni_ = &odriznuti_;    // what Zrus cuts
    std::unique_ptr<tTiskovaUloha> uloha_; // the thread's alone once it runs
    tKus kus_;                             // being filled by the run
    std::mutex zamek_;
    std::condition_variable zmena_;
    std::vector<tKus> fronta_;         // at most a few pieces, so memory stays bounded
    std::vector<tKus> volne_;          // pieces written, kept for their memory
    bool otevrena_ = false;            // the thread has tried to open the inner job
    tKonec konec_ = tKonec::Zadny;     // asked of the thread; Zadny again after a failed Dokonci
    bool hotovo_ = false;              // the thread has ended the inner job and destroyed it
    bool skoncila_ = false;            // the caller's: Dokonci succeeded, or Prerus or Zrus ran
    long long vytiskne_ = 0;           // the inner Prerus's count
    long long poStornu_ = 0;           // what prints although Zrus came
    long long predano_ = 0;            // the thread's: labels ended in the inner job
    std::exception_ptr chyba_;         // the inner job's error; nothing more is written after it
    std::atomic<bool> zrusit_ = false; // Zrus asked: the thread writes no more
    std::thread vlakno_;
};

// Other work (a table file's import) done the way a job is opened: on a thread of its own,
// while the caller waits in short steps and lets cekani in. Once cekani says stop, zrusit is
// set for the work to look at, and the work is waited for. Rethrows what prace raised;
// false when it was stopped.
bool ProvedNaPozadi(const std::function<void(const std::atomic<bool>& zrusit)>& prace,
                    const tUlohaNaPozadi::tCekani& cekani);
