#include "output/NahledovaUloha.h"

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
}
