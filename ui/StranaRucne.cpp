#include "ui/StranaRucne.h"

#include "ui/RucniMrizka.h"
#include "ui/Text.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

TStranaRucne::TStranaRucne(QWidget* rodic) : QWidget(rodic) {
    auto* rozlozeni = new QVBoxLayout(this);
    rozlozeni->setContentsMargins(4, 4, 4, 4);

    auto* skupina = new QGroupBox(QStringLiteral("Příprava oblepky - vyplnění polí:"), this);
    auto* vSkupine = new QVBoxLayout(skupina);
    vSkupine->setContentsMargins(4, 4, 4, 4); // the grid's three columns fit without scrolling
    eRucne = new TRucniMrizka(skupina);
    eRucne->setAccessibleName(QStringLiteral("Příprava oblepky - vyplnění polí"));
    eRucne->MuzeVybrat = [this](int radek) { return eRucneSelectCell(radek); };
    vSkupine->addWidget(eRucne);
    rozlozeni->addWidget(skupina);

    auto* dole = new QHBoxLayout;
    auto* popisPoctu = new QLabel(QStringLiteral("&Počet etiket:"), this);
    ePocet = new QSpinBox(this);
    ePocet->setObjectName(QStringLiteral("ePocet"));
    ePocet->setRange(0, NejvicKopii); // from 0, not wrapping: the box's defaults
    popisPoctu->setBuddy(ePocet);
    dole->addWidget(popisPoctu);
    dole->addWidget(ePocet);
    dole->addStretch();
    auto tlacitko = [this, dole](const char* jmeno, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(jmeno));
        dole->addWidget(b);
        return b;
    };
    connect(tlacitko("bTisk", QStringLiteral("&Tisk")), &QPushButton::clicked, this,
            &TStranaRucne::Tisk);
    connect(tlacitko("bNahled", QStringLiteral("Ná&hled")), &QPushButton::clicked, this,
            &TStranaRucne::Nahled);
    QPushButton* bNovaEtiketa = tlacitko("bNovaEtiketa", QStringLiteral("No&vá etiketa"));
    bNovaEtiketa->setToolTip(QStringLiteral("Vymazat všechna zadaná pole"));
    connect(bNovaEtiketa, &QPushButton::clicked, this, &TStranaRucne::NovaEtiketa);
    rozlozeni->addLayout(dole);

    connect(eRucne, &QTableWidget::itemChanged, this, &TStranaRucne::Upraveno);
    connect(ePocet, &QSpinBox::valueChanged, this, &TStranaRucne::Upraveno);
}

tRucniHodnoty TStranaRucne::Hodnoty(size_t* nepresnych) const {
    tRucniHodnoty hodnoty{};
    for (int r = 0; r < PocetPoli; ++r)
        hodnoty[r + 1] =
            ZQt(BezZlomu(eRucne->item(r, TRucniMrizka::SloupecHodnot)->text()), nepresnych);
    return hodnoty;
}

void TStranaRucne::NastavHodnoty(const tRucniHodnoty& hodnoty) {
    for (int r = 0; r < PocetPoli; ++r)
        eRucne->item(r, TRucniMrizka::SloupecHodnot)->setText(BezZlomu(NaQt(hodnoty[r + 1])));
}

int TStranaRucne::Pocet() const {
    return ePocet->value();
}

void TStranaRucne::NastavPocet(int pocet) {
    ePocet->setValue(pocet);
}

bool TStranaRucne::eRucneSelectCell(int radek) const {
    const QTableWidgetItem* nazev = eRucne->item(radek, TRucniMrizka::SloupecNazvu);
    return !nazev || !nazev->text().contains(QLatin1Char('*'));
}

void TStranaRucne::ZobrazNazvyPoli(const tPopisOblepky& popis) {
    for (int r = 0; r < PocetPoli; ++r)
        eRucne->item(r, TRucniMrizka::SloupecNazvu)->setText(NaQt(popis.Pole[r + 1]));
    OpustHvezdicku();
}

void TStranaRucne::OpustHvezdicku() {
    int akt = eRucne->currentRow();
    if (akt < 0 || eRucneSelectCell(akt))
        return;
    for (int r = akt + 1; r < PocetPoli; ++r)
        if (eRucneSelectCell(r)) {
            eRucne->setCurrentCell(r, TRucniMrizka::SloupecHodnot);
            return;
        }
}

void TStranaRucne::VymazPole() {
    for (int r = 0; r < PocetPoli; ++r)
        eRucne->item(r, TRucniMrizka::SloupecHodnot)->setText(QString());
    OpustHvezdicku();
}

void TStranaRucne::NovaEtiketa() {
    VymazPole();
    eRucne->setFocus();
}
