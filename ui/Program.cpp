#include "ui/Program.h"

#include "core/Nastaveni.h"
#include "core/UNI.h"
#include "core/Umisteni.h"
#include "ui/Chyby.h"
#include "ui/MainForm.h"
#include "ui/Napoveda.h"
#include "ui/Oznameni.h"
#include "ui/Sestaveni.h"
#include "ui/SignalyUkonceni.h"
#include "ui/SledovaniNaPozadi.h"

#include <QApplication>
#include <QSessionManager>
#include <QTimer>

#include <chrono>
#include <utility>

namespace {
constexpr std::chrono::seconds LhutaKonce{5};
} // namespace

int SpustProgram(const std::string& adresar, const std::function<void(TMainForm&)>& poZobrazeni,
                 tVyberyStrany vybery) {
    const tUmisteni umisteni =
        NajdiUmisteni(adresar, KonfiguraceUzivatele(), adresar + DataOdProgramu);
    tUlozisteNastaveni uloziste(umisteni.Nastaveni);
    tNastaveni nactene;
    try {
        nactene = uloziste.Nacti();
    } catch (...) {
        UkazChybu(std::current_exception());
        return 1;
    }
    tStav stav = nactene.Stav;

    const tNapoveda napoveda(umisteni.Napoveda);

    TMainForm okno(stav, uloziste, nactene.Rucni, {.Dokonceni = true, .Vybery = std::move(vybery)});
    okno.Sledovani().NaUdalost = Oznam;
    // The window closed and saved: the program ends, also when a run or a dialog was open.
    QObject::connect(
        &okno, &TMainForm::Zavreno, qApp,
        [](bool ulozeno) { QCoreApplication::exit(ulozeno ? 0 : 1); }, Qt::QueuedConnection);
    // Logout and the termination signals close the window as the user would: it saves. What
    // still waits then (an error box) does not keep a session or service manager waiting: the
    // program ends on the second signal, or a few seconds after the first.
    int signalu = 0;
    TSignalyUkonceni signaly([&okno, &signalu] {
        if (++signalu > 1) {
            QCoreApplication::exit(1);
            return;
        }
        QTimer::singleShot(LhutaKonce, qApp, [] { QCoreApplication::exit(1); });
        okno.close();
    });
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &okno,
                     [&okno](QSessionManager&) { okno.close(); });
    okno.show();
    if (poZobrazeni)
        poZobrazeni(okno);
    return QApplication::exec();
}
