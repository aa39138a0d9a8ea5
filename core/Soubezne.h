#pragma once
// Two halves of one pass at once: the second on a thread of its own, the first on the
// caller's. A pass through a large file splits so when its halves need nothing of each other.

#include <exception>
#include <system_error>
#include <thread>

// Returns once both have ended. Then raises the first half's error, or else the second's:
// the one the pass in order would have met first. Without a thread to spare, the halves run
// one after the other.
template <class F, class G> void Soubezne(F&& prvni, G&& druha) {
    std::exception_ptr chybaDruhe;
    const auto druhaPolovina = [&druha, &chybaDruhe] {
        try {
            druha();
        } catch (...) {
            chybaDruhe = std::current_exception();
        }
    };
    std::thread vlakno;
    try {
        vlakno = std::thread(druhaPolovina);
    } catch (const std::system_error&) {
        // No thread: the second half runs after the first.
    }
    std::exception_ptr chybaPrvni;
    try {
        prvni();
    } catch (...) {
        chybaPrvni = std::current_exception();
    }
    if (vlakno.joinable())
        vlakno.join();
    else
        druhaPolovina();
    if (chybaPrvni)
        std::rethrow_exception(chybaPrvni);
    if (chybaDruhe)
        std::rethrow_exception(chybaDruhe);
}
