#include "ui/MrizkaTabulky.h"

#include "core/PriKonci.h"
#include "ui/TabulkaModel.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelection>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QWheelEvent>

#include <algorithm>
#include <utility>

TMrizkaTabulky::TMrizkaTabulky(TTabulkaModel* model, QWidget* rodic)
    : QTableView(rodic), model_(model), posuvnik_(new QScrollBar(Qt::Vertical, rodic)) {
    setModel(model_);
    posuvnik_->setObjectName(QStringLiteral("PosuvnikTabulky"));
    posuvnik_->setAccessibleName(QStringLiteral("Řádky tabulky"));
    posuvnik_->hide();
    connect(posuvnik_, &QScrollBar::valueChanged, this, &TMrizkaTabulky::Posun);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        const QSignalBlocker ticho(posuvnik_); // a new table starts at its top
        posuvnik_->setValue(0);
        Prizpusob();
    });
}

void TMrizkaTabulky::Prizpusob() {
    const bool poOknech = model_->PoOknech();
    setVerticalScrollBarPolicy(poOknech ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    posuvnik_->setVisible(poOknech);
    QHeaderView* cisla = verticalHeader();
    if (!poOknech) {
        if (sirkaCisel_ >= 0)
            cisla->setMinimumWidth(std::exchange(sirkaCisel_, -1));
        return;
    }
    // The numbers fit the table's last one, so that their column keeps its width as the
    // window moves (a header sizes itself to the numbers it has).
    QStyleOptionHeader volby;
    volby.initFrom(cisla);
    QFont tucne = cisla->font(); // a header may show a number bold
    tucne.setBold(true);
    volby.fontMetrics = QFontMetrics(tucne);
    volby.text = QString::number(model_->RadkuTabulky());
    if (sirkaCisel_ < 0)
        sirkaCisel_ = cisla->minimumWidth();
    cisla->setMinimumWidth(std::max(
        sirkaCisel_,
        cisla->style()->sizeFromContents(QStyle::CT_HeaderSection, &volby, {}, cisla).width()));
    // Whole rows only: the view itself never scrolls.
    const int radku = std::max(viewport()->height() / verticalHeader()->defaultSectionSize(), 1);
    model_->Okno(model_->PrvniRadek(), radku);
    const QSignalBlocker ticho(posuvnik_);
    posuvnik_->setRange(0, model_->RadkuTabulky() - model_->rowCount());
    posuvnik_->setPageStep(model_->rowCount());
    posuvnik_->setValue(model_->PrvniRadek());
}

void TMrizkaTabulky::Posun(int prvni) {
    const int bylo = model_->PrvniRadek();
    model_->Okno(prvni, model_->rowCount());
    const int o = model_->PrvniRadek() - bylo;
    if (o == 0 || klavesou_)
        return;
    // The selection and the current cell go with the rows they are on, as far as they
    // stay in the window.
    QItemSelection posunuty;
    const int posledni = model_->rowCount() - 1;
    for (const QItemSelectionRange& r : selectionModel()->selection()) {
        const int od = std::max(r.top() - o, 0), po = std::min(r.bottom() - o, posledni);
        if (od <= po)
            posunuty.select(model_->index(od, r.left()), model_->index(po, r.right()));
    }
    const QModelIndex soucasny = currentIndex();
    const int radek = soucasny.row() - o;
    selectionModel()->setCurrentIndex(
        radek >= 0 && radek <= posledni ? model_->index(radek, soucasny.column()) : QModelIndex(),
        QItemSelectionModel::NoUpdate);
    selectionModel()->select(posunuty, QItemSelectionModel::ClearAndSelect);
}

QModelIndex TMrizkaTabulky::moveCursor(CursorAction pohyb, Qt::KeyboardModifiers klavesy) {
    const QModelIndex soucasny = currentIndex();
    if (!model_->PoOknech() || !soucasny.isValid())
        return QTableView::moveCursor(pohyb, klavesy);
    klavesou_ = true;
    const tPriKonci konec([this] { klavesou_ = false; });
    const int radku = model_->rowCount(), bylo = model_->PrvniRadek();
    const int radek = soucasny.row(), sloupec = soucasny.column();
    // The window moves by o; the cursor keeps its place on screen, and moves the rest.
    const auto posun = [&](int o) {
        posuvnik_->setValue(bylo + o);
        const int zbyva = o - (model_->PrvniRadek() - bylo);
        return model_->index(std::clamp(radek + zbyva, 0, radku - 1), sloupec);
    };
    const bool ctrl = klavesy & Qt::ControlModifier;
    switch (pohyb) {
    case MoveDown:
        return radek == radku - 1 ? posun(1) : QTableView::moveCursor(pohyb, klavesy);
    case MoveUp:
        return radek == 0 ? posun(-1) : QTableView::moveCursor(pohyb, klavesy);
    case MovePageDown:
        return posun(radku);
    case MovePageUp:
        return posun(-radku);
    case MoveHome:
    case MoveEnd:
        if (!ctrl)
            return QTableView::moveCursor(pohyb, klavesy);
        // To the table's first or last cell; the selection goes with its rows.
        klavesou_ = false;
        posuvnik_->setValue(pohyb == MoveHome ? 0 : posuvnik_->maximum());
        return pohyb == MoveHome ? model_->index(0, 0)
                                 : model_->index(radku - 1, model_->columnCount() - 1);
    default:
        return QTableView::moveCursor(pohyb, klavesy);
    }
}

void TMrizkaTabulky::wheelEvent(QWheelEvent* udalost) {
    if (model_->PoOknech() && udalost->angleDelta().y() != 0)
        QApplication::sendEvent(posuvnik_, udalost);
    else
        QTableView::wheelEvent(udalost);
}

bool TMrizkaTabulky::viewportEvent(QEvent* udalost) {
    const bool vysledek = QTableView::viewportEvent(udalost);
    if (udalost->type() == QEvent::Resize)
        Prizpusob();
    return vysledek;
}
