#include "ui/NastaveniOblepkyForm.h"

#include "core/Chyba.h"
#include "core/Win1250.h"
#include "output/Tiskarny.h"
#include "ui/Cekani.h"
#include "ui/Chyby.h"
#include "ui/Napoveda.h"
#include "ui/NastaveniOblepkyFrame.h"
#include "ui/Vystredeni.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <exception>

namespace {

QPushButton* NoveTlacitko(const QString& text, const char* nazev) {
    auto* tlacitko = new QPushButton(text);
    tlacitko->setObjectName(QString::fromLatin1(nazev));
    tlacitko->setFixedSize(75, 25);
    return tlacitko;
}

} // namespace

TNastaveniOblepkyForm::TNastaveniOblepkyForm(QWidget* vlastnik) : QDialog(vlastnik) {
    setWindowTitle(QStringLiteral("Nastavení etiket"));
    QFont pismo(font());
    pismo.setStyleHint(QFont::SansSerif);
    pismo.setPointSize(8);
    setFont(pismo);
    setAttribute(Qt::WA_AlwaysShowToolTips);
    NastavTemaNapovedy(this, tTema::Nastaveni); // none of its controls has its own

    Stranky = new QTabWidget;
    Stranky->setObjectName(QStringLiteral("Stranky"));
    Stranky->setAccessibleName(QStringLiteral("Etikety"));
    // Page selectors drawn flat, each as wide as its caption.
    Stranky->setDocumentMode(true);
    Stranky->tabBar()->setExpanding(false);
    Stranky->tabBar()->setDrawBase(false);
    Stranky->tabBar()->setStyleSheet(QStringLiteral(
        "QTabBar::tab { border: 1px solid transparent; border-radius: 2px; padding: 3px 8px;"
        " margin-right: 2px; }"
        "QTabBar::tab:hover { border-color: palette(mid); }"
        "QTabBar::tab:selected { border-color: palette(dark); background: palette(button); }"));
    for (int i = 0; i < PocetEtiket; ++i) {
        Eti[i] = new TNastaveniOblepkyFrame(nullptr, i == 0);
        Eti[i]->setObjectName(QStringLiteral("Eti%1").arg(i + 1));
        Stranky->addTab(Eti[i], QStringLiteral("Etiketa č. %1").arg(i + 1));
    }
    Stranky->setCurrentIndex(0);

    OK = NoveTlacitko(QStringLiteral("&OK"), "OK");
    Button2 = NoveTlacitko(QStringLiteral("Storno"), "Button2");
    Napoveda = NoveTlacitko(QStringLiteral("Nápověd&a"), "Napoveda");
    connect(OK, &QPushButton::clicked, this, Chranene([this](bool) { OKClick(); }));
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(Napoveda, &QPushButton::clicked, this,
            Chranene([](bool) { OtevriNapovedu(tTema::Nastaveni); }));

    auto* pruh = new QWidget;
    pruh->setFixedHeight(33);
    auto* tlacitka = new QHBoxLayout(pruh);
    tlacitka->setContentsMargins(0, 8, 0, 0);
    tlacitka->addStretch(1);
    tlacitka->addWidget(OK, 0, Qt::AlignTop);
    tlacitka->addWidget(Button2, 0, Qt::AlignTop);
    tlacitka->addWidget(Napoveda, 0, Qt::AlignTop);

    auto* rozvrzeni = new QVBoxLayout(this);
    rozvrzeni->setContentsMargins(8, 8, 8, 8);
    rozvrzeni->setSpacing(0);
    rozvrzeni->addWidget(Stranky, 1);
    rozvrzeni->addWidget(pruh);
    setFixedSize(569, 411);
    // Only once the button is in the dialog: made default before, it is not the dialog's own
    // default, and Enter would press whichever button last had the focus (Storno too).
    OK->setDefault(true);

    NactiTiskarny();
}

// On CUPS there is no "current printer" to select and restore: every queue the server
// knows is listed. A server without queues is reported like a system without a default
// printer; an unreachable server reports its own error. Either way the dialog opens with
// empty lists and a name can still be typed.
void TNastaveniOblepkyForm::NactiTiskarny() {
    std::exception_ptr chyba;
    {
        tCekani cekani;
        try {
            const std::vector<std::string> tiskarny = SeznamTiskaren();
            if (tiskarny.empty())
                throw eChyba("There is no default printer currently selected");
            for (TNastaveniOblepkyFrame* editor : Eti)
                editor->NastavTiskarny(tiskarny);
        } catch (...) {
            chyba = std::current_exception();
        }
    }
    if (chyba)
        UkazChybu(chyba);
}

void TNastaveniOblepkyForm::Zobraz(const tPopisEtiket& popis) {
    for (int i = 0; i < PocetEtiket; ++i)
        Eti[i]->Zobraz(popis[i]);
}

void TNastaveniOblepkyForm::OKClick() {
    Vysledek = tPopisEtiket{};
    tPopisEtiket precteno{};
    for (int i = 0; i < PocetEtiket; ++i)
        Eti[i]->Precti(precteno[i]);
    Vysledek = precteno;
    accept();
}

void TNastaveniOblepkyForm::showEvent(QShowEvent* udalost) {
    VystredNaObrazovce(this);
    QDialog::showEvent(udalost);
}
