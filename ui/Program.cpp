#include "ui/Program.h"

#include "core/Nastaveni.h"
#include "core/PriKonci.h"
#include "core/UNI.h"
#include "core/Umisteni.h"
#include "ui/Chyby.h"
#include "ui/MainForm.h"
#include "ui/Napoveda.h"
#include "ui/Sestaveni.h"
#include "ui/SignalyUkonceni.h"
#include "ui/VytistenoForm.h"

#include <QApplication>
#include <QSessionManager>

int SpustProgram(const std::string& adresar, const std::function<void(TMainForm&)>& poZobrazeni) {
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

    SpustNapovedu(umisteni.Napoveda);
    tPriKonci uklid([] { UkonciNapovedu(); });

    TMainForm okno(stav, uloziste, nactene.Rucni);
    okno.NastavVytisteno(new TVytistenoForm(&okno)); // lives as long as the window
    // The window closed and saved: the program ends, also when a run or a dialog was open.
    QObject::connect(
        &okno, &TMainForm::Zavreno, qApp,
        [](bool ulozeno) { QCoreApplication::exit(ulozeno ? 0 : 1); }, Qt::QueuedConnection);
    // Logout and the termination signals close the window as the user would: it saves.
    TSignalyUkonceni signaly([&okno] { okno.close(); });
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &okno,
                     [&okno](QSessionManager&) { okno.close(); });
    okno.show();
    if (poZobrazeni)
        poZobrazeni(okno);
    return QApplication::exec();
}
