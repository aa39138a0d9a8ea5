#include "ui/VytistenoForm.h"

#include "ui/Vystredeni.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr QStringView ZpravaOdeslano = u"Oblepky byly odeslány na tiskárnu.";
constexpr QStringView ZpravaNic = u"Na tiskárnu se neodeslala žádná etiketa.";
constexpr QStringView ZpravaNezruseno = u"Úlohu se nepodařilo zrušit; vytiskne se.";

} // namespace

TVytistenoForm::TVytistenoForm(QWidget* vlastnik)
    : QDialog(vlastnik, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("Dokončení tisku"));
    auto* rozlozeni = new QVBoxLayout(this);
    zprava_ = new QLabel(this);
    zprava_->setObjectName(QStringLiteral("xZprava"));
    rozlozeni->addWidget(zprava_);
    auto* radek = new QHBoxLayout;
    radek->addWidget(new QLabel(QStringLiteral("Počet etiket:"), this));
    xPocet = new QLabel(QStringLiteral("0"), this);
    QFont tucne = xPocet->font();
    tucne.setBold(true);
    xPocet->setFont(tucne);
    radek->addWidget(xPocet);
    radek->addStretch();
    rozlozeni->addLayout(radek);
    rozlozeni->addStretch();

    OK = new QPushButton(QStringLiteral("OK"), this);
    OK->setFixedSize(75, 25);
    OK->setDefault(true);
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);
    rozlozeni->addWidget(OK, 0, Qt::AlignHCenter);
    OK->setFocus();
    // The usual size, wider only where the font would cut the longest text.
    QSize velikost(193, 111);
    for (const QStringView zprava : {ZpravaNic, ZpravaNezruseno}) {
        zprava_->setText(zprava.toString());
        velikost = velikost.expandedTo(sizeHint());
    }
    setFixedSize(velikost);
    zprava_->setText(ZpravaOdeslano.toString());
}

void TVytistenoForm::Ukaz(long long pocet, bool nezrusena) {
    xPocet->setText(QString::number(pocet));
    zprava_->setText((nezrusena   ? ZpravaNezruseno
                      : pocet > 0 ? ZpravaOdeslano
                                  : ZpravaNic)
                         .toString());
    OK->setFocus();
    VystredNaObrazovce(this);
    exec();
}
