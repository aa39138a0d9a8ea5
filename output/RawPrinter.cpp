#include "RawPrinter.h"

#include "../core/Win1250.h"
#include "Tiskarny.h"

#include <cups/cups.h>

#include <algorithm>

namespace {

constexpr size_t VelikostDavky = size_t{64} * 1024;

// Waiting longer than this for a server that does not answer helps nobody.
constexpr int LimitSpojeniMs = 30000;
constexpr double LimitOdpovediS = 30.0;

bool StejneJmeno(const std::string& a, const std::string& b) {
    // CUPS queue names ignore ASCII case.
    auto male = [](unsigned char z) { return (z >= 'A' && z <= 'Z') ? z + ('a' - 'A') : z; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return male(x) == male(y); });
}

// The queue's name when the server has it. Asking the server for an unknown name directly
// would make libcups search the network for it; the list answers at once. It raises when
// the server cannot be reached.
const std::string& Overena(const std::string& tiskarna) {
    const auto fronty = SeznamTiskaren();
    if (std::none_of(fronty.begin(), fronty.end(),
                     [&](const std::string& f) { return StejneJmeno(f, tiskarna); }))
        throw eRawPrinter::ZKodu(IPP_STATUS_ERROR_NOT_FOUND);
    return tiskarna;
}

} // namespace

tRawPrinter::tRawPrinter(const std::string& nazevDokumentu, const std::string& tiskarna)
    : tiskarna_(Win1250NaUtf8(Overena(tiskarna))),
      spojeni_(LimitSpojeniMs, LimitOdpovediS, IPP_STATUS_ERROR_INTERNAL) {
    const std::string nazev = Win1250NaUtf8(nazevDokumentu);
    uloha_ = cupsCreateJob(*spojeni_, tiskarna_.c_str(), nazev.c_str(), 0, nullptr);
    if (uloha_ == 0)
        throw eRawPrinter::ZKodu(KodChyby(IPP_STATUS_ERROR_INTERNAL));
    if (cupsStartDocument(*spojeni_, tiskarna_.c_str(), uloha_, nazev.c_str(), CUPS_FORMAT_RAW,
                          1) != HTTP_STATUS_CONTINUE) {
        // A job without a document would wait on the queue for ever.
        const int kod = KodChyby(IPP_STATUS_ERROR_INTERNAL);
        cupsCancelJob2(*spojeni_, tiskarna_.c_str(), uloha_, 0);
        throw eRawPrinter::ZKodu(kod);
    }
    otevreno_ = true;
    zasobnik_.reserve(VelikostDavky);
}

tRawPrinter::~tRawPrinter() {
    EndDoc();
}

void tRawPrinter::Posli(const char* data, size_t delka) {
    if (cupsWriteRequestData(*spojeni_, data, delka) != HTTP_STATUS_CONTINUE)
        throw eRawPrinter::ZKodu(KodChyby(IPP_STATUS_ERROR_INTERNAL));
}

void tRawPrinter::Write(const std::string& data) {
    if (!otevreno_)
        throw eRawPrinter::ZKodu(IPP_STATUS_ERROR_NOT_POSSIBLE);
    if (!data.empty())
        prazdny_ = false;
    if (zasobnik_.size() + data.size() < VelikostDavky) {
        zasobnik_ += data;
        return;
    }
    // Complete the buffered chunk, send whole chunks straight from the data, keep the rest.
    size_t pozice = VelikostDavky - zasobnik_.size();
    zasobnik_.append(data, 0, pozice);
    std::string davka;
    davka.swap(zasobnik_); // a failed chunk is dropped: the raised error reports it
    zasobnik_.reserve(VelikostDavky);
    Posli(davka.data(), davka.size());
    for (; data.size() - pozice >= VelikostDavky; pozice += VelikostDavky)
        Posli(data.data() + pozice, VelikostDavky);
    zasobnik_.append(data, pozice);
}

void tRawPrinter::Dokonci() {
    if (!otevreno_)
        return;
    if (!zasobnik_.empty()) {
        std::string davka;
        davka.swap(zasobnik_);
        Posli(davka.data(), davka.size());
    }
    otevreno_ = false;
    if (UkonciDokument() > IPP_STATUS_OK_EVENTS_COMPLETE)
        throw eRawPrinter::ZKodu(KodChyby(IPP_STATUS_ERROR_INTERNAL));
}

int tRawPrinter::UkonciDokument() noexcept {
    // The server refuses a document without a byte; with nothing to print, the job goes.
    if (prazdny_) {
        cupsFinishDocument(*spojeni_, tiskarna_.c_str());
        return cupsCancelJob2(*spojeni_, tiskarna_.c_str(), uloha_, 0);
    }
    return cupsFinishDocument(*spojeni_, tiskarna_.c_str());
}

void tRawPrinter::EndDoc() {
    if (!otevreno_)
        return;
    otevreno_ = false;
    // What was accepted stays in the job: send the rest and end the document, so the
    // server prints it even after a failed run.
    if (!zasobnik_.empty())
        cupsWriteRequestData(*spojeni_, zasobnik_.data(), zasobnik_.size());
    zasobnik_.clear();
    UkonciDokument();
}
