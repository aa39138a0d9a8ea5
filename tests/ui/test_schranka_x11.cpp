// The table import against clipboard owners on a real X server (Xvfb): good ones, long texts
// in pieces, a list of copied files, and owners that hang, refuse or die mid-transfer.

#include "tests/ui/Modalni.h"
#include "tests/ui/PrvkyOkna.h"
#include "tests/ui/StavProgramu.h"
#include "tests/ui/Xvfb.h"
#include "ui/Chyby.h"
#include "ui/MainForm.h"
#include "ui/Text.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

class TestSchrankaX11 : public QObject {
    Q_OBJECT

    std::unique_ptr<tChybovaOkna> chybovaOkna_;

    QStringList chyby_;

private slots:
    void initTestCase() {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        chybovaOkna_ =
            std::make_unique<tChybovaOkna>([this](const QString& text) { chyby_ << text; });
    }

    void import_data() {
        QTest::addColumn<QString>("rezim"); // of vlastnik_schranky; empty: no owner at all
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("chyba");
        QTest::addColumn<int>("radku");        // table rows after the import; 5 is untouched
        QTest::addColumn<QString>("posledni"); // the last row's last cell

        QByteArray dlouhy;
        for (int i = 1; i <= 100000; ++i)
            dlouhy += "řádek " + QByteArray::number(i) + "\tkůň " + QByteArray::number(i) + "\r\n";
        const QString nelze = QStringLiteral("Cannot open clipboard.");
        QTest::newRow("no owner") << QString() << QByteArray() << QString() << 5 << QString();
        QTest::newRow("text") << "text" << QByteArray("a\tkůň\r\nŽ\tb") << QString() << 3
                              << QStringLiteral("b");
        QTest::newRow("text in pieces")
            << "text" << dlouhy << QString() << 100001 << QStringLiteral("kůň 100000");
        QTest::newRow("copied files") << "soubory" << QByteArray() << QString() << 5 << QString();
        QTest::newRow("owner silent") << "mlci" << QByteArray() << nelze << 5 << QString();
        QTest::newRow("silent on the text")
            << "mlci-data" << QByteArray() << nelze << 5 << QString();
        QTest::newRow("text refused") << "odmitne" << QByteArray() << nelze << 5 << QString();
        QTest::newRow("owner dies") << "umre" << QByteArray() << nelze << 5 << QString();
        QTest::newRow("owner dies mid-text")
            << "umre-incr" << QByteArray() << nelze << 5 << QString();
    }

    void import() {
        QFETCH(QString, rezim);
        QFETCH(QByteArray, text);
        QFETCH(QString, chyba);
        QFETCH(int, radku);
        QFETCH(QString, posledni);

        QProcess vlastnik;
        if (!rezim.isEmpty()) {
            vlastnik.start(QStringLiteral(OBLEPKY_VLASTNIK), {rezim});
            vlastnik.write(text);
            vlastnik.closeWriteChannel();
            QVERIFY(vlastnik.waitForReadyRead(10000));
            QCOMPARE(vlastnik.readLine(), QByteArray("ok\n"));
        }
        QTemporaryDir adresar;
        tProgram program(adresar.path());
        TMainForm okno(program.Stav, program.Uloziste, program.Nactene.Rucni);
        const tPrvkyOkna p(okno);
        chyby_.clear();
        QElapsedTimer hodiny;
        hodiny.start();
        p.Button1->click();
        qInfo("%s: %lld ms", QTest::currentDataTag(), hodiny.elapsed());

        QCOMPARE(chyby_, chyba.isEmpty() ? QStringList() : QStringList{chyba});
        const tTabulka& tabulka = okno.Tabulka();
        QCOMPARE(tabulka.PocetRadku(), radku);
        const int sloupec = tabulka.PocetSloupcu() - 1;
        QCOMPARE(NaQt(tabulka.Bunka(sloupec, radku - 1)), posledni);
        vlastnik.kill();
        vlastnik.waitForFinished();
    }
};

int main(int argc, char** argv) {
    const tXvfb xvfb;
    if (!xvfb.Bezi()) {
        std::fputs("Xvfb did not start\n", stderr);
        return 1;
    }
    setenv("DISPLAY", xvfb.Displej().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    QApplication aplikace(argc, argv);
    TestSchrankaX11 test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_schranka_x11.moc"
