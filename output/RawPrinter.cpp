#include "output/RawPrinter.h"

#include "output/DotazServeru.h"
#include "output/OznaceneUlohy.h"
#include "output/Tiskarny.h"

#include <cups/cups.h>

#include <sys/socket.h>

namespace {

constexpr size_t VelikostDavky = size_t{64} * 1024;

ipp_t* ZadostFronte(ipp_op_t operace, const std::string& fronta) {
    return ZadostServeru(operace, "printer-uri", "/printers/" + fronta);
}

// Create-Job on our connection alone: cupsCreateJob would look the queue up on connections
// of its own first, out of reach of the deadline. The job is created held (job-hold-until
// indefinite) and released only once the server has confirmed its whole document (Uvolni):
// a document cut short, however it is cut, stays in a held job that never prints. (The
// server takes the end of a connection at a chunk's boundary for the end of the document,
// so the document's own end cannot tell.) Returns the job id, 0 on failure; uuid gets the
// job's job-uuid, which stays its own when a new server gives its id again.
int VytvorUlohu(http_t* spojeni, const std::string& fronta, const std::string& nazev,
                const std::string& znacka, std::string& uuid) {
    ipp_t* zadost = ZadostFronte(IPP_OP_CREATE_JOB, fronta);
    ippAddString(zadost, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, nazev.c_str());
    ippAddString(zadost, IPP_TAG_JOB, IPP_TAG_KEYWORD, "job-hold-until", nullptr, "indefinite");
    if (!znacka.empty())
        ippAddString(zadost, IPP_TAG_JOB, IPP_TAG_NAME, AtributZnacky, nullptr, znacka.c_str());
    const std::string cesta = "/printers/" + fronta;
    ipp_t* odpoved = cupsDoRequest(spojeni, zadost, cesta.c_str()); // frees the request
    ipp_attribute_t* id = ippFindAttribute(odpoved, "job-id", IPP_TAG_INTEGER);
    const int uloha = id != nullptr ? ippGetInteger(id, 0) : 0;
    if (ipp_attribute_t* u = ippFindAttribute(odpoved, "job-uuid", IPP_TAG_URI))
        uuid = ippGetString(u, 0, nullptr);
    ippDelete(odpoved);
    return uloha;
}

// The kernel's send buffer of a local socket is a few hundred KiB and never grows, and the
// server reads a document in 32 KiB steps: a larger one keeps the labels made ahead of the
// server, not waiting on each of its steps. TCP sizes its buffer itself, so it is left be.
void VelkaVyrovnavaciPamet(http_t* spojeni) {
    constexpr int Velikost = 4 * 1024 * 1024; // the kernel caps it at net.core.wmem_max
    const int fd = httpGetFd(spojeni);
    sockaddr_storage adresa{};
    socklen_t delka = sizeof adresa;
    // Failing costs only speed.
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&adresa), &delka) == 0 &&
        adresa.ss_family == AF_UNIX)
        setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &Velikost, sizeof Velikost);
}

} // namespace

tRawPrinter::tRawPrinter(const std::string& nazevDokumentu, const std::string& tiskarna,
                         tOdriznuti* odriznuti, const std::string& znacka)
    : odriznuti_(odriznuti), tiskarna_(FrontaTisku(tiskarna, odriznuti)),
      spojeni_(LimitSpojeniMs, LhutaTiskuS, IPP_STATUS_ERROR_INTERNAL, odriznuti) {
    {
        const tSpojeni::tLhuta lhuta(spojeni_);
        uloha_ = VytvorUlohu(*spojeni_, tiskarna_, nazevDokumentu, znacka, uuid_);
    }
    if (uloha_ == 0)
        throw spojeni_.Chyba(IPP_STATUS_ERROR_INTERNAL);
    http_status_t stav{};
    {
        const tSpojeni::tLhuta lhuta(spojeni_);
        stav = cupsStartDocument(*spojeni_, tiskarna_.c_str(), uloha_, nazevDokumentu.c_str(),
                                 CUPS_FORMAT_RAW, 1);
    }
    if (stav != HTTP_STATUS_CONTINUE) {
        // A job without a document would wait on the queue for ever.
        const eRawPrinter chyba = spojeni_.Chyba(IPP_STATUS_ERROR_INTERNAL);
        Zrus();
        throw chyba;
    }
    otevreno_ = true;
    VelkaVyrovnavaciPamet(*spojeni_); // the socket the document goes on, after any reconnect
    zasobnik_.reserve(2 * VelikostDavky);
}

tRawPrinter::~tRawPrinter() {
    EndDoc();
}

void tRawPrinter::Posli(const char* data, size_t delka) {
    http_status_t stav{};
    {
        const tSpojeni::tLhuta lhuta(spojeni_);
        stav = cupsWriteRequestData(*spojeni_, data, delka);
    }
    if (stav != HTTP_STATUS_CONTINUE) {
        otevreno_ = false; // a document cut in the middle never prints
        throw spojeni_.Chyba(IPP_STATUS_ERROR_INTERNAL);
    }
}

void tRawPrinter::PosliDavku() {
    const size_t delka = hranice_ > 0 ? hranice_ : zasobnik_.size();
    pulka_ = delka > hranice_;
    Posli(zasobnik_.data(), delka);
    zasobnik_.erase(0, delka);
    hranice_ = 0;
}

void tRawPrinter::Write(const std::string& data) {
    if (!otevreno_)
        throw eRawPrinter::ZKodu(IPP_STATUS_ERROR_NOT_POSSIBLE);
    if (!data.empty())
        prazdny_ = false;
    zasobnik_ += data;
    if (zasobnik_.size() >= VelikostDavky)
        PosliDavku();
}

void tRawPrinter::PisEtikety(std::string_view bajty, std::span<const size_t> konce) {
    if (konce.empty())
        return tTiskovaUloha::PisEtikety(bajty, konce);
    if (!otevreno_)
        throw eRawPrinter::ZKodu(IPP_STATUS_ERROR_NOT_POSSIBLE);
    if (!bajty.empty())
        prazdny_ = false;
    size_t od = 0;
    if (!zasobnik_.empty()) {
        od = konce.front();
        zasobnik_.append(bajty.substr(0, od));
        Posli(zasobnik_.data(), zasobnik_.size());
    }
    if (konce.back() > od)
        Posli(bajty.data() + od, konce.back() - od);
    // Everything sent ends at a label's end.
    etiket_ += static_cast<long long>(konce.size());
    hranice_ = 0;
    pulka_ = false;
    zasobnik_.assign(bajty.substr(konce.back()));
}

void tRawPrinter::KonecEtikety() {
    ++etiket_;
    hranice_ = zasobnik_.size();
    pulka_ = false;
}

void tRawPrinter::Dokonci() {
    if (!otevreno_)
        return;
    if (!zasobnik_.empty())
        Posli(zasobnik_.data(), zasobnik_.size());
    zasobnik_.clear();
    otevreno_ = false;
    if (!UkonciDokument())
        throw spojeni_.Chyba(IPP_STATUS_ERROR_INTERNAL);
}

bool tRawPrinter::UkonciDokument() noexcept {
    const tSpojeni::tLhuta lhuta(spojeni_);
    // The server refuses a document without a byte; with nothing to print, the job goes.
    if (prazdny_) {
        cupsFinishDocument(*spojeni_, tiskarna_.c_str());
        return cupsCancelJob2(*spojeni_, tiskarna_.c_str(), uloha_, 0) <=
               IPP_STATUS_OK_EVENTS_COMPLETE;
    }
    return Potvrzen() && Uvolni();
}

// Ends the document; true when the server has confirmed it whole. libcups may leave an
// earlier success as the status of a call the deadline cut off.
bool tRawPrinter::Potvrzen() noexcept {
    return cupsFinishDocument(*spojeni_, tiskarna_.c_str()) <= IPP_STATUS_OK_EVENTS_COMPLETE &&
           !spojeni_.Vyprselo();
}

// The server has the whole document: the job may print (Release-Job on our connection).
bool tRawPrinter::Uvolni() noexcept {
    // Once sent, the server may act on it even when its answer never comes.
    uvolnena_ = true;
    ipp_t* zadost = ZadostFronte(IPP_OP_RELEASE_JOB, tiskarna_);
    ippAddInteger(zadost, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", uloha_);
    const std::string cesta = "/printers/" + tiskarna_;
    ippDelete(cupsDoRequest(*spojeni_, zadost, cesta.c_str())); // frees the request
    const bool uvolnena = cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE;
    if (!uvolnena && !spojeni_.Vyprselo())
        uvolnena_ = false; // refused: the job stays held
    return uvolnena;
}

long long tRawPrinter::Prerus() noexcept {
    if (!otevreno_) // cut off, already ended or cancelled: nothing more will print, unless
        return uvolnena_ ? etiket_ : 0; // the release went out and its answer did not come
    if (etiket_ == 0 || pulka_) {
        Zrus(); // no whole label, or part of one gone already
        return 0;
    }
    // The whole labels print; what follows the last one is dropped.
    otevreno_ = false;
    const tSpojeni::tLhuta lhuta(spojeni_);
    if (cupsWriteRequestData(*spojeni_, zasobnik_.data(), hranice_) != HTTP_STATUS_CONTINUE)
        return 0;
    if (!Potvrzen())
        return 0;
    Uvolni();
    return uvolnena_ ? etiket_ : 0;
}

void tRawPrinter::Zrus() noexcept {
    otevreno_ = false;
    poStornu_ = 0;
    // A server that has just not answered would not answer this either; a job still held
    // never prints, and one released prints whole unless the cancel says otherwise.
    if (!spojeni_.Vyprselo()) {
        // Cancelled on a connection of its own while the document is still open on ours, so
        // that it never becomes whole and nothing of it can print.
        try {
            const tSpojeni zruseni(LimitSpojeniMs, LhutaTiskuS, IPP_STATUS_ERROR_INTERNAL,
                                   odriznuti_);
            const tSpojeni::tLhuta lhuta(zruseni);
            if (cupsCancelJob2(*zruseni, tiskarna_.c_str(), uloha_, 0) <=
                IPP_STATUS_OK_EVENTS_COMPLETE)
                return;
        } catch (const eRawPrinter&) {
            // A server out of reach cannot finish the open document either.
        }
    }
    if (uvolnena_)
        poStornu_ = etiket_; // refused (printed already) or not answered in time
}

void tRawPrinter::EndDoc() {
    if (!otevreno_)
        return;
    otevreno_ = false;
    // What was accepted stays in the job: send the rest and end the document, so the
    // server prints it.
    if (!zasobnik_.empty()) {
        const tSpojeni::tLhuta lhuta(spojeni_);
        cupsWriteRequestData(*spojeni_, zasobnik_.data(), zasobnik_.size());
    }
    zasobnik_.clear();
    UkonciDokument();
}
