#pragma once
// One IPP question to our print server as the program asks it: the target's URI on our
// server and the asking user, sent on a connection of our own under its deadline.

#include <cups/ipp.h>

#include <chrono>
#include <memory>
#include <string>

class tSpojeni;

// A request of operace on cesta of our server ("/printers/NAME", "/jobs/ID", "/"), its
// atribut ("printer-uri", "job-uri") and requesting-user-name filled in.
ipp_t* ZadostServeru(ipp_op_t operace, const char* atribut, const std::string& cesta);

// The resource of job `id` on our server, for its job-uri: "/jobs/ID".
std::string CestaUlohy(int id);

struct tSmazOdpoved {
    void operator()(ipp_t* odpoved) const { ippDelete(odpoved); }
};
// The server's answer, freed when it goes.
using tOdpoved = std::unique_ptr<ipp_t, tSmazOdpoved>;

// Sends zadost (freed) to the server's resource zdroj under the connection's deadline, or
// by termin when that comes first, and returns the answer. Raises the connection's error
// (kodBezKodu when the call left no code) when there is no answer or the deadline cut the
// call off.
tOdpoved PosliServeru(
    const tSpojeni& spojeni, ipp_t* zadost, int kodBezKodu, const char* zdroj = "/",
    std::chrono::steady_clock::time_point termin = std::chrono::steady_clock::time_point::max());
