// Did it print? The window's jobs followed to their end against the private CUPS server, in
// the job list and in desktop notifications (a private session bus with a stub notification
// service): a printer switched off, one that drops the line, a normal queue, a cancel from
// outside and from the list, and a reprint from the server's copy, with its files and
// without them. And a server that never answers: the window does not wait for it.

#include "core/Win1250.h"
#include "output/RawPrinter.h"
#include "tests/tisk/CupsTest.h"
#include "tests/ui/Modalni.h"
#include "tests/ui/PrvkyOkna.h"
#include "tests/ui/StavProgramu.h"
#include "ui/MainForm.h"
#include "ui/Oznameni.h"
#include "ui/PrubehTisku.h"
#include "ui/SledovaniNaPozadi.h"
#include "ui/UlohyForm.h"
#include "ui/VytistenoForm.h"

#include <QAccessible>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <csignal>
#include <memory>

#include <unistd.h>

using namespace std::chrono_literals;

// The desktop's notification service, as far as the program needs it.
class TStubOznameni : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList Prijata; // heading, a line break, text

public slots:
    uint Notify(const QString& /*aplikace*/, uint /*nahradit*/, const QString& /*ikona*/,
                const QString& nadpis, const QString& text, const QStringList& /*akce*/,
                const QVariantMap& /*napovedy*/, int /*vyprseni*/) {
        Prijata << nadpis + QLatin1Char('\n') + text;
        return static_cast<uint>(Prijata.size());
    }
};

class TestUlohyCups : public QObject {
    Q_OBJECT

    QTemporaryDir adresar_;
    qint64 dbus_ = 0;
    TStubOznameni stub_;
    std::unique_ptr<tChybovaOkna> chybovaOkna_;
    QStringList chyby_;

    static QTreeWidget* Seznam(TUlohyForm& ulohy) { return Prvek<QTreeWidget>(ulohy, "eUlohy"); }
    static QPushButton* Tlacitko(TUlohyForm& ulohy, const char* jmeno) {
        return Prvek<QPushButton>(ulohy, jmeno);
    }
    // The newest row of queue `fronta` in the job list, null while there is none.
    static QTreeWidgetItem* Radek(TUlohyForm& ulohy, const std::string& fronta) {
        QTreeWidget* seznam = Seznam(ulohy);
        for (int i = 0; i < seznam->topLevelItemCount(); ++i)
            if (seznam->topLevelItem(i)->text(TUlohyForm::SlFronta) ==
                QString::fromStdString(fronta))
                return seznam->topLevelItem(i);
        return nullptr;
    }
    static QString Stav(TUlohyForm& ulohy, const std::string& fronta) {
        QTreeWidgetItem* r = Radek(ulohy, fronta);
        return r ? r->text(TUlohyForm::SlStav) : QString();
    }

private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        // A session bus of our own, so that nothing reaches the desktop of whoever runs this.
        QProcess dbus;
        dbus.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--session"), QStringLiteral("--fork"),
                    QStringLiteral("--print-address=1"), QStringLiteral("--print-pid=1")});
        QVERIFY(dbus.waitForFinished(10000));
        const QStringList radky =
            QString::fromUtf8(dbus.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(radky.size(), 2);
        dbus_ = radky[1].toLongLong();
        qputenv("DBUS_SESSION_BUS_ADDRESS", radky[0].toUtf8());
        // The service on a connection of its own: the program's call goes through the bus.
        QDBusConnection sluzba =
            QDBusConnection::connectToBus(radky[0], QStringLiteral("stub-oznameni"));
        QVERIFY(sluzba.isConnected());
        QVERIFY(sluzba.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &stub_,
                                      QDBusConnection::ExportAllSlots));
        QVERIFY(sluzba.registerService(QStringLiteral("org.freedesktop.Notifications")));
        chybovaOkna_ =
            std::make_unique<tChybovaOkna>([this](const QString& text) { chyby_ << text; });
    }
    void cleanupTestCase() {
        chybovaOkna_.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("stub-oznameni"));
        if (dbus_ > 0)
            ::kill(static_cast<pid_t>(dbus_), SIGTERM);
    }

    // Each fault as the user meets it: the job list's state and message, and the
    // notification (its heading's end; empty: none).
    void poruchy_data() {
        QTest::addColumn<QString>("porucha");
        QTest::addColumn<QString>("stav");
        QTest::addColumn<QString>("zprava");
        QTest::addColumn<QString>("oznameni");
        QTest::newRow("printer switched off") << "vypnuta"
                                              << "tiskne se"
                                              << "The printer"
                                              << " se stále netiskne";
        QTest::newRow("line dropped after 1000 bytes") << "rez"
                                                       << "přerušena"
                                                       << "Unable to write print data"
                                                       << " byla přerušena, etikety se nevytiskly";
        QTest::newRow("normal queue") << "dobra"
                                      << "vytištěna"
                                      << ""
                                      << "";
        QTest::newRow("cancelled from outside") << "zvenku"
                                                << "zrušena"
                                                << ""
                                                << " byla zrušena";
        QTest::newRow("cancelled in the list") << "seznamem"
                                               << "zrušena"
                                               << ""
                                               << "";
        // Storno whose cancel did not reach the server before the document was whole: the
        // follower cancels the job once the server answers.
        QTest::newRow("stopped, its cancel lost") << "storno"
                                                  << "zrušena"
                                                  << ""
                                                  << "";
        // Storno too late, after the release: the user was told it prints, and it does; it
        // is followed as any job sent, never cancelled behind the user's back.
        QTest::newRow("stopped too late, released") << "pozde"
                                                    << "vytištěna"
                                                    << ""
                                                    << "";
        QTest::newRow("queue stopped without a reason") << "zastavena"
                                                        << "čeká, fronta je zastavená"
                                                        << ""
                                                        << "Fronta %2 je zastavená, úloha %1 čeká";
    }
    void poruchy() {
        QFETCH(QString, porucha);
        QFETCH(QString, stav);
        QFETCH(QString, zprava);
        QFETCH(QString, oznameni);
        const std::string fronta = "Ulohy-" + porucha.toStdString();
        const bool vypnuta =
            porucha != QStringLiteral("dobra") && porucha != QStringLiteral("rez") &&
            porucha != QStringLiteral("zastavena") && porucha != QStringLiteral("pozde");
        if (vypnuta)
            cups_test::PridejMrtvouFrontu(fronta);
        else
            cups_test::PridejFrontu(fronta, porucha == QStringLiteral("rez") ? 1000 : 0);
        if (porucha == QStringLiteral("zastavena"))
            QCOMPARE(
                QProcess::execute(QStringLiteral("cupsdisable"), {QString::fromStdString(fronta)}),
                0);
        stub_.Prijata.clear();
        chyby_.clear();

        tProgram program(adresar_.path());
        program.Stav.PopisEtiket[0].Tiskarna = fronta;
        // The minute before a printer that does not answer is news, shortened.
        TMainForm okno(program.Stav, program.Uloziste, program.Nactene.Rucni,
                       {.Dokonceni = true, .Vybery = {}, .Nedostupna = 2s});
        okno.Sledovani().NaUdalost = Oznam;
        okno.show();
        const tPrvkyOkna prvky(okno);

        if (porucha == QStringLiteral("storno")) {
            tRawPrinter uloha("Zastavena", fronta);
            uloha.Write("ABC\r\n");
            uloha.Dokonci(); // whole on the server, its printer off: it waits to print
            okno.Sledovani().Zastavena(uloha.Uloha());
        } else if (porucha == QStringLiteral("pozde")) {
            tRawPrinter uloha("Pozde", fronta);
            uloha.Write("ABC\r\n");
            uloha.Dokonci();
            okno.Sledovani().Zastavena(uloha.Uloha(), true);
        } else if (porucha == QStringLiteral("rez")) {
            // Bytes enough to outlast the socket's buffers, sent as the window would.
            tRawPrinter uloha("Velka", fronta);
            uloha.Write(std::string(size_t{6} << 20, 'x'));
            uloha.Dokonci();
            okno.Sledovani().Sleduj(uloha.Uloha());
        } else {
            prvky.PageControl1->setCurrentIndex(0);
            prvky.eRucne->item(0, 1)->setText(QStringLiteral("Jablko"));
            prvky.ePocet->setValue(2);
            PriModalnim([](QWidget*) {}); // the completion dialog
            prvky.mTisk->trigger();
        }

        Prvek<QAction>(okno, "mUlohy")->trigger(); // Soubor > Tiskové úlohy…
        TUlohyForm& ulohy = *Prvek<TUlohyForm>(okno, "Ulohy");
        QVERIFY(ulohy.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(Radek(ulohy, fronta) != nullptr, 5000);
        if (porucha == QStringLiteral("zvenku")) {
            QTRY_COMPARE_WITH_TIMEOUT(Stav(ulohy, fronta), QStringLiteral("tiskne se"), 5000);
            const QString id = Radek(ulohy, fronta)->text(TUlohyForm::SlUloha);
            QCOMPARE(QProcess::execute(QStringLiteral("cancel"), {id}), 0);
        } else if (porucha == QStringLiteral("seznamem")) {
            QTRY_COMPARE_WITH_TIMEOUT(Stav(ulohy, fronta), QStringLiteral("tiskne se"), 5000);
            Seznam(ulohy)->setCurrentItem(Radek(ulohy, fronta));
            QVERIFY(Tlacitko(ulohy, "bZrusit")->isEnabled());
            QVERIFY(!Tlacitko(ulohy, "bZnovu")->isEnabled());
            QTest::mouseClick(Tlacitko(ulohy, "bZrusit"), Qt::LeftButton);
        }
        QTRY_COMPARE_WITH_TIMEOUT(Stav(ulohy, fronta), stav, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(
            Radek(ulohy, fronta)->text(TUlohyForm::SlZprava).startsWith(zprava), 5000);
        if (!oznameni.isEmpty()) {
            QTRY_COMPARE_WITH_TIMEOUT(stub_.Prijata.size(), 1, 5000);
            const QString id = Radek(ulohy, fronta)->text(TUlohyForm::SlUloha);
            const QString nadpis = oznameni.startsWith(QStringLiteral("Fronta"))
                                       ? oznameni
                                       : QStringLiteral("Úloha %1 na frontě %2") + oznameni;
            const QString ocekavany =
                nadpis.arg(id, QString::fromStdString(fronta)) + QLatin1Char('\n') + zprava;
            QVERIFY2(stub_.Prijata[0].startsWith(ocekavany), qPrintable(stub_.Prijata[0]));
        }
        // Quiet once nothing is in progress and the list is closed (while it is open, it
        // looks for new jobs): no more questions to the server.
        ulohy.close();
        if (stav != QStringLiteral("tiskne se") && porucha != QStringLiteral("zastavena")) {
            QTest::qWait(1500);
            const int kol = okno.Sledovani().Kol();
            QTest::qWait(2500);
            QCOMPARE(okno.Sledovani().Kol(), kol);
        }
        QCOMPARE(stub_.Prijata.size(), oznameni.isEmpty() ? 0 : 1);
        QVERIFY2(chyby_.isEmpty(), qPrintable(chyby_.join('\n')));
        cups_test::SmazFrontu(fronta);
    }

    // "Vytisknout znovu" sends the server's own copy: the very same bytes; once the server
    // has purged the job, a clear error.
    void znovu() {
        const std::string fronta = "Ulohy-znovu";
        cups_test::PridejFrontu(fronta);
        cups_test::VymazZachycene(fronta);
        chyby_.clear();
        tProgram program(adresar_.path());
        program.Stav.PopisEtiket[0].Tiskarna = fronta;
        program.Stav.PopisEtiket[0].InitKody = "27 64";
        TMainForm okno(program.Stav, program.Uloziste, program.Nactene.Rucni,
                       {.Dokonceni = true, .Vybery = {}});
        okno.show();
        const tPrvkyOkna prvky(okno);
        prvky.PageControl1->setCurrentIndex(0);
        prvky.eRucne->item(0, 1)->setText(QStringLiteral("Hruška"));
        prvky.ePocet->setValue(3);
        PriModalnim([](QWidget*) {});
        prvky.mTisk->trigger();
        const auto prvni = cups_test::CekejNaUlohy(fronta, 1);
        QCOMPARE(prvni.size(), size_t{1});

        Prvek<QAction>(okno, "mUlohy")->trigger(); // Soubor > Tiskové úlohy…
        TUlohyForm& ulohy = *Prvek<TUlohyForm>(okno, "Ulohy");
        QTRY_COMPARE_WITH_TIMEOUT(Stav(ulohy, fronta), QStringLiteral("vytištěna"), 10000);
        Seznam(ulohy)->setCurrentItem(Radek(ulohy, fronta));
        QVERIFY(Tlacitko(ulohy, "bZnovu")->isEnabled());
        QVERIFY(!Tlacitko(ulohy, "bZrusit")->isEnabled());
        QTest::mouseClick(Tlacitko(ulohy, "bZnovu"), Qt::LeftButton);
        const auto obe = cups_test::CekejNaUlohy(fronta, 2);
        QCOMPARE(obe.size(), size_t{2});
        QCOMPARE(obe[1], obe[0]);
        QTRY_COMPARE_WITH_TIMEOUT(Stav(ulohy, fronta), QStringLiteral("vytištěna"), 10000);
        QVERIFY2(chyby_.isEmpty(), qPrintable(chyby_.join('\n')));

        // Purged on the server: the list still shows it (nothing is in progress, nothing is
        // asked), and printing it again says why it cannot.
        const QString id = Radek(ulohy, fronta)->text(TUlohyForm::SlUloha);
        QTRY_VERIFY_WITH_TIMEOUT(Tlacitko(ulohy, "bZnovu")->isEnabled(), 5000);
        QCOMPARE(
            QProcess::execute(QStringLiteral("cancel"), {QStringLiteral("-a"), QStringLiteral("-x"),
                                                         QString::fromStdString(fronta)}),
            0);
        Seznam(ulohy)->setCurrentItem(Radek(ulohy, fronta));
        QTest::mouseClick(Tlacitko(ulohy, "bZnovu"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(chyby_.size(), 1, 10000);
        QCOMPARE(chyby_[0], QStringLiteral("Úlohu %1 nelze vytisknout znovu: tiskový server už "
                                           "úlohu nezná (její historie byla smazána)")
                                .arg(id));
        QCOMPARE(cups_test::Zachycene(fronta).size(), size_t{2});
        ulohy.close();
        cups_test::SmazFrontu(fronta);
    }

    // The list of a queue with a long history: the newest jobs on top, a job printed from
    // elsewhere while it is open shows without F5, and a queue deleted meanwhile is named
    // and its jobs leave the list. The window reaches screen readers as a window.
    void seznam() {
        const std::string fronta = "Ulohy-seznam";
        const QString f = QString::fromStdString(fronta);
        cups_test::PridejFrontu(fronta);
        chyby_.clear();
        QCOMPARE(QProcess::execute(QStringLiteral("bash"),
                                   {QStringLiteral("-c"),
                                    QStringLiteral("for i in $(seq 800); do echo x | lp -d %1 "
                                                   "-o raw -t j$i >/dev/null || exit 1; done")
                                        .arg(f)}),
                 0);
        tProgram program(adresar_.path());
        program.Stav.PopisEtiket[0].Tiskarna = fronta;
        TMainForm okno(program.Stav, program.Uloziste, program.Nactene.Rucni);
        okno.show();
        Prvek<QAction>(okno, "mUlohy")->trigger();
        TUlohyForm& ulohy = *Prvek<TUlohyForm>(okno, "Ulohy");
        QAccessibleInterface* pristup = QAccessible::queryAccessibleInterface(&ulohy);
        QCOMPARE(pristup->role(), QAccessible::Dialog);
        QCOMPARE(pristup->text(QAccessible::Name), QStringLiteral("Tiskové úlohy"));
        const auto nazevNahore = [&] {
            QTreeWidgetItem* r = Radek(ulohy, fronta);
            return r ? r->text(TUlohyForm::SlNazev) : QString();
        };
        QTRY_COMPARE_WITH_TIMEOUT(nazevNahore(), QStringLiteral("j800"), 10000);
        QVERIFY(Seznam(ulohy)->topLevelItemCount() <= NejviceUlohFronty);

        QCOMPARE(QProcess::execute(QStringLiteral("bash"),
                                   {QStringLiteral("-c"),
                                    QStringLiteral("echo x | lp -d %1 -o raw -t nova").arg(f)}),
                 0);
        QTRY_COMPARE_WITH_TIMEOUT(nazevNahore(), QStringLiteral("nova"), 5000);

        cups_test::SmazFrontu(fronta);
        auto* stav = Prvek<QLabel>(ulohy, "xStav");
        QTRY_COMPARE_WITH_TIMEOUT(
            stav->text(), QStringLiteral("Fronta %1 na tiskovém serveru není").arg(f), 5000);
        QCOMPARE(Radek(ulohy, fronta), nullptr);
        QVERIFY2(chyby_.isEmpty(), qPrintable(chyby_.join('\n')));
        ulohy.close();
    }

    // A server that takes the job's connection and never answers: while the job opens the
    // window goes on repainting (the test's own timer keeps ticking), the progress window
    // comes with Storno, and Storno ends the run at once with 0 labels.
    void tichyServer() {
        const std::string fronta = "Ulohy-tichy";
        cups_test::PridejFrontu(fronta);
        chyby_.clear();
        tProgram program(adresar_.path());
        program.Stav.PopisEtiket[0].Tiskarna = fronta;
        TMainForm okno(program.Stav, program.Uloziste, program.Nactene.Rucni,
                       {.Dokonceni = true, .Vybery = {}});
        auto* vytisteno = okno.findChild<TVytistenoForm*>();
        okno.show();
        const tPrvkyOkna prvky(okno);
        prvky.PageControl1->setCurrentIndex(0);
        prvky.eRucne->item(0, 1)->setText(QStringLiteral("Jablko"));
        prvky.ePocet->setValue(2);

        QElapsedTimer hodiny;
        qint64 tik = 0, nejdelsiMezera = 0, storno = -1;
        QTimer tikani;
        connect(&tikani, &QTimer::timeout, [&] {
            nejdelsiMezera = std::max(nejdelsiMezera, hodiny.elapsed() - tik);
            tik = hodiny.elapsed();
            auto* prubeh = okno.findChild<TPrubehTisku*>();
            if (storno < 0 && hodiny.elapsed() >= 2000 && prubeh && prubeh->isVisible()) {
                storno = hodiny.elapsed();
                QTest::mouseClick(prubeh->Storno, Qt::LeftButton);
            }
        });
        QString pocet;
        PriOkne([vytisteno] { return vytisteno->isVisible() ? vytisteno : nullptr; },
                [&](QWidget*) { pocet = vytisteno->xPocet->text(); });
        // The job's calls run on a thread of their own, which takes the server from here.
        const QByteArray server = qgetenv("CUPS_SERVER");
        qputenv("CUPS_SERVER", QByteArray::fromStdString(cups_test::TichyServer("Tichy-okno")));
        hodiny.start();
        tikani.start(20);
        prvky.mTisk->trigger(); // returns when the run has ended
        const qint64 konec = hodiny.elapsed();
        tikani.stop();
        qputenv("CUPS_SERVER", server);

        qInfo("Storno at %lld ms, the run ended %lld ms later, longest gap %lld ms", storno,
              konec - storno, nejdelsiMezera);
        QVERIFY2(storno > 0, "the progress window with Storno did not come");
        // Margins for a loaded machine under TSan; a window that waited for the server would
        // take its whole 15 s deadline.
        QVERIFY2(konec - storno < 3000, qPrintable(QString::number(konec - storno)));
        QVERIFY2(nejdelsiMezera < 1000, qPrintable(QString::number(nejdelsiMezera)));
        QCOMPARE(pocet, QStringLiteral("0"));
        QVERIFY2(chyby_.isEmpty(), qPrintable(chyby_.join('\n')));
        cups_test::SmazFrontu(fronta);
    }
};

QTEST_MAIN(TestUlohyCups)
#include "test_ulohy_cups.moc"
