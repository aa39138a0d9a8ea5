#pragma once
// The page "Načtení a tisk etiket ze schránky": the pasted table, read-only, and the page's
// buttons. An import of another source hands its text to Nacti.

#include "core/Tabulka.h"
#include "ui/VolbaListu.h"

#include <QWidget>

#include <functional>
#include <string>

class TMrizkaTabulky;
class TTabulkaModel;

// What the page asks the user; empty: its own dialogs (tests answer in their place).
struct tVyberyStrany {
    // The file for "Načíst ze souboru…"; an empty result: the user gave up.
    std::function<QString()> Soubor;
    // The sheet of a workbook with more than one.
    tVyberListu List;
};

class TStranaTabulky : public QWidget {
    Q_OBJECT
public:
    explicit TStranaTabulky(QWidget* rodic = nullptr, tVyberyStrany vybery = {});

    const tTabulka& Tabulka() const { return tabulka_; }
    // Replaces the table with the tab-separated text, which ends at its first byte 0 and has
    // nepresnych characters without an exact form. Columns that remain keep their width;
    // new ones have the default.
    void Nacti(std::string text, size_t nepresnych = 0);
    // Replaces the table with a table file's, read as the batch printer reads it (CSV for a
    // name ending in ".csv", else the clipboard's form; the character set from the bytes),
    // filled by the same rule. The file is read beside the window, which keeps answering;
    // after about a second a progress window offers Storno, which keeps the old table, also
    // while a FIFO waits for its writer. A file that cannot be read, or is no table, raises
    // eSouborTabulky, the table unchanged.
    void NactiSoubor(const QString& cesta);
    // Characters of the table's source that Windows-1250 has no exact form for.
    size_t Nepresnych() const { return nepresnych_; }

signals:
    void Tisk();
    void Nahled();
    void Nacteno(); // the table was replaced

protected:
    bool eventFilter(QObject* objekt, QEvent* udalost) override; // a file dropped on the table

private:
    void Button1Click();
    void bSouborClick();
    void Vezmi(tTabulka&& nova, size_t nepresnych);

    const tVyberyStrany vybery_;
    tTabulka tabulka_;
    size_t nepresnych_ = 0;
    bool nacita_ = false; // a file is being read
    TTabulkaModel* model_;
    TMrizkaTabulky* Grid;
};
