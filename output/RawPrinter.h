#pragma once
// One raw document on a named CUPS queue: every byte written reaches the printer unchanged.

#include "ChybaTiskarny.h"
#include "Spojeni.h"
#include "TiskovaUloha.h"

#include <string>

class tRawPrinter : public tTiskovaUloha {
public:
    // Create: checks that the queue exists, creates the job under the document name and
    // starts a raw document. Names are 8-bit Windows-1250 text.
    tRawPrinter(const std::string& nazevDokumentu, const std::string& tiskarna);
    ~tRawPrinter() override; // ends a document still open; never raises
    tRawPrinter(const tRawPrinter&) = delete;
    tRawPrinter& operator=(const tRawPrinter&) = delete;

    // Writes are gathered into chunks of up to 64 KiB; a failure of a chunk raises from the
    // Write that completed it, or from Dokonci.
    void Write(const std::string& data) override;
    void Dokonci() override; // sends what is buffered and ends the document
    void EndDoc();           // ends the document; failures are not reported

private:
    void Posli(const char* data, size_t delka); // one chunk to the server; raises
    int UkonciDokument() noexcept;              // the IPP status of the document's end

    std::string tiskarna_;  // the queue name in UTF-8
    tSpojeni spojeni_;      // our own, so other CUPS calls cannot disturb it
    int uloha_ = 0;         // CUPS job id
    bool otevreno_ = false; // the document is started and not yet ended
    std::string zasobnik_;  // bytes written but not yet sent (< 64 KiB)
    bool prazdny_ = true;   // no byte written yet
};
