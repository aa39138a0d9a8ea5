#pragma once
// The main window: the layout selector, the manual entry page and the page of the table
// pasted from the clipboard. Thin over the core and the print runs.

#include "core/Tabulka.h"
#include "core/UNI.h"
#include "output/TiskoveBehy.h"

#include "ui/Mrizka.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>

class QAction;
class QComboBox;
class QMenu;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableView;
class TNahledForm;
class TSledovaniUloh;
class TUlohyForm;
class TTabulkaModel;
class TVytistenoForm;
class tUlozisteNastaveni;

// The manual grid: the cursor stays in the value column and never enters a row that the
// predicate refuses, neither by mouse nor by keyboard.
class TRucniMrizka : public TMrizka {
    Q_OBJECT
public:
    using TMrizka::edit;
    using TMrizka::TMrizka;
    std::function<bool(int radek)> MuzeVybrat; // row of the widget, 0 = field 1

protected:
    QModelIndex moveCursor(CursorAction akce, Qt::KeyboardModifiers modifikatory) override;
    void mousePressEvent(QMouseEvent* udalost) override;
    void mouseMoveEvent(QMouseEvent* udalost) override;
    bool edit(const QModelIndex& index, EditTrigger spoustec, QEvent* udalost) override;

private:
    bool Povolen(const QModelIndex& index) const;
};

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // The window works on the program's state and saves it, with the manual values, to the
    // store when it closes. rucni: the manual values the store read at start.
    TMainForm(tStav& stav, tUlozisteNastaveni& uloziste, const tRucniHodnoty& rucni,
              QWidget* rodic = nullptr);
    ~TMainForm() override;

    // The completion dialog the print runs show (created once by the program).
    void NastavVytisteno(TVytistenoForm* vytisteno) { Vytisteno = vytisteno; }
    // What the print runs use to open a job and to report; tests replace VytvorUlohu.
    tSluzbyTisku& SluzbyTisku() { return sluzby_; }
    const tTabulka& Tabulka() const { return tabulka_; }
    // The twenty manual values, indexed from 1 like the fields.
    tRucniHodnoty RucniHodnoty() const;

    // Menu bar.
    QMenu* mSoubor;
    QAction* mKonec;
    QMenu* mEtiketa;
    QAction* mNovaEtiketa;
    QAction* mTisk;
    QAction* mNahled;
    QMenu* mNastaveni;
    QAction* Vzhledetiket1;
    QMenu* mNapovedaMenu;
    QAction* mNapoveda;
    QAction* mAbout;
    // Selector strip and pages.
    QComboBox* eOblepkyVyber;
    QTabWidget* PageControl1;
    TRucniMrizka* eRucne; // rows 0..19 are fields 1..20; column 0 names, column 1 values
    QSpinBox* ePocet;
    QPushButton* bTisk;
    QPushButton* bNahled;
    QPushButton* bNovaEtiketa;
    QTableView* Grid;
    QPushButton* Button1;
    QPushButton* TiskVsech;
    QPushButton* NahledVsech;

    TVytistenoForm* Vytisteno = nullptr;
    QPointer<TNahledForm> Nahled; // the print preview, once opened
    TSledovaniUloh* Sledovani;    // follows the jobs of this session to their end; tests replace it
    QPointer<TUlohyForm> Ulohy;   // the job list, once opened

    // Handlers, public so that they can be driven directly.
    void ZobrazNazvyPoli();
    void VymazPole();
    void NaplnVyber();
    bool eRucneSelectCell(int radek) const; // row of the widget
    void eOblepkyVyberChange();
    void PageControl1Change();
    void mNovaEtiketaClick();
    void mTiskClick();
    void mNahledClick(); // menu item and both buttons: the preview of the page shown
    void ObnovNahled();  // after every edit the preview shows
    void TiskVsechClick();
    void Button1Click();
    void Vzhledetiket1Click();
    void mAboutClick();
    void mNapovedaClick();
    void mUlohyClick(); // the job list

protected:
    bool eventFilter(QObject* objekt, QEvent* udalost) override;
    void showEvent(QShowEvent* udalost) override;
    void closeEvent(QCloseEvent* udalost) override; // FormDestroy: saves once

private:
    void VytvorMenu();
    QWidget* VytvorStranuRucne();
    QWidget* VytvorStranuTabulky();
    void FormCreate(const tRucniHodnoty& rucni);
    void FormShow();
    int Vybrana() const;

    tStav& stav_;
    tUlozisteNastaveni& uloziste_;
    bool Nacitani = false;
    bool zobrazeno_ = false;
    bool ulozeno_ = false;
    tSluzbyTisku sluzby_;
    tTabulka tabulka_;
    TTabulkaModel* model_ = nullptr;
};
