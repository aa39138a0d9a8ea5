#pragma once
// A job that hands its bytes to another job on a thread of its own, so that the labels of a
// long run are made while the bytes before them travel to the server.

#include "output/TiskovaUloha.h"

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class tUlohaNaPozadi : public tTiskovaUloha {
public:
    explicit tUlohaNaPozadi(std::unique_ptr<tTiskovaUloha> uloha);
    ~tUlohaNaPozadi() override; // as Prerus, unless the job has ended

    tUlohaNaPozadi(const tUlohaNaPozadi&) = delete;
    tUlohaNaPozadi& operator=(const tUlohaNaPozadi&) = delete;

    // An error of the inner job comes out of a later Write, or out of Dokonci.
    void Write(const std::string& data) override;
    void KonecEtikety() override;
    void Dokonci() override;
    // What was written reaches the inner job first, in order; then the inner job's Prerus.
    long long Prerus() noexcept override;
    // What is still on the way is dropped; then the inner job's Zrus.
    void Zrus() noexcept override;

private:
    // Bytes for the inner job, with the offsets where labels end.
    struct tKus {
        std::string bajty;
        std::vector<size_t> konceEtiket;
    };

    void Predej();    // the current piece to the thread; waits while the queue is full
    void Vyprazdni(); // waits until the thread has written everything; raises its error
    void Zastav(bool dopsat) noexcept; // ends the thread, after the queue or dropping it
    void Posilej();                    // the thread
    void Pis(tKus& kus);               // one piece into the inner job, on the thread

    std::unique_ptr<tTiskovaUloha> uloha_;
    tKus kus_; // being filled by the run
    std::mutex zamek_;
    std::condition_variable zmena_;
    std::vector<tKus> fronta_; // at most a few pieces, so memory stays bounded
    bool pracuje_ = false;     // the thread is writing a piece
    bool konec_ = false;       // no more pieces will come
    bool skoncila_ = false;    // Dokonci, Prerus or Zrus has run
    std::exception_ptr chyba_; // the inner job's error; nothing more is written after it
    std::thread vlakno_;
};
