// What a screen reader finds: every control the keyboard reaches in the main window and in
// the settings dialog has a name, and no two controls shown at once share one.

#include "tests/ui/Modalni.h"
#include "tests/ui/PrvkyOkna.h"
#include "tests/ui/StavProgramu.h"
#include "ui/Chyby.h"
#include "ui/MainForm.h"
#include "ui/NastaveniOblepkyForm.h"
#include "ui/NastaveniOblepkyFrame.h"

#include <QAccessible>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// The names of the focusable controls shown in the window, found through the accessibility
// tree; an empty name or a name used twice is a failure listed in the result.
QStringList Chyby(QWidget* okno) {
    QStringList chyby;
    QHash<QString, int> jmena;
    std::function<void(QAccessibleInterface*)> projdi = [&](QAccessibleInterface* i) {
        if (!i)
            return;
        QWidget* w = qobject_cast<QWidget*>(i->object());
        // A control whose focus goes to another one (an editable list's text box) is reached
        // as that one.
        if (w && w->isVisible() && w->focusPolicy() & Qt::TabFocus && !w->focusProxy() &&
            !i->state().invisible) {
            const QString jmeno = i->text(QAccessible::Name);
            if (jmeno.isEmpty())
                chyby << QStringLiteral("bez jména: %1 %2")
                             .arg(w->metaObject()->className(), w->objectName());
            else if (++jmena[jmeno] == 2)
                chyby << QStringLiteral("dvakrát: %1").arg(jmeno);
        }
        for (int c = 0; c < i->childCount(); ++c)
            projdi(i->child(c));
    };
    projdi(QAccessible::queryAccessibleInterface(okno));
    return chyby;
}

} // namespace

class TestPristupnost : public QObject {
    Q_OBJECT

    std::unique_ptr<tChybovaOkna> chybovaOkna_;

private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        chybovaOkna_ =
            std::make_unique<tChybovaOkna>([](const QString&) {}); // no print server here
    }

    void hlavniOkno() {
        QTemporaryDir adresar;
        tProgram program(adresar.path());
        TMainForm okno(program.Stav, program.Uloziste, program.Nactene.Rucni);
        const tPrvkyOkna p(okno);
        okno.show();
        QVERIFY(QTest::qWaitForWindowExposed(&okno));
        for (int strana = 0; strana < p.PageControl1->count(); ++strana) {
            p.PageControl1->setCurrentIndex(strana);
            const QStringList chyby = Chyby(&okno);
            QVERIFY2(chyby.isEmpty(), qPrintable(chyby.join(u'\n')));
        }
    }

    void nastaveni() {
        TNastaveniOblepkyForm dialog(nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (int e = 0; e < dialog.Stranky->count(); ++e) {
            dialog.Stranky->setCurrentIndex(e);
            for (int s = 0; s < dialog.Eti[e]->Stranky->count(); ++s) {
                dialog.Eti[e]->Stranky->setCurrentIndex(s);
                const QStringList chyby = Chyby(&dialog);
                QVERIFY2(chyby.isEmpty(),
                         qPrintable(QStringLiteral("%1/%2:\n").arg(e).arg(s) + chyby.join(u'\n')));
            }
        }
    }
};

QTEST_MAIN(TestPristupnost)
#include "test_pristupnost.moc"
