// The program as real processes: a termination signal saves what was typed, also during a
// long print, which it cancels; a second copy on the same settings file does not undo the
// first one's saved changes.

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace {

// Starts a copy of the program on `adresar` doing `akce`, and waits until it has done it.
std::unique_ptr<QProcess>
Spust(const QTemporaryDir& adresar, const char* akce,
      QProcess::ProcessChannelMode kanaly = QProcess::ForwardedErrorChannel) {
    auto proces = std::make_unique<QProcess>();
    proces->setProcessChannelMode(kanaly);
    proces->start(QStringLiteral(OBLEPKY_PROCES), {adresar.path(), QString::fromLatin1(akce)});
    if (!proces->waitForStarted())
        return proces;
    while (!proces->canReadLine() && proces->waitForReadyRead(20000)) {
    }
    return proces;
}

// Sends the signal and waits for a normal end.
bool Ukonci(QProcess& proces, int signal) {
    ::kill(static_cast<pid_t>(proces.processId()), signal);
    return proces.waitForFinished(20000) && proces.exitStatus() == QProcess::NormalExit &&
           proces.exitCode() == 0;
}

void Zapis(const QTemporaryDir& adresar, const QByteArray& obsah) {
    QFile f(adresar.filePath(QStringLiteral("Oblepky.ini")));
    if (f.open(QIODevice::WriteOnly))
        f.write(obsah);
}

QByteArray Obsah(const QTemporaryDir& adresar) {
    QFile f(adresar.filePath(QStringLiteral("Oblepky.ini")));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestProcesy : public QObject {
    Q_OBJECT

private slots:
    void signalUlozi_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }
    void signalUlozi() {
        QFETCH(int, signal);
        QTemporaryDir adresar;
        auto proces = Spust(adresar, "pis");
        QCOMPARE(proces->readLine().trimmed(), QByteArray("pripraveno"));
        QVERIFY(Ukonci(*proces, signal));
        QVERIFY(Obsah(adresar).contains("Field01=Naps\xe1no\r\n"));
    }

    // The table "Big<TAB>100000000" prints; a signal once the progress shows cancels the job,
    // saves and ends the program, with no completion dialog after the window has gone.
    void signalBehemTisku_data() { signalUlozi_data(); }
    void signalBehemTisku() {
        QFETCH(int, signal);
        QTemporaryDir adresar;
        Zapis(adresar, "[Layout1]\r\nHrText1={1}\r\nPoleSPoctem=2\r\n");
        auto proces = Spust(adresar, "tiskni");
        QCOMPARE(proces->readLine().trimmed(), QByteArray("pripraveno"));
        QVERIFY(Ukonci(*proces, signal));
        QCOMPARE(proces->readAll(), QByteArray("zruseno\n"));
        QVERIFY(Obsah(adresar).contains("[Last]\r\n"));
    }

    // The settings cannot be saved at exit: the error goes to standard error as well as to
    // its box, which does not keep the program from ending a few seconds after the signal,
    // or at once on a second one.
    void chybaUlozeniNeblokujeKonec_data() {
        QTest::addColumn<bool>("chranenySoubor"); // else the folder is gone
        QTest::addColumn<bool>("druhySignal");
        QTest::newRow("write-protected file") << true << false;
        QTest::newRow("folder gone") << false << false;
        QTest::newRow("folder gone, second signal") << false << true;
    }
    void chybaUlozeniNeblokujeKonec() {
        QFETCH(bool, chranenySoubor);
        QFETCH(bool, druhySignal);
        QTemporaryDir adresar;
        Zapis(adresar, "[Last]\r\n");
        const QString soubor = adresar.filePath(QStringLiteral("Oblepky.ini"));
        auto proces = Spust(adresar, "pis", QProcess::SeparateChannels);
        QCOMPARE(proces->readLine().trimmed(), QByteArray("pripraveno"));
        if (chranenySoubor)
            QVERIFY(QFile::setPermissions(soubor, QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                                      QFileDevice::ReadOther));
        else
            QVERIFY(adresar.remove());
        QElapsedTimer od;
        od.start();
        ::kill(static_cast<pid_t>(proces->processId()), SIGTERM);
        QByteArray chyby;
        while (!chyby.contains("Oblepky: Cannot create file") && od.elapsed() < 20000 &&
               proces->state() == QProcess::Running) {
            proces->waitForFinished(50);
            chyby += proces->readAllStandardError();
        }
        QVERIFY2(chyby.contains("Oblepky: Cannot create file"), chyby.constData());
        if (druhySignal)
            ::kill(static_cast<pid_t>(proces->processId()), SIGTERM);
        QVERIFY(proces->waitForFinished(20000));
        QCOMPARE(proces->exitStatus(), QProcess::NormalExit);
        QCOMPARE(proces->exitCode(), 1);
        if (druhySignal) // well before the few seconds that end it without one
            QVERIFY2(od.elapsed() < 4000, qPrintable(QString::number(od.elapsed())));
    }

    // B starts, then A; A renames layout 1 and exits; B picks another layout and exits.
    void druhaKopieNeprepiseZmenyPrvni() {
        QTemporaryDir adresar;
        auto b = Spust(adresar, "vyber");
        auto a = Spust(adresar, "prejmenuj");
        QCOMPARE(a->readLine().trimmed(), QByteArray("pripraveno"));
        QCOMPARE(b->readLine().trimmed(), QByteArray("pripraveno"));
        QVERIFY(Ukonci(*a, SIGTERM));
        QVERIFY(Obsah(adresar).contains("[Layout1]\r\nNazev=A\r\n"));
        QVERIFY(Ukonci(*b, SIGTERM));
        const QByteArray obsah = Obsah(adresar);
        QVERIFY2(obsah.contains("[Layout1]\r\nNazev=A\r\n"), obsah.constData());
        QVERIFY(obsah.contains("LastEtiketa=2\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestProcesy)
#include "test_procesy.moc"
