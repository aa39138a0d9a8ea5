#include "ui/VytistenoForm.h"

#include "ui/Vystredeni.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString ZpravaOdeslano() {
    return QStringLiteral("Oblepky byly odeslány na tiskárnu.");
}
QString ZpravaNic() {
    return QStringLiteral("Na tiskárnu se neodeslala žádná etiketa.");
}

} // namespace

TVytistenoForm::TVytistenoForm(QWidget* vlastnik)
    : QDialog(vlastnik, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("Dokončení tisku"));
    auto* rozlozeni = new QVBoxLayout(this);
    zprava_ = new QLabel(ZpravaNic(), this); // the longer one, for the dialog's size
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
    // The usual size, wider only where the font would cut the text.
    setFixedSize(QSize(193, 111).expandedTo(sizeHint()));
    zprava_->setText(ZpravaOdeslano());
}

void TVytistenoForm::Ukaz(long long pocet) {
    xPocet->setText(QString::number(pocet));
    zprava_->setText(pocet > 0 ? ZpravaOdeslano() : ZpravaNic());
    OK->setFocus();
    VystredNaObrazovce(this);
    exec();
}
