#pragma once
// Two halves of one pass at once: the second on a thread of its own, the first on the
// caller's. A pass through a large file splits so when its halves need nothing of each other.

#include <exception>
#include <thread>

// Returns once both have ended. Then raises the first half's error, or else the second's:
// the one the pass in order would have met first.
template <class F, class G> void Soubezne(F&& prvni, G&& druha) {
    std::exception_ptr chybaDruhe;
    std::thread vlakno([&druha, &chybaDruhe] {
        try {
            druha();
        } catch (...) {
            chybaDruhe = std::current_exception();
        }
    });
    std::exception_ptr chybaPrvni;
    try {
        prvni();
    } catch (...) {
        chybaPrvni = std::current_exception();
    }
    vlakno.join();
    if (chybaPrvni)
        std::rethrow_exception(chybaPrvni);
    if (chybaDruhe)
        std::rethrow_exception(chybaDruhe);
}
