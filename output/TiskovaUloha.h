#pragma once
// Where a print run sends its bytes. The real job is tRawPrinter (a CUPS queue); tests
// capture the writes instead.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

// Raised by a job whose wait on the server the user stopped (Storno): the run ends as by
// Storno, with the job cancelled.
struct tZastaveno {};

class tTiskovaUloha {
public:
    virtual ~tTiskovaUloha() = default;
    // Sends all bytes of data, zero bytes included; raises on failure.
    virtual void Write(const std::string& data) = 0;
    // Called once at the end of a successful run: delivers whatever is still buffered and
    // ends the document, raising on failure (a destructor cannot report it).
    virtual void Dokonci() = 0;
    // Called after the last byte of every label (its after-label codes): where one label
    // ends, for jobs that count or mark labels. The default does nothing.
    virtual void KonecEtikety() {}
    // Labels at once: bajty holds them one after another, konce where each ends (ascending),
    // and what follows the last end is the start of the next label. The same as a Write of
    // each label with KonecEtikety after it, which is the default; a job may send them in
    // fewer steps.
    virtual void PisEtikety(std::string_view bajty, std::span<const size_t> konce) {
        std::string kus;
        size_t od = 0;
        for (const size_t konec : konce) {
            kus.assign(bajty.substr(od, konec - od));
            Write(kus);
            KonecEtikety();
            od = konec;
        }
        if (od < bajty.size()) {
            kus.assign(bajty.substr(od));
            Write(kus);
        }
    }
    // Where the run may make one whole label of at most nejvic bytes straight into the job's
    // own buffer, instead of writing it row by row; KonecEtikety follows it. The default,
    // nullptr: the job takes Writes. Raises as Write does.
    virtual std::string* MistoProEtiketu(size_t /*nejvic*/) { return nullptr; }
    // Called instead of Dokonci when the run failed (also when Dokonci raised): ends the
    // document with the whole labels written so far, if the spooler can still take it.
    // Returns how many labels will print: 0 when the document cannot be ended.
    virtual long long Prerus() noexcept = 0;
    // Called when the user stops the run: the job is cancelled and nothing of it prints.
    virtual void Zrus() noexcept = 0;
    // After Zrus: the labels that print all the same, because the job had been released to
    // print whole before the cancel could reach it (a server that did not answer in time).
    virtual long long PoStornu() const noexcept { return 0; }
};
