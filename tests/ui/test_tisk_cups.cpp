// The whole way through the window: a layout edited in the settings dialog prints as edited,
// by hand and from a pasted table, through a real queue of the private CUPS server; the
// preview of the table saved to a file is the job the queue received; a run of ten million
// labels is stopped with Storno.

#include "tests/tisk/CupsTest.h"
#include "tests/ui/Modalni.h"
#include "tests/ui/PrvkyOkna.h"
#include "tests/ui/StavProgramu.h"
#include "ui/Chyby.h"
#include "ui/CiselnyBox.h"
#include "ui/MainForm.h"
#include "ui/NahledForm.h"
#include "ui/NastaveniOblepkyForm.h"
#include "ui/NastaveniOblepkyFrame.h"
#include "ui/PrubehTisku.h"
#include "ui/VytistenoForm.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const std::string Fronta = "OknoTisk";

// Fills layout 1 in the open settings dialog as the user would, and presses OK.
void UpravRozvrzeni(QWidget* okno) {
    auto* dialog = qobject_cast<TNastaveniOblepkyForm*>(okno);
    QVERIFY(dialog);
    TNastaveniOblepkyFrame* e = dialog->Eti[0];
    QVERIFY(e->eTiskarna->findText(QString::fromStdString(Fronta)) >= 0); // listed
    e->eTiskarna->setCurrentText(QString::fromStdString(Fronta));
    e->eNazev->setText(QStringLiteral("Jablka"));
    e->eKodovani->setCurrentIndex(3); // Kamenický
    e->eInitKody->setText(QStringLiteral("27 64"));
    e->eRadkuPred->setValue(1);
    e->eRadkuOblepky->setValue(3);
    e->eKodyOdradkovani->setText(QStringLiteral("12"));
    e->fZleva[1]->setValue(2);
    e->fText[1]->setText(QStringLiteral("{1}"));
    e->fText[2]->setText(QStringLiteral("Cena: {2,5*}"));
    e->fPocet->setValue(3);
    QTest::mouseClick(dialog->OK, Qt::LeftButton);
}

// One label of the edited layout: "Jablko" or "Hruška" and a price, Kamenický for "š".
std::string Etiketa(const std::string& zbozi, const std::string& cena) {
    std::string cenaVpravo = std::string(5 - cena.size(), ' ') + cena;
    return "  " + zbozi + "\r\nCena: " + cenaVpravo + "\r\n\r\n\x0c";
}

} // namespace

class TestTiskCups : public QObject {
    Q_OBJECT

    std::unique_ptr<tChybovaOkna> chybovaOkna_;
    QTemporaryDir adresar_;
    QStringList chyby_;
    long long dokonceno_ = -1;

private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        cups_test::PridejFrontu(Fronta);
        chybovaOkna_ =
            std::make_unique<tChybovaOkna>([this](const QString& text) { chyby_ << text; });
    }
    void cleanupTestCase() {
        chybovaOkna_.reset();
        cups_test::SmazFrontu(Fronta);
    }

    void upravenaEtiketaSeTiskneJakoUpravena() {
        cups_test::VymazZachycene(Fronta);
        tProgram program(adresar_.path());
        const QString soubor = adresar_.filePath(QStringLiteral("uloha.prn"));
        TMainForm okno(program.Stav, program.Uloziste, program.Nactene.Rucni,
                       {.Dokonceni = true, .Vybery = {}, .SouborNahledu = [&] { return soubor; }});
        const tPrvkyOkna p(okno);
        okno.show();
        QVERIFY(QTest::qWaitForWindowActive(&okno));

        PriModalnim(UpravRozvrzeni);
        p.Vzhledetiket1->trigger();
        QCOMPARE(program.Stav.PopisEtiket[0].Tiskarna, Fronta);
        QVERIFY(program.Stav.Zmeneno);
        QCOMPARE(p.eOblepkyVyber->itemText(0), QStringLiteral("Jablka"));

        // By hand: two copies.
        p.PageControl1->setCurrentIndex(0);
        p.eRucne->item(0, 1)->setText(QStringLiteral("Jablko"));
        p.eRucne->item(1, 1)->setText(QStringLiteral("15"));
        p.ePocet->setValue(2);
        PriModalnim([this](QWidget* w) {
            auto* d = qobject_cast<TVytistenoForm*>(w);
            dokonceno_ = d ? d->xPocet->text().toLongLong() : -1;
        });
        p.mTisk->trigger();
        QCOMPARE(dokonceno_, 2LL);

        // From the clipboard: the count is in column 3; "Hruška" prints in Kamenický.
        QApplication::clipboard()->setText(QStringLiteral("Jablko\t15\t1\r\nHruška\t8\t2\r\n"));
        p.PageControl1->setCurrentIndex(1);
        p.Button1->click();
        PriModalnim([this](QWidget* w) {
            auto* d = qobject_cast<TVytistenoForm*>(w);
            dokonceno_ = d ? d->xPocet->text().toLongLong() : -1;
        });
        p.TiskVsech->click();
        QCOMPARE(dokonceno_, 3LL);
        QVERIFY2(chyby_.isEmpty(), qPrintable(chyby_.join('\n')));

        const auto ulohy = cups_test::CekejNaUlohy(Fronta, 2);
        QCOMPARE(ulohy.size(), size_t{2});
        const std::string zacatek = "\x1b\x40\r\n";
        const std::string jablko = Etiketa("Jablko", "15");
        const std::string hruska = Etiketa("Hru\xa8ka", "8");
        QCOMPARE(ulohy[0], zacatek + jablko + jablko);
        QCOMPARE(ulohy[1], zacatek + jablko + hruska + hruska);
        const auto nazvy = cups_test::NazvyUloh(Fronta);
        QVERIFY(nazvy.size() >= 2);
        QCOMPARE(nazvy[nazvy.size() - 2], std::string("Oblepky pro zboží (2 ks)"));
        QCOMPARE(nazvy.back(), std::string("Oblepky pro zboží (3 ks)"));

        // The table's preview shows the Kamenický bytes as Czech again; saved, it is the very
        // job the queue received.
        p.NahledVsech->click();
        QVERIFY(p.NahledText()->toPlainText().contains(QStringLiteral("\n  Hruška\n")));
        p.NahledUlozit()->click();
        QFile ulozeno(soubor);
        QVERIFY(ulozeno.open(QIODevice::ReadOnly));
        QCOMPARE(ulozeno.readAll().toStdString(), ulohy[1]);
        QVERIFY2(chyby_.isEmpty(), qPrintable(chyby_.join('\n')));
    }

    // A count cell of ten million: after about a second the progress window shows the
    // total, and the main window takes no input; Storno, or the main window closing (the
    // program ends), cancels the job and nothing reaches the printer. After Storno the
    // dialog says 0; a closed window shows none.
    void dlouhyBehSeZrusiStornem_data() {
        QTest::addColumn<bool>("zavrenim");
        QTest::newRow("Storno") << false;
        QTest::newRow("zavreni okna") << true;
    }
    void dlouhyBehSeZrusiStornem() {
        QFETCH(bool, zavrenim);
        const size_t predtim = cups_test::Zachycene(Fronta).size();
        tProgram program(adresar_.path());
        tPopisOblepky& p = program.Stav.PopisEtiket[0];
        p.Tiskarna = Fronta;
        p.PocetRadkuOblepky = 12; // a row a write: some seconds for ten million labels
        p.Radky[1].HrDelka = 40;
        p.Radky[1].HrText = "{1}";
        p.Radky[2].HrDelka = 40;
        p.Radky[2].HrText = "Cena: {2,5*}";
        p.PoleSPoctem = 3;
        TMainForm okno(program.Stav, program.Uloziste, program.Nactene.Rucni,
                       {.Dokonceni = true, .Vybery = {}});
        const tPrvkyOkna prvky(okno);
        okno.show();
        QVERIFY(QTest::qWaitForWindowActive(&okno));
        QApplication::clipboard()->setText(QStringLiteral("Jablko\t15\t10000000\r\n"));
        prvky.PageControl1->setCurrentIndex(1);
        prvky.Button1->click();
        prvky.ePocet->setValue(1);

        dokonceno_ = -1;
        QElapsedTimer od;
        qint64 poOkne = -1;
        QString stav;
        PriOkne(
            [&]() -> QWidget* {
                auto* prubeh = okno.findChild<TPrubehTisku*>();
                return prubeh && prubeh->isVisible() ? prubeh : nullptr;
            },
            [&](QWidget* w) {
                auto* prubeh = qobject_cast<TPrubehTisku*>(w);
                if (!prubeh)
                    return;
                poOkne = od.elapsed();
                stav = prubeh->xStav->text();
                // The main window takes no clicks meanwhile: no second run, no new import.
                QTest::mouseClick(prvky.TiskVsech, Qt::LeftButton);
                QTest::mouseClick(prvky.Button1, Qt::LeftButton);
                PriModalnim([this](QWidget* d) {
                    auto* vytisteno = qobject_cast<TVytistenoForm*>(d);
                    dokonceno_ = vytisteno ? vytisteno->xPocet->text().toLongLong() : -1;
                });
                if (zavrenim)
                    okno.close();
                else
                    QTest::mouseClick(prubeh->Storno, Qt::LeftButton);
            });
        int stisknuto = 0;
        for (QPushButton* b : {prvky.TiskVsech, prvky.Button1})
            connect(b, &QPushButton::clicked, this, [&stisknuto] { ++stisknuto; });
        od.start();
        prvky.TiskVsech->click();
        QCOMPARE(stisknuto, 1);
        QVERIFY2(poOkne >= 900, qPrintable(QString::number(poOkne)));
        QVERIFY2(stav.endsWith(QStringLiteral(" z 10000000 etiket")), qPrintable(stav));
        QCOMPARE(dokonceno_, zavrenim ? -1LL : 0LL);
        QVERIFY2(chyby_.isEmpty(), qPrintable(chyby_.join('\n')));
        QVERIFY(!okno.findChild<TPrubehTisku*>()->isVisible());
        QCOMPARE(cups_test::StavPosledniUlohy(Fronta), 7); // IPP job-state "canceled"
        QTest::qWait(500); // a job that printed would be captured by now
        QCOMPARE(cups_test::Zachycene(Fronta).size(), predtim);
    }
};

QTEST_MAIN(TestTiskCups)
#include "test_tisk_cups.moc"
