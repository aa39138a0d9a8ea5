#include "ui/VolbaListu.h"

#include "core/Deskriptor.h"
#include "output/RadkySesitu.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <fcntl.h>
#include <sys/stat.h>

TVolbaListu::TVolbaListu(const std::vector<tListSesitu>& listy, QWidget* rodic) : QDialog(rodic) {
    setWindowTitle(QStringLiteral("Oblepky"));
    auto* rozlozeni = new QVBoxLayout(this);
    auto* popisek = new QLabel(QStringLiteral("Sešit má více listů. &List k načtení:"), this);
    seznam_ = new QListWidget(this);
    seznam_->setAccessibleName(QStringLiteral("Listy sešitu"));
    popisek->setBuddy(seznam_);
    int prvni = -1;
    for (size_t i = 0; i < listy.size(); ++i) {
        QString text = QString::fromStdString(listy[i].Nazev);
        if (!listy[i].Viditelny)
            text += QStringLiteral(" (skrytý)");
        seznam_->addItem(text);
        if (prvni < 0 && listy[i].Viditelny)
            prvni = static_cast<int>(i);
    }
    seznam_->setCurrentRow(std::max(prvni, 0));
    auto* tlacitka = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    tlacitka->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Načíst"));
    tlacitka->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Storno"));
    connect(tlacitka, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(tlacitka, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(seznam_, &QListWidget::itemActivated, this, &QDialog::accept);
    rozlozeni->addWidget(popisek);
    rozlozeni->addWidget(seznam_);
    rozlozeni->addWidget(tlacitka);
    seznam_->setFocus();
}

int TVolbaListu::Vybrany() const {
    return seznam_->currentRow();
}

std::optional<std::string> ListKNacteni(QWidget* rodic, const std::string& nazev,
                                        const tVyberListu& vyber) {
    // Never waiting in the open for a FIFO's writer: only a plain file may be a workbook.
    const tDeskriptor soubor(::open(nazev.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    struct stat stav {};
    if (!soubor.Otevreny() || ::fstat(soubor.Fd(), &stav) != 0 || !S_ISREG(stav.st_mode) ||
        !JeSesit(soubor.Fd(), nazev))
        return std::string(); // the reader says why it cannot be read
    const std::vector<tListSesitu> listy = ListySesitu(soubor.Fd(), nazev);
    if (listy.size() <= 1)
        return std::string();
    std::optional<int> vybrany;
    if (vyber) {
        vybrany = vyber(listy);
    } else {
        TVolbaListu dialog(listy, rodic);
        if (dialog.exec() == QDialog::Accepted)
            vybrany = dialog.Vybrany();
    }
    if (!vybrany || *vybrany < 0 || static_cast<size_t>(*vybrany) >= listy.size())
        return std::nullopt;
    return std::to_string(*vybrany + 1);
}
