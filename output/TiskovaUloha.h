#pragma once
// Where a print run sends its bytes. The real job is tRawPrinter (a CUPS queue); tests
// capture the writes instead.

#include <string>

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
};
