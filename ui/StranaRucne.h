#pragma once
// The page "Tisk jednotlivých etiket (ruční zadávání)": the grid of the twenty manual values
// under the selected layout's field names, the copy count, and the page's buttons.

#include "core/PopisEtiket.h"
#include "core/UNI.h"

#include <QWidget>

class QSpinBox;
class TRucniMrizka;

class TStranaRucne : public QWidget {
    Q_OBJECT
public:
    explicit TStranaRucne(QWidget* rodic = nullptr);

    // The twenty manual values, indexed from 1 like the fields.
    tRucniHodnoty Hodnoty(size_t* nepresnych = nullptr) const; // adds to nepresnych (ZQt)
    void NastavHodnoty(const tRucniHodnoty& hodnoty);
    int Pocet() const;
    void NastavPocet(int pocet);

    // The layout's field names beside the values; the cursor leaves a starred row for the
    // first row below it that is not starred, if there is one.
    void ZobrazNazvyPoli(const tPopisOblepky& popis);
    // "Nová etiketa": every value emptied, the keyboard in the grid.
    void NovaEtiketa();

signals:
    void Tisk();
    void Nahled();
    void Upraveno(); // a value or the copy count

private:
    bool eRucneSelectCell(int radek) const; // row of the widget
    void VymazPole();
    void OpustHvezdicku();

    TRucniMrizka* eRucne;
    QSpinBox* ePocet;
};
