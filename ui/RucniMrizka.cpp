#include "ui/RucniMrizka.h"

#include "core/UNI.h"
#include "ui/Text.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

namespace {

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

} // namespace

TRucniMrizka::TRucniMrizka(QWidget* rodic) : TMrizka(PocetPoli, 2, rodic) {
    setObjectName(QStringLiteral("eRucne"));
    setHorizontalHeaderLabels(
        {QStringLiteral("Název pole"), QStringLiteral("Obsah pole (text k vytištění)")});
    QHeaderView* svisla = verticalHeader();
    svisla->setSectionResizeMode(QHeaderView::Fixed);
    svisla->setMinimumSectionSize(1);
    svisla->setDefaultSectionSize(18);
    svisla->setFixedWidth(30);
    svisla->setHighlightSections(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(1);
    setColumnWidth(SloupecNazvu, 125);
    setColumnWidth(SloupecHodnot, 384);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegateForColumn(SloupecHodnot, new tEditorHodnot(this));
    for (int r = 0; r < PocetPoli; ++r) {
        setVerticalHeaderItem(r, new QTableWidgetItem(QStringLiteral("%1.").arg(r + 1)));
        auto* nazev = new QTableWidgetItem;
        nazev->setFlags(Qt::ItemIsEnabled); // a fixed column: shown, never selected
        nazev->setBackground(palette().button());
        setItem(r, SloupecNazvu, nazev);
        setItem(r, SloupecHodnot, new QTableWidgetItem);
    }
    setCurrentCell(0, SloupecHodnot);
}

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
