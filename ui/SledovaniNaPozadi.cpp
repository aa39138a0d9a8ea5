#include "ui/SledovaniNaPozadi.h"

#include "output/SpravaUloh.h"

#include <QMetaObject>
#include <QPointer>

#include <condition_variable>
#include <mutex>
#include <thread>

// What the UI thread and the follower's thread share; the thread keeps it alive after the
// object is gone, until its last question is answered.
struct TSledovaniUloh::tSdilene {
    std::mutex zamek;
    std::condition_variable zmena;
    std::vector<std::function<void(tSledovac&)>> prikazy; // quick, never ask the server
    std::vector<std::function<void(tSdilene&)>> ukoly;    // ask the server
    QObject* prijemce = nullptr; // none once the object is gone: nothing more is posted
    bool konec = false;
    bool bezi = false;
    int kol = 0;
    tSledovac sledovac;

    tSdilene(tZjistiUlohu zjisti, tVypisFrontu vypis, std::chrono::seconds nedostupnaPo)
        : sledovac(std::move(zjisti), std::move(vypis), nedostupnaPo) {}
};

TSledovaniUloh::TSledovaniUloh(QObject* rodic, tZjistiUlohu zjisti, tVypisFrontu vypis,
                               std::chrono::seconds nedostupnaPo)
    : QObject(rodic),
      s_(std::make_shared<tSdilene>(std::move(zjisti), std::move(vypis), nedostupnaPo)) {
    s_->prijemce = this;
}

TSledovaniUloh::~TSledovaniUloh() {
    {
        const std::lock_guard z(s_->zamek);
        s_->prijemce = nullptr;
        s_->konec = true;
    }
    s_->zmena.notify_all();
}

int TSledovaniUloh::Kol() const {
    const std::lock_guard z(s_->zamek);
    return s_->kol;
}

void TSledovaniUloh::Posli(tSdilene& s, std::function<void(TSledovaniUloh&)> akce) {
    const std::lock_guard z(s.zamek);
    if (s.prijemce == nullptr)
        return;
    auto* ja = static_cast<TSledovaniUloh*>(s.prijemce);
    QMetaObject::invokeMethod(ja, [ja, akce = std::move(akce)] { akce(*ja); });
}

// The thread: applies the commands, asks once a second while there is work, sleeps else.
void TSledovaniUloh::Bez(const std::shared_ptr<tSdilene>& s) {
    using tHodiny = tSledovac::tHodiny;
    auto dalsiKolo = tHodiny::now();
    std::unique_lock z(s->zamek);
    for (;;) {
        auto prikazy = std::move(s->prikazy);
        s->prikazy.clear();
        for (auto& p : prikazy)
            p(s->sledovac); // under the lock: commands are quick and never ask the server
        if (s->konec)
            return;
        if (!s->prikazy.empty())
            continue;
        if (!s->ukoly.empty()) {
            auto ukoly = std::move(s->ukoly);
            s->ukoly.clear();
            z.unlock();
            for (auto& u : ukoly)
                u(*s);
            z.lock();
            continue;
        }
        if (!s->sledovac.MaPraci()) {
            s->zmena.wait(z, [&] { return s->konec || !s->prikazy.empty() || !s->ukoly.empty(); });
            continue;
        }
        if (tHodiny::now() < dalsiKolo) {
            s->zmena.wait_until(
                z, dalsiKolo, [&] { return s->konec || !s->prikazy.empty() || !s->ukoly.empty(); });
            continue;
        }
        dalsiKolo = tHodiny::now() + OdstupDotazu;
        ++s->kol;
        // The round asks the server without the lock, so that the UI thread never waits.
        tSledovac& sledovac = s->sledovac;
        z.unlock();
        auto kolo = std::make_shared<tSledovac::tKolo>(sledovac.Kolo(tHodiny::now()));
        Posli(*s, [kolo](TSledovaniUloh& ja) {
            if (kolo->Seznam && ja.NaSeznam)
                ja.NaSeznam(*kolo->Seznam);
            if (ja.NaUdalost)
                for (const tUdalost& u : kolo->Udalosti)
                    ja.NaUdalost(u);
            if (ja.NaChybu)
                ja.NaChybu(kolo->Chyba);
        });
        z.lock();
    }
}

void TSledovaniUloh::Ukol(std::function<void(tSdilene&)> ukol) {
    bool spustit = false;
    {
        const std::lock_guard z(s_->zamek);
        s_->ukoly.push_back(std::move(ukol));
        spustit = !s_->bezi;
        s_->bezi = true;
    }
    Probud(spustit);
}

void TSledovaniUloh::Probud(bool spustit) {
    if (spustit)
        std::thread([s = s_] { Bez(s); }).detach();
    else
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

void TSledovaniUloh::Zrus(int id, std::function<void(std::exception_ptr)> hotovo) {
    Prikaz([id](tSledovac& s) { s.ZrusenaNami(id); });
    Ukol([id, hotovo = std::move(hotovo)](tSdilene& s) {
        const std::exception_ptr chyba = Chyba([id] { ZrusUlohu(id); });
        Posli(s, [hotovo, chyba](TSledovaniUloh& ja) {
            hotovo(chyba);
            ja.Obnov();
        });
    });
}

void TSledovaniUloh::VytiskniZnovu(int id, std::function<void(std::exception_ptr)> hotovo) {
    Ukol([id, hotovo = std::move(hotovo)](tSdilene& s) {
        const std::exception_ptr chyba = Chyba([id] { ::VytiskniZnovu(id); });
        Posli(s, [hotovo, chyba, id](TSledovaniUloh& ja) {
            hotovo(chyba);
            if (!chyba)
                ja.Sleduj(id); // printing anew: followed like a job of this session
            ja.Obnov();
        });
    });
}

void TSledovaniUloh::Prikaz(std::function<void(tSledovac&)> prikaz) {
    bool spustit = false;
    {
        const std::lock_guard z(s_->zamek);
        s_->prikazy.push_back(std::move(prikaz));
        spustit = !s_->bezi;
        s_->bezi = true;
    }
    Probud(spustit);
}

void TSledovaniUloh::Sleduj(int id) {
    const auto ted = tSledovac::tHodiny::now();
    Prikaz([id, ted](tSledovac& s) { s.Sleduj(id, ted); });
}

void TSledovaniUloh::Seznam(const std::vector<std::string>& fronty) {
    Prikaz([fronty](tSledovac& s) { s.Seznam(fronty); });
}

void TSledovaniUloh::Obnov() {
    Prikaz([](tSledovac& s) { s.Obnov(); });
}
