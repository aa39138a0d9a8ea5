#pragma once
// The error of the print server and its queues, with the server's status code.

#include "core/Chyba.h"
#include "core/Win1250.h"

#include <string>

// Raised with "Chyba při komunikaci s tiskárnou (%d)" and the CUPS status code.
class eRawPrinter : public eChyba {
public:
    using eChyba::eChyba;
    // The error with the CUPS status code (ipp_status_t) in the message.
    static eRawPrinter ZKodu(int kod) {
        eRawPrinter e("Chyba při komunikaci s tiskárnou (" + std::to_string(kod) + ")");
        e.kod_ = kod;
        return e;
    }
    // The CUPS status code it was made with (ZKodu); 0 for any other.
    int Kod() const { return kod_; }
    // A server that did not answer within the deadline.
    static eRawPrinter Vyprselo(int sekund, int kod) {
        return eRawPrinter("Tiskový server neodpověděl do " + std::to_string(sekund) + " s (" +
                           std::to_string(kod) + ")");
    }

private:
    int kod_ = 0;
};

// The server does not know the queue (it was deleted): the message names it.
class eFrontaNeni : public eRawPrinter {
public:
    using eRawPrinter::eRawPrinter;
};
