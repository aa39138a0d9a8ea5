// The program as real processes: a termination signal saves what was typed, also during a
// long print, which it cancels; a second copy on the same settings file does not undo the
// first one's saved changes.

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace {

// Starts a copy of the program on `adresar` doing `akce`, and waits until it has done it.
std::unique_ptr<QProcess> Spust(const QTemporaryDir& adresar, const char* akce) {
    auto proces = std::make_unique<QProcess>();
    proces->setProcessChannelMode(QProcess::ForwardedErrorChannel);
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
