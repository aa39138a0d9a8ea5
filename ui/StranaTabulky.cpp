#include "ui/StranaTabulky.h"

#include "core/PriKonci.h"
#include "ui/Chyby.h"
#include "ui/Schranka.h"
#include "ui/TabulkaModel.h"
#include "ui/Text.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

TStranaTabulky::TStranaTabulky(QWidget* rodic) : QWidget(rodic) {
    auto* rozlozeni = new QVBoxLayout(this);
    rozlozeni->setContentsMargins(4, 4, 4, 4);

    Grid = new QTableView(this);
    Grid->setObjectName(QStringLiteral("Grid"));
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
    svisla->setMinimumWidth(40);
    QHeaderView* vodorovna = Grid->horizontalHeader();
    vodorovna->setMinimumSectionSize(1);
    vodorovna->setDefaultSectionSize(64);
    vodorovna->setSectionResizeMode(QHeaderView::Interactive);
    Grid->setColumnWidth(0, 40);
    Grid->setColumnWidth(1, 120);
    rozlozeni->addWidget(Grid);

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
    dole->addStretch();
    connect(tlacitko("TiskVsech", QStringLiteral("&Tisk")), &QPushButton::clicked, this,
            &TStranaTabulky::Tisk);
    connect(tlacitko("NahledVsech", QStringLiteral("Ná&hled")), &QPushButton::clicked, this,
            &TStranaTabulky::Nahled);
    rozlozeni->addLayout(dole);

    connect(model_, &QAbstractItemModel::modelReset, this, &TStranaTabulky::Nacteno);
}

void TStranaTabulky::Nacti(std::string text) {
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
    int zustava = std::min(static_cast<int>(sirky.size()), model_->columnCount());
    for (int c = 0; c < zustava; ++c)
        Grid->setColumnWidth(c, sirky[static_cast<size_t>(c)]);
}

void TStranaTabulky::Button1Click() {
    if (const std::optional<QString> schranka = TextSchranky())
        Nacti(ZQt(*schranka));
}
