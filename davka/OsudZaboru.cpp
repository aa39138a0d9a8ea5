#include "davka/OsudZaboru.h"

// Every branch says why it can neither print the file twice nor lose it. The job was created
// held and released only once the server had confirmed its whole document (tRawPrinter), so
// a job that is held and unconfirmed has printed nothing, and a job that is not held any more
// had its whole document, whether the server still keeps its files or not.
tRozhodnuti OsudZaboru(const std::optional<tDenik>& denik, const tOdpovedServeru& server) {
    if (!denik)
        return {tOsud::Odeslat, ""};
    if (!server.Dostupny)
        return {tOsud::Cekat, ""};
    const std::string id = std::to_string(denik->Uloha);
    if (!server.Uloha) {
        // Its history purged, or another server: whether it printed cannot be known.
        return {tOsud::Chyba, "Tiskový server úlohu " + id + " nezná"};
    }
    const tUloha& u = *server.Uloha;
    if (!denik->Uuid.empty() && u.Uuid != denik->Uuid) {
        // A server reinstalled gives the ids again: this one names somebody else's job.
        return {tOsud::Chyba, "Úloha " + id +
                                  " na tiskovém serveru je jiná úloha (server byl nahrazen?); "
                                  "zda se soubor vytiskl, nelze zjistit"};
    }
    const std::string stav = NazevStavu(u.Stav);
    if (u.Stav == tStavUlohy::Vytistena)
        return {tOsud::Hotovo, ""};
    if (u.Skoncila()) {
        // Never begun and never confirmed: cancelled while held (by this watcher, or by the
        // server's restart in the middle of the document), so none of it printed.
        if (!denik->Potvrzen && u.CasZpracovani == 0)
            return {tOsud::Odeslat, "úloha bez celého dokumentu (" + stav + ")"};
        return {tOsud::Chyba, "Úloha " + id + " skončila: " + stav};
    }
    if (!denik->Potvrzen && u.Stav == tStavUlohy::Pozastavena)
        return {tOsud::Zrusit, "úloha bez celého dokumentu (" + stav + ")"};
    return {tOsud::Cekat, ""};
}
