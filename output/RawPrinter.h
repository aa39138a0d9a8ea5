#pragma once
// One raw document on a named CUPS queue: every byte written reaches the printer unchanged.

#include "../core/Chyba.h"
#include "TiskovaUloha.h"

#include <string>

// Raised with "Chyba při komunikaci s tiskárnou (%d)" and the CUPS status code.
class eRawPrinter : public eChyba {
public:
    using eChyba::eChyba;
};

class tRawPrinter : public tTiskovaUloha {
public:
    // Create: checks that the queue exists, creates the job under the document name and
    // starts a raw document. Names are 8-bit Windows-1250 text.
    tRawPrinter(const std::string& nazevDokumentu, const std::string& tiskarna);
    ~tRawPrinter() override; // ends a document still open; never raises
    tRawPrinter(const tRawPrinter&) = delete;
    tRawPrinter& operator=(const tRawPrinter&) = delete;

    void Write(const std::string& data) override;
    void Dokonci() override; // sends what is buffered and ends the document
    void EndDoc();           // ends the document; failures are not reported

private:
    // (implementation details)
};
