#include "ui/MainForm.h"

#include "core/Nastaveni.h"
#include "core/PriKonci.h"
#include "output/OhlasenaUloha.h"
#include "output/RawPrinter.h"
#include "ui/AboutForm.h"
#include "ui/Chyby.h"
#include "ui/NahledForm.h"
#include "ui/Napoveda.h"
#include "ui/NastaveniOblepkyForm.h"
#include "ui/PrubehTisku.h"
#include "ui/Schranka.h"
#include "ui/SledovaniNaPozadi.h"
#include "ui/TabulkaModel.h"
#include "ui/Text.h"
#include "ui/UlohyForm.h"
#include "ui/Vystredeni.h"
#include "ui/VytistenoForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace {

constexpr int SloupecNazvu = 0;
constexpr int SloupecHodnot = 1;

// Cell editor of the manual values: the value reaches the grid while it is typed, so a
// print started from the keyboard takes what is on the screen.
class tEditorHodnot : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* rodic, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* edit = new QLineEdit(rodic);
        edit->setFrame(false);
        auto* ja = const_cast<tEditorHodnot*>(this);
        QObject::connect(edit, &QLineEdit::textChanged, edit, [ja, edit](const QString& text) {
            QString cisty = BezZlomu(text);
            if (cisty != text) {
                int pozice = edit->cursorPosition();
                edit->setText(cisty);
                edit->setCursorPosition(pozice);
                return; // setText comes back here with the clean text
            }
            emit ja->commitData(edit);
        });
        return edit;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* edit = static_cast<QLineEdit*>(editor);
        QString text = index.data(Qt::EditRole).toString();
        // The text comes from the cell: nothing to hand back, and a new editor is not yet the
        // view's (Qt would warn about it).
        const QSignalBlocker ticho(edit);
        if (edit->text() != text)
            edit->setText(text);
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        model->setData(index, BezZlomu(static_cast<QLineEdit*>(editor)->text()), Qt::EditRole);
    }
};

QString Win(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace

// ---- The manual grid ----

bool TRucniMrizka::Povolen(const QModelIndex& index) const {
    return index.isValid() && index.column() == SloupecHodnot &&
           (!MuzeVybrat || MuzeVybrat(index.row()));
}

QModelIndex TRucniMrizka::moveCursor(CursorAction akce, Qt::KeyboardModifiers modifikatory) {
    QModelIndex akt = currentIndex();
    QModelIndex cil = TMrizka::moveCursor(akce, modifikatory);
    if (!cil.isValid())
        return akt;
    // Look for an allowed row from the target on, in the direction of travel; else stay.
    int krok = akt.isValid() && cil.row() < akt.row() ? -1 : 1;
    for (int r = cil.row(); r >= 0 && r < rowCount(); r += krok) {
        QModelIndex i = model()->index(r, SloupecHodnot);
        if (Povolen(i))
            return i;
    }
    return akt;
}

void TRucniMrizka::mousePressEvent(QMouseEvent* udalost) {
    QModelIndex i = indexAt(udalost->position().toPoint());
    if (i.isValid() && !Povolen(i)) {
        setFocus(Qt::MouseFocusReason);
        udalost->accept();
        return;
    }
    TMrizka::mousePressEvent(udalost);
}

void TRucniMrizka::mouseMoveEvent(QMouseEvent* udalost) {
    QModelIndex i = indexAt(udalost->position().toPoint());
    if (i.isValid() && !Povolen(i)) {
        udalost->accept();
        return;
    }
    TMrizka::mouseMoveEvent(udalost);
}

bool TRucniMrizka::edit(const QModelIndex& index, EditTrigger spoustec, QEvent* udalost) {
    if (!Povolen(index))
        return false;
    return TMrizka::edit(index, spoustec, udalost);
}

// ---- The window ----

TMainForm::TMainForm(tStav& stav, tUlozisteNastaveni& uloziste, const tRucniHodnoty& rucni,
                     QWidget* rodic)
    : QMainWindow(rodic, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                             Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                             Qt::WindowCloseButtonHint),
      stav_(stav), uloziste_(uloziste) {
    Sledovani = new TSledovaniUloh(this);
    // A job that reached the server whole is followed to its end.
    sluzby_.VytvorUlohu = [this](const std::string& dokument, const std::string& tiskarna) {
        auto uloha = std::make_unique<tRawPrinter>(dokument, tiskarna);
        const int id = uloha->Uloha();
        return std::unique_ptr<tTiskovaUloha>(std::make_unique<tOhlasenaUloha>(
            std::move(uloha), id, [this](int u) { Sledovani->Sleduj(u); }));
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
    eOblepkyVyber->setEditable(false);
    eOblepkyVyber->setMinimumWidth(250);
    popisVyberu->setBuddy(eOblepkyVyber);
    vyber->addWidget(popisVyberu);
    vyber->addWidget(eOblepkyVyber);
    vyber->addStretch();
    rozlozeni->addLayout(vyber);

    PageControl1 = new QTabWidget(stred);
    PageControl1->setAccessibleName(QStringLiteral("Způsob tisku"));
    PageControl1->addTab(VytvorStranuRucne(),
                         QStringLiteral("Tisk jednotlivých etiket (ruční zadávání)"));
    PageControl1->addTab(VytvorStranuTabulky(),
                         QStringLiteral("Načtení a tisk etiket ze schránky"));
    PageControl1->setCurrentIndex(1);
    rozlozeni->addWidget(PageControl1);
    setCentralWidget(stred);

    // Only the user's pick: refilling and re-selecting the list is the program's own doing.
    connect(eOblepkyVyber, &QComboBox::activated, this,
            Chranene([this](int) { eOblepkyVyberChange(); }));
    connect(PageControl1, &QTabWidget::currentChanged, this,
            Chranene([this](int) { PageControl1Change(); }));
    // The preview follows every edit of what it shows.
    auto obnov = Chranene([this](auto&&...) { ObnovNahled(); });
    connect(eRucne, &QTableWidget::itemChanged, this, obnov);
    connect(ePocet, &QSpinBox::valueChanged, this, obnov);
    connect(eOblepkyVyber, &QComboBox::currentIndexChanged, this, obnov);
    connect(PageControl1, &QTabWidget::currentChanged, this, obnov);
    connect(model_, &QAbstractItemModel::modelReset, this, obnov);

    NastavTemaNapovedy(this, tTema::Pouzivani);

    setFixedSize(606, 436 + menuBar()->sizeHint().height());
    qApp->installEventFilter(this); // Ctrl+A: see eventFilter
    FormCreate(rucni);
}

TMainForm::~TMainForm() = default;

void TMainForm::VytvorMenu() {
    auto polozka = [this](QMenu* menu, const char* text, const QKeySequence& zkratka, tTema tema,
                          const char* napoveda, void (TMainForm::*akce)()) {
        QAction* a = menu->addAction(Win(text));
        a->setShortcut(zkratka);
        NastavTemaNapovedy(a, tema);
        if (napoveda) {
            a->setStatusTip(Win(napoveda));
            a->setToolTip(Win(napoveda));
        }
        connect(a, &QAction::triggered, this, Chranene([this, akce](bool) { (this->*akce)(); }));
        return a;
    };
    auto nabidka = [this](const char* text) {
        QMenu* m = menuBar()->addMenu(Win(text));
        m->setToolTipsVisible(true);
        return m;
    };

    mSoubor = nabidka("&Soubor");
    mKonec = mSoubor->addAction(QStringLiteral("&Konec"));
    mKonec->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    NastavTemaNapovedy(mKonec, tTema::Konec);
    mKonec->setStatusTip(Win("Konec práce s programem"));
    mKonec->setToolTip(mKonec->statusTip());
    connect(mKonec, &QAction::triggered, this, &QWidget::close);

    mEtiketa = nabidka("&Etiketa");
    mNovaEtiketa = polozka(mEtiketa, "&Nová etiketa", QKeySequence(Qt::CTRL | Qt::Key_N),
                           tTema::NovaEtiketa, nullptr, &TMainForm::mNovaEtiketaClick);
    mTisk = polozka(mEtiketa, "&Tisk", QKeySequence(Qt::CTRL | Qt::Key_T), tTema::Tisk, nullptr,
                    &TMainForm::mTiskClick);
    mNahled = polozka(mEtiketa, "Ná&hled tisku", QKeySequence(Qt::CTRL | Qt::Key_H), tTema::Nahled,
                      nullptr, &TMainForm::mNahledClick);

    mNastaveni = nabidka("&Nastavení");
    Vzhledetiket1 = polozka(mNastaveni, "&Nastavení etiket...", QKeySequence(Qt::CTRL | Qt::Key_F9),
                            tTema::Nastaveni, "Nastavení rozměru etiket a standardních textů",
                            &TMainForm::Vzhledetiket1Click);

    mNapovedaMenu = nabidka("Nápověd&a");
    mNapoveda =
        polozka(mNapovedaMenu, "&Jak program používat", QKeySequence(Qt::Key_F1), tTema::Pouzivani,
                "Nápověda k používání programu", &TMainForm::mNapovedaClick);
    mNapovedaMenu->addSeparator();
    mAbout = polozka(mNapovedaMenu, "&O programu...", QKeySequence(Qt::CTRL | Qt::Key_A),
                     tTema::Zadne, "Informace o programu", &TMainForm::mAboutClick);
}

QWidget* TMainForm::VytvorStranuRucne() {
    auto* strana = new QWidget;
    auto* rozlozeni = new QVBoxLayout(strana);
    rozlozeni->setContentsMargins(4, 4, 4, 4);

    auto* skupina = new QGroupBox(Win("Příprava oblepky - vyplnění polí:"), strana);
    auto* vSkupine = new QVBoxLayout(skupina);
    vSkupine->setContentsMargins(4, 4, 4, 4); // the grid's three columns fit without scrolling
    eRucne = new TRucniMrizka(PocetPoli, 2, skupina);
    eRucne->setAccessibleName(QStringLiteral("Příprava oblepky - vyplnění polí"));
    eRucne->MuzeVybrat = [this](int radek) { return eRucneSelectCell(radek); };
    eRucne->setHorizontalHeaderLabels({Win("Název pole"), Win("Obsah pole (text k vytištění)")});
    QHeaderView* svisla = eRucne->verticalHeader();
    svisla->setSectionResizeMode(QHeaderView::Fixed);
    svisla->setMinimumSectionSize(1);
    svisla->setDefaultSectionSize(18);
    svisla->setFixedWidth(30);
    svisla->setHighlightSections(false);
    eRucne->horizontalHeader()->setHighlightSections(false);
    eRucne->horizontalHeader()->setMinimumSectionSize(1);
    eRucne->setColumnWidth(SloupecNazvu, 125);
    eRucne->setColumnWidth(SloupecHodnot, 384);
    eRucne->setSelectionMode(QAbstractItemView::SingleSelection);
    eRucne->setItemDelegateForColumn(SloupecHodnot, new tEditorHodnot(eRucne));
    vSkupine->addWidget(eRucne);
    rozlozeni->addWidget(skupina);

    auto* dole = new QHBoxLayout;
    auto* popisPoctu = new QLabel(Win("&Počet etiket:"), strana);
    ePocet = new QSpinBox(strana);
    ePocet->setRange(0, NejvicKopii);
    ePocet->setWrapping(false);
    ePocet->setValue(0);
    popisPoctu->setBuddy(ePocet);
    bTisk = new QPushButton(QStringLiteral("&Tisk"), strana);
    bNahled = new QPushButton(Win("Ná&hled"), strana);
    bNovaEtiketa = new QPushButton(Win("No&vá etiketa"), strana);
    bNovaEtiketa->setToolTip(Win("Vymazat všechna zadaná pole"));
    dole->addWidget(popisPoctu);
    dole->addWidget(ePocet);
    dole->addStretch();
    dole->addWidget(bTisk);
    dole->addWidget(bNahled);
    dole->addWidget(bNovaEtiketa);
    rozlozeni->addLayout(dole);

    connect(bTisk, &QPushButton::clicked, this, Chranene([this](bool) { mTiskClick(); }));
    connect(bNahled, &QPushButton::clicked, this, Chranene([this](bool) { mNahledClick(); }));
    connect(bNovaEtiketa, &QPushButton::clicked, this,
            Chranene([this](bool) { mNovaEtiketaClick(); }));
    return strana;
}

QWidget* TMainForm::VytvorStranuTabulky() {
    auto* strana = new QWidget;
    auto* rozlozeni = new QVBoxLayout(strana);
    rozlozeni->setContentsMargins(4, 4, 4, 4);

    Grid = new QTableView(strana);
    Grid->setAccessibleName(QStringLiteral("Tabulka etiket ze schránky"));
    model_ = new TTabulkaModel(tabulka_, this);
    Grid->setModel(model_);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->setTabKeyNavigation(false); // Tab goes on to the buttons, as in the other grids
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Grid->setShowGrid(true);
    QHeaderView* svisla = Grid->verticalHeader();
    svisla->setHighlightSections(false);
    svisla->setSectionResizeMode(QHeaderView::Fixed);
    svisla->setMinimumSectionSize(1);
    svisla->setDefaultSectionSize(18);
    QHeaderView* vodorovna = Grid->horizontalHeader();
    vodorovna->setMinimumSectionSize(1);
    vodorovna->setDefaultSectionSize(64);
    vodorovna->setSectionResizeMode(QHeaderView::Interactive);
    rozlozeni->addWidget(Grid);

    auto* dole = new QHBoxLayout;
    Button1 = new QPushButton(Win("Načíst ze schránky (vložit)"), strana);
    TiskVsech = new QPushButton(QStringLiteral("&Tisk"), strana);
    NahledVsech = new QPushButton(Win("Ná&hled"), strana);
    dole->addWidget(Button1);
    dole->addStretch();
    dole->addWidget(TiskVsech);
    dole->addWidget(NahledVsech);
    rozlozeni->addLayout(dole);

    connect(Button1, &QPushButton::clicked, this, Chranene([this](bool) { Button1Click(); }));
    connect(TiskVsech, &QPushButton::clicked, this, Chranene([this](bool) { TiskVsechClick(); }));
    connect(NahledVsech, &QPushButton::clicked, this, Chranene([this](bool) { mNahledClick(); }));
    return strana;
}

int TMainForm::Vybrana() const {
    return std::min(VybranaEtiketa(eOblepkyVyber->currentIndex()), PocetEtiket - 1);
}

tRucniHodnoty TMainForm::RucniHodnoty() const {
    tRucniHodnoty hodnoty{};
    for (int r = 0; r < PocetPoli; ++r)
        if (const QTableWidgetItem* i = eRucne->item(r, SloupecHodnot))
            hodnoty[r + 1] = ZQt(BezZlomu(i->text()));
    return hodnoty;
}

void TMainForm::FormCreate(const tRucniHodnoty& rucni) {
    for (int r = 0; r < PocetPoli; ++r) {
        eRucne->setVerticalHeaderItem(r, new QTableWidgetItem(QStringLiteral("%1.").arg(r + 1)));
        auto* nazev = new QTableWidgetItem;
        nazev->setFlags(Qt::ItemIsEnabled); // a fixed column: shown, never selected
        nazev->setBackground(palette().button());
        eRucne->setItem(r, SloupecNazvu, nazev);
        eRucne->setItem(r, SloupecHodnot, new QTableWidgetItem);
    }
    eRucne->setCurrentCell(0, SloupecHodnot);
    try {
        for (int r = 0; r < PocetPoli; ++r)
            eRucne->item(r, SloupecHodnot)->setText(BezZlomu(NaQt(rucni[r + 1])));
        setWindowTitle(QStringLiteral("Oblepky"));
        Grid->verticalHeader()->setMinimumWidth(40);
        Grid->setColumnWidth(0, 40);
        Grid->setColumnWidth(1, 120);
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
    ePocet->setValue(stav_.PopisEtiket[Vybrana()].StdPocet);
}

void TMainForm::closeEvent(QCloseEvent* udalost) {
    QMainWindow::closeEvent(udalost);
    if (ulozeno_)
        return;
    ulozeno_ = true; // an error is shown once, and the program still ends
    try {
        uloziste_.Uloz(stav_, RucniHodnoty());
    } catch (...) {
        UkazChybu(std::current_exception());
    }
}

bool TMainForm::eRucneSelectCell(int radek) const {
    const QTableWidgetItem* nazev = eRucne->item(radek, SloupecNazvu);
    return !nazev || !nazev->text().contains(QLatin1Char('*'));
}

void TMainForm::ZobrazNazvyPoli() {
    const tPopisOblepky& popis = stav_.PopisEtiket[Vybrana()];
    for (int r = 0; r < PocetPoli; ++r)
        if (QTableWidgetItem* i = eRucne->item(r, SloupecNazvu))
            i->setText(NaQt(popis.Pole[r + 1]));
    int akt = eRucne->currentRow();
    if (akt < 0 || eRucneSelectCell(akt))
        return;
    for (int r = akt + 1; r < PocetPoli; ++r)
        if (eRucneSelectCell(r)) {
            eRucne->setCurrentCell(r, SloupecHodnot);
            return;
        }
}

void TMainForm::VymazPole() {
    for (int r = 0; r < PocetPoli; ++r)
        if (QTableWidgetItem* i = eRucne->item(r, SloupecHodnot))
            i->setText(QString());
    ZobrazNazvyPoli();
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
    VymazPole();
    eRucne->setFocus();
}

void TMainForm::mTiskClick() {
    TiskniRucne(stav_.PopisEtiket[Vybrana()], ePocet->value(), RucniHodnoty(), sluzby_);
}

void TMainForm::TiskVsechClick() {
    TiskniTabulku(stav_.PopisEtiket[Vybrana()], ePocet->value(), tabulka_, sluzby_);
}

void TMainForm::mNahledClick() {
    if (!Nahled) {
        // The run of the page shown, as its Tisk would start it.
        Nahled = new TNahledForm(
            [this](long long drzetEtiket) {
                const tPopisOblepky& popis = stav_.PopisEtiket[Vybrana()];
                const int pocet = ePocet->value();
                const bool rucne = PageControl1->currentIndex() == 0;
                const tRucniHodnoty hodnoty = rucne ? RucniHodnoty() : tRucniHodnoty{};
                return ZachytNahled(
                    popis,
                    [&](const tSluzbyTisku& s) {
                        if (rucne)
                            TiskniRucne(popis, pocet, hodnoty, s);
                        else
                            TiskniTabulku(popis, pocet, tabulka_, s);
                    },
                    drzetEtiket);
            },
            this);
    }
    Nahled->Ukaz();
}

void TMainForm::ObnovNahled() {
    if (Nahled && Nahled->isVisible())
        Nahled->Obnov();
}

void TMainForm::Button1Click() {
    const std::optional<QString> schranka = TextSchranky();
    if (!schranka)
        return;
    std::string text = ZQt(*schranka);
    if (size_t nul = text.find('\0'); nul != std::string::npos)
        text.resize(nul);

    std::vector<int> sirky;
    for (int c = 0; c < model_->columnCount(); ++c)
        sirky.push_back(Grid->columnWidth(c));
    {
        model_->ZacniZmenu();
        tPriKonci konecZmeny([this] { model_->DokonciZmenu(); });
        tabulka_.NactiText(text);
    }
    // Columns that remain keep their width; new ones have the default.
    int zustava = std::min(static_cast<int>(sirky.size()), model_->columnCount());
    for (int c = 0; c < zustava; ++c)
        Grid->setColumnWidth(c, sirky[static_cast<size_t>(c)]);
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

void TMainForm::mUlohyClick() {
    if (!Ulohy)
        Ulohy = new TUlohyForm(
            *Sledovani,
            [this] {
                std::vector<std::string> fronty;
                for (const tPopisOblepky& p : stav_.PopisEtiket)
                    fronty.push_back(p.Tiskarna);
                return fronty;
            },
            this);
    Ulohy->Ukaz();
}

void TMainForm::mNapovedaClick() {
    OtevriNapovedu(tTema::Pouzivani);
}
