#include "ui/TabulkaModel.h"

#include "ui/Text.h"

#include <algorithm>

TTabulkaModel::TTabulkaModel(const tTabulka& tabulka, QObject* rodic)
    : QAbstractTableModel(rodic), tabulka_(tabulka), radku_(RadkuTabulky()) {}

int TTabulkaModel::RadkuTabulky() const {
    return std::max(tabulka_.PocetRadku() - 1, 0);
}

int TTabulkaModel::rowCount(const QModelIndex& rodic) const {
    return rodic.isValid() ? 0 : radku_;
}

void TTabulkaModel::DokonciZmenu() {
    prvni_ = 0;
    radku_ = PoOknech() ? std::min(okno_, RadkuTabulky()) : RadkuTabulky();
    endResetModel();
}

void TTabulkaModel::Okno(int prvni, int kolik) {
    okno_ = std::max(kolik, 1);
    if (!PoOknech())
        return;
    const int celkem = RadkuTabulky();
    kolik = std::clamp(kolik, 1, celkem);
    prvni_ = std::clamp(prvni, 0, celkem - kolik);
    if (kolik > radku_) {
        beginInsertRows({}, radku_, kolik - 1);
        radku_ = kolik;
        endInsertRows();
    } else if (kolik < radku_) {
        beginRemoveRows({}, kolik, radku_ - 1);
        radku_ = kolik;
        endRemoveRows();
    }
    Q_EMIT headerDataChanged(Qt::Vertical, 0, radku_ - 1);
    if (columnCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(radku_ - 1, columnCount() - 1));
}

namespace {

// What a cell shows, and its tooltip: never more than a line can hold. A pasted cell of
// megabytes would otherwise be laid out in full at every repaint and hover; the cell itself
// stays whole for printing.
constexpr size_t ZobrazitZnaku = 1000;
constexpr size_t TipZnaku = 200;

QString Zkracene(std::string_view bunka, size_t nejvyse) {
    if (bunka.size() <= nejvyse)
        return NaQt(bunka);
    return NaQt(bunka.substr(0, nejvyse)) + QChar(0x2026); // "…"
}

} // namespace

// The numbered columns only: a header keeps a few bytes for each of its sections.
int TTabulkaModel::columnCount(const QModelIndex& rodic) const {
    return rodic.isValid()
               ? 0
               : std::clamp(tabulka_.PocetSloupcu() - 1, 0, tTabulka::CislovanychSloupcu);
}

QVariant TTabulkaModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return Zkracene(tabulka_.Bunka(index.column() + 1, prvni_ + index.row() + 1),
                    role == Qt::ToolTipRole ? TipZnaku : ZobrazitZnaku);
}

QVariant TTabulkaModel::headerData(int sekce, Qt::Orientation smer, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    return smer == Qt::Horizontal ? NaQt(tabulka_.Bunka(sekce + 1, 0))
                                  : NaQt(tabulka_.Bunka(0, prvni_ + sekce + 1));
}

Qt::ItemFlags TTabulkaModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
