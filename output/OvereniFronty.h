#pragma once
// Whether the server has one queue, asked of that queue alone: the cost of a job does not
// grow with the number of queues on the server.

#include <string>

class tOdriznuti;

// The queue's name as the server spells it. Raises eRawPrinter with
// IPP_STATUS_ERROR_NOT_FOUND's code when the server has no queue frontaUtf8 (CUPS names
// ignore ASCII case), and the failure's code when it cannot be reached in time or odriznuti
// (may be null) is cut.
std::string OverFrontu(const std::string& frontaUtf8, tOdriznuti* odriznuti = nullptr);

class eRawPrinter;

// What a failed job's error says of its queue, by its status code.
bool FrontaNeexistuje(const eRawPrinter& e); // the server has no such queue
bool FrontaOdmita(const eRawPrinter& e);     // the queue refuses new jobs
