#pragma once
// An editable grid that behaves like the other controls of its window: Tab and Shift+Tab go
// to the next and previous control, also from a cell being edited (arrow keys move between
// rows), and typing always edits the current cell from the first key. There is no
// type-to-search, and a click on the current cell edits it at once, so keys typed right after
// the click cannot land anywhere else. Ctrl+Tab turns the page of the enclosing tabs, also
// from a cell being edited.

#include <QTableWidget>

class TMrizka : public QTableWidget {
    Q_OBJECT
public:
    TMrizka(int radku, int sloupcu, QWidget* rodic = nullptr);
    using QTableWidget::edit;

protected:
    bool edit(const QModelIndex& index, EditTrigger spoustec, QEvent* udalost) override;
    bool eventFilter(QObject* objekt, QEvent* udalost) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint rada) override;
    void keyboardSearch(const QString&) override {}
    void mousePressEvent(QMouseEvent* udalost) override;
    void mouseReleaseEvent(QMouseEvent* udalost) override;

private:
    QPersistentModelIndex kliknuto_; // the current cell that a press landed on
};
