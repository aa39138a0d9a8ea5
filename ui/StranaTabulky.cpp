#include "ui/StranaTabulky.h"

#include "core/PriKonci.h"
#include "output/RadkySouboru.h"
#include "output/UlohaNaPozadi.h"
#include "ui/Chyby.h"
#include "ui/MrizkaTabulky.h"
#include "ui/PrubehTisku.h"
#include "ui/Schranka.h"
#include "ui/TabulkaModel.h"
#include "ui/Text.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <atomic>
#include <optional>
#include <utility>
#include <vector>

TStranaTabulky::TStranaTabulky(QWidget* rodic, tVyberyStrany vybery)
    : QWidget(rodic), vybery_(std::move(vybery)) {
    auto* rozlozeni = new QVBoxLayout(this);
    rozlozeni->setContentsMargins(4, 4, 4, 4);

    model_ = new TTabulkaModel(tabulka_, this);
    Grid = new TMrizkaTabulky(model_, this);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->setAccessibleName(QStringLiteral("Tabulka etiket ze schránky"));
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
    svisla->setMinimumWidth(40);
    QHeaderView* vodorovna = Grid->horizontalHeader();
    vodorovna->setMinimumSectionSize(1);
    vodorovna->setDefaultSectionSize(64);
    vodorovna->setSectionResizeMode(QHeaderView::Interactive);
    auto* tabulka = new QHBoxLayout;
    tabulka->setSpacing(0);
    tabulka->addWidget(Grid);
    tabulka->addWidget(Grid->Posuvnik());
    rozlozeni->addLayout(tabulka);

    // The imports at the left, the page's run at the right.
    auto* dole = new QHBoxLayout;
    auto tlacitko = [this, dole](const char* jmeno, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(jmeno));
        dole->addWidget(b);
        return b;
    };
    connect(tlacitko("Button1", QStringLiteral("Načíst ze schránky (vložit)")),
            &QPushButton::clicked, this, Chranene([this](bool) { Button1Click(); }));
    // Alt+S belongs to the menu "Soubor".
    connect(tlacitko("bSoubor", QStringLiteral("Načíst ze so&uboru…")), &QPushButton::clicked, this,
            Chranene([this](bool) { bSouborClick(); }));
    dole->addStretch();
    connect(tlacitko("TiskVsech", QStringLiteral("&Tisk")), &QPushButton::clicked, this,
            &TStranaTabulky::Tisk);
    connect(tlacitko("NahledVsech", QStringLiteral("Ná&hled")), &QPushButton::clicked, this,
            &TStranaTabulky::Nahled);
    rozlozeni->addLayout(dole);

    connect(model_, &QAbstractItemModel::modelReset, this, &TStranaTabulky::Nacteno);
    Grid->viewport()->setAcceptDrops(true);
    Grid->viewport()->installEventFilter(this);
}

void TStranaTabulky::Nacti(std::string text, size_t nepresnych) {
    tTabulka nova;
    nova.PrevezmiText(std::move(text));
    Vezmi(std::move(nova), nepresnych);
}

void TStranaTabulky::Vezmi(tTabulka&& nova, size_t nepresnych) {
    std::vector<int> sirky;
    for (int c = 0; c < model_->columnCount(); ++c)
        sirky.push_back(Grid->columnWidth(c));
    {
        model_->ZacniZmenu();
        tPriKonci konecZmeny([this] { model_->DokonciZmenu(); });
        tabulka_ = std::move(nova);
        nepresnych_ = nepresnych; // before the reset that refreshes the preview
    }
    int zustava = std::min(static_cast<int>(sirky.size()), model_->columnCount());
    for (int c = 0; c < zustava; ++c)
        Grid->setColumnWidth(c, sirky[static_cast<size_t>(c)]);
}

void TStranaTabulky::Button1Click() {
    size_t nepresnych = 0;
    if (std::optional<std::string> schranka = TextSchranky(nepresnych))
        Nacti(std::move(*schranka), nepresnych);
}

void TStranaTabulky::bSouborClick() {
    const QString cesta =
        vybery_.Soubor ? vybery_.Soubor()
                       : QFileDialog::getOpenFileName(
                             this, QStringLiteral("Načíst tabulku ze souboru"), {},
                             QStringLiteral("Tabulky (*.csv *.txt *.tsv);;Všechny soubory (*)"));
    if (!cesta.isEmpty())
        NactiSoubor(cesta);
}

bool TStranaTabulky::eventFilter(QObject* objekt, QEvent* udalost) {
    if (objekt != Grid->viewport())
        return QWidget::eventFilter(objekt, udalost);
    const auto soubor = [](const QMimeData* data) {
        const QList<QUrl> adresy = data ? data->urls() : QList<QUrl>();
        return adresy.size() == 1 && adresy[0].isLocalFile() ? adresy[0].toLocalFile() : QString();
    };
    switch (udalost->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* tah = static_cast<QDragMoveEvent*>(udalost);
        if (!soubor(tah->mimeData()).isEmpty())
            tah->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* pusteni = static_cast<QDropEvent*>(udalost);
        const QString cesta = soubor(pusteni->mimeData());
        if (cesta.isEmpty())
            return true;
        pusteni->acceptProposedAction();
        // After the drop has ended: the drag source waits for its answer.
        QTimer::singleShot(0, this, Chranene([this, cesta] { NactiSoubor(cesta); }));
        return true;
    }
    default:
        return QWidget::eventFilter(objekt, udalost);
    }
}

void TStranaTabulky::NactiSoubor(const QString& cesta) {
    if (nacita_)
        return; // a second file while the first one loads
    nacita_ = true;
    const tPriKonci konec([this] { nacita_ = false; });
    const std::string nazev = QFile::encodeName(cesta).toStdString();
    tVolbyTabulky volby;
    volby.Format = cesta.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)
                       ? tFormatTabulky::Csv
                       : tFormatTabulky::Tsv;
    const std::optional<std::string> list = ListKNacteni(this, nazev, vybery_.List);
    if (!list)
        return; // Storno
    volby.List = *list;
    std::atomic<long long> precteno{0}, velikost{0};
    std::optional<tNactenaTabulka> nova;
    // Read beside the window as a run prints: its progress window and Storno after a second.
    TPrubehTisku prubeh(window());
    prubeh.setWindowTitle(QStringLiteral("Oblepky"));
    const tPriKonci skryj([&] { prubeh.Cekej(false); });
    prubeh.Cekej(true);
    const bool nacteno = ProvedNaPozadi(
        [&](const std::atomic<bool>& zrusit) {
            nova = NactiTabulku(nazev, volby, zrusit, precteno, velikost);
        },
        [&] { return prubeh.Nacita(precteno.load(), velikost.load()); });
    if (nacteno && nova)
        Vezmi(std::move(nova->Tabulka), nova->Nepresnych);
}
