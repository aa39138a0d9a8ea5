#pragma once
// "Náhled tisku": the bytes the printer would get from the current print, shown as text,
// and the job saved to a file by the run itself, as it prints. A window beside the main
// window that never takes the focus from it; the main window refreshes it while the user
// edits.

#include "output/Nahled.h"

#include <QRect>
#include <QWidget>

#include <functional>
#include <vector>

class QPlainTextEdit;
class QPushButton;
class QTextDocument;

class TNahledForm : public QWidget {
    Q_OBJECT
public:
    // The print to show, as its Tisk would start it now.
    using tZdroj = std::function<tTisk()>;
    // vyberSouboru: the file to save into, an empty name cancels; empty: the file dialog
    // (tests answer in its place).
    TNahledForm(tZdroj zdroj, QWidget* vlastnik, std::function<QString()> vyberSouboru = {});

    // Shows the window up to date without taking the focus; when it is shown already, gives
    // it the focus, so that the keyboard reaches it too.
    void Ukaz();
    // Runs the preview again and shows it where the user was reading.
    void Obnov();

protected:
    void closeEvent(QCloseEvent* udalost) override;

private:
    // "Uložit do souboru…": the whole job, byte for byte, into a file the user picks; a long
    // one shows its progress with Storno, which leaves the file as it was.
    void bUlozitClick();

    // Found by these object names in tests.
    QPlainTextEdit* eNahled;
    QPushButton* bUlozit;
    QPushButton* bZavrit;
    tZdroj zdroj_;
    const std::function<QString()> vyberSouboru_;
};

// The preview's pieces as formatted text: codes as ⟨27 64⟩ in their own colour, boundaries
// as grey rules, the error in red.
void VyplnNahled(QTextDocument& dokument, const std::vector<tUsekNahledu>& useky);
