#pragma once
// A table file opened by its name, or standard input, read row by row as a run prints it,
// never held whole (tRadkyCsv reads it in every form).

#include "core/Deskriptor.h"
#include "core/Tabulka.h"
#include "output/RadkyCsv.h"
#include "output/RadkySesitu.h"

#include <memory>

#include <atomic>
#include <functional>
#include <optional>
#include <string>

namespace detail {
// The open file, made before the reader that reads it.
struct tOtevrenaTabulka {
    tDeskriptor soubor;
    std::string nazev; // for messages, as given
};
} // namespace detail

class tRadkySouboru : private detail::tOtevrenaTabulka, public tRadkyCsv {
public:
    // Called while input that comes slowly (a FIFO, a pipe) is waited for; false: stop, and
    // the constructor raises tZastaveno.
    using tPokracovat = std::function<bool()>;

    // Opens the file cesta (file system bytes), or standard input for "-", never waiting in
    // the open for a FIFO's writer. Input that cannot be read twice (a pipe, a FIFO, a
    // terminal) is first copied whole to an unnamed temporary file. Raises eSouborTabulky
    // "Cannot open file %s", ChybaCteniTabulky or, when the copy cannot be written, "Dočasnou
    // kopii souboru %s nelze zapsat: <the system's text> (%d)"; Dalsi raises what tRadkyCsv
    // raises. The file's character set and form are found as RozpoznejDruh says, or taken
    // from volby; a workbook (JeSesit) is read by tRadkySesitu instead, its sheet as
    // volby.List names it.
    explicit tRadkySouboru(const std::string& cesta, const tVolbyTabulky& volby = {},
                           const tPokracovat& pokracovat = {});
    // A file the caller opened and checked itself (a regular file); nazev names it in
    // messages.
    tRadkySouboru(tDeskriptor soubor, std::string nazev, const tVolbyTabulky& volby = {});

    int Fd() const { return soubor.Fd(); } // what is read: the file, or the pipe's copy

    // What the file was found to be, and how far it is read (for a progress bar).
    const tDruhTabulky& Druh() const { return sesit_ ? sesit_->Druh() : tRadkyCsv::Druh(); }
    long long Precteno() const { return sesit_ ? sesit_->Precteno() : tRadkyCsv::Precteno(); }
    bool JeSesitem() const { return sesit_ != nullptr; }

    void NaZacatek() override;
    bool Dalsi() override;
    std::string_view Bunka(int sloupec) const override;
    void Bunky(std::vector<std::string_view>& cil, size_t kolik) const override;
    long long SoucetPoctu(int sloupec) override;

private:
    void OtevriSesit(const tVolbyTabulky& volby);

    std::unique_ptr<tRadkySesitu> sesit_; // the reader of an .xlsx or .ods workbook
};

// A table file read whole into a table, as the window imports it (tRadkySouboru's rules and
// errors); nothing when zrusit was set meanwhile, also while a FIFO waits for its writer.
// precteno and velikost follow the read for a progress bar (velikost 0: not known).
struct tNactenaTabulka {
    tTabulka Tabulka;
    size_t Nepresnych = 0;
};
std::optional<tNactenaTabulka> NactiTabulku(const std::string& cesta, const tVolbyTabulky& volby,
                                            const std::atomic<bool>& zrusit,
                                            std::atomic<long long>& precteno,
                                            std::atomic<long long>& velikost);
