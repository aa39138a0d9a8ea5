#pragma once
// The job of the preview: keeps the bytes of the first labels together with where each of
// them ends, and past them only counts labels and bytes, so that a table of any length costs
// the memory of a few hundred labels. Of a row's copies past the kept labels only the first
// need be made: the others are the same bytes, and are counted as its copies.

#include "output/TiskovaUloha.h"

#include <string>
#include <vector>

class tNahledovaUloha : public tTiskovaUloha {
public:
    // drzetEtiket: how many labels are kept in full; the bytes before the first label are
    // always kept.
    explicit tNahledovaUloha(long long drzetEtiket) : drzet_(drzetEtiket) {}

    void Write(const std::string& data) override;
    void Dokonci() override {}
    void KonecEtikety() override;
    // After a failure the spooler prints the whole labels written so far and nothing when
    // there is none, as a real job does: the bytes after the last label's end go.
    long long Prerus() noexcept override;
    // Nothing of the job prints.
    void Zrus() noexcept override;

    // A row of kopii copies of one label begins (nothing of it written yet). Returns how many
    // of them the run should make: those still kept in full, at least one (kopii itself when
    // it is not above 0); once the last of them has ended, the rest count as copies of it.
    long long Radek(long long kopii);

    // Every byte up to the end of the last kept label; when no more labels came, the whole job.
    const std::string& Bajty() const { return bajty_; }
    // The offset in Bajty just after each kept label (its after-label codes included).
    const std::vector<size_t>& KonceEtiket() const { return konce_; }
    // Past the kept labels: the bytes after the last label's end (the rows after the labels,
    // or the part of a label that a failure cut short).
    const std::string& Zbytek() const { return zbytek_; }
    long long Etiket() const { return etiket_; }
    long long Bajtu() const { return bajtu_; }
    bool Zrusena() const { return zrusena_; }

private:
    long long drzet_;
    std::string bajty_;
    std::vector<size_t> konce_;
    std::string zbytek_;
    long long etiket_ = 0;
    long long bajtu_ = 0;
    long long odKonce_ = 0; // bytes since the last label's end
    long long zacatek_ = 0; // Bajtu where the label being made began
    long long vyrobit_ = 0; // labels of the current row still to be made
    long long navic_ = 0;   // copies of the current row counted after the last made one
    bool zrusena_ = false;
};
