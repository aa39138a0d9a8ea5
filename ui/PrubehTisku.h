#pragma once
// What the user sees of a running print: the hourglass, and for a run still going after about
// a second a small window with the labels so far and Storno. Short runs look as before. While
// a run goes on, the program's other windows take no input.

#include "output/TiskoveBehy.h"

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;
class QPushButton;

class TPrubehTisku : public QDialog {
    Q_OBJECT
public:
    explicit TPrubehTisku(QWidget* vlastnik);

    // For the print services: the hourglass on and off (the window goes with it) ...
    void Cekej(bool cekej);
    // ... and the run's progress; false once the user has pressed Storno.
    bool Pokracuj(long long hotovo, long long celkem);
    // For the job: it waits on the print server, also while it opens (before the hourglass):
    // the same window and Storno after about a second. A job that did not open ends that
    // wait by Neotevrena.
    bool CekaNaServer();
    void Neotevrena();
    // Print services that show their runs here: the hourglass, the progress and Storno, and
    // the job opened by otevri, whose failure to open ends the wait its opening began.
    void Obsluhuj(tSluzbyTisku& sluzby, decltype(tSluzbyTisku::VytvorUlohu) otevri);
    // For a table file being read instead of a run: the same window with the bytes read so
    // far of velikost (0: not known); false once the user has pressed Storno.
    bool Nacita(long long precteno, long long velikost);

    void reject() override; // Esc and closing the window mean Storno

    QLabel* xStav;
    QProgressBar* Ukazatel;
    QPushButton* Storno;

protected:
    // While a run goes on: the other windows take no input, and the owner's closing means
    // Storno.
    bool eventFilter(QObject* objekt, QEvent* udalost) override;

private:
    void Zacni(); // input to the other windows dropped, the second counted
    void Ukaz(const QString& stav, int promile); // the window, at most every 50 ms

    QElapsedTimer od_;     // since the run began
    QElapsedTimer obnova_; // since the event loop was last let in
    bool ukazano_ = false; // the window has come up in this run
    bool zruseno_ = false;
    long long hotovo_ = 0, celkem_ = -1; // the run's last progress (-1: none yet)
};
