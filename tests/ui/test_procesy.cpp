// The program as real processes: a termination signal saves what was typed, also during a
// long print, which it cancels as the close button does, and during the load of a FIFO; a save that
// fails does not keep the program from ending; a second copy on the same settings file does not
// undo the first one's saved changes.

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/ui/Xvfb.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <optional>

#include <xcb/xcb.h>

namespace {

// Starts a copy of the program on `adresar` doing `akce`, and waits until it has done it.
// displej: the X server to show the window on, else none (offscreen).
std::unique_ptr<QProcess>
Spust(const QTemporaryDir& adresar, const char* akce,
      QProcess::ProcessChannelMode kanaly = QProcess::ForwardedErrorChannel,
      const std::string& displej = {}) {
    auto proces = std::make_unique<QProcess>();
    proces->setProcessChannelMode(kanaly);
    if (!displej.empty()) {
        QProcessEnvironment prostredi = QProcessEnvironment::systemEnvironment();
        prostredi.insert(QStringLiteral("DISPLAY"), QString::fromStdString(displej));
        prostredi.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        proces->setProcessEnvironment(prostredi);
    }
    proces->start(QStringLiteral(OBLEPKY_PROCES), {adresar.path(), QString::fromLatin1(akce)});
    if (!proces->waitForStarted())
        return proces;
    while (!proces->canReadLine() && proces->waitForReadyRead(20000)) {
    }
    return proces;
}

// The close button of a window manager: WM_DELETE_WINDOW sent to the window.
void ZavriOkno(const std::string& displej, uint32_t okno) {
    xcb_connection_t* spojeni = xcb_connect(displej.c_str(), nullptr);
    auto atom = [spojeni](const char* jmeno) {
        xcb_intern_atom_reply_t* odpoved = xcb_intern_atom_reply(
            spojeni, xcb_intern_atom(spojeni, 0, static_cast<uint16_t>(std::strlen(jmeno)), jmeno),
            nullptr);
        const xcb_atom_t vysledek = odpoved ? odpoved->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(odpoved);
        return vysledek;
    };
    xcb_client_message_event_t zprava{};
    zprava.response_type = XCB_CLIENT_MESSAGE;
    zprava.format = 32;
    zprava.window = okno;
    zprava.type = atom("WM_PROTOCOLS");
    zprava.data.data32[0] = atom("WM_DELETE_WINDOW");
    zprava.data.data32[1] = XCB_CURRENT_TIME;
    // Checked: the server has taken it before the connection goes.
    std::free(
        xcb_request_check(spojeni, xcb_send_event_checked(spojeni, 0, okno, XCB_EVENT_MASK_NO_EVENT,
                                                          reinterpret_cast<const char*>(&zprava))));
    xcb_disconnect(spojeni);
}

// Sends the signal (0: nothing) and waits for a normal end.
bool Ukonci(QProcess& proces, int signal) {
    if (signal != 0)
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

    // The table "Big<TAB>100000000" prints; a signal once the progress shows, or the main
    // window's close button (on an X server), cancels the job, saves and ends the program,
    // with no completion dialog after the window has gone.
    void signalBehemTisku_data() {
        QTest::addColumn<int>("signal"); // 0: the close button
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
        QTest::newRow("close button") << 0;
    }
    void signalBehemTisku() {
        QFETCH(int, signal);
        std::optional<tXvfb> xvfb;
        if (signal == 0) {
            xvfb.emplace();
            QVERIFY(xvfb->Bezi());
        }
        QTemporaryDir adresar;
        Zapis(adresar, "[Layout1]\r\nHrText1={1}\r\nPoleSPoctem=2\r\n");
        auto proces = Spust(adresar, "tiskni", QProcess::ForwardedErrorChannel,
                            xvfb ? xvfb->Displej() : std::string());
        const QList<QByteArray> radek = proces->readLine().trimmed().split(' ');
        QCOMPARE(radek.value(0), QByteArray("pripraveno"));
        if (xvfb)
            ZavriOkno(xvfb->Displej(), radek.value(1).toUInt());
        QVERIFY(Ukonci(*proces, signal));
        QCOMPARE(proces->readAll(), QByteArray("zruseno\n"));
        QVERIFY(Obsah(adresar).contains("[Last]\r\n"));
    }

    // A table file that is a FIFO nobody writes: a signal ends the program at once, as
    // it does any other wait, and what was typed is saved.
    void signalBehemNacitaniFifo() {
        QTemporaryDir adresar;
        auto proces = Spust(adresar, "fifo");
        QCOMPARE(proces->readLine().trimmed(), QByteArray("pripraveno"));
        QVERIFY(Ukonci(*proces, SIGTERM));
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
