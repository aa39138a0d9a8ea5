#include "output/RadkySouboru.h"

#include "core/CeleCislo.h"
#include "core/Soubory.h"
#include "core/Win1250.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr size_t VelikostBloku = size_t{64} * 1024;
// A row is held a few times over while it prints; a longer one would break the memory bound
// that lets a table of any length print.
constexpr size_t NejdelsiRadek = size_t{8} * 1024 * 1024;

// The first CR or LF from od on, or the text's length. memchr in short windows: fast for
// lines ending in LF or CR LF, and no rescans of the block when one of the two never comes.
size_t KonecRadku(std::string_view text, size_t od) {
    constexpr size_t Okno = 256;
    while (od < text.size()) {
        const size_t delka = std::min(Okno, text.size() - od);
        const char* zacatek = text.data() + od;
        const void* lf = std::memchr(zacatek, '\n', delka);
        const size_t doLf =
            lf ? static_cast<size_t>(static_cast<const char*>(lf) - zacatek) : delka;
        if (const void* cr = std::memchr(zacatek, '\r', doLf))
            return od + static_cast<size_t>(static_cast<const char*>(cr) - zacatek);
        if (lf)
            return od + doLf;
        od += delka;
    }
    return text.size();
}

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

} // namespace

tRadkySouboru::tRadkySouboru(const std::string& cesta, const tVolbyTabulky& volby) : nazev_(cesta) {
    Otevri(cesta);
    Rozpoznej(volby);
}

void tRadkySouboru::Rozpoznej(const tVolbyTabulky& volby) {
    druh_ = RozpoznejDruh(soubor_.Fd(), nazev_, volby);
    if (druh_.Sada != tZnakovaSada::Utf8 || druh_.Format != tFormatTabulky::Tsv)
        jinak_ = std::make_unique<tRadkyCsv>(soubor_.Fd(), druh_, nazev_);
}

long long tRadkySouboru::Precteno() const {
    if (jinak_)
        return jinak_->Precteno();
    return std::max<long long>(::lseek(soubor_.Fd(), 0, SEEK_CUR), 0);
}

void tRadkySouboru::Otevri(const std::string& cesta) {
    const bool vstup = cesta == "-";
    if (vstup)
        nazev_ = "(standardní vstup)";
    const int fd = vstup ? ::dup(STDIN_FILENO) : ::open(cesta.c_str(), O_RDONLY | O_CLOEXEC);
    soubor_ = tDeskriptor(fd);
    if (!soubor_.Otevreny())
        throw eSouborTabulky(ChybaOtevreni(nazev_));
    if (::lseek(soubor_.Fd(), 0, SEEK_CUR) >= 0)
        return;
    // A pipe is read once: keep a copy to read it again, up to the NUL where the text ends.
    tDeskriptor kopie = DocasnySoubor();
    if (!kopie.Otevreny())
        ChybaKopie(errno);
    std::string blok(VelikostBloku, '\0');
    for (;;) {
        const ssize_t precteno = PrectiKus(soubor_.Fd(), blok.data(), blok.size());
        if (precteno < 0)
            ChybaCteni(errno);
        const std::string_view kus(blok.data(), static_cast<size_t>(precteno));
        const size_t nula = kus.find('\0');
        if (const int chyba = ZapisVse(kopie.Fd(), kus.substr(0, nula)); chyba != 0)
            ChybaKopie(chyba);
        if (precteno == 0 || nula != std::string_view::npos)
            break;
    }
    soubor_ = std::move(kopie);
}

tRadkySouboru::tRadkySouboru(tDeskriptor soubor, std::string nazev, const tVolbyTabulky& volby)
    : nazev_(std::move(nazev)), soubor_(std::move(soubor)) {
    if (::lseek(soubor_.Fd(), 0, SEEK_CUR) < 0)
        ChybaCteni(errno);
    Rozpoznej(volby);
}

void tRadkySouboru::ChybaKopie(int kod) const {
    // Not the input's fault: the temporary folder is full or cannot be written.
    throw eSouborTabulky("Dočasnou kopii souboru " + nazev_ +
                         " nelze zapsat: " + std::strerror(kod) + " (" + std::to_string(kod) + ")");
}

void tRadkySouboru::ChybaCteni(int kod) const {
    throw eSouborTabulky("Soubor " + nazev_ + " nelze přečíst (" + std::to_string(kod) + ")");
}

void tRadkySouboru::NaZacatek() {
    if (jinak_)
        return jinak_->NaZacatek();
    if (::lseek(soubor_.Fd(), 0, SEEK_SET) < 0)
        ChybaCteni(errno);
    blok_.clear();
    pozice_ = 0;
    konec_ = false;
    zacatek_ = true;
    cislo_ = 0;
    rozdeleno_ = false;
}

bool tRadkySouboru::Dopln() {
    if (konec_)
        return false;
    blok_.erase(0, pozice_);
    pozice_ = 0;
    const size_t bylo = blok_.size();
    blok_.resize(bylo + VelikostBloku);
    const ssize_t precteno = PrectiKus(soubor_.Fd(), blok_.data() + bylo, VelikostBloku);
    if (precteno < 0)
        ChybaCteni(errno);
    blok_.resize(bylo + static_cast<size_t>(precteno));
    // The text ends at its first NUL, as the clipboard's does.
    if (const size_t nul = blok_.find('\0', bylo); nul != std::string::npos) {
        blok_.resize(nul);
        konec_ = true;
    }
    if (precteno == 0)
        konec_ = true;
    return blok_.size() > bylo;
}

bool tRadkySouboru::Dalsi() {
    if (jinak_)
        return jinak_->Dalsi();
    // The line runs to the next CR or LF, or to the end of the text.
    size_t konecRadku = pozice_;
    for (;;) {
        konecRadku = KonecRadku(blok_, konecRadku);
        if (konecRadku < blok_.size())
            break;
        konecRadku -= pozice_; // where the search goes on once the block is refilled
        if (konecRadku > NejdelsiRadek)
            throw eSouborTabulky("Řádek " + std::to_string(cislo_ + 1) + " souboru " + nazev_ +
                                 " je delší než 8 MiB");
        if (!Dopln()) {
            konecRadku = blok_.size();
            break;
        }
    }
    if (zacatek_) {
        zacatek_ = false;
        // A byte-order mark that some programs put before UTF-8 text is no cell text.
        if (std::string_view(blok_).substr(pozice_).starts_with("\xEF\xBB\xBF")) {
            pozice_ += 3;
            konecRadku = std::max(konecRadku, pozice_);
        }
    }
    if (pozice_ >= blok_.size() && konec_)
        return false;

    // Kept as read: a run's first pass wants only the count cell of each row.
    surovy_.assign(blok_, pozice_, konecRadku - pozice_);
    ++cislo_;
    rozdeleno_ = false;
    // After a line: one CR if it follows, then one LF if it follows.
    pozice_ = konecRadku;
    if (pozice_ < blok_.size() && blok_[pozice_] == '\r') {
        ++pozice_;
        if (pozice_ == blok_.size())
            Dopln();
    }
    if (pozice_ < blok_.size() && blok_[pozice_] == '\n')
        ++pozice_;
    return true;
}

std::string_view tRadkySouboru::Bunka(int sloupec) const {
    if (jinak_)
        return jinak_->Bunka(sloupec);
    if (sloupec < 0)
        return {};
    if (sloupec == 0) {
        bunka_ = CisloNaText(cislo_);
        return bunka_;
    }
    // Piece sloupec of the line, found before it is converted: TAB is TAB in both sets.
    bunka_.clear();
    PridejZUtf8(bunka_, KusRadku(surovy_, sloupec));
    return bunka_;
}

void tRadkySouboru::Bunky(std::vector<std::string_view>& cil, size_t kolik) const {
    if (jinak_)
        return jinak_->Bunky(cil, kolik);
    if (!rozdeleno_ || rozdelenoKolik_ != kolik) {
        // Only the pieces asked for are converted and listed.
        size_t konec = 0; // the raw text of pieces 1 to kolik - 1
        if (kolik > 1) {
            konec = std::string::npos;
            for (size_t k = 1, od = 0; k < kolik; ++k) {
                const size_t tab = surovy_.find('\t', od);
                if (tab == std::string::npos)
                    break;
                if (k + 1 == kolik)
                    konec = tab;
                od = tab + 1;
            }
        }
        radek_.clear();
        PridejZUtf8(radek_, std::string_view(surovy_).substr(0, konec));
        cisloText_ = CisloNaText(cislo_);
        bunky_.clear();
        bunky_.push_back(cisloText_);
        const std::string_view radek(radek_);
        for (size_t od = 0; kolik > 1 && bunky_.size() < kolik;) {
            const size_t tab = radek.find('\t', od);
            bunky_.push_back(radek.substr(od, tab == std::string_view::npos ? tab : tab - od));
            if (tab == std::string_view::npos)
                break;
            od = tab + 1;
        }
        rozdeleno_ = true;
        rozdelenoKolik_ = kolik;
    }
    cil.assign(bunky_.begin(), bunky_.end());
}
