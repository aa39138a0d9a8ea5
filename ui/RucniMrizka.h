#pragma once
// The grid of the manual values: twenty rows, the field names in column 0 (fixed) and the
// values in column 1. The cursor stays in the value column and never enters a row that the
// predicate refuses, neither by mouse nor by keyboard; a value reaches the grid while it is
// typed.

#include "ui/Mrizka.h"

#include <functional>

class TRucniMrizka : public TMrizka {
    Q_OBJECT
public:
    static constexpr int SloupecNazvu = 0;
    static constexpr int SloupecHodnot = 1;

    explicit TRucniMrizka(QWidget* rodic = nullptr);
    using TMrizka::edit;

    std::function<bool(int radek)> MuzeVybrat; // row of the widget, 0 = field 1

protected:
    QModelIndex moveCursor(CursorAction akce, Qt::KeyboardModifiers modifikatory) override;
    void mousePressEvent(QMouseEvent* udalost) override;
    void mouseMoveEvent(QMouseEvent* udalost) override;
    bool edit(const QModelIndex& index, EditTrigger spoustec, QEvent* udalost) override;

private:
    bool Povolen(const QModelIndex& index) const;
};
