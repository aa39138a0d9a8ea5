#pragma once
// The main window's widgets and actions that the tests use, found by their object names as
// the user finds them by their captions.

#include "ui/MainForm.h"
#include "ui/NahledForm.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>

#include <cstdio>
#include <cstdlib>

template <class T> T* Prvek(const QObject& okno, const char* jmeno) {
    T* prvek = okno.findChild<T*>(QLatin1String(jmeno));
    if (!prvek) {
        std::fprintf(stderr, "The window has no %s\n", jmeno);
        std::abort();
    }
    return prvek;
}

struct tPrvkyOkna {
    explicit tPrvkyOkna(const TMainForm& okno) : okno_(okno) {}

    const TMainForm& okno_;
    QMenu* mSoubor = Prvek<QMenu>(okno_, "mSoubor");
    QAction* mUlohy = Prvek<QAction>(okno_, "mUlohy");
    QAction* mKonec = Prvek<QAction>(okno_, "mKonec");
    QMenu* mEtiketa = Prvek<QMenu>(okno_, "mEtiketa");
    QAction* mNovaEtiketa = Prvek<QAction>(okno_, "mNovaEtiketa");
    QAction* mTisk = Prvek<QAction>(okno_, "mTisk");
    QAction* mNahled = Prvek<QAction>(okno_, "mNahled");
    QMenu* mNastaveni = Prvek<QMenu>(okno_, "mNastaveni");
    QAction* Vzhledetiket1 = Prvek<QAction>(okno_, "Vzhledetiket1");
    QMenu* mNapovedaMenu = Prvek<QMenu>(okno_, "mNapovedaMenu");
    QAction* mNapoveda = Prvek<QAction>(okno_, "mNapoveda");
    QAction* mAbout = Prvek<QAction>(okno_, "mAbout");
    QComboBox* eOblepkyVyber = Prvek<QComboBox>(okno_, "eOblepkyVyber");
    QTabWidget* PageControl1 = Prvek<QTabWidget>(okno_, "PageControl1");
    QTableWidget* eRucne = Prvek<QTableWidget>(okno_, "eRucne");
    QSpinBox* ePocet = Prvek<QSpinBox>(okno_, "ePocet");
    QPushButton* bTisk = Prvek<QPushButton>(okno_, "bTisk");
    QPushButton* bNahled = Prvek<QPushButton>(okno_, "bNahled");
    QPushButton* bNovaEtiketa = Prvek<QPushButton>(okno_, "bNovaEtiketa");
    QTableView* Grid = Prvek<QTableView>(okno_, "Grid");
    QPushButton* Button1 = Prvek<QPushButton>(okno_, "Button1");
    QPushButton* TiskVsech = Prvek<QPushButton>(okno_, "TiskVsech");
    QPushButton* NahledVsech = Prvek<QPushButton>(okno_, "NahledVsech");

    // The print preview, once opened.
    TNahledForm* Nahled() const { return okno_.findChild<TNahledForm*>(); }
    QPlainTextEdit* NahledText() const { return Prvek<QPlainTextEdit>(*Nahled(), "eNahled"); }
    QPushButton* NahledUlozit() const { return Prvek<QPushButton>(*Nahled(), "bUlozit"); }
};
