#include "ui/MainForm.h"

#include "core/Nastaveni.h"
#include "core/PriKonci.h"
#include "output/RawPrinter.h"
#include "ui/AboutForm.h"
#include "ui/Chyby.h"
#include "ui/NahledForm.h"
#include "ui/Napoveda.h"
#include "ui/NastaveniOblepkyForm.h"
#include "ui/PrubehTisku.h"
#include "ui/StranaRucne.h"
#include "ui/StranaTabulky.h"
#include "ui/Text.h"
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

TMainForm::TMainForm(tStav& stav, tUlozisteNastaveni& uloziste, const tRucniHodnoty& rucni,
                     QWidget* rodic)
    : QMainWindow(rodic, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                             Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                             Qt::WindowCloseButtonHint),
      stav_(stav), uloziste_(uloziste) {
    sluzby_.VytvorUlohu = [](const std::string& dokument, const std::string& tiskarna) {
        return std::unique_ptr<tTiskovaUloha>(std::make_unique<tRawPrinter>(dokument, tiskarna));
    };
    sluzby_.UkazDokonceni = [this](long long pocet) {
        if (Vytisteno)
            Vytisteno->Ukaz(pocet);
    };
    auto* prubeh = new TPrubehTisku(this);
    sluzby_.Kurzor = [prubeh](bool cekej) { prubeh->Cekej(cekej); };
    sluzby_.Pokrok = [prubeh](long long hotovo, long long celkem) {
        return prubeh->Pokracuj(hotovo, celkem);
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
    tabulky_ = new TStranaTabulky;
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
    qApp->installEventFilter(this); // Ctrl+A: see eventFilter
    FormCreate(rucni);
}

TMainForm::~TMainForm() = default;

const tTabulka& TMainForm::Tabulka() const {
    return tabulky_->Tabulka();
}

void TMainForm::VytvorMenu() {
    auto polozka = [this](QMenu* menu, const char* jmeno, const QString& text,
                          const QKeySequence& zkratka, tTema tema, const QString& napoveda,
                          void (TMainForm::*akce)()) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QLatin1String(jmeno));
        a->setShortcut(zkratka);
        NastavTemaNapovedy(a, tema);
        if (!napoveda.isEmpty()) {
            a->setStatusTip(napoveda);
            a->setToolTip(napoveda);
        }
        connect(a, &QAction::triggered, this, Chranene([this, akce](bool) { (this->*akce)(); }));
        return a;
    };
    auto nabidka = [this](const char* jmeno, const QString& text) {
        QMenu* m = menuBar()->addMenu(text);
        m->setObjectName(QLatin1String(jmeno));
        m->setToolTipsVisible(true);
        return m;
    };

    QMenu* mSoubor = nabidka("mSoubor", QStringLiteral("&Soubor"));
    QAction* mKonec = mSoubor->addAction(QStringLiteral("&Konec"));
    mKonec->setObjectName(QStringLiteral("mKonec"));
    mKonec->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    NastavTemaNapovedy(mKonec, tTema::Konec);
    mKonec->setStatusTip(QStringLiteral("Konec práce s programem"));
    mKonec->setToolTip(mKonec->statusTip());
    connect(mKonec, &QAction::triggered, this, &QWidget::close);

    mEtiketa = nabidka("mEtiketa", QStringLiteral("&Etiketa"));
    mNovaEtiketa = polozka(mEtiketa, "mNovaEtiketa", QStringLiteral("&Nová etiketa"),
                           QKeySequence(Qt::CTRL | Qt::Key_N), tTema::NovaEtiketa, {},
                           &TMainForm::mNovaEtiketaClick);
    mTisk = polozka(mEtiketa, "mTisk", QStringLiteral("&Tisk"), QKeySequence(Qt::CTRL | Qt::Key_T),
                    tTema::Tisk, {}, &TMainForm::mTiskClick);
    mNahled =
        polozka(mEtiketa, "mNahled", QStringLiteral("Ná&hled tisku"),
                QKeySequence(Qt::CTRL | Qt::Key_H), tTema::Nahled, {}, &TMainForm::mNahledClick);

    QMenu* mNastaveni = nabidka("mNastaveni", QStringLiteral("&Nastavení"));
    polozka(mNastaveni, "Vzhledetiket1", QStringLiteral("&Nastavení etiket..."),
            QKeySequence(Qt::CTRL | Qt::Key_F9), tTema::Nastaveni,
            QStringLiteral("Nastavení rozměru etiket a standardních textů"),
            &TMainForm::Vzhledetiket1Click);

    QMenu* mNapovedaMenu = nabidka("mNapovedaMenu", QStringLiteral("Nápověd&a"));
    polozka(mNapovedaMenu, "mNapoveda", QStringLiteral("&Jak program používat"),
            QKeySequence(Qt::Key_F1), tTema::Pouzivani,
            QStringLiteral("Nápověda k používání programu"), &TMainForm::mNapovedaClick);
    mNapovedaMenu->addSeparator();
    mAbout = polozka(mNapovedaMenu, "mAbout", QStringLiteral("&O programu..."),
                     QKeySequence(Qt::CTRL | Qt::Key_A), tTema::Zadne,
                     QStringLiteral("Informace o programu"), &TMainForm::mAboutClick);
}

int TMainForm::Vybrana() const {
    return std::min(VybranaEtiketa(eOblepkyVyber->currentIndex()), PocetEtiket - 1);
}

void TMainForm::FormCreate(const tRucniHodnoty& rucni) {
    try {
        rucne_->NastavHodnoty(rucni);
        setWindowTitle(QStringLiteral("Oblepky"));
        eOblepkyVyber->setCurrentIndex(0);
        Nacitani = true;
        tPriKonci konecNacitani([this] { Nacitani = false; });
        NaplnVyber();
        eOblepkyVyber->setCurrentIndex(stav_.LastEtiketa);
    } catch (...) {
        // The window is still shown, with what was built so far.
        setWindowTitle(QStringLiteral("Oblepky"));
        UkazChybu(std::current_exception());
    }
}

bool TMainForm::eventFilter(QObject* objekt, QEvent* udalost) {
    // A text box or cell editor would take Ctrl+A as select-all; in this window it is the
    // menu's shortcut to the About box.
    if (udalost->type() == QEvent::ShortcutOverride && objekt->isWidgetType() &&
        static_cast<QWidget*>(objekt)->window() == this &&
        QKeySequence(static_cast<QKeyEvent*>(udalost)->keyCombination()) == mAbout->shortcut())
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
        FormShow();
    } catch (...) {
        UkazChybu(std::current_exception());
    }
}

void TMainForm::FormShow() {
    ZobrazNazvyPoli();
    rucne_->NastavPocet(stav_.PopisEtiket[Vybrana()].StdPocet);
}

void TMainForm::closeEvent(QCloseEvent* udalost) {
    QMainWindow::closeEvent(udalost);
    if (ulozeno_)
        return;
    ulozeno_ = true; // an error is shown once, and the program still ends
    try {
        uloziste_.Uloz(stav_, rucne_->Hodnoty());
    } catch (...) {
        UkazChybu(std::current_exception());
    }
}

void TMainForm::ZobrazNazvyPoli() {
    rucne_->ZobrazNazvyPoli(stav_.PopisEtiket[Vybrana()]);
}

void TMainForm::NaplnVyber() {
    tPriKonci konecNacitani([this, predtim = Nacitani] { Nacitani = predtim; });
    Nacitani = true;
    int index = eOblepkyVyber->currentIndex();
    eOblepkyVyber->clear();
    for (const tPopisOblepky& p : stav_.PopisEtiket)
        eOblepkyVyber->addItem(NaQt(p.Nazev));
    eOblepkyVyber->setCurrentIndex(index);
}

void TMainForm::eOblepkyVyberChange() {
    if (!Nacitani) {
        stav_.LastEtiketa = static_cast<int16_t>(eOblepkyVyber->currentIndex());
        stav_.Zmeneno = true;
    }
    ZobrazNazvyPoli();
}

void TMainForm::PageControl1Change() {
    bool rucne = PageControl1->currentIndex() == 0;
    mEtiketa->menuAction()->setEnabled(rucne);
    // The items too, so that their shortcuts are dead while the menu is.
    mNovaEtiketa->setEnabled(rucne);
    mTisk->setEnabled(rucne);
    mNahled->setEnabled(rucne);
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
            [this](long long drzetEtiket) {
                const tPopisOblepky& popis = stav_.PopisEtiket[Vybrana()];
                const int pocet = rucne_->Pocet();
                const bool rucne = PageControl1->currentIndex() == 0;
                size_t nepresnych = rucne ? 0 : tabulky_->Nepresnych();
                const tRucniHodnoty hodnoty =
                    rucne ? rucne_->Hodnoty(&nepresnych) : tRucniHodnoty{};
                tNahled nahled = ZachytNahled(
                    popis,
                    [&](const tSluzbyTisku& s) {
                        if (rucne)
                            TiskniRucne(popis, pocet, hodnoty, s);
                        else
                            TiskniTabulku(popis, pocet, tabulky_->Tabulka(), s);
                    },
                    drzetEtiket);
                nahled.Nepresnych = nepresnych;
                return nahled;
            },
            this);
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

void TMainForm::mNapovedaClick() {
    OtevriNapovedu(tTema::Pouzivani);
}
