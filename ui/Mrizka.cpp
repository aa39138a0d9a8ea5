#include "Mrizka.h"

#include <QMouseEvent>

TMrizka::TMrizka(int radku, int sloupcu, QWidget* rodic) : QTableWidget(radku, sloupcu, rodic) {
    setTabKeyNavigation(false);
    setEditTriggers(AnyKeyPressed | DoubleClicked | EditKeyPressed);
}

void TMrizka::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint rada) {
    const bool dal = rada == QAbstractItemDelegate::EditNextItem;
    const bool zpet = rada == QAbstractItemDelegate::EditPreviousItem;
    QTableWidget::closeEditor(editor, dal || zpet ? QAbstractItemDelegate::NoHint : rada);
    if (dal || zpet)
        focusNextPrevChild(dal);
}

void TMrizka::mousePressEvent(QMouseEvent* udalost) {
    const QModelIndex index = indexAt(udalost->position().toPoint());
    kliknuto_ = index.isValid() && index == currentIndex() && hasFocus() ? index : QModelIndex();
    QTableWidget::mousePressEvent(udalost);
}

void TMrizka::mouseReleaseEvent(QMouseEvent* udalost) {
    QTableWidget::mouseReleaseEvent(udalost);
    const QModelIndex index = indexAt(udalost->position().toPoint());
    if (udalost->button() == Qt::LeftButton && kliknuto_.isValid() && index == kliknuto_ &&
        state() != EditingState)
        edit(index, AllEditTriggers, udalost);
    kliknuto_ = QModelIndex();
}
