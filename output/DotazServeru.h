#pragma once
// One IPP question to our print server as the program asks it: the target's URI on our
// server and the asking user, sent on a connection of our own under its deadline.

#include <cups/ipp.h>

#include <string>

class tSpojeni;

// A request of operace on cesta of our server ("/printers/NAME", "/"), its atribut
// ("printer-uri") and requesting-user-name filled in.
ipp_t* ZadostServeru(ipp_op_t operace, const char* atribut, const std::string& cesta);

// Sends zadost (freed) under the connection's deadline and returns the answer, for the
// caller to free. Raises the connection's error (kodBezKodu when the call left no code)
// when there is no answer or the deadline cut the call off.
ipp_t* PosliServeru(const tSpojeni& spojeni, ipp_t* zadost, int kodBezKodu);
