#include "ui/AboutForm.h"

#include "ui/Sestaveni.h"
#include "ui/Vystredeni.h"

#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A panel with a raised bevel inside a lowered one.
QFrame* Panel(QWidget* rodic, int sirka, int vyska) {
    auto* vnejsi = new QFrame(rodic);
    vnejsi->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    vnejsi->setFixedSize(sirka, vyska);
    auto* rozlozeni = new QVBoxLayout(vnejsi);
    rozlozeni->setContentsMargins(1, 1, 1, 1);
    auto* vnitrni = new QFrame(vnejsi);
    vnitrni->setFrameStyle(QFrame::Panel | QFrame::Raised);
    rozlozeni->addWidget(vnitrni);
    return vnitrni;
}

void Barva(QLabel* popisek, const QColor& barva) {
    QPalette paleta = popisek->palette();
    paleta.setColor(QPalette::WindowText, barva);
    popisek->setPalette(paleta);
}

QLabel* Nazev(QWidget* rodic, const QColor& barva, int posunX, int posunY) {
    auto* popisek = new QLabel(QStringLiteral("Oblepky"), rodic);
    QFont pismo(QStringLiteral("Courier New"));
    pismo.setPixelSize(29);
    pismo.setBold(true);
    popisek->setFont(pismo);
    Barva(popisek, barva);
    popisek->setAlignment(Qt::AlignCenter);
    popisek->setAttribute(Qt::WA_TranslucentBackground);
    popisek->setGeometry(posunX, posunY, rodic->width(), rodic->height());
    return popisek;
}

} // namespace

TAboutForm::TAboutForm(QWidget* vlastnik, const std::string& adresar)
    : QDialog(vlastnik, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("O programu"));
    setFixedSize(349, 264);

    auto* rozlozeni = new QVBoxLayout(this);
    rozlozeni->setContentsMargins(10, 10, 10, 10);

    QFrame* titul = Panel(this, 329, 137);
    // The name in yellow over a green copy 2 px to the left and 2 px lower: a drop shadow.
    auto* plocha = new QWidget(titul);
    plocha->setFixedSize(329 - 8, 137 - 8);
    plocha->move(2, 2);
    Nazev(plocha, Qt::darkGreen, -2, 2);
    Nazev(plocha, Qt::yellow, 0, 0);
    rozlozeni->addWidget(titul->parentWidget(), 0, Qt::AlignHCenter);

    QFrame* info = Panel(this, 329, 48);
    auto* mrizka = new QGridLayout(info);
    mrizka->setContentsMargins(6, 2, 6, 2);
    mrizka->setVerticalSpacing(2);
    mrizka->addWidget(new QLabel(QStringLiteral("Datové prostředí:"), info), 0, 0);
    Adresar = new QLabel(QFile::decodeName(adresar.c_str()), info);
    Adresar->setObjectName(QStringLiteral("Adresar"));
    Adresar->setFixedWidth(225); // a longer path is cut off at the right edge, never wrapped
    Adresar->setWordWrap(false);
    mrizka->addWidget(Adresar, 0, 1);
    auto* popisVerze = new QLabel(QStringLiteral("Verze programu:"), info);
    Barva(popisVerze, Qt::gray);
    mrizka->addWidget(popisVerze, 1, 0);
    verze = new QLabel(QStringLiteral("v. %1 (vytvořena %2)")
                           .arg(QLatin1String(VerzeProgramu), QLatin1String(DatumVerze)),
                       info);
    verze->setObjectName(QStringLiteral("verze"));
    Barva(verze, Qt::gray);
    mrizka->addWidget(verze, 1, 1);
    rozlozeni->addWidget(info->parentWidget(), 0, Qt::AlignHCenter);

    Button1 = new QPushButton(QStringLiteral("Zavřít"), this);
    Button1->setFixedSize(75, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    rozlozeni->addStretch();
    rozlozeni->addWidget(Button1, 0, Qt::AlignHCenter);
    Button1->setFocus();
}

void TAboutForm::showEvent(QShowEvent* udalost) {
    VystredNaObrazovce(this);
    QDialog::showEvent(udalost);
}
