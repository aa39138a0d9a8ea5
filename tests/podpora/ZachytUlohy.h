#pragma once
// A print job that keeps its writes, and a record of what a run did around it (cursor, job
// end, completion dialog), for tests, fuzz targets and benchmarks.

#include "output/TiskoveBehy.h"

#include <cstddef>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace podpora {

struct tZaznam {
    std::vector<std::string> zapisy; // the Writes in order, as long as they fit in `drzet`
    size_t drzet = std::numeric_limits<size_t>::max(); // bytes kept at most; the rest counted
    std::string konec; // the job's last two bytes, even when a Write split them
    long long zapisu = 0, bajtu = 0, etiket = 0; // every Write, its bytes, every label's end
    std::vector<std::string> udalosti; // "kurzor cekej", "dokonci", "zruseno", "dokonceni 0",
                                       // "nezrusena 5" (Storno too late)
    std::string nazevDokumentu, tiskarna;
    int uloh = 0;
    long long selzeZapis = -1;          // the Write with this index raises
    bool selzeDokonceni = false;        // Dokonci raises
    bool selzeVytvoreni = false;        // creating the job raises
    std::function<void()> poZapisu;     // runs after every accepted Write
    long long stornoPo = -1;            // Storno once the run has done this many labels
    std::function<void()> priDokonceni; // runs inside Dokonci (a server slow to confirm)
    long long poStornu = 0;             // what the job says prints all the same after Zrus
    bool primo = false; // labels are made straight into the job, each one then a Write

    std::string Bajty() const; // the kept writes as one string
};

class tZachytUlohy : public tTiskovaUloha {
public:
    explicit tZachytUlohy(tZaznam& zaznam) : zaznam_(zaznam) {}
    ~tZachytUlohy() override;
    tZachytUlohy(const tZachytUlohy&) = delete;
    tZachytUlohy& operator=(const tZachytUlohy&) = delete;

    void Write(const std::string& data) override;
    void Dokonci() override;
    void KonecEtikety() override;
    std::string* MistoProEtiketu(size_t nejvic) override;
    // The labels ended so far print, unless a Write or Dokonci failed: as on a spooler, a
    // document that broke off prints nothing.
    long long Prerus() noexcept override;
    void Zrus() noexcept override { zaznam_.udalosti.push_back("zruseno"); }
    long long PoStornu() const noexcept override { return zaznam_.poStornu; }

private:
    tZaznam& zaznam_;
    size_t drzeno_ = 0;
    bool selhalo_ = false;
    std::string etiketa_; // made straight in, written at its end
    size_t nejvic_ = 0;   // what it was allowed
};

// Services that open a capturing job on the record and note the cursor and the completion
// dialog in it. The record must outlive them.
tSluzbyTisku Sluzby(tZaznam& zaznam);

} // namespace podpora
