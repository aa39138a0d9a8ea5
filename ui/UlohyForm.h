#pragma once
// "Tiskové úlohy": the jobs of the program's queues as the print server keeps them, newest
// first, followed while the window is open; a job not ended can be cancelled, an ended one
// printed again from the server's copy. A window of its own beside the main window; every
// question to the server goes through the follower's thread.

#include "output/StavUlohy.h"
#include "ui/SledovaniNaPozadi.h"

#include <QDialog>
#include <QPointer>

#include <exception>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

// A dialog, not a plain widget: screen readers meet it as a window with its title.
class TUlohyForm : public QDialog {
    Q_OBJECT
public:
    // fronty: the queues to list (the layouts' queues), asked at each opening.
    TUlohyForm(TSledovaniNaPozadi& sledovani, std::function<std::vector<std::string>()> fronty,
               QWidget* vlastnik);
    ~TUlohyForm() override;

    // Shows the window and starts following; when shown already, brings it up.
    void Ukaz();

    // Columns of the list (eUlohy).
    enum tSloupec { SlUloha, SlFronta, SlNazev, SlStav, SlZprava, SlCas, PocetSloupcu };

protected:
    void hideEvent(QHideEvent* udalost) override;

private:
    // Shows the server's answer (the UI thread); only the rows that changed are redrawn.
    void Zobraz(const std::vector<tUloha>& ulohy);
    void ZobrazChybu(const std::string& chyba);
    // Zrušit (znovu false) a job still going, Vytisknout znovu one that ended: the one
    // selected, if the button is for it; the answer comes to Hotovo.
    void Proved(bool znovu);

    const tUloha* Vybrana() const;
    void ObnovTlacitka();
    void Hotovo(const std::exception_ptr& chyba); // a cancel or reprint came back

    QPointer<TSledovaniNaPozadi> sledovani_; // the main window's; it may go first
    std::function<std::vector<std::string>()> fronty_;
    std::vector<tUloha> ulohy_;
    bool ceka_ = false; // a cancel or reprint is on its way

    QLabel* xStav; // what the server says of itself: loading, not answering
    QTreeWidget* eUlohy;
    QPushButton* bZrusit;
    QPushButton* bZnovu;
    QPushButton* bObnovit;
    QPushButton* bZavrit;
};
