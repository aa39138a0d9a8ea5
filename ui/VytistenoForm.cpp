#include "ui/VytistenoForm.h"

#include "ui/Vystredeni.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TVytistenoForm::TVytistenoForm(QWidget* vlastnik)
    : QDialog(vlastnik, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("Dokončení tisku"));
    auto* rozlozeni = new QVBoxLayout(this);
    rozlozeni->addWidget(new QLabel(QStringLiteral("Oblepky byly odeslány na tiskárnu."), this));
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
}

void TVytistenoForm::Ukaz(long long pocet) {
    xPocet->setText(QString::number(pocet));
    OK->setFocus();
    VystredNaObrazovce(this);
    exec();
}
