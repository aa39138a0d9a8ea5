#pragma once
// One raw document on a named CUPS queue: every byte written reaches the printer unchanged.

#include "output/ChybaTiskarny.h"
#include "output/Spojeni.h"
#include "output/TiskovaUloha.h"

#include <string>

class tRawPrinter : public tTiskovaUloha {
public:
    // Create: checks that the queue exists, creates the job under the document name, held
    // until its document is whole, and starts a raw document. The document name is UTF-8, the
    // queue the layout's (Windows-1250, FrontaTisku).
    // Every server call of the job ends at once when odriznuti (may be null) is cut from another
    // thread. A znacka that is not empty marks the job as a watcher's own (OznaceneUlohy.h).
    tRawPrinter(const std::string& nazevDokumentu, const std::string& tiskarna,
                tOdriznuti* odriznuti = nullptr, const std::string& znacka = {});
    ~tRawPrinter() override; // ends a document still open (EndDoc); never raises
    tRawPrinter(const tRawPrinter&) = delete;
    tRawPrinter& operator=(const tRawPrinter&) = delete;

    // Writes are gathered into chunks of about 64 KiB, cut at a label's end where there is
    // one; a failure of a chunk raises from the Write that completed it, or from Dokonci.
    void Write(const std::string& data) override;
    void KonecEtikety() override;
    // What waits from before and the whole labels go out at once, straight from bajty; only
    // the start of the next label is kept.
    void PisEtikety(std::string_view bajty, std::span<const size_t> konce) override;
    void Dokonci() override; // sends what is buffered and ends the document
    long long Prerus() noexcept override;
    void Zrus() noexcept override;
    long long PoStornu() const noexcept override { return poStornu_; }
    void EndDoc(); // sends everything written and ends the document; failures not reported
    // The CUPS job id, given before the first byte is sent (to follow the job to its end).
    int Uloha() const { return uloha_; }
    // Its job-uuid (empty when the server gave none): the job's identity on the server.
    const std::string& Uuid() const { return uuid_; }

private:
    void PosliDavku();                          // the buffer up to its last label end; raises
    void Posli(const char* data, size_t delka); // one chunk to the server; raises
    bool UkonciDokument() noexcept;             // true when the server took the document
    bool Potvrzen() noexcept;                   // ends it; true when the server confirmed it
    bool Uvolni() noexcept;                     // releases the held job; true when it may print

    tOdriznuti* odriznuti_;
    std::string tiskarna_;   // the queue name in UTF-8
    tSpojeni spojeni_;       // our own, so other CUPS calls cannot disturb it
    int uloha_ = 0;          // CUPS job id
    std::string uuid_;       // its job-uuid
    bool otevreno_ = false;  // the document is started, not yet ended and its connection whole
    std::string zasobnik_;   // bytes written but not yet sent
    size_t hranice_ = 0;     // where the last label ended in zasobnik_ (0: none there)
    long long etiket_ = 0;   // labels ended so far
    bool pulka_ = false;     // bytes of a label not yet ended have been sent
    bool prazdny_ = true;    // no byte written yet
    bool uvolnena_ = false;  // Release-Job has been sent: the job may print whole
    long long poStornu_ = 0; // Zrus's: the labels that print all the same
};
