#include "ui/MainForm.h"

#include "core/Nastaveni.h"
#include "output/OhlasenaUloha.h"
#include "output/RawPrinter.h"
#include "output/Tiskarny.h"
#include "output/UlohaNaPozadi.h"
#include "ui/AboutForm.h"
#include "ui/Chyby.h"
#include "ui/NahledForm.h"
#include "ui/Napoveda.h"
#include "ui/NastaveniOblepkyForm.h"
#include "ui/PrubehTisku.h"
#include "ui/SledovaniNaPozadi.h"
#include "ui/StranaRucne.h"
#include "ui/StranaTabulky.h"
#include "ui/Text.h"
#include "ui/UlohyForm.h"
#include "ui/Vystredeni.h"
#include "ui/VytistenoForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <utility>

TMainForm::TMainForm(tStav& stav, tUlozisteNastaveni& uloziste, const tRucniHodnoty& rucni,
                     tVolbyOkna volby, QWidget* rodic)
    : QMainWindow(rodic, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                             Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                             Qt::WindowCloseButtonHint),
      stav_(stav), uloziste_(uloziste), souborNahledu_(std::move(volby.SouborNahledu)),
      Vytisteno(volby.Dokonceni ? new TVytistenoForm(this) : nullptr),
      sledovani_(new TSledovaniNaPozadi(this, {}, volby.Nedostupna)) {
    auto* prubeh = new TPrubehTisku(this);
    // Every call of the job to the server runs on a thread of its own, its opening included:
    // the window waits for it in short steps, repaints, and Storno answers whatever the
    // server does. A job that reached the server whole is followed to its end.
    prubeh->Obsluhuj(
        sluzby_, [this, prubeh](const std::string& dokument, const std::string& tiskarna) {
            int id = 0;
            auto uloha = std::make_unique<tUlohaNaPozadi>(
                [&](tOdriznuti& odriznuti) -> std::unique_ptr<tTiskovaUloha> {
                    auto raw = std::make_unique<tRawPrinter>(dokument, tiskarna, &odriznuti);
                    id = raw->Uloha();
                    return raw;
                },
                [prubeh] { return prubeh->CekaNaServer(); });
            return std::unique_ptr<tTiskovaUloha>(std::make_unique<tOhlasenaUloha>(
                std::move(uloha), id, [this](int u) { sledovani_->Sleduj(u); },
                [this](int u, bool vytiskne) { sledovani_->Zastavena(u, vytiskne); }));
        });
    sluzby_.UkazDokonceni = [this](long long pocet) {
        if (Vytisteno && !zavreno_) // a run stopped by the closing has nobody to tell
            Vytisteno->Ukaz(pocet);
    };
    sluzby_.UkazNezrusenou = [this](long long pocet) {
        if (Vytisteno && !zavreno_)
            Vytisteno->Ukaz(pocet, true);
    };

    VytvorMenu();

    auto* stred = new QWidget(this);
    auto* rozlozeni = new QVBoxLayout(stred);
    rozlozeni->setContentsMargins(8, 8, 8, 8);

    auto* vyber = new QHBoxLayout;
    auto* popisVyberu = new QLabel(QStringLiteral("Tisknout tyto oblepky:"), stred);
    eOblepkyVyber = new QComboBox(stred);
    eOblepkyVyber->setObjectName(QStringLiteral("eOblepkyVyber"));
    eOblepkyVyber->setEditable(false);
    eOblepkyVyber->setMinimumWidth(250);
    popisVyberu->setBuddy(eOblepkyVyber);
    vyber->addWidget(popisVyberu);
    vyber->addWidget(eOblepkyVyber);
    vyber->addStretch();
    rozlozeni->addLayout(vyber);

    PageControl1 = new QTabWidget(stred);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setAccessibleName(QStringLiteral("Způsob tisku"));
    rucne_ = new TStranaRucne;
    tabulky_ = new TStranaTabulky(nullptr, std::move(volby.Vybery));
    PageControl1->addTab(rucne_, QStringLiteral("Tisk jednotlivých etiket (ruční zadávání)"));
    PageControl1->addTab(tabulky_, QStringLiteral("Načtení a tisk etiket ze schránky"));
    PageControl1->setCurrentIndex(1);
    rozlozeni->addWidget(PageControl1);
    setCentralWidget(stred);

    connect(rucne_, &TStranaRucne::Tisk, this, Chranene([this] { mTiskClick(); }));
    connect(rucne_, &TStranaRucne::Nahled, this, Chranene([this] { mNahledClick(); }));
    connect(tabulky_, &TStranaTabulky::Tisk, this, Chranene([this] { TiskVsechClick(); }));
    connect(tabulky_, &TStranaTabulky::Nahled, this, Chranene([this] { mNahledClick(); }));
    // Only the user's pick: refilling and re-selecting the list is the program's own doing.
    connect(eOblepkyVyber, &QComboBox::activated, this,
            Chranene([this](int) { eOblepkyVyberChange(); }));
    connect(PageControl1, &QTabWidget::currentChanged, this,
            Chranene([this](int) { PageControl1Change(); }));
    // The preview follows every edit of what it shows.
    auto obnov = Chranene([this](auto&&...) { ObnovNahled(); });
    connect(rucne_, &TStranaRucne::Upraveno, this, obnov);
    connect(tabulky_, &TStranaTabulky::Nacteno, this, obnov);
    connect(eOblepkyVyber, &QComboBox::currentIndexChanged, this, obnov);
    connect(PageControl1, &QTabWidget::currentChanged, this, obnov);

    NastavTemaNapovedy(this, tTema::Pouzivani);

    setFixedSize(606, 436 + menuBar()->sizeHint().height());
    mAbout_ = findChild<QAction*>(QStringLiteral("mAbout"));
    qApp->installEventFilter(this); // Ctrl+A: see eventFilter
    FormCreate(rucni);
}

TMainForm::~TMainForm() = default;

const tTabulka& TMainForm::Tabulka() const {
    return tabulky_->Tabulka();
}

void TMainForm::VytvorMenu() {
    // The menus and their items in order. A row without a handler begins a menu, or without a
    // name too, is a separator. strana: the page whose showing enables the item, -1 any page.
    static const struct {
        const char* jmeno;
        QStringView text;
        QKeyCombination zkratka = Qt::Key_unknown;
        tTema tema = tTema::Zadne;
        QStringView napoveda = u""; // the hint
        void (TMainForm::*akce)() = nullptr;
        int strana = -1;
    } Polozky[] = {
        {"mSoubor", u"&Soubor"},
        {"mUlohy", u"Tiskové ú&lohy…", Qt::CTRL | Qt::Key_L, tTema::Ulohy,
         u"Úlohy na tiskových frontách: vytisklo se to?", &TMainForm::OtevriUlohy},
        {"mKonec", u"&Konec", Qt::ALT | Qt::Key_F4, tTema::Konec, u"Konec práce s programem",
         &TMainForm::mKonecClick},
        {"mEtiketa", u"&Etiketa"},
        {"mNovaEtiketa", u"&Nová etiketa", Qt::CTRL | Qt::Key_N, tTema::NovaEtiketa, u"",
         &TMainForm::mNovaEtiketaClick, 0},
        {"mTisk", u"&Tisk", Qt::CTRL | Qt::Key_T, tTema::Tisk, u"", &TMainForm::mTiskClick, 0},
        {"mNahled", u"Ná&hled tisku", Qt::CTRL | Qt::Key_H, tTema::Nahled, u"",
         &TMainForm::mNahledClick, 0},
        {"mNastaveni", u"&Nastavení"},
        {"Vzhledetiket1", u"&Nastavení etiket...", Qt::CTRL | Qt::Key_F9, tTema::Nastaveni,
         u"Nastavení rozměru etiket a standardních textů", &TMainForm::Vzhledetiket1Click},
        {"mNapovedaMenu", u"Nápověd&a"},
        {"mNapoveda", u"&Jak program používat", Qt::Key_F1, tTema::Pouzivani,
         u"Nápověda k používání programu", &TMainForm::mNapovedaClick},
        {nullptr, u""},
        {"mAbout", u"&O programu...", Qt::CTRL | Qt::Key_A, tTema::Zadne, u"Informace o programu",
         &TMainForm::mAboutClick},
    };

    QMenu* menu = nullptr;
    for (const auto& p : Polozky) {
        if (!p.jmeno) {
            menu->addSeparator();
        } else if (!p.akce) {
            menu = menuBar()->addMenu(p.text.toString());
            menu->setObjectName(QLatin1String(p.jmeno));
            menu->setToolTipsVisible(true);
        } else {
            QAction* a = menu->addAction(p.text.toString());
            a->setObjectName(QLatin1String(p.jmeno));
            if (p.zkratka.key() != Qt::Key_unknown)
                a->setShortcut(p.zkratka);
            NastavTemaNapovedy(a, p.tema);
            if (!p.napoveda.isEmpty()) {
                a->setStatusTip(p.napoveda.toString());
                a->setToolTip(a->statusTip());
            }
            a->setData(p.strana);
            connect(a, &QAction::triggered, this,
                    Chranene([this, &p](bool) { (this->*p.akce)(); }));
        }
    }
}

int TMainForm::Vybrana() const {
    return std::min(VybranaEtiketa(eOblepkyVyber->currentIndex()), PocetEtiket - 1);
}

void TMainForm::FormCreate(const tRucniHodnoty& rucni) {
    setWindowTitle(QStringLiteral("Oblepky"));
    try {
        rucne_->NastavHodnoty(rucni);
        NaplnVyber();
        eOblepkyVyber->setCurrentIndex(stav_.LastEtiketa);
    } catch (...) {
        // The window is still shown, with what was built so far.
        UkazChybu(std::current_exception());
    }
}

bool TMainForm::eventFilter(QObject* objekt, QEvent* udalost) {
    // A text box or cell editor would take Ctrl+A as select-all; in this window it is the
    // menu's shortcut to the About box.
    if (udalost->type() == QEvent::ShortcutOverride && objekt->isWidgetType() &&
        static_cast<QWidget*>(objekt)->window() == this &&
        QKeySequence(static_cast<QKeyEvent*>(udalost)->keyCombination()) == mAbout_->shortcut())
        return true;
    return QMainWindow::eventFilter(objekt, udalost);
}

void TMainForm::showEvent(QShowEvent* udalost) {
    QMainWindow::showEvent(udalost);
    if (udalost->spontaneous())
        return; // back from minimised: not a new showing
    if (!zobrazeno_) {
        zobrazeno_ = true;
        VystredNaObrazovce(this);
    }
    try {
        ZobrazNazvyPoli();
        rucne_->NastavPocet(stav_.PopisEtiket[Vybrana()].StdPocet);
    } catch (...) {
        UkazChybu(std::current_exception());
    }
}

void TMainForm::closeEvent(QCloseEvent* udalost) {
    QMainWindow::closeEvent(udalost);
    if (zavreno_)
        return;
    zavreno_ = true; // an error is shown once, and the program still ends
    bool ulozeno = true;
    try {
        uloziste_.Uloz(stav_, rucne_->Hodnoty());
    } catch (...) {
        ulozeno = false;
        // At logout or on a signal nobody may see the box: the log gets the error too.
        std::fprintf(stderr, "Oblepky: %s\n",
                     TextChybovehoOkna(std::current_exception()).toLocal8Bit().constData());
        UkazChybu(std::current_exception());
    }
    emit Zavreno(ulozeno);
}

void TMainForm::ZobrazNazvyPoli() {
    rucne_->ZobrazNazvyPoli(stav_.PopisEtiket[Vybrana()]);
}

void TMainForm::NaplnVyber() {
    int index = eOblepkyVyber->currentIndex();
    eOblepkyVyber->clear();
    for (const tPopisOblepky& p : stav_.PopisEtiket)
        eOblepkyVyber->addItem(NaQt(p.Nazev));
    eOblepkyVyber->setCurrentIndex(index);
}

void TMainForm::eOblepkyVyberChange() {
    stav_.LastEtiketa = static_cast<int16_t>(eOblepkyVyber->currentIndex());
    stav_.Zmeneno = true;
    ZobrazNazvyPoli();
}

void TMainForm::PageControl1Change() {
    // The items too, so that their shortcuts are dead while their menu is.
    const int strana = PageControl1->currentIndex();
    for (QAction* nabidka : menuBar()->actions()) {
        bool povolena = false;
        for (QAction* a : nabidka->menu()->actions())
            if (!a->isSeparator()) {
                a->setEnabled(a->data().toInt() < 0 || a->data().toInt() == strana);
                povolena = povolena || a->isEnabled();
            }
        nabidka->setEnabled(povolena);
    }
}

void TMainForm::mKonecClick() {
    close();
}

void TMainForm::mNovaEtiketaClick() {
    rucne_->NovaEtiketa();
}

void TMainForm::mTiskClick() {
    TiskniRucne(stav_.PopisEtiket[Vybrana()], rucne_->Pocet(), rucne_->Hodnoty(), sluzby_);
}

void TMainForm::TiskVsechClick() {
    TiskniTabulku(stav_.PopisEtiket[Vybrana()], rucne_->Pocet(), tabulky_->Tabulka(), sluzby_);
}

void TMainForm::mNahledClick() {
    if (!Nahled) {
        // The run of the page shown, as its Tisk would start it.
        Nahled = new TNahledForm(
            [this] {
                tTisk tisk{stav_.PopisEtiket[Vybrana()], rucne_->Pocet()};
                if (PageControl1->currentIndex() == 0) {
                    tisk.Hodnoty = rucne_->Hodnoty(&tisk.Nepresnych);
                } else {
                    tisk.Tabulka = &tabulky_->Tabulka();
                    tisk.Nepresnych = tabulky_->Nepresnych();
                }
                return tisk;
            },
            this, souborNahledu_);
    }
    Nahled->Ukaz();
}

void TMainForm::ObnovNahled() {
    if (Nahled && Nahled->isVisible())
        Nahled->Obnov();
}

void TMainForm::Vzhledetiket1Click() {
    TNastaveniOblepkyForm dialog(this);
    dialog.Zobraz(stav_.PopisEtiket);
    if (dialog.exec() != QDialog::Accepted)
        return;
    stav_.PopisEtiket = dialog.Vysledek;
    stav_.Zmeneno = true;
    ZobrazNazvyPoli();
    NaplnVyber();
    ObnovNahled();
}

void TMainForm::mAboutClick() {
    auto* box = new TAboutForm(this, AdresarZCesty(uloziste_.Cesta())); // frees itself when closed
    box->exec();
}

void TMainForm::OtevriUlohy() {
    if (!ulohy_) {
        ulohy_ = new TUlohyForm(
            *sledovani_,
            [this] {
                std::vector<std::string> fronty;
                for (const tPopisOblepky& p : stav_.PopisEtiket)
                    fronty.push_back(FrontaZNastaveni(p.Tiskarna));
                return fronty;
            },
            this);
        ulohy_->setObjectName(QStringLiteral("Ulohy"));
    }
    ulohy_->Ukaz();
}

void TMainForm::mNapovedaClick() {
    OtevriNapovedu(tTema::Pouzivani);
}
