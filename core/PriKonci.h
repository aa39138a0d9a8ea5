#pragma once
// A scope guard: runs its clean-up when the scope is left, normally or by an error.

#include <utility>

template <class F> class tPriKonci {
public:
    explicit tPriKonci(F uklid) : uklid_(std::move(uklid)) {}
    ~tPriKonci() { uklid_(); }
    tPriKonci(const tPriKonci&) = delete;
    tPriKonci& operator=(const tPriKonci&) = delete;

private:
    F uklid_;
};
