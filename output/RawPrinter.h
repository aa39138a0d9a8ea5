#pragma once
// One raw document on a named CUPS queue: every byte written reaches the printer unchanged.

#include "../core/Chyba.h"
#include "TiskovaUloha.h"

#include <string>

#include <cups/ipp.h>

struct _http_s;

// Raised with "Chyba při komunikaci s tiskárnou (%d)" and the CUPS status code.
class eRawPrinter : public eChyba {
public:
    using eChyba::eChyba;
    // The error with the CUPS status code (ipp_status_t) in the message.
    static eRawPrinter ZKodu(int kod);
};

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
    void Zavri() noexcept;
    ipp_status_t UkonciDokument() noexcept;

    _http_s* spojeni_ = nullptr; // our own connection, so other CUPS calls cannot disturb it
    std::string tiskarna_;       // the queue name in UTF-8
    int uloha_ = 0;              // CUPS job id
    bool otevreno_ = false;      // the document is started and not yet ended
    std::string zasobnik_;       // bytes written but not yet sent (< 64 KiB)
    bool prazdny_ = true;        // no byte written yet
};
