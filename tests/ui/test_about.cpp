// The About box and the completion dialog.

#include "tests/ui/PrvkyOkna.h"
#include "tests/ui/StavProgramu.h"
#include "ui/AboutForm.h"
#include "ui/Chyby.h"
#include "ui/MainForm.h"
#include "ui/Sestaveni.h"
#include "ui/VytistenoForm.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <tuple>

#include <memory>

#include "tests/ui/Modalni.h"

namespace {

// Centred on the screen (to a pixel of rounding), wherever its owner lies.
bool NaStreduObrazovky(const QWidget* okno) {
    const QPoint odchylka =
        okno->frameGeometry().center() - okno->screen()->availableGeometry().center();
    return odchylka.manhattanLength() <= 2;
}

} // namespace

class TestAbout : public QObject {
    Q_OBJECT

    std::unique_ptr<tChybovaOkna> chybovaOkna_;

private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        chybovaOkna_ =
            std::make_unique<tChybovaOkna>([](const QString& text) { QFAIL(qPrintable(text)); });
    }

    void dveOtevreniDvaNoveBoxy() {
        QTemporaryDir adresar;
        tProgram program(adresar.path());
        TMainForm okno(program.Stav, program.Uloziste, program.Nactene.Rucni);
        const tPrvkyOkna p(okno);
        okno.show();
        QVERIFY(QTest::qWaitForWindowActive(&okno));
        okno.move(0, 0); // so that its centre is not the screen's

        QList<QPointer<TAboutForm>> boxy;
        for (int i = 0; i < 2; ++i) {
            PriModalnim([&](QWidget* w) {
                auto* box = qobject_cast<TAboutForm*>(w);
                QVERIFY(box);
                boxy << box;
                QCOMPARE(box->windowTitle(), QStringLiteral("O programu"));
                QVERIFY(!(box->windowFlags() & Qt::WindowCloseButtonHint));
                QVERIFY(!(box->windowFlags() & Qt::WindowSystemMenuHint));
                QCOMPARE(box->Adresar->text(), adresar.path() + QLatin1Char('/'));
                QCOMPARE(box->verze->text(), QStringLiteral("v. %1 (vytvořena 10. 9. 2003)")
                                                 .arg(QLatin1String(VerzeProgramu)));
                QCOMPARE(QApplication::focusWidget(), box->Button1);
                QVERIFY(box->Button1->isDefault());
                QVERIFY(NaStreduObrazovky(box));
                QTest::keyClick(box->Button1, Qt::Key_Escape);
            });
            p.mAbout->trigger();
        }
        QCOMPARE(boxy.size(), 2);
        QVERIFY(boxy[0].isNull()); // each box is gone once it has closed
        QVERIFY(boxy[1].isNull());
    }

    void adresarDlouhyACesky_data() {
        QTest::addColumn<QByteArray>("adresar");
        QTest::addColumn<QString>("videt");
        QTest::newRow("cesky") << QByteArray("/home/u/Štítky/")
                               << QStringLiteral("/home/u/Štítky/");
        QByteArray dlouhy = "/" + QByteArray(300, 'a') + "/";
        QTest::newRow("dlouhy") << dlouhy << QString::fromLatin1(dlouhy);
    }
    void adresarDlouhyACesky() {
        QFETCH(QByteArray, adresar);
        QFETCH(QString, videt);
        auto* box = new TAboutForm(nullptr, adresar.toStdString());
        QPointer<TAboutForm> hlidac(box);
        box->show();
        QCOMPARE(box->Adresar->text(), videt);
        // Cut off at the label's right edge, never wrapped onto more lines.
        QCOMPARE(box->Adresar->width(), 225);
        QVERIFY(!box->Adresar->wordWrap());
        QVERIFY(box->Adresar->height() < 2 * box->Adresar->fontMetrics().height());
        box->close();
        QTRY_VERIFY(hlidac.isNull());
    }

    void dokonceniUkazujePocet() {
        QWidget vlastnik;
        vlastnik.setGeometry(0, 0, 300, 200);
        vlastnik.show();
        TVytistenoForm dialog(&vlastnik);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Dokončení tisku"));
        QVERIFY(dialog.width() >= 193 && dialog.height() >= 111);
        dialog.show();
        for (QLabel* popisek : dialog.findChildren<QLabel*>()) // no text cut off
            QVERIFY2(popisek->width() >= popisek->sizeHint().width(), qPrintable(popisek->text()));
        dialog.hide();
        QCOMPARE(dialog.xPocet->text(), QStringLiteral("0"));
        QVERIFY(dialog.xPocet->font().bold());
        QVERIFY(dialog.OK->isDefault());
        // With nothing sent (Storno), it says so; a Storno too late says the job prints.
        for (auto [pocet, klavesa, nezrusena, zprava] :
             {std::tuple{0LL, Qt::Key_Return, false, u"Na tiskárnu se neodeslala žádná etiketa."},
              std::tuple{200000LL, Qt::Key_Return, true,
                         u"Úlohu se nepodařilo zrušit; vytiskne se."},
              std::tuple{1000LL, Qt::Key_Escape, false, u"Oblepky byly odeslány na tiskárnu."}}) {
            QString videno, videnaZprava;
            PriModalnim([&, klavesa = klavesa](QWidget* w) {
                QCOMPARE(w, &dialog);
                videno = dialog.xPocet->text();
                const auto* popisek = dialog.findChild<QLabel*>(QStringLiteral("xZprava"));
                videnaZprava = popisek->text();
                QVERIFY(popisek->width() >= popisek->sizeHint().width()); // not cut off
                QCOMPARE(QApplication::focusWidget(), dialog.OK);
                QVERIFY(NaStreduObrazovky(&dialog));
                QTest::keyClick(dialog.OK, klavesa);
            });
            dialog.Ukaz(pocet, nezrusena);
            QCOMPARE(videno, QString::number(pocet));
            QCOMPARE(videnaZprava, QString::fromUtf16(zprava));
            QVERIFY(!dialog.isVisible());
        }
        QCOMPARE(dialog.xPocet->text(), QStringLiteral("1000")); // keeps the last count
    }
};

QTEST_MAIN(TestAbout)
#include "test_about.moc"
