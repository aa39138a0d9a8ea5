#include "output/NahledovaUloha.h"

#include <algorithm>
#include <limits>

namespace {

// a + n * b, at most the largest number: a count that no print could ever reach.
long long PrictiNasobek(long long a, long long n, long long b) {
    long long soucin = 0, soucet = 0;
    if (__builtin_mul_overflow(n, b, &soucin) || __builtin_add_overflow(a, soucin, &soucet))
        return std::numeric_limits<long long>::max();
    return soucet;
}

} // namespace

void tNahledovaUloha::Write(const std::string& data) {
    bajtu_ += static_cast<long long>(data.size());
    odKonce_ += static_cast<long long>(data.size());
    if (etiket_ < drzet_)
        bajty_ += data;
    else
        zbytek_ += data;
}

void tNahledovaUloha::KonecEtikety() {
    ++etiket_;
    odKonce_ = 0;
    if (etiket_ <= drzet_)
        konce_.push_back(bajty_.size());
    else
        zbytek_.clear(); // keeps its capacity: the next label costs no allocation
    const long long delka = bajtu_ - zacatek_;
    if (vyrobit_ > 0 && --vyrobit_ == 0 && navic_ > 0) {
        etiket_ += navic_;
        bajtu_ = PrictiNasobek(bajtu_, navic_, delka);
        navic_ = 0;
    }
    zacatek_ = bajtu_;
}

long long tNahledovaUloha::Radek(long long kopii) {
    zacatek_ = bajtu_;
    if (kopii <= 0) {
        vyrobit_ = navic_ = 0;
        return kopii;
    }
    vyrobit_ = std::clamp(drzet_ - etiket_, 1LL, kopii);
    navic_ = std::max(kopii - vyrobit_, 0LL);
    return vyrobit_;
}

long long tNahledovaUloha::Prerus() noexcept {
    if (etiket_ == 0) {
        Zrus();
        return 0;
    }
    if (etiket_ <= drzet_)
        bajty_.resize(konce_.back());
    else
        zbytek_.clear();
    bajtu_ -= odKonce_;
    odKonce_ = 0;
    return etiket_;
}

void tNahledovaUloha::Zrus() noexcept {
    zrusena_ = true;
    bajty_.clear();
    konce_.clear();
    zbytek_.clear();
    etiket_ = 0;
    bajtu_ = 0;
    odKonce_ = 0;
    zacatek_ = 0;
    vyrobit_ = 0;
    navic_ = 0;
}
