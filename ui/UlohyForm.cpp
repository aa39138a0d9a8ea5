#include "ui/UlohyForm.h"

#include "ui/Chyby.h"
#include "ui/Napoveda.h"
#include "ui/SledovaniNaPozadi.h"
#include "ui/Vystredeni.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

QString Cas(long long unixovy) {
    if (unixovy <= 0)
        return {};
    return QDateTime::fromSecsSinceEpoch(unixovy).toString(QStringLiteral("d. M. yyyy H:mm:ss"));
}

} // namespace

TUlohyForm::TUlohyForm(TSledovaniNaPozadi& sledovani,
                       std::function<std::vector<std::string>()> fronty, QWidget* vlastnik)
    : QDialog(vlastnik, Qt::Window), sledovani_(&sledovani), fronty_(std::move(fronty)) {
    setWindowTitle(QStringLiteral("Tiskové úlohy"));
    setAccessibleName(windowTitle());
    resize(760, 360);

    auto* rozlozeni = new QVBoxLayout(this);
    auto* popis = new QLabel(QStringLiteral("Ú&lohy na tiskových frontách programu:"), this);
    eUlohy = new QTreeWidget(this);
    eUlohy->setObjectName(QStringLiteral("eUlohy"));
    eUlohy->setColumnCount(PocetSloupcu);
    eUlohy->setHeaderLabels({QStringLiteral("Úloha"), QStringLiteral("Fronta"),
                             QStringLiteral("Název"), QStringLiteral("Stav"),
                             QStringLiteral("Zpráva tiskárny"), QStringLiteral("Čas")});
    eUlohy->setRootIsDecorated(false);
    eUlohy->setUniformRowHeights(true);
    eUlohy->setAllColumnsShowFocus(true);
    eUlohy->setSelectionMode(QAbstractItemView::SingleSelection);
    eUlohy->setAccessibleName(QStringLiteral("Tiskové úlohy"));
    eUlohy->setColumnWidth(SlUloha, 60);
    eUlohy->setColumnWidth(SlFronta, 110);
    eUlohy->setColumnWidth(SlNazev, 170);
    eUlohy->setColumnWidth(SlStav, 90);
    eUlohy->setColumnWidth(SlZprava, 200);
    popis->setBuddy(eUlohy);
    xStav = new QLabel(this);
    xStav->setObjectName(QStringLiteral("xStav"));
    xStav->setWordWrap(true);
    rozlozeni->addWidget(popis);
    rozlozeni->addWidget(eUlohy);
    rozlozeni->addWidget(xStav);

    auto* dole = new QHBoxLayout;
    bZrusit = new QPushButton(QStringLiteral("&Zrušit úlohu"), this);
    bZnovu = new QPushButton(QStringLiteral("&Vytisknout znovu"), this);
    bObnovit = new QPushButton(QStringLiteral("&Obnovit"), this);
    bObnovit->setShortcut(QKeySequence(Qt::Key_F5));
    bObnovit->setToolTip(QStringLiteral("Načíst úlohy znovu (F5)"));
    bZavrit = new QPushButton(QStringLiteral("Zavř&ít"), this);
    for (QPushButton* b : {bZrusit, bZnovu, bObnovit, bZavrit})
        b->setAutoDefault(false); // Enter in the list is no command
    bZrusit->setObjectName(QStringLiteral("bZrusit"));
    bZnovu->setObjectName(QStringLiteral("bZnovu"));
    bObnovit->setObjectName(QStringLiteral("bObnovit"));
    bZavrit->setObjectName(QStringLiteral("bZavrit"));
    dole->addWidget(bZrusit);
    dole->addWidget(bZnovu);
    dole->addStretch();
    dole->addWidget(bObnovit);
    dole->addWidget(bZavrit);
    rozlozeni->addLayout(dole);

    connect(bZrusit, &QPushButton::clicked, this, Chranene([this](bool) { Proved(false); }));
    connect(bZnovu, &QPushButton::clicked, this, Chranene([this](bool) { Proved(true); }));
    connect(bObnovit, &QPushButton::clicked, this, [this] { sledovani_->Seznam(fronty_()); });
    connect(bZavrit, &QPushButton::clicked, this, &QWidget::close);
    connect(eUlohy, &QTreeWidget::currentItemChanged, this, [this] { ObnovTlacitka(); });
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(esc, &QShortcut::activated, this, &QWidget::close);
    NastavTemaNapovedy(this, tTema::Ulohy);
    ObnovTlacitka();
    sledovani_->NaSeznam = [this](const std::vector<tUloha>& u) { Zobraz(u); };
    sledovani_->NaChybu = [this](const std::string& chyba) { ZobrazChybu(chyba); };
}

TUlohyForm::~TUlohyForm() {
    if (!sledovani_)
        return;
    sledovani_->NaSeznam = nullptr;
    sledovani_->NaChybu = nullptr;
    sledovani_->Seznam({});
}

void TUlohyForm::Ukaz() {
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    xStav->setText(QStringLiteral("Načítám úlohy z tiskového serveru…"));
    sledovani_->Seznam(fronty_());
    PolozVedle(this);
    show();
    eUlohy->setFocus();
}

void TUlohyForm::hideEvent(QHideEvent* udalost) {
    if (sledovani_)
        sledovani_->Seznam({}); // closed: no more questions for the list
    if (isActiveWindow() && parentWidget())
        parentWidget()->activateWindow();
    QDialog::hideEvent(udalost);
}

void TUlohyForm::Zobraz(const std::vector<tUloha>& ulohy) {
    if (!isVisible())
        return;
    const tUloha* byla = Vybrana();
    const int vybrana = byla != nullptr ? byla->Id : 0;
    const std::vector<tUloha> predtim = std::exchange(ulohy_, ulohy);
    eUlohy->setUpdatesEnabled(false);
    // Rows are reused, so that the selection and the scrolling stay where the user left them.
    while (eUlohy->topLevelItemCount() > static_cast<int>(ulohy_.size()))
        delete eUlohy->takeTopLevelItem(eUlohy->topLevelItemCount() - 1);
    while (eUlohy->topLevelItemCount() < static_cast<int>(ulohy_.size()))
        eUlohy->addTopLevelItem(new QTreeWidgetItem);
    QTreeWidgetItem* znovuVybrat = nullptr;
    for (size_t i = 0; i < ulohy_.size(); ++i) {
        const tUloha& u = ulohy_[i];
        QTreeWidgetItem* r = eUlohy->topLevelItem(static_cast<int>(i));
        if (u.Id == vybrana)
            znovuVybrat = r;
        if (i < predtim.size() && predtim[i] == u)
            continue; // a long history: only what changed is drawn again
        r->setText(SlUloha, QString::number(u.Id));
        r->setTextAlignment(SlUloha, Qt::AlignRight | Qt::AlignVCenter);
        r->setText(SlFronta, QString::fromStdString(u.Fronta));
        r->setText(SlNazev, QString::fromStdString(u.Nazev));
        r->setText(SlStav, QString::fromStdString(StavVSeznamu(u)));
        r->setText(SlZprava, QString::fromStdString(ZpravaTiskarny(u)));
        r->setToolTip(SlZprava, r->text(SlZprava));
        r->setText(SlCas, Cas(u.Skoncila() ? u.CasDokonceni : u.CasVytvoreni));
    }
    if (znovuVybrat != nullptr)
        eUlohy->setCurrentItem(znovuVybrat);
    else if (eUlohy->currentItem() == nullptr && eUlohy->topLevelItemCount() > 0)
        eUlohy->setCurrentItem(eUlohy->topLevelItem(0));
    eUlohy->setUpdatesEnabled(true);
    if (ulohy_.empty())
        xStav->setText(QStringLiteral("Na frontách programu nejsou žádné úlohy."));
    else if (xStav->text().startsWith(QStringLiteral("Načítám")))
        xStav->clear();
    ObnovTlacitka();
}

void TUlohyForm::ZobrazChybu(const std::string& chyba) {
    if (!chyba.empty())
        xStav->setText(QString::fromStdString(chyba));
    else if (!xStav->text().startsWith(QStringLiteral("Na frontách")))
        xStav->clear();
}

const tUloha* TUlohyForm::Vybrana() const {
    QTreeWidgetItem* r = eUlohy->currentItem();
    if (r == nullptr)
        return nullptr;
    const int i = eUlohy->indexOfTopLevelItem(r);
    return i >= 0 && i < static_cast<int>(ulohy_.size()) ? &ulohy_[static_cast<size_t>(i)]
                                                         : nullptr;
}

void TUlohyForm::ObnovTlacitka() {
    const tUloha* u = Vybrana();
    bZrusit->setEnabled(!ceka_ && u != nullptr && !u->Skoncila());
    bZnovu->setEnabled(!ceka_ && u != nullptr && u->Skoncila());
}

void TUlohyForm::Proved(bool znovu) {
    const tUloha* u = Vybrana();
    if (u == nullptr || u->Skoncila() != znovu)
        return;
    ceka_ = true;
    ObnovTlacitka();
    auto hotovo = [ja = QPointer(this)](const std::exception_ptr& chyba) {
        if (ja)
            ja->Hotovo(chyba);
    };
    if (znovu) {
        xStav->setText(QStringLiteral("Posílám úlohu %1 znovu na tiskárnu…").arg(u->Id));
        sledovani_->VytiskniZnovu(u->Id, hotovo);
    } else {
        xStav->setText(QStringLiteral("Ruším úlohu %1…").arg(u->Id));
        sledovani_->Zrus(u->Id, hotovo);
    }
}

void TUlohyForm::Hotovo(const std::exception_ptr& chyba) {
    ceka_ = false;
    xStav->clear();
    ObnovTlacitka();
    if (chyba)
        UkazChybu(chyba);
}
