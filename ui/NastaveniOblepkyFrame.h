#pragma once
// The layout editor: three inner pages of controls that edit one layout. It keeps no copy
// of the layout: between Zobraz and Precti the values live only in the controls.

#include "core/PopisEtiket.h"

#include <QWidget>

#include <array>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QTabWidget;
class QTableWidget;
class TCiselnyBox;

class TNastaveniOblepkyFrame : public QWidget {
    Q_OBJECT
public:
    // nazevPrvni: keyboard focus on the first page starts in the name box (the first
    // editor of the dialog) instead of the printer box.
    explicit TNastaveniOblepkyFrame(QWidget* rodic = nullptr, bool nazevPrvni = false);

    // The names offered in the printer box; a typed or shown name stays as it is.
    // The queues to pick from (UTF-8 names); one that Windows-1250 cannot hold is listed,
    // and picking it explains why it cannot be used.
    void NastavTiskarny(const std::vector<std::string>& nazvy);

    void Zobraz(const tPopisOblepky& popis);
    // Clears the record and fills every field from the controls.
    void Precti(tPopisOblepky& popis);

    QTabWidget* Stranky = nullptr;

    // Page 1 "Základní nastavení"
    QLineEdit* eNazev = nullptr;
    QComboBox* eTiskarna = nullptr;
    QComboBox* eKodovani = nullptr;
    QTableWidget* ePole = nullptr;

    // Page 2 "Rozměr etiket, řídící kódy"
    QLineEdit* eInitKody = nullptr;
    TCiselnyBox* eRadkuPred = nullptr;
    TCiselnyBox* eRadkuPo = nullptr;
    TCiselnyBox* eRadkuOblepky = nullptr;
    QLineEdit* eKodyOdradkovani = nullptr;
    TCiselnyBox* eStdPocet = nullptr;

    // Page 3 "Rozvržení etiket": row blocks 1 to 5 (entry 0 unused), then fPocet.
    std::array<TCiselnyBox*, PocetRadku + 1> fZleva{};
    std::array<TCiselnyBox*, PocetRadku + 1> fDelka{};
    std::array<QLineEdit*, PocetRadku + 1> fText{};
    TCiselnyBox* fPocet = nullptr;

private:
    QString tiskarna_; // the queue shown before a pick that is refused
    QWidget* StrankaZakladni();
    QWidget* StrankaRozmer();
    QWidget* StrankaRozvrzeni();
    void PoradiKlavesnice(bool nazevPrvni);
    // Calls f(box, member of popis) for every number box and the layout member it edits:
    // what Zobraz shows is what Precti reads back.
    template <class tPopis, class F> void ProCisla(tPopis& popis, F&& f);
};
