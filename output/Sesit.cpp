#include "output/Sesit.h"

#include "core/Soubory.h"
#include "output/RadkyCsv.h"

#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <map>

#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

namespace {

constexpr std::string_view PodpisZip = "PK\x03\x04";
constexpr std::string_view PodpisPrazdnehoZip = "PK\x05\x06";
constexpr std::string_view PodpisOle = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

uint32_t Le(const unsigned char* p, int bajtu) {
    uint32_t v = 0;
    for (int i = bajtu; i-- > 0;)
        v = (v << 8) | p[i];
    return v;
}

// The archive read through fd with pread, for the zip library.
class tProudFd : public orcus::zip_archive_stream {
public:
    tProudFd(int fd, size_t velikost) : fd_(fd), velikost_(velikost) {}
    size_t size() const override { return velikost_; }
    size_t tell() const override { return pozice_; }
    void seek(size_t pozice) override {
        if (pozice > velikost_)
            throw orcus::zip_error("seek beyond the end");
        pozice_ = pozice;
    }
    void read(unsigned char* kam, size_t kolik) const override {
        if (kolik > velikost_ - std::min(pozice_, velikost_))
            throw orcus::zip_error("read beyond the end");
        size_t precteno = 0;
        while (precteno < kolik) {
            const ssize_t n = PrectiKusOd(fd_, kam + precteno, kolik - precteno,
                                          static_cast<off_t>(pozice_ + precteno));
            if (n <= 0)
                throw orcus::zip_error("read error");
            precteno += static_cast<size_t>(n);
        }
    }

private:
    int fd_;
    size_t velikost_;
    size_t pozice_ = 0;
};

// What the archive's central directory and each part's local header declare: the larger
// size unpacked, and whether the part is encrypted. Read before anything is unpacked, so
// that a part declaring gigabytes is refused without a byte of it.
struct tZaznam {
    uint64_t velikost = 0;
    uint32_t crc = 0;
    bool sifrovany = false;
};

std::map<std::string, tZaznam, std::less<>> Adresar(int fd, size_t velikost) {
    std::map<std::string, tZaznam, std::less<>> zaznamy;
    const size_t konecOkna = velikost;
    const size_t okno = std::min<size_t>(velikost, 65535 + 22);
    std::string konec(okno, '\0');
    if (PrectiKusOd(fd, konec.data(), okno, static_cast<off_t>(konecOkna - okno)) !=
        static_cast<ssize_t>(okno))
        return zaznamy;
    const size_t eocd = konec.rfind(PodpisPrazdnehoZip);
    if (eocd == std::string::npos || eocd + 22 > konec.size())
        return zaznamy;
    const auto* e = reinterpret_cast<const unsigned char*>(konec.data() + eocd);
    const uint32_t delka = Le(e + 12, 4), od = Le(e + 16, 4);
    if (static_cast<uint64_t>(od) + delka > velikost)
        return zaznamy;
    std::string adresar(delka, '\0');
    if (PrectiKusOd(fd, adresar.data(), delka, od) != static_cast<ssize_t>(delka))
        return zaznamy;
    const auto* p = reinterpret_cast<const unsigned char*>(adresar.data());
    for (size_t i = 0; i + 46 <= adresar.size();) {
        if (Le(p + i, 4) != 0x02014B50)
            break;
        const uint32_t priznaky = Le(p + i + 8, 2), rozbaleno = Le(p + i + 24, 4);
        const uint32_t jmeno = Le(p + i + 28, 2), navic = Le(p + i + 30, 2);
        const uint32_t poznamka = Le(p + i + 32, 2), mistni = Le(p + i + 42, 4);
        if (i + 46 + jmeno > adresar.size())
            break;
        tZaznam z;
        z.velikost = rozbaleno == 0xFFFFFFFF ? UINT64_MAX : rozbaleno; // ZIP64: too large
        z.sifrovany = (priznaky & 1) != 0;
        z.crc = Le(p + i + 16, 4);
        std::array<unsigned char, 30> hlavicka{};
        if (PrectiKusOd(fd, hlavicka.data(), hlavicka.size(), mistni) == 30 &&
            Le(hlavicka.data(), 4) == 0x04034B50)
            z.velikost = std::max<uint64_t>(z.velikost, Le(hlavicka.data() + 22, 4));
        zaznamy[std::string(adresar.substr(i + 46, jmeno))] = z;
        i += 46 + jmeno + navic + poznamka;
    }
    return zaznamy;
}

// Whether the compound document names the stream jmeno (its directory holds the names in
// UTF-16 LE).
bool MaProud(int fd, size_t velikost, std::string_view jmeno) {
    std::string hledany;
    for (char c : jmeno) {
        hledany += c;
        hledany += '\0';
    }
    constexpr size_t Blok = size_t{1} << 20;
    std::string blok(Blok + hledany.size(), '\0');
    for (size_t od = 0; od < velikost && od < size_t{64} << 20; od += Blok) {
        const ssize_t n = PrectiKusOd(fd, blok.data(), blok.size(), static_cast<off_t>(od));
        if (n <= 0)
            break;
        if (std::string_view(blok.data(), static_cast<size_t>(n)).find(hledany) !=
            std::string_view::npos)
            return true;
    }
    return false;
}

} // namespace

void ChybaSesitu(const std::string& nazev, std::string_view co) {
    throw eSouborTabulky("Soubor " + nazev + " " + std::string(co));
}

bool JeSesit(int fd, std::string_view nazev) {
    std::array<char, 8> zacatek{};
    const ssize_t n = PrectiKusOd(fd, zacatek.data(), zacatek.size(), 0);
    const std::string_view z(zacatek.data(), static_cast<size_t>(std::max<ssize_t>(n, 0)));
    return z.starts_with(PodpisZip) || z.starts_with(PodpisPrazdnehoZip) ||
           z.starts_with(PodpisOle) || KonciNa(nazev, ".xlsx") || KonciNa(nazev, ".xlsm") ||
           KonciNa(nazev, ".ods") || KonciNa(nazev, ".xls");
}

struct tArchivSesitu::tStav {
    std::unique_ptr<tProudFd> proud;
    std::unique_ptr<orcus::zip_archive> archiv;
    std::map<std::string, tZaznam, std::less<>> adresar;
};

tArchivSesitu::tArchivSesitu(int fd, std::string nazev)
    : nazev_(std::move(nazev)), stav_(std::make_unique<tStav>()) {
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        ChybaSesitu(nazev_, "nelze přečíst (" + std::to_string(errno) + ")");
    velikost_ = st.st_size;
    const auto velikost = static_cast<size_t>(st.st_size);
    std::array<char, 8> zacatek{};
    const ssize_t n = PrectiKusOd(fd, zacatek.data(), zacatek.size(), 0);
    const std::string_view z(zacatek.data(), static_cast<size_t>(std::max<ssize_t>(n, 0)));
    if (z.starts_with(PodpisOle)) {
        // An encrypted .xlsx is a compound document holding the encrypted package.
        if (MaProud(fd, velikost, "EncryptedPackage") || MaProud(fd, velikost, "EncryptionInfo"))
            ChybaSesitu(nazev_, "je sešit chráněný heslem; uložte jej bez hesla");
        ChybaSesitu(nazev_, "je sešit ve starém formátu .xls; uložte jej jako .xlsx nebo .ods");
    }
    if (!z.starts_with(PodpisZip) && !z.starts_with(PodpisPrazdnehoZip))
        ChybaSesitu(nazev_, "není sešit .xlsx ani .ods");
    stav_->adresar = Adresar(fd, velikost);
    if (stav_->adresar.empty())
        ChybaSesitu(nazev_, "je poškozený nebo neúplný sešit (archiv ZIP bez obsahu)");
    stav_->proud = std::make_unique<tProudFd>(fd, velikost);
    try {
        stav_->archiv = std::make_unique<orcus::zip_archive>(stav_->proud.get());
        stav_->archiv->load();
    } catch (const std::exception& e) {
        ChybaSesitu(nazev_, std::string("je poškozený nebo neúplný sešit (") + e.what() + ")");
    }
}

tArchivSesitu::~tArchivSesitu() = default;

bool tArchivSesitu::Obsahuje(std::string_view cast) const {
    return stav_->adresar.find(cast) != stav_->adresar.end();
}

std::vector<unsigned char> tArchivSesitu::Cast(std::string_view cast, bool povinna) const {
    const auto z = stav_->adresar.find(cast);
    if (z == stav_->adresar.end()) {
        if (!povinna)
            return {};
        ChybaSesitu(nazev_, "není sešit .xlsx ani .ods (chybí v něm " + std::string(cast) + ")");
    }
    if (z->second.sifrovany)
        ChybaSesitu(nazev_, "je sešit chráněný heslem; uložte jej bez hesla");
    if (z->second.velikost > NejvetsiCastSesitu)
        ChybaSesitu(nazev_, "je po rozbalení příliš velký: " + std::string(cast) + " má " +
                                std::to_string(z->second.velikost >> 20) + " MiB, nejvýš " +
                                std::to_string(NejvetsiCastSesitu >> 20) + " MiB");
    std::vector<unsigned char> data;
    try {
        if (!stav_->archiv->read_file_entry(cast, data))
            throw orcus::zip_error("cannot unpack " + std::string(cast));
    } catch (const std::exception& e) {
        ChybaSesitu(nazev_, std::string("je poškozený nebo neúplný sešit (") + e.what() + ")");
    }
    if (data.size() > NejvetsiCastSesitu)
        ChybaSesitu(nazev_, "je po rozbalení příliš velký");
    // The library ends what it unpacks with a NUL of its own; no part of a workbook does.
    if (!data.empty() && data.back() == 0)
        data.pop_back();
    // A part whose sizes lie unpacks cut short, or into the next bytes: its checksum tells.
    if (::crc32(0, data.data(), static_cast<uInt>(data.size())) != z->second.crc)
        ChybaSesitu(nazev_, "je poškozený sešit (" + std::string(cast) +
                                " neodpovídá svému kontrolnímu součtu)");
    return data;
}
