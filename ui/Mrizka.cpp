#include "ui/Mrizka.h"

#include <QCoreApplication>
#include <QKeyEvent>
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

bool TMrizka::edit(const QModelIndex& index, EditTrigger spoustec, QEvent* udalost) {
    if (!QTableWidget::edit(index, spoustec, udalost))
        return false;
    if (QWidget* editor = indexWidget(index))
        editor->installEventFilter(this); // before the delegate's filter, which sees Tab only
    return true;
}

bool TMrizka::eventFilter(QObject* objekt, QEvent* udalost) {
    if (udalost->type() == QEvent::KeyPress && objekt->isWidgetType()) {
        auto* klavesa = static_cast<QKeyEvent*>(udalost);
        if ((klavesa->key() == Qt::Key_Tab || klavesa->key() == Qt::Key_Backtab) &&
            (klavesa->modifiers() & Qt::ControlModifier)) {
            // Up from the grid, past its own handling, to the tabs it lies in.
            if (parentWidget())
                QCoreApplication::sendEvent(parentWidget(), udalost);
            return true;
        }
    }
    return QTableWidget::eventFilter(objekt, udalost);
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
