#pragma once
// The pasted table as a read-only item model: data rows 1.. and columns 1.. of tTabulka
// are the model's rows and columns; row 0 (column numbers) and column 0 (row numbers) are
// the view's headers, so they stay fixed. Cells are read on demand.

#include "core/Tabulka.h"

#include <QAbstractTableModel>

class TTabulkaModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TTabulkaModel(const tTabulka& tabulka, QObject* rodic);

    int rowCount(const QModelIndex& rodic = {}) const override;
    int columnCount(const QModelIndex& rodic = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int sekce, Qt::Orientation smer, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Call around every change of the table.
    void ZacniZmenu() { beginResetModel(); }
    void DokonciZmenu() { endResetModel(); }

private:
    const tTabulka& tabulka_;
};
