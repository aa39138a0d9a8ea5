#include "output/RadkySouboru.h"

#include "core/Soubory.h"
#include "output/TiskovaUloha.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t VelikostBloku = size_t{64} * 1024;
// How often a copy that waits for its input asks whether to go on.
constexpr int KrokCekani = 50;

// An unnamed file in the temporary directory, gone when it is closed.
tDeskriptor DocasnySoubor() {
    std::error_code chyba;
    const std::string adresar = std::filesystem::temp_directory_path(chyba).string();
    const std::string kde = chyba ? std::string("/tmp") : adresar;
    tDeskriptor soubor(::open(kde.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
    if (soubor.Otevreny())
        return soubor;
    std::string vzor = kde + "/oblepky-XXXXXX"; // a file system without O_TMPFILE
    soubor = tDeskriptor(::mkostemp(vzor.data(), O_CLOEXEC));
    if (soubor.Otevreny())
        ::unlink(vzor.c_str());
    return soubor;
}

[[noreturn]] void ChybaKopie(const std::string& nazev, int kod) {
    // Not the input's fault: the temporary folder is full or cannot be written.
    throw eSouborTabulky("Dočasnou kopii souboru " + nazev +
                         " nelze zapsat: " + std::strerror(kod) + " (" + std::to_string(kod) + ")");
}

// A pipe is read once: a copy to read it again, so that the reader judges every byte.
tDeskriptor Kopie(int fd, const std::string& nazev, const tRadkySouboru::tPokracovat& dal) {
    tDeskriptor kopie = DocasnySoubor();
    if (!kopie.Otevreny())
        ChybaKopie(nazev, errno);
    std::string blok(VelikostBloku, '\0');
    bool prvni = true, utf16 = false;
    for (;;) {
        // A FIFO opened without waiting: its writer may come late, or never.
        if (!CekejNaCteni(fd, dal ? KrokCekani : -1)) {
            if (dal && !dal())
                throw tZastaveno{};
            continue;
        }
        const ssize_t precteno = PrectiKus(fd, blok.data(), blok.size());
        if (precteno < 0 && errno == EAGAIN)
            continue;
        if (precteno < 0)
            throw ChybaCteniTabulky(nazev, errno);
        if (precteno == 0)
            return kopie;
        const std::string_view kus(blok.data(), static_cast<size_t>(precteno));
        if (const int chyba = ZapisVse(kopie.Fd(), kus); chyba != 0)
            ChybaKopie(nazev, chyba);
        // Past a control byte the input is no table, however much more comes: the copy
        // ends there, and the reader refuses it. UTF-16's zero bytes are half characters.
        if (prvni)
            utf16 = MoznaUtf16(kus);
        prvni = false;
        if (!utf16 && MaRidiciBajty(kus))
            return kopie;
    }
}

detail::tOtevrenaTabulka Otevri(const std::string& cesta, const tRadkySouboru::tPokracovat& dal) {
    const bool vstup = cesta == "-";
    detail::tOtevrenaTabulka o{tDeskriptor(), vstup ? std::string("(standardní vstup)") : cesta};
    // Standard input keeps its own flags: they are shared with whoever gave it.
    o.soubor =
        tDeskriptor(vstup ? ::dup(STDIN_FILENO)
                          : ::open(cesta.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!o.soubor.Otevreny())
        throw eSouborTabulky(ChybaOtevreni(o.nazev));
    if (::lseek(o.soubor.Fd(), 0, SEEK_CUR) < 0)
        o.soubor = Kopie(o.soubor.Fd(), o.nazev, dal);
    return o;
}

detail::tOtevrenaTabulka Prevezmi(tDeskriptor soubor, std::string nazev) {
    if (::lseek(soubor.Fd(), 0, SEEK_CUR) < 0)
        throw ChybaCteniTabulky(nazev, errno);
    return {std::move(soubor), std::move(nazev)};
}

// A workbook's rows in the clipboard's form (its cells hold no TAB nor line break): the text
// a copy of the sheet gives. False when dal says stop.
bool SesitJakoText(tRadkySouboru& radky, std::string& text, const std::function<bool()>& dal) {
    std::vector<std::string_view> bunky;
    for (radky.NaZacatek(); radky.Dalsi();) {
        if (!dal())
            return false;
        radky.Bunky(bunky, SIZE_MAX);
        for (size_t c = 1; c < bunky.size(); ++c) {
            if (c > 1)
                text += '\t';
            text += bunky[c];
        }
        text += '\n';
    }
    return true;
}

} // namespace

tRadkySouboru::tRadkySouboru(const std::string& cesta, const tVolbyTabulky& volby,
                             const tPokracovat& pokracovat)
    : tOtevrenaTabulka(Otevri(cesta, pokracovat)),
      tRadkyCsv(soubor.Fd(), RozpoznejDruh(soubor.Fd(), nazev, volby), nazev) {
    OtevriSesit(volby);
}

tRadkySouboru::tRadkySouboru(tDeskriptor soubor, std::string nazev, const tVolbyTabulky& volby)
    : tOtevrenaTabulka(Prevezmi(std::move(soubor), std::move(nazev))),
      tRadkyCsv(this->soubor.Fd(), RozpoznejDruh(this->soubor.Fd(), this->nazev, volby),
                this->nazev) {
    OtevriSesit(volby);
}

void tRadkySouboru::OtevriSesit(const tVolbyTabulky& volby) {
    // A workbook is a zip, which the text reader would refuse for its control bytes.
    if (JeSesit(soubor.Fd(), nazev))
        sesit_ = std::make_unique<tRadkySesitu>(soubor.Fd(), nazev, volby.List);
}

void tRadkySouboru::NaZacatek() {
    sesit_ ? sesit_->NaZacatek() : tRadkyCsv::NaZacatek();
}

bool tRadkySouboru::Dalsi() {
    return sesit_ ? sesit_->Dalsi() : tRadkyCsv::Dalsi();
}

std::string_view tRadkySouboru::Bunka(int sloupec) const {
    return sesit_ ? sesit_->Bunka(sloupec) : tRadkyCsv::Bunka(sloupec);
}

void tRadkySouboru::Bunky(std::vector<std::string_view>& cil, size_t kolik) const {
    sesit_ ? sesit_->Bunky(cil, kolik) : tRadkyCsv::Bunky(cil, kolik);
}

long long tRadkySouboru::SoucetPoctu(int sloupec) {
    return sesit_ ? sesit_->SoucetPoctu(sloupec) : tRadkyCsv::SoucetPoctu(sloupec);
}

std::optional<tNactenaTabulka> NactiTabulku(const std::string& cesta, const tVolbyTabulky& volby,
                                            const std::atomic<bool>& zrusit,
                                            std::atomic<long long>& precteno,
                                            std::atomic<long long>& velikost) {
    const auto dal = [&] { return !zrusit.load(std::memory_order_relaxed); };
    std::optional<tRadkySouboru> radky;
    try {
        radky.emplace(cesta, volby, dal);
    } catch (const tZastaveno&) {
        return std::nullopt;
    }
    struct stat stav {};
    const bool znama = ::fstat(radky->Fd(), &stav) == 0 && S_ISREG(stav.st_mode);
    velikost = znama ? static_cast<long long>(stav.st_size) : 0;
    // Never longer than the file but for the last line end: the text is allocated once.
    std::string text;
    text.reserve(znama ? static_cast<size_t>(stav.st_size) + 1 : 0);
    const bool cele = radky->JeSesitem() ? SesitJakoText(*radky, text, dal)
                                         : radky->PridejZbytek(text, [&](long long kolik) {
                                               precteno.store(kolik, std::memory_order_relaxed);
                                               return dal();
                                           });
    if (!cele)
        return std::nullopt;
    std::optional<tNactenaTabulka> nactena(std::in_place);
    nactena->Nepresnych = radky->JeSesitem() ? radky->Druh().Nepresnych
                          : radky->Druh().Sada == tZnakovaSada::Win1250
                              ? 0
                              : radky->NepresnychPrectenych();
    nactena->Tabulka.PrevezmiText(std::move(text));
    return nactena;
}
