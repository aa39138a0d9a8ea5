#include "ui/SledovaniNaPozadi.h"

#include "output/Spojeni.h"
#include "output/SpravaUloh.h"

#include <QMetaObject>

#include <condition_variable>
#include <mutex>
#include <stop_token>
#include <thread>
#include <utility>

// What the UI thread and the follower's thread share.
struct TSledovaniNaPozadi::tSdilene {
    std::mutex zamek;
    std::condition_variable_any zmena;
    std::vector<std::function<void(tSledovaniUloh&)>> prikazy; // quick, never ask the server
    std::vector<std::function<void()>> ukoly;                  // ask the server
    int kol = 0;
    // Cut when a task comes while a round asks the server (the user waits for the task), and
    // for good when the object goes.
    tOdriznuti odriznuti;
    tDotazyNaUlohy dotazy{&odriznuti};
    tSledovaniUloh sledovani;
    std::jthread vlakno; // last: it goes first, while what it uses is still there

    tSdilene(const tOtazky& otazky, std::chrono::seconds nedostupnaPo)
        : sledovani(
              otazky.Zjisti ? otazky.Zjisti(odriznuti)
                            : tZjistiUlohu([this](int id, tTermin termin) {
                                  return dotazy.Uloha(id, termin);
                              }),
              otazky.Vypis
                  ? otazky.Vypis(odriznuti)
                  : tVypisFrontu([this](const std::string& f, const tDotazFronty& d,
                                        tTermin termin) { return dotazy.Fronta(f, d, termin); }),
              [this](int id, tTermin) { ZrusUlohu(id, &odriznuti); }, nedostupnaPo) {}
};

TSledovaniNaPozadi::TSledovaniNaPozadi(QObject* rodic, const tOtazky& otazky,
                                       std::chrono::seconds nedostupnaPo)
    : QObject(rodic), s_(std::make_unique<tSdilene>(otazky, nedostupnaPo)) {
    s_->vlakno = std::jthread([this](const std::stop_token& stop) { Bez(stop); });
}

TSledovaniNaPozadi::~TSledovaniNaPozadi() {
    s_->vlakno.request_stop(); // its stop callback cuts the question in flight off
    s_->vlakno.join();
}

int TSledovaniNaPozadi::Kol() const {
    const std::lock_guard z(s_->zamek);
    return s_->kol;
}

// Queued onto this object's thread; the object outlives the follower's thread, so the
// pointer is good whenever the call runs before the object goes, and Qt drops it after.
void TSledovaniNaPozadi::Posli(std::function<void(TSledovaniNaPozadi&)> akce) {
    QMetaObject::invokeMethod(this, [this, akce = std::move(akce)] { akce(*this); });
}

// The thread: applies the commands, runs the tasks, asks a round a second while there is
// work, sleeps else.
void TSledovaniNaPozadi::Bez(const std::stop_token& stop) {
    using tHodiny = tSledovaniUloh::tHodiny;
    tSdilene& s = *s_;
    const std::stop_callback odriznout(stop, [&s] { s.odriznuti.Odrizni(); });
    auto dalsiKolo = tHodiny::now();
    const auto neco = [&s] { return !s.prikazy.empty() || !s.ukoly.empty(); };
    std::unique_lock z(s.zamek);
    while (!stop.stop_requested()) {
        for (auto& p : std::exchange(s.prikazy, {}))
            p(s.sledovani); // under the lock: commands are quick and never ask the server
        if (!s.ukoly.empty()) {
            auto ukoly = std::exchange(s.ukoly, {});
            s.odriznuti.Spoj(); // a round cut off for them is over
            if (stop.stop_requested())
                s.odriznuti.Odrizni(); // unless the object goes meanwhile
            z.unlock();
            for (auto& u : ukoly)
                u();
            z.lock();
            continue;
        }
        if (!s.prikazy.empty())
            continue;
        if (!s.sledovani.MaPraci()) {
            s.zmena.wait(z, stop, neco);
            continue;
        }
        if (tHodiny::now() < dalsiKolo) {
            s.zmena.wait_until(z, stop, dalsiKolo, neco);
            continue;
        }
        dalsiKolo = tHodiny::now() + OdstupDotazu;
        ++s.kol;
        // The round asks the server without the lock, so that the UI thread never waits.
        z.unlock();
        auto kolo = std::make_shared<tSledovaniUloh::tKolo>(s.sledovani.Kolo(tHodiny::now()));
        z.lock();
        if (stop.stop_requested() || !s.ukoly.empty())
            continue; // cut off: its answers are no answers
        Posli([kolo](TSledovaniNaPozadi& ja) {
            if (kolo->Seznam && ja.NaSeznam)
                ja.NaSeznam(*kolo->Seznam);
            if (ja.NaUdalost)
                for (const tUdalost& u : kolo->Udalosti)
                    ja.NaUdalost(u);
            if (ja.NaChybu)
                ja.NaChybu(kolo->Chyba);
        });
    }
}

void TSledovaniNaPozadi::Ukol(std::function<void()> ukol) {
    {
        const std::lock_guard z(s_->zamek);
        s_->ukoly.push_back(std::move(ukol));
        s_->odriznuti.Odrizni(); // a round under way ends now
    }
    s_->zmena.notify_all();
}

void TSledovaniNaPozadi::Prikaz(std::function<void(tSledovaniUloh&)> prikaz) {
    {
        const std::lock_guard z(s_->zamek);
        s_->prikazy.push_back(std::move(prikaz));
    }
    s_->zmena.notify_all();
}

namespace {

// The operation's error, or none, for the UI thread.
std::exception_ptr Chyba(const std::function<void()>& operace) {
    try {
        operace();
    } catch (...) {
        return std::current_exception();
    }
    return nullptr;
}

} // namespace

void TSledovaniNaPozadi::Zrus(int id, std::function<void(std::exception_ptr)> hotovo) {
    const auto ted = tSledovaniUloh::tHodiny::now();
    Prikaz([id, ted](tSledovaniUloh& s) { s.ZrusenaNami(id, ted); });
    Ukol([this, id, hotovo = std::move(hotovo)] {
        const std::exception_ptr chyba = Chyba([this, id] { ZrusUlohu(id, &s_->odriznuti); });
        Posli([hotovo, chyba](TSledovaniNaPozadi& ja) {
            hotovo(chyba);
            ja.Obnov();
        });
    });
}

void TSledovaniNaPozadi::Zastavena(int id, bool vytiskne) {
    const auto ted = tSledovaniUloh::tHodiny::now();
    Prikaz([id, ted, vytiskne](tSledovaniUloh& s) {
        if (vytiskne)
            s.Nezrusena(id, ted);
        else
            s.Zastavena(id, ted);
    });
}

void TSledovaniNaPozadi::VytiskniZnovu(int id, std::function<void(std::exception_ptr)> hotovo) {
    Ukol([this, id, hotovo = std::move(hotovo)] {
        const std::exception_ptr chyba = Chyba([this, id] { ::VytiskniZnovu(id, &s_->odriznuti); });
        Posli([hotovo, chyba, id](TSledovaniNaPozadi& ja) {
            hotovo(chyba);
            if (!chyba)
                ja.Sleduj(id); // printing anew: followed like a job of this session
            ja.Obnov();
        });
    });
}

void TSledovaniNaPozadi::Sleduj(int id) {
    const auto ted = tSledovaniUloh::tHodiny::now();
    Prikaz([id, ted](tSledovaniUloh& s) { s.Sleduj(id, ted); });
}

void TSledovaniNaPozadi::Seznam(const std::vector<std::string>& fronty) {
    Prikaz([fronty](tSledovaniUloh& s) { s.Seznam(fronty); });
}

void TSledovaniNaPozadi::Obnov() {
    Prikaz([](tSledovaniUloh& s) { s.Obnov(); });
}
