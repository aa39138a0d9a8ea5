// The fate of a claimed file: what its journal says against what the print server answers,
// without a server.

#include "davka/OsudZaboru.h"

#include <gtest/gtest.h>

namespace {

using enum tStavUlohy;

constexpr const char* Nase = "urn:uuid:11111111-2222-3333-4444-555555555555";

tUloha Uloha(tStavUlohy stav, long long zpracovani = 0, const char* uuid = Nase,
             int dokumentu = 0) {
    tUloha u;
    u.Id = 7;
    u.Stav = stav;
    u.CasZpracovani = zpracovani;
    u.Uuid = uuid;
    u.PocetDokumentu = dokumentu;
    return u;
}

TEST(OsudZaboru, Tabulka) {
    const tDenik vytvorena{7, Nase, false}, potvrzena{7, Nase, true}, stara{7, "", false};
    const struct {
        const char* nazev;
        std::optional<tDenik> denik;
        tOdpovedServeru server;
        tOsud osud;
        const char* duvod; // a piece of the reason; "" unchecked
    } pripady[] = {
        {"bezUlohy", std::nullopt, {}, tOsud::Odeslat, ""},
        {"bezUlohyServerMimo", std::nullopt, {false, {}}, tOsud::Odeslat, ""},
        {"serverMimo", potvrzena, {false, {}}, tOsud::Cekat, ""},
        {"neznama", potvrzena, {true, std::nullopt}, tOsud::Chyba, "úlohu 7 nezná"},
        {"neznamaNepotvrzena", vytvorena, {true, std::nullopt}, tOsud::Chyba, "nezná"},
        // A server replaced: the id names somebody else's job, whatever its state.
        {"ciziVytistena",
         potvrzena,
         {true, Uloha(Vytistena, 5, "urn:uuid:jina")},
         tOsud::Chyba,
         "jiná úloha"},
        {"ciziPozastavena",
         vytvorena,
         {true, Uloha(Pozastavena, 0, "urn:uuid:jina")},
         tOsud::Chyba,
         "jiná úloha"},
        // Its files gone (PreserveJobFiles No): the history says it printed.
        {"vytistenaBezSouboru", potvrzena, {true, Uloha(Vytistena, 5)}, tOsud::Hotovo, ""},
        {"vytistenaNepotvrzena", vytvorena, {true, Uloha(Vytistena, 5)}, tOsud::Hotovo, ""},
        {"vytistenaStaryDenik", stara, {true, Uloha(Vytistena, 5, "")}, tOsud::Hotovo, ""},
        {"cekaPotvrzena", potvrzena, {true, Uloha(Ceka, 0, Nase, 1)}, tOsud::Cekat, ""},
        {"tiskne", vytvorena, {true, Uloha(Tiskne, 5, Nase, 1)}, tOsud::Cekat, ""},
        {"zastavena", potvrzena, {true, Uloha(Zastavena, 5, Nase, 1)}, tOsud::Cekat, ""},
        // Released only once whole: an unconfirmed job not held was released, so it waits.
        {"cekaNepotvrzena", vytvorena, {true, Uloha(Ceka, 0, Nase, 1)}, tOsud::Cekat, ""},
        // Held and unconfirmed: a document cut short (or whole but never released).
        {"drzenaNepotvrzena",
         vytvorena,
         {true, Uloha(Pozastavena, 0, Nase, 1)},
         tOsud::Zrusit,
         "bez celého dokumentu"},
        {"drzenaBezDokumentu", vytvorena, {true, Uloha(Pozastavena)}, tOsud::Zrusit, ""},
        {"drzenaPotvrzena", potvrzena, {true, Uloha(Pozastavena, 0, Nase, 1)}, tOsud::Cekat, ""},
        // Cancelled or aborted before it began, never confirmed: nothing printed.
        {"zrusenaNezacala",
         vytvorena,
         {true, Uloha(Zrusena)},
         tOsud::Odeslat,
         "bez celého dokumentu"},
        {"prerusenaNezacala", vytvorena, {true, Uloha(Prerusena)}, tOsud::Odeslat, ""},
        // Once confirmed or begun, an end other than completed is the file's failure.
        {"zrusenaPotvrzena", potvrzena, {true, Uloha(Zrusena)}, tOsud::Chyba, "skončila: zrušena"},
        {"prerusenaPotvrzena",
         potvrzena,
         {true, Uloha(Prerusena, 5)},
         tOsud::Chyba,
         "skončila: přerušena"},
        {"zrusenaZacala", vytvorena, {true, Uloha(Zrusena, 5)}, tOsud::Chyba, "skončila"},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        const tRozhodnuti r = OsudZaboru(p.denik, p.server);
        EXPECT_EQ(r.Osud, p.osud);
        EXPECT_NE(r.Duvod.find(p.duvod), std::string::npos) << r.Duvod;
    }
}

} // namespace
