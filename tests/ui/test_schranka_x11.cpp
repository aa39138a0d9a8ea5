// The table import against clipboard owners on a real X server (Xvfb): good ones, long texts
// in pieces, a list of copied files, and owners that hang, refuse or die mid-transfer.

#include "tests/ui/Modalni.h"
#include "tests/ui/PrvkyOkna.h"
#include "tests/ui/StavProgramu.h"
#include "ui/Chyby.h"
#include "ui/MainForm.h"
#include "ui/Text.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

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

namespace {

// Xvfb on a display number of its choice, which it writes to the pipe once it is ready.
pid_t SpustXvfb() {
    int trubka[2];
    if (pipe(trubka) != 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        close(trubka[0]);
        const std::string fd = std::to_string(trubka[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen", "0",
               "640x480x24", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(trubka[1]);
    std::string cislo;
    char znak = 0;
    while (read(trubka[0], &znak, 1) == 1 && znak != '\n')
        cislo += znak;
    close(trubka[0]);
    if (pid < 0 || cislo.empty())
        return -1;
    setenv("DISPLAY", (":" + cislo).c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    return pid;
}

} // namespace

int main(int argc, char** argv) {
    const pid_t xvfb = SpustXvfb();
    if (xvfb < 0) {
        std::fputs("Xvfb did not start\n", stderr);
        return 1;
    }
    int vysledek = 0;
    {
        QApplication aplikace(argc, argv);
        TestSchrankaX11 test;
        vysledek = QTest::qExec(&test, argc, argv);
    }
    kill(xvfb, SIGTERM);
    waitpid(xvfb, nullptr, 0);
    return vysledek;
}

#include "test_schranka_x11.moc"
