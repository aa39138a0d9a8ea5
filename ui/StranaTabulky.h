#pragma once
// The page "Načtení a tisk etiket ze schránky": the pasted table, read-only, and the page's
// buttons. An import of another source hands its text to Nacti.

#include "core/Tabulka.h"

#include <QWidget>

#include <string>

class QTableView;
class TTabulkaModel;

class TStranaTabulky : public QWidget {
    Q_OBJECT
public:
    explicit TStranaTabulky(QWidget* rodic = nullptr);

    const tTabulka& Tabulka() const { return tabulka_; }
    // Replaces the table with the tab-separated text, which ends at its first byte 0.
    // Columns that remain keep their width; new ones have the default.
    void Nacti(std::string text);

signals:
    void Tisk();
    void Nahled();
    void Nacteno(); // the table was replaced

private:
    void Button1Click();

    tTabulka tabulka_;
    TTabulkaModel* model_;
    QTableView* Grid;
};
