#include "output/RadkyNapred.h"

#include <algorithm>
#include <utility>

namespace {

// A batch: enough rows to make handing over cheap, few enough to stay small in memory.
constexpr size_t BajtuDavky = size_t{256} * 1024;
constexpr size_t RadkuDavky = 4096;

} // namespace

tRadkyNapred::tRadkyNapred(tZdrojRadku& zdroj, size_t sloupcu) : zdroj_(zdroj), sloupcu_(sloupcu) {
    davka_.posledni = true; // nothing before NaZacatek
}

tRadkyNapred::~tRadkyNapred() {
    Zastav();
}

void tRadkyNapred::Zastav() {
    if (!vlakno_.joinable())
        return;
    {
        const std::lock_guard zamek(zamek_);
        zastavit_ = true;
    }
    zmena_.notify_all();
    vlakno_.join();
}

void tRadkyNapred::NaZacatek() {
    Zastav();
    zastavit_ = false;
    predana_.reset();
    vracena_.reset();
    davka_ = {};
    radek_ = 0;
    vlakno_ = std::thread([this] { Cti(); });
}

bool tRadkyNapred::Predej(tDavka& davka) {
    std::unique_lock zamek(zamek_);
    zmena_.wait(zamek, [this] { return !predana_ || zastavit_; });
    if (zastavit_)
        return false;
    predana_ = std::move(davka);
    zamek.unlock();
    zmena_.notify_all();
    return true;
}

// Refilling a batch keeps its memory: a new one would be zeroed by the system and grown
// by copies, page by page, for every 256 KiB of the table.
tRadkyNapred::tDavka tRadkyNapred::Prazdna() {
    tDavka davka;
    {
        const std::lock_guard zamek(zamek_);
        if (vracena_)
            davka = std::move(*vracena_);
        vracena_.reset();
    }
    // One that a long row made large goes, so that memory stays that of a usual batch.
    if (davka.bajty.capacity() > 2 * BajtuDavky)
        davka = {};
    davka.bajty.clear();
    davka.konce.clear();
    davka.radky.clear();
    davka.posledni = false;
    davka.chyba = nullptr;
    davka.bajty.reserve(BajtuDavky + BajtuDavky / 4);
    return davka;
}

void tRadkyNapred::Cti() {
    std::vector<std::string_view> bunky;
    tDavka davka = Prazdna();
    try {
        zdroj_.NaZacatek();
        for (bool dalsi = true; dalsi;) {
            while (davka.bajty.size() < BajtuDavky && davka.radky.size() < RadkuDavky &&
                   (dalsi = zdroj_.Dalsi())) {
                zdroj_.Bunky(bunky, sloupcu_);
                davka.radky.push_back(davka.konce.size());
                for (const std::string_view bunka : bunky) {
                    davka.bajty += bunka;
                    davka.konce.push_back(davka.bajty.size());
                }
            }
            davka.posledni = !dalsi;
            if (!Predej(davka))
                return;
            davka = Prazdna();
        }
    } catch (...) {
        // The rows read before the error go first, as the source would give them.
        davka.chyba = std::current_exception();
        davka.posledni = true;
        Predej(davka);
    }
}

bool tRadkyNapred::Dalsi() {
    while (radek_ >= davka_.radky.size()) {
        if (davka_.chyba)
            std::rethrow_exception(davka_.chyba);
        if (davka_.posledni)
            return false;
        std::unique_lock zamek(zamek_);
        zmena_.wait(zamek, [this] { return predana_.has_value(); });
        std::swap(davka_, *predana_);
        vracena_ = std::move(predana_);
        predana_.reset();
        zamek.unlock();
        zmena_.notify_all();
        radek_ = 0;
    }
    ++radek_;
    return true;
}

size_t tRadkyNapred::Bunek() const {
    if (radek_ == 0 || radek_ > davka_.radky.size())
        return 0;
    const size_t konec = radek_ < davka_.radky.size() ? davka_.radky[radek_] : davka_.konce.size();
    return konec - davka_.radky[radek_ - 1];
}

std::string_view tRadkyNapred::Bunka(int sloupec) const {
    if (sloupec < 0 || static_cast<size_t>(sloupec) >= Bunek())
        return {};
    const size_t i = davka_.radky[radek_ - 1] + static_cast<size_t>(sloupec);
    const size_t od = i == 0 ? 0 : davka_.konce[i - 1];
    return std::string_view(davka_.bajty).substr(od, davka_.konce[i] - od);
}

void tRadkyNapred::Bunky(std::vector<std::string_view>& cil, size_t kolik) const {
    cil.clear();
    const size_t bunek = std::min(Bunek(), kolik);
    if (bunek == 0)
        return;
    // The row's cells lie one after another: each starts where the one before ends.
    const size_t prvni = davka_.radky[radek_ - 1];
    size_t od = prvni == 0 ? 0 : davka_.konce[prvni - 1];
    for (size_t c = prvni; c < prvni + bunek; ++c) {
        cil.emplace_back(davka_.bajty.data() + od, davka_.konce[c] - od);
        od = davka_.konce[c];
    }
}
