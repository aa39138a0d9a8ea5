#pragma once
// What a print run did, as the user would see it: the cursor, the completion dialog, the
// job object's life and the labels whose bytes the job accepted.

#include "../../core/Kurzor.h"
#include "../../output/RawPrinter.h"
#include "../../output/TiskoveBehy.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

struct tSledovani {
    int cekej = 0;    // hourglass shown
    int normalni = 0; // cursor restored
    bool kurzorCeka = false;
    std::optional<long long> dokonceno; // the completion dialog's count, when shown
    int uloh = 0;                       // jobs opened
    int zniceno = 0;                    // jobs destroyed
    long long zapisu = 0;               // writes the job accepted
    long long etiket = 0;               // after-label codes the job accepted
    std::string kodyPo;                 // the decoded after-label codes of the layout
    // Called once before write number `poZapisech` (1 = the first write) reaches the job.
    long long poZapisech = 0;
    std::function<void()> porucha;
};

// The real raw job, watched: every run in these tests prints through CUPS.
class tSledovanaUloha : public tTiskovaUloha {
public:
    tSledovanaUloha(tSledovani& s, const std::string& dokument, const std::string& tiskarna)
        : s_(s), uloha_(std::make_unique<tRawPrinter>(dokument, tiskarna)) {
        ++s_.uloh;
    }
    ~tSledovanaUloha() override {
        uloha_.reset();
        ++s_.zniceno;
    }
    void Write(const std::string& data) override {
        if (s_.porucha && s_.zapisu + 1 == s_.poZapisech)
            s_.porucha();
        uloha_->Write(data);
        ++s_.zapisu;
        if (data == s_.kodyPo)
            ++s_.etiket;
    }
    void Dokonci() override { uloha_->Dokonci(); }

private:
    tSledovani& s_;
    std::unique_ptr<tRawPrinter> uloha_;
};

// The services of a run bound to s, and the cursor hook pointing at s.
tSluzbyTisku SluzbyPro(tSledovani& s);
