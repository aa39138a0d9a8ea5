// The help service: topics in the help file, the help window, F1 by context.

#include "tests/ui/PrvkyOkna.h"
#include "tests/ui/StavProgramu.h"
#include "ui/Chyby.h"
#include "ui/MainForm.h"
#include "ui/Napoveda.h"
#include "ui/VytistenoForm.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>
#include <optional>

#include "tests/ui/Modalni.h"

namespace {

QString ZobrazenyText() {
    auto* text = OknoNapovedy() ? OknoNapovedy()->findChild<QTextBrowser*>() : nullptr;
    return text ? text->toPlainText() : QString();
}

} // namespace

class TestNapoveda : public QObject {
    Q_OBJECT

    std::unique_ptr<tChybovaOkna> chybovaOkna_;

    QList<int> temata_;
    QTemporaryDir adresar_;
    std::unique_ptr<tProgram> program_;
    std::optional<tNapoveda> napoveda_;

    void SpustNapovedu(const QString& soubor) {
        napoveda_.reset(); // one lives at a time
        napoveda_.emplace(soubor.toStdString(),
                          [this](tTema tema) { temata_ << static_cast<int>(tema); });
    }

private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        chybovaOkna_ =
            std::make_unique<tChybovaOkna>([](const QString& text) { QFAIL(qPrintable(text)); });
        program_ = std::make_unique<tProgram>(adresar_.path());
        SpustNapovedu(adresar_.filePath(QStringLiteral("Oblepky.hlp")));
    }
    void init() { temata_.clear(); }

    void textTematu_data() {
        QTest::addColumn<QString>("obsah");
        QTest::addColumn<int>("tema");
        QTest::addColumn<QString>("text");
        QString soubor = QStringLiteral("uvod\n@@ 1\nprvni\n@@ 10\ndeset\r\nradek\r\n@@2\ndruhe");
        QTest::newRow("prvni") << soubor << 1 << QStringLiteral("prvni");
        QTest::newRow("deset neni jedna") << soubor << 10 << QStringLiteral("deset\nradek");
        QTest::newRow("posledni bez mezery") << soubor << 2 << QStringLiteral("druhe");
        QTest::newRow("chybi") << soubor << 3 << QString();
    }
    void textTematu() {
        QFETCH(QString, obsah);
        QFETCH(int, tema);
        QFETCH(QString, text);
        QCOMPARE(TextTematu(obsah, static_cast<tTema>(tema)), text);
    }

    void dodanySouborMaVsechnaTemata() {
        QString cesta = QFileInfo(QStringLiteral(__FILE__)).absolutePath() +
                        QStringLiteral("/../../help/Oblepky.hlp");
        QFile f(cesta);
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(cesta));
        QString obsah = QString::fromUtf8(f.readAll());
        for (tTema tema : {tTema::Pouzivani, tTema::Nastaveni, tTema::Konec, tTema::Tisk,
                           tTema::NovaEtiketa, tTema::Nahled, tTema::Ulohy})
            QVERIFY2(TextTematu(obsah, tema).contains(QStringLiteral("<h2>")),
                     qPrintable(QString::number(static_cast<int>(tema))));
        QVERIFY(TextTematu(obsah, tTema::Nastaveni).contains(QStringLiteral("{n,w*}")));
    }

    void oknoNapovedyUkazujeTemaNeboZpravu() {
        SpustNapovedu(adresar_.filePath(QStringLiteral("chybi.hlp")));
        OtevriNapovedu(tTema::Pouzivani);
        QVERIFY(OknoNapovedy() && OknoNapovedy()->isVisible());
        QVERIFY(ZobrazenyText().contains(QStringLiteral("chybi.hlp chybí")));

        QFile f(adresar_.filePath(QStringLiteral("Oblepky.hlp")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("@@ 2\n<p>Nastaven\xc3\xad etiket</p>\n");
        f.close();
        SpustNapovedu(f.fileName());
        OtevriNapovedu(tTema::Nastaveni);
        QCOMPARE(ZobrazenyText().trimmed(), QStringLiteral("Nastavení etiket"));
        OtevriNapovedu(static_cast<tTema>(7));
        QVERIFY(ZobrazenyText().contains(QStringLiteral("č. 7")));
        QCOMPARE(temata_, (QList<int>{1, 2, 7}));
    }

    void f1PodleKontextu() {
        TMainForm okno(program_->Stav, program_->Uloziste, program_->Nactene.Rucni);
        const tPrvkyOkna p(okno);
        okno.show();
        QVERIFY(QTest::qWaitForWindowActive(&okno));

        // No menu open: the window's F1 item, topic 1.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QCOMPARE(temata_, QList<int>{1});

        // An open menu: the highlighted item's topic, 0 (nothing) where it has none.
        struct tPripad {
            QMenu* menu;
            QAction* polozka;
            QList<int> temata;
        } pripady[] = {{p.mSoubor, p.mKonec, {3}},        {p.mEtiketa, p.mTisk, {5}},
                       {p.mEtiketa, p.mNovaEtiketa, {6}}, {p.mNastaveni, p.Vzhledetiket1, {2}},
                       {p.mNapovedaMenu, p.mAbout, {}},   {p.mSoubor, nullptr, {}}};
        for (const tPripad& p : pripady) {
            temata_.clear();
            okno.menuBar()->setActiveAction(p.menu->menuAction());
            QTRY_VERIFY(p.menu->isVisible());
            p.menu->setActiveAction(p.polozka);
            QTest::keyClick(p.menu, Qt::Key_F1);
            QCOMPARE(temata_, p.temata);
            QCOMPARE(p.menu->isVisible(), p.temata.isEmpty()); // the help closes the menu
            p.menu->close();
            QTRY_VERIFY(!p.menu->isVisible());
        }

        // F1 in a menu opened with Alt closes it: with the help closed, the keys go where
        // they went before, not to a menu bar with nothing highlighted.
        p.eOblepkyVyber->setFocus();
        QTest::keyClick(&okno, Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(p.mSoubor->isVisible());
        QTest::keyClick(p.mSoubor, Qt::Key_F1);
        QVERIFY(!p.mSoubor->isVisible());
        OknoNapovedy()->close();
        okno.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&okno));
        QCOMPARE(QApplication::focusWidget(), p.eOblepkyVyber);
    }

    void f1VPodrizenemOkneAZadnaVDialozich() {
        TMainForm okno(program_->Stav, program_->Uloziste, program_->Nactene.Rucni,
                       {.Dokonceni = true, .Vybery = {}});
        const tPrvkyOkna p(okno);
        auto* vytisteno = okno.findChild<TVytistenoForm*>();
        okno.show();
        QVERIFY(QTest::qWaitForWindowActive(&okno));

        // A dialog with a topic of its own and none on its controls: the focus chain finds it.
        QDialog dialog(&okno);
        NastavTemaNapovedy(&dialog, tTema::Nastaveni);
        auto* vnitrni = new QWidget(&dialog);
        auto* edit = new QLineEdit(vnitrni);
        (new QVBoxLayout(&dialog))->addWidget(vnitrni);
        // Its help is usable beside it: keys come through the window system, which gives
        // none to a window the modal dialog blocks; it scrolls, finds, and Esc closes it,
        // back to the dialog.
        // (The help file is read at every topic: the window stays as the earlier cases left it.)
        QFile f(adresar_.filePath(QStringLiteral("Oblepky.hlp")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("@@ 2\n" + QByteArray("<p>odstavec</p>\n").repeated(200) + "<p>konec</p>\n");
        f.close();
        bool videno = false;
        PriModalnim([&](QWidget*) {
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_F1);
            QWidget* napoveda = OknoNapovedy();
            QVERIFY(QTest::qWaitForWindowActive(napoveda));
            QScrollBar* posuvnik = napoveda->findChild<QTextBrowser*>()->verticalScrollBar();
            QTest::keyClick(napoveda->windowHandle(), Qt::Key_PageDown);
            QVERIFY(posuvnik->value() > 0);
            QTest::keyClick(napoveda->windowHandle(), Qt::Key_F, Qt::ControlModifier);
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("konec"));
            QTest::keyClick(napoveda->windowHandle(), Qt::Key_Return);
            auto* text = napoveda->findChild<QTextBrowser*>();
            QCOMPARE(text->textCursor().selectedText(), QStringLiteral("konec"));
            QVERIFY(posuvnik->value() > posuvnik->maximum() / 2); // scrolled to the find
            QTest::keyClick(napoveda->windowHandle(), Qt::Key_Escape);
            QVERIFY(!napoveda->isVisible());
            QTRY_COMPARE(QApplication::activeWindow(), &dialog);
            videno = true;
        });
        dialog.exec();
        QVERIFY(videno);
        QCOMPARE(temata_, QList<int>{2});

        // The About box and the completion dialog have no topic: F1 opens nothing there.
        temata_.clear();
        PriModalnim([](QWidget* w) { QTest::keyClick(w->focusWidget(), Qt::Key_F1); });
        p.mAbout->trigger();
        PriModalnim([](QWidget* w) { QTest::keyClick(w->focusWidget(), Qt::Key_F1); });
        vytisteno->Ukaz(4);
        QCOMPARE(temata_, QList<int>{});
    }
};

QTEST_MAIN(TestNapoveda)
#include "test_napoveda.moc"
