#pragma once
// The layout settings dialog: five editors on the pages "Etiketa č. 1" to "Etiketa č. 5".

#include "core/PopisEtiket.h"

#include <QDialog>

#include <array>

class QPushButton;
class QTabWidget;
class TNastaveniOblepkyFrame;

class TNastaveniOblepkyForm : public QDialog {
    Q_OBJECT
public:
    // FormCreate: builds the dialog and fills the five printer lists from CUPS (an error
    // there is shown and the dialog is built all the same).
    explicit TNastaveniOblepkyForm(QWidget* vlastnik);

    void Zobraz(const tPopisEtiket& popis); // shows the five layouts
    tPopisEtiket Vysledek{};                // filled by OK, all cleared until then

    // The editors Eti1 .. Eti5 of layouts 1 to 5, their pages and the buttons.
    std::array<TNastaveniOblepkyFrame*, PocetEtiket> Eti{};
    QTabWidget* Stranky = nullptr;
    QPushButton* OK = nullptr;
    QPushButton* Button2 = nullptr; // "Storno"
    QPushButton* Napoveda = nullptr;

protected:
    void showEvent(QShowEvent* udalost) override;

private:
    void NactiTiskarny();
    void OKClick();
};
