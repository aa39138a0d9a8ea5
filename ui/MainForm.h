#pragma once
// The main window: the layout selector over the two pages (manual entry, the table pasted
// from the clipboard), the menu, the print runs and the save at exit. Tests reach its
// widgets and actions by their object names.

#include "core/UNI.h"
#include "output/SledovaniUloh.h"
#include "output/TiskoveBehy.h"
#include "ui/StranaTabulky.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QComboBox;
class QTabWidget;
class TNahledForm;
class TSledovaniNaPozadi;
class TStranaRucne;
class TUlohyForm;
class TVytistenoForm;
class tTabulka;
class tUlozisteNastaveni;

// What the window asks outside itself. Every member has a default, so that options name only
// what they change.
struct tVolbyOkna {
    // Every print run ends in the completion dialog (the program's); false: it ends without
    // one, as a test that prints without a user needs.
    bool Dokonceni = false;
    tVyberyStrany Vybery{}; // the table page's
    // The file the preview saves into; empty: its dialog asks.
    std::function<QString()> SouborNahledu{};
    // How long the job list waits before a printer that does not answer is news.
    std::chrono::seconds Nedostupna = NedostupnaPo;
};

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // The window works on the program's state and saves it, with the manual values, to the
    // store when it closes. rucni: the manual values the store read at start.
    TMainForm(tStav& stav, tUlozisteNastaveni& uloziste, const tRucniHodnoty& rucni,
              tVolbyOkna volby = {}, QWidget* rodic = nullptr);
    ~TMainForm() override;

    // What the print runs use to open a job and to report; tests replace VytvorUlohu.
    tSluzbyTisku& SluzbyTisku() { return sluzby_; }
    const tTabulka& Tabulka() const;
    // Follows the jobs of this session to their end and feeds the job list.
    TSledovaniNaPozadi& Sledovani() { return *sledovani_; }

signals:
    // Once, when the window has closed and saved (ulozeno false: the save failed). A run
    // still going then is cancelled and shows no completion dialog.
    void Zavreno(bool ulozeno);

protected:
    bool eventFilter(QObject* objekt, QEvent* udalost) override;
    void showEvent(QShowEvent* udalost) override;   // FormShow: the layout's names and count
    void closeEvent(QCloseEvent* udalost) override; // FormDestroy: saves once

private:
    void VytvorMenu();
    void FormCreate(const tRucniHodnoty& rucni);
    int Vybrana() const;
    void ZobrazNazvyPoli();
    void NaplnVyber();
    void ObnovNahled(); // after every edit the preview shows

    void eOblepkyVyberChange(); // the user's pick only: the program's own never comes here
    void PageControl1Change();
    void mKonecClick();
    void mNovaEtiketaClick();
    void mTiskClick();
    void mNahledClick(); // menu item and both buttons: the preview of the page shown
    void TiskVsechClick();
    void Vzhledetiket1Click();
    void mAboutClick();
    void mNapovedaClick();
    void OtevriUlohy(); // "Tiskové úlohy": opens the job list, or brings it up

    tStav& stav_;
    tUlozisteNastaveni& uloziste_;
    bool zobrazeno_ = false;
    bool zavreno_ = false;
    tSluzbyTisku sluzby_;
    std::function<QString()> souborNahledu_;

    QAction* mAbout_ = nullptr; // its Ctrl+A wins over select-all
    QComboBox* eOblepkyVyber;
    QTabWidget* PageControl1;
    TStranaRucne* rucne_;
    TStranaTabulky* tabulky_;
    TVytistenoForm* Vytisteno = nullptr;
    QPointer<TNahledForm> Nahled; // the print preview, once opened
    TSledovaniNaPozadi* sledovani_;
    QPointer<TUlohyForm> ulohy_; // the job list, once opened
};
