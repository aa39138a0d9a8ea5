#pragma once
// The layout settings dialog: five editors on the pages "Etiketa č. 1" to "Etiketa č. 5".

#include "PopisEtiket.h"

#include <QDialog>

class TNastaveniOblepkyFrame;

class TNastaveniOblepkyForm : public QDialog {
    Q_OBJECT
public:
    // FormCreate: builds the dialog and fills the five printer lists from CUPS (an error
    // there is shown and the dialog is built all the same).
    explicit TNastaveniOblepkyForm(QWidget* vlastnik);

    void Zobraz(const tPopisEtiket& popis); // shows the five layouts
    tPopisEtiket Vysledek{};                 // filled by OK, all cleared until then

private:
    void OKClick();
    void NapovedaClick();
};
