#pragma once
// Which sheet of a workbook the table takes, asked when the workbook has more than one.

#include "output/Sesit.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QListWidget;

// The sheets by name, hidden ones marked; the first visible one chosen at first.
class TVolbaListu : public QDialog {
    Q_OBJECT
public:
    TVolbaListu(const std::vector<tListSesitu>& listy, QWidget* rodic = nullptr);
    int Vybrany() const; // from 0

private:
    QListWidget* seznam_;
};

// How the user picks a sheet: its index, nothing for Storno. Tests pass their own.
using tVyberListu = std::function<std::optional<int>(const std::vector<tListSesitu>&)>;

// The sheet to read of the file nazev (file system bytes) as tVolbyTabulky::List has it:
// "" for a file that is no workbook or has one sheet, the number of the sheet chosen (the
// dialog, or vyber when given); nothing when the user gave up. Raises eSouborTabulky for a
// workbook that cannot be read.
std::optional<std::string> ListKNacteni(QWidget* rodic, const std::string& nazev,
                                        const tVyberListu& vyber);
