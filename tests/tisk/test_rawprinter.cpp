// The raw job against the private CUPS server: bytes arrive unchanged, failures raise.
#include "output/RawPrinter.h"
#include "tests/tisk/CupsTest.h"

#include <cups/cups.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace {

using namespace std::chrono_literals;

const std::string Fronta = "Stitky";

std::string Zprava(int kod) {
    return "Chyba při komunikaci s tiskárnou (" + std::to_string(kod) + ")";
}

// All jobs the server knows, on every queue.
int PocetVsechUloh() {
    cups_job_t* ulohy = nullptr;
    const int pocet = cupsGetJobs2(CUPS_HTTP_DEFAULT, &ulohy, nullptr, 0, CUPS_WHICHJOBS_ALL);
    cupsFreeJobs(pocet, ulohy);
    return pocet;
}

// The message of the eRawPrinter that the action raises, "" when it raises none.
std::string Chyba(const std::function<void()>& akce) {
    try {
        akce();
    } catch (const eRawPrinter& e) {
        return e.what();
    }
    return "";
}

class RawPrinter : public ::testing::Test {
protected:
    void SetUp() override {
        cups_test::PridejFrontu(Fronta);
        cups_test::VymazZachycene(Fronta);
    }
};

std::string VsechnyBajty() {
    std::string bajty;
    for (int i = 0; i < 256; ++i)
        bajty += static_cast<char>(i);
    return bajty;
}

std::string Vzorek(size_t delka) {
    std::string data(delka, '\0');
    for (size_t i = 0; i < delka; ++i)
        data[i] = static_cast<char>((i * 131 + i / 251) & 0xFF);
    return data;
}

std::vector<std::string> PoKouscich(const std::string& data, size_t kus) {
    std::vector<std::string> kusy;
    for (size_t i = 0; i < data.size(); i += kus)
        kusy.push_back(data.substr(i, kus));
    return kusy;
}

TEST_F(RawPrinter, BytesArriveUnchangedAndInOrder) {
    using namespace std::string_literals;
    const std::string velky = Vzorek(300 * 1024 + 17); // several chunks and a tail
    struct Pripad {
        const char* nazev;
        std::vector<std::string> zapisy;
    } pripady[] = {
        {"all byte values", {VsechnyBajty()}},
        {"control codes", {"\x1b@"s, "\f"s, "a\0b"s, "\r\n"s, "\0\0"s, "\x1b"s}},
        {"empty writes between", {""s, "A"s, ""s, ""s, "B\r\n"s, ""s}},
        {"one write over many chunks", {velky}},
        {"small writes over many chunks", PoKouscich(velky, 30)},
        {"writes across a chunk edge", {std::string(65535, 'x'), "yz"s, std::string(65536, 'w')}},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        cups_test::VymazZachycene(Fronta);
        std::string ocekavano;
        {
            tRawPrinter uloha("Test", Fronta);
            for (const auto& z : p.zapisy) {
                uloha.Write(z);
                ocekavano += z;
            }
            uloha.Dokonci();
        }
        const auto ulohy = cups_test::CekejNaUlohy(Fronta, 1);
        ASSERT_EQ(ulohy.size(), 1u);
        EXPECT_TRUE(ulohy[0] == ocekavano)
            << "got " << ulohy[0].size() << " bytes, expected " << ocekavano.size();
    }
}

// A job without a byte prints nothing and must not fail; the next job arrives alone, under
// its document name, on the queue named in any case.
TEST_F(RawPrinter, EmptyJobNameAndQueueCase) {
    const std::string nazev = "Oblepky pro zboží (3 ks)";
    for (const char* data : {"", "X"}) {
        tRawPrinter uloha(nazev, *data ? "sTITKY" : Fronta);
        uloha.Write(data);
        uloha.Dokonci();
    }
    EXPECT_EQ(cups_test::CekejNaUlohy(Fronta, 1), std::vector<std::string>{"X"});
    const auto nazvy = cups_test::NazvyUloh(Fronta);
    ASSERT_FALSE(nazvy.empty());
    EXPECT_EQ(nazvy.back(), "Oblepky pro zboží (3 ks)");
}

// How a job ends decides what prints. Released without Dokonci (an error midway) every
// byte written prints, once. After a failed run (Prerus) the whole labels print and their
// number comes back; with none, or with part of an unfinished label sent already, nothing
// prints. Storno (Zrus) prints nothing.
TEST_F(RawPrinter, EndingDecidesWhatPrints) {
    const std::string velky = Vzorek(70 * 1024); // more than a chunk
    struct Pripad {
        const char* nazev;
        std::function<long long(tRawPrinter&)> konec;
        std::vector<std::string> vytiskne;
        long long etiket;
    } pripady[] = {
        {"destructor only", [](tRawPrinter&) { return 0; }, {std::string("ab\0c", 4)}, 0},
        {"EndDoc, then destructor",
         [](tRawPrinter& u) {
             u.EndDoc();
             return 0;
         },
         {std::string("ab\0c", 4)},
         0},
        {"Dokonci, EndDoc, destructor",
         [](tRawPrinter& u) {
             u.Dokonci();
             u.EndDoc();
             return 0;
         },
         {std::string("ab\0c", 4)},
         0},
        {"Prerus after a label",
         [](tRawPrinter& u) {
             u.KonecEtikety();
             u.Write("rest");
             return u.Prerus();
         },
         {std::string("ab\0c", 4)},
         1},
        {"Prerus before a label", [](tRawPrinter& u) { return u.Prerus(); }, {}, 0},
        {"Prerus with part of a label sent",
         [&](tRawPrinter& u) {
             u.KonecEtikety();
             u.Write(velky); // sends the whole label only
             u.Write(velky); // no label end to cut at: sends the part
             return u.Prerus();
         },
         {},
         0},
        {"Zrus",
         [](tRawPrinter& u) {
             u.KonecEtikety();
             u.Zrus();
             return 0;
         },
         {},
         0},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        cups_test::VymazZachycene(Fronta);
        {
            tRawPrinter uloha("Test", Fronta);
            uloha.Write("ab");
            uloha.Write(std::string("\0c", 2));
            EXPECT_EQ(p.konec(uloha), p.etiket);
        }
        if (p.vytiskne.empty()) {
            EXPECT_EQ(cups_test::StavPosledniUlohy(Fronta), 7); // IPP_JSTATE_CANCELED
        }
        EXPECT_EQ(cups_test::CekejNaUlohy(Fronta, 1, p.vytiskne.empty() ? 300ms : 20s), p.vytiskne);
    }
}

TEST_F(RawPrinter, WriteAfterTheEndRaises) {
    tRawPrinter uloha("Test", Fronta);
    uloha.Dokonci();
    EXPECT_EQ(Chyba([&] { uloha.Write("x"); }), Zprava(IPP_STATUS_ERROR_NOT_POSSIBLE));
}

TEST_F(RawPrinter, RefusedQueueRaisesAndCreatesNoJob) {
    cups_test::OdmitejUlohy(Fronta);
    const int predtim = PocetVsechUloh();
    struct Pripad {
        const char* tiskarna;
        std::string zprava; // the start of the message
    } pripady[] = {
        {"Neexistuje", Zprava(IPP_STATUS_ERROR_NOT_FOUND)},
        {"", "Není nastavená žádná tiskárna a tiskový server nemá výchozí. "},
        {"Stitky/x", Zprava(IPP_STATUS_ERROR_NOT_FOUND)},
        {"Stitky", Zprava(IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS)},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.tiskarna);
        const std::string chyba = Chyba([&] { tRawPrinter("Test", p.tiskarna); });
        EXPECT_TRUE(chyba.starts_with(p.zprava)) << chyba;
    }
    EXPECT_EQ(PocetVsechUloh(), predtim);
    cups_test::OdmitejUlohy(Fronta, false);
}

TEST_F(RawPrinter, ServerDownRaisesWithoutCreatingAJob) {
    cups_test::ZastavServer();
    EXPECT_EQ(Chyba([] { tRawPrinter("Test", Fronta); }),
              Zprava(IPP_STATUS_ERROR_SERVICE_UNAVAILABLE));
    cups_test::SpustServer();
    EXPECT_EQ(PocetVsechUloh(), 0);
}

// The server or the queue goes away in the middle of a run: the failure must not pass
// unnoticed, and releasing the job afterwards must not raise.
TEST_F(RawPrinter, LossMidwayRaisesFromWriteOrDokonci) {
    struct Pripad {
        const char* nazev;
        std::function<void()> porucha, naprava;
    } pripady[] = {
        {"server stopped", cups_test::ZastavServer, cups_test::SpustServer},
        {"queue deleted", [] { cups_test::SmazFrontu(Fronta); }, [] {}},
    };
    const std::string kus = Vzorek(64 * 1024);
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        cups_test::PridejFrontu(Fronta);
        std::string chyba;
        {
            tRawPrinter uloha("Test", Fronta);
            uloha.Write("zacatek");
            p.porucha();
            chyba = Chyba([&] {
                for (int i = 0; i < 16; ++i)
                    uloha.Write(kus);
                uloha.Dokonci();
            });
        }
        p.naprava();
        EXPECT_TRUE(chyba.starts_with("Chyba při komunikaci s tiskárnou (")) << "raised: " << chyba;
    }
}

} // namespace
