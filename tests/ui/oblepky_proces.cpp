// The program as a real process for tests that signal it or run two copies: the program's own
// run on a folder given as argument, with one action a user would do once the window is up.
//
//   oblepky_proces FOLDER pis|vyber|prejmenuj
//
// "pis" types a manual value, "vyber" picks layout 3 with the keyboard, "prejmenuj" renames
// layout 1 to "A" in the settings dialog and confirms it. Then it prints "pripraveno".

#include "tests/ui/PrvkyOkna.h"
#include "ui/Chyby.h"
#include "ui/MainForm.h"
#include "ui/NastaveniOblepkyForm.h"
#include "ui/NastaveniOblepkyFrame.h"
#include "ui/Program.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "tests/ui/Modalni.h"

#include <cstdio>

int main(int argc, char** argv) {
    TAplikace aplikace(argc, argv);
    if (argc != 3)
        return 2;
    const QString akce = QString::fromLocal8Bit(argv[2]);
    // No print server here: the printer list's error must not wait in a box.
    const tChybovaOkna chybovaOkna(
        [](const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); });
    return SpustProgram(std::string(argv[1]) + "/", [&akce](TMainForm& okno) {
        const tPrvkyOkna p(okno);
        if (akce == QLatin1String("pis")) {
            p.eRucne->item(0, 1)->setText(QStringLiteral("Napsáno"));
        } else if (akce == QLatin1String("vyber")) {
            p.eOblepkyVyber->setFocus();
            QTest::keyClick(p.eOblepkyVyber, Qt::Key_Down);
            QTest::keyClick(p.eOblepkyVyber, Qt::Key_Down);
        } else if (akce == QLatin1String("prejmenuj")) {
            PriModalnim([](QWidget* w) {
                auto* dialog = qobject_cast<TNastaveniOblepkyForm*>(w);
                if (!dialog)
                    return;
                dialog->Eti[0]->eNazev->setText(QStringLiteral("A"));
                dialog->OK->click();
            });
            p.Vzhledetiket1->trigger();
        }
        std::puts("pripraveno");
        std::fflush(stdout);
    });
}
