#pragma once
// Test helpers around the private CUPS server that CTest starts (fixture "CupsServer",
// scripts/cups-test). Tests get its directory in OBLEPKY_CUPS_DIR and CUPS_SERVER points
// libcups at its socket. Every queue added here is raw and sends its jobs to a capture
// listener that stores each job's bytes (one connection is one job).

#include <chrono>
#include <string>
#include <vector>

namespace cups_test {

// The server's directory (OBLEPKY_CUPS_DIR); fails the test process when unset.
std::string Adresar();

// Adds (or re-creates) a raw queue that accepts jobs, with its own capture listener.
// These helpers throw std::runtime_error when the script fails.
void PridejFrontu(const std::string& nazev);
// The same, with a listener that cuts the first job after `zavritPo` bytes, as a printer
// dropping the line.
void PridejFrontu(const std::string& nazev, int zavritPo);
// Adds (or re-creates) a raw queue whose printer is switched off: nothing listens at its port.
void PridejMrtvouFrontu(const std::string& nazev);
// Deletes a queue.
void SmazFrontu(const std::string& nazev);
// cupsreject / cupsaccept on a queue.
void OdmitejUlohy(const std::string& nazev, bool odmitat = true);

// The jobs captured for a queue so far, each as its complete bytes, oldest first.
std::vector<std::string> Zachycene(const std::string& nazev);
// Waits until at least `pocet` jobs of the queue are captured complete; returns them all.
// Fails (returns what there is) after the timeout.
std::vector<std::string> CekejNaUlohy(const std::string& nazev, size_t pocet,
                                      std::chrono::milliseconds limit = std::chrono::seconds(20));
// Forgets the captured jobs of a queue.
void VymazZachycene(const std::string& nazev);

// The job names (IPP job-name, UTF-8) of all jobs the server knows for a queue, completed
// ones included, oldest first.
std::vector<std::string> NazvyUloh(const std::string& nazev);

// The state (ipp_jstate_t) of the queue's newest job, waiting up to `limit` for it to become
// final (canceled, aborted or completed).
int StavPosledniUlohy(const std::string& nazev,
                      std::chrono::milliseconds limit = std::chrono::seconds(20));

// Starts a print server that passes its first connection on to this one (the printer list
// answers) and never answers a later one; returns its address, "127.0.0.1:PORT". It goes
// when the server is stopped.
std::string TichyServer(const std::string& nazev);

// Stops / starts the server itself (for tests of a server that is down). Stopping also
// ends the capture listeners; a started server is fresh: no queues, no jobs, nothing
// captured. A test that stops it starts it again before it ends.
void ZastavServer();
void SpustServer();

// Adds raw queue `nazev` that passes its jobs on to `uri` (another server's queue).
void PresmerujFrontu(const std::string& nazev, const std::string& uri);

// The shop's print server: a second private server in a directory of its own, reached over
// TCP on 127.0.0.1. Started with the object, stopped and removed with it.
class tSdilenyServer {
public:
    tSdilenyServer();
    ~tSdilenyServer();
    tSdilenyServer(const tSdilenyServer&) = delete;
    tSdilenyServer& operator=(const tSdilenyServer&) = delete;

    std::string Adresa() const { return "127.0.0.1:" + port_; }

    // While it lives, the helpers above and libcups (this thread) work on the shop's server,
    // as on a PC whose client.conf names it.
    class tNaServeru {
    public:
        explicit tNaServeru(const tSdilenyServer& server);
        ~tNaServeru();
        tNaServeru(const tNaServeru&) = delete;
        tNaServeru& operator=(const tNaServeru&) = delete;

    private:
        std::string puvodni_;
    };

private:
    std::string adresar_, port_;
};

} // namespace cups_test
