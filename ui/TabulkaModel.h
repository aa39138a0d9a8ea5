#pragma once
// The pasted table as a read-only item model: data rows 1.. and columns 1.. of tTabulka
// are the model's rows and columns; row 0 (column numbers) and column 0 (row numbers) are
// the view's headers, so they stay fixed. Cells are read on demand.
//
// A view keeps a few bytes for each row its model has, more than the text of millions of
// short rows, so a longer table shows a window of its rows at a time (Okno).

#include "core/Tabulka.h"

#include <QAbstractTableModel>

class TTabulkaModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Tables of more data rows than this are shown window by window.
    static constexpr int RadkuNaJednou = 100'000;

    TTabulkaModel(const tTabulka& tabulka, QObject* rodic);

    int rowCount(const QModelIndex& rodic = {}) const override;
    int columnCount(const QModelIndex& rodic = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int sekce, Qt::Orientation smer, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Call around every change of the table. A long table then shows its first rows.
    void ZacniZmenu() { beginResetModel(); }
    void DokonciZmenu();

    int RadkuTabulky() const; // its data rows
    bool PoOknech() const { return RadkuTabulky() > RadkuNaJednou; }
    // The data rows from prvni + 1 on, kolik of them, become the model's rows (both
    // clamped to the table); the whole table stays when it is not shown by windows.
    void Okno(int prvni, int kolik);
    int PrvniRadek() const { return prvni_; } // model row 0 is data row PrvniRadek() + 1

private:
    const tTabulka& tabulka_;
    int prvni_ = 0;
    int radku_ = 0; // the model's rows
    int okno_ = 64; // the window last asked for, until a view asks
};
