#include "ui/NastaveniOblepkyFrame.h"

#include "core/BezZlomu.h"
#include "core/Chyba.h"
#include "core/KliceNastaveni.h"
#include "core/Kodovani.h"
#include "core/Win1250.h"
#include "output/Tiskarny.h"
#include "ui/CiselnyBox.h"
#include "ui/Mrizka.h"
#include "ui/Text.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace {

constexpr int SirkaCisla = 64; // a number box, wide enough for "10 000" and its arrows

// Text boxes have no length limit (Qt's default would cut at 32767 characters).
void BezLimitu(QLineEdit* box) {
    box->setMaxLength(std::numeric_limits<int>::max());
}

QLineEdit* NovyText(const QString& nazev, int sirka) {
    auto* box = new QLineEdit;
    box->setObjectName(nazev);
    BezLimitu(box);
    if (sirka > 0)
        box->setFixedWidth(sirka);
    return box;
}

TCiselnyBox* NoveCislo(const char* nazev, tRozsah rozsah) {
    auto* box = new TCiselnyBox(rozsah.Od, rozsah.Do);
    box->setObjectName(QString::fromLatin1(nazev));
    box->setFixedWidth(SirkaCisla);
    return box;
}

QLabel* Popisek(const QString& text, QWidget* buddy) {
    auto* popisek = new QLabel(text);
    popisek->setBuddy(buddy);
    return popisek;
}

void Pozadi(QWidget* w, const QColor& barva) {
    QPalette paleta = w->palette();
    paleta.setColor(QPalette::Base, barva);
    w->setPalette(paleta);
}

std::string ZBoxu(const QString& text) {
    return BezZlomu(ZQt(text));
}

// What to do about a queue whose name the settings file (Windows-1250) cannot hold.
const char* const CoSNazvemFronty =
    "Přejmenujte frontu (lpadmin -x a znovu lpadmin -p s latinským názvem), nebo přidejte "
    "frontu s latinským názvem a vyberte ji";

// Blanks are every byte of code 32 or less.
std::string BezOkrajovychMezer(const std::string& s) {
    auto mezera = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    auto zacatek = std::find_if_not(s.begin(), s.end(), mezera);
    auto konec = std::find_if_not(s.rbegin(), s.rend(), mezera).base();
    return zacatek < konec ? std::string(zacatek, konec) : std::string();
}

// Cell editors of the field grid: no length limit either.
class tEditorPole : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* rodic, const QStyleOptionViewItem& volby,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(rodic, volby, index);
        if (auto* box = qobject_cast<QLineEdit*>(editor))
            BezLimitu(box);
        return editor;
    }
};

// The field grid. Potvrd hands a cell editor still open over to its cell, so that a name
// being typed when OK is pressed is not lost.
class tMrizkaPoli : public TMrizka {
public:
    using TMrizka::TMrizka;
    void Potvrd() {
        for (QWidget* editor : viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            commitData(editor);
    }
};

} // namespace

TNastaveniOblepkyFrame::TNastaveniOblepkyFrame(QWidget* rodic, bool nazevPrvni) : QWidget(rodic) {
    Stranky = new QTabWidget;
    Stranky->setObjectName(QStringLiteral("Stranky"));
    Stranky->setAccessibleName(QStringLiteral("Stránky nastavení etikety"));
    Stranky->addTab(StrankaZakladni(), QStringLiteral("Základní nastavení"));
    Stranky->addTab(StrankaRozmer(), QStringLiteral("Rozměr etiket, řídící kódy"));
    Stranky->addTab(StrankaRozvrzeni(), QStringLiteral("Rozvržení etiket"));
    Stranky->setCurrentIndex(0);

    auto* rozvrzeni = new QVBoxLayout(this);
    rozvrzeni->setContentsMargins(0, 0, 0, 0);
    rozvrzeni->addWidget(Stranky);
    PoradiKlavesnice(nazevPrvni);
}

QWidget* TNastaveniOblepkyFrame::StrankaZakladni() {
    eNazev = NovyText(QStringLiteral("eNazev"), 345);

    eTiskarna = new QComboBox;
    eTiskarna->setObjectName(QStringLiteral("eTiskarna"));
    eTiskarna->setEditable(true);
    eTiskarna->setFixedWidth(249);
    eTiskarna->setInsertPolicy(QComboBox::NoInsert);
    // No completion: it would turn a typed name into a listed one behind the user's back.
    eTiskarna->setCompleter(nullptr);
    BezLimitu(eTiskarna->lineEdit());
    // A listed queue whose name Windows-1250 cannot hold is not taken: the box goes back to
    // what it held.
    connect(eTiskarna, &QComboBox::activated, this, [this](int i) {
        if (!eTiskarna->itemData(i).toBool()) {
            tiskarna_ = eTiskarna->itemText(i);
            return;
        }
        // The name in the message as the server has it, not as the settings would hold it.
        const QString nazev = eTiskarna->itemText(i);
        eTiskarna->setCurrentIndex(-1);
        eTiskarna->setEditText(tiskarna_);
        QMessageBox::warning(this, QStringLiteral("Oblepky"),
                             QStringLiteral("Frontu „%1“ nelze uložit do nastavení: soubor "
                                            "nastavení je ve Windows-1250, které znaky jejího "
                                            "názvu nemá. %2.")
                                 .arg(nazev, QString::fromUtf8(CoSNazvemFronty)));
    });

    eKodovani = new QComboBox;
    eKodovani->setObjectName(QStringLiteral("eKodovani"));
    eKodovani->setFixedWidth(345);
    for (const tPopisKodovani& k : SeznamKodovani)
        eKodovani->addItem(
            QString::fromUtf8(k.Popisek.data(), static_cast<qsizetype>(k.Popisek.size())));

    auto* mrizka = new tMrizkaPoli(PocetPoli, 1);
    ePole = mrizka;
    ePole->setObjectName(QStringLiteral("ePole"));
    ePole->setAccessibleName(QStringLiteral("Názvy polí"));
    ePole->setItemDelegate(new tEditorPole(ePole));
    ePole->setHorizontalHeaderLabels({QStringLiteral("Název pole")});
    QStringList cisla;
    for (int r = 1; r <= PocetPoli; ++r) {
        cisla << QString::number(r) + u'.';
        ePole->setItem(r - 1, 0, new QTableWidgetItem);
    }
    ePole->setVerticalHeaderLabels(cisla);
    ePole->verticalHeader()->setFixedWidth(40);
    ePole->verticalHeader()->setMinimumSectionSize(18);
    ePole->verticalHeader()->setDefaultSectionSize(18);
    ePole->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ePole->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ePole->setColumnWidth(0, 162);
    ePole->setFixedSize(225, 169);
    ePole->setShowGrid(true);
    ePole->setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::DoubleClicked |
                           QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    ePole->setSelectionMode(QAbstractItemView::SingleSelection);
    ePole->setToolTip(QStringLiteral(
        "Zadejte názvy polí. Pokud do názvu vložíte hvězdičku (*), pole nebude možné "
        "vyplňovat (vhodné např. u počtu etiket, který se zadává přímo v programu)"));

    auto* panel = new QFrame;
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    auto* g = new QGridLayout(panel);
    g->addWidget(Popisek(QStringLiteral("&Název nebo označení etiket:"), eNazev), 0, 0);
    g->addWidget(eNazev, 0, 1, Qt::AlignLeft);
    auto* popisekTiskarny =
        Popisek(QStringLiteral("Název &tiskárny, na které se budou oblepky tisknout:"), eTiskarna);
    popisekTiskarny->setWordWrap(true);
    g->addWidget(popisekTiskarny, 1, 0);
    g->addWidget(eTiskarna, 1, 1, Qt::AlignLeft);
    g->addWidget(Popisek(QStringLiteral("Kódování znaků na tiskárně:"), eKodovani), 2, 0);
    g->addWidget(eKodovani, 2, 1, Qt::AlignLeft);
    g->addWidget(Popisek(QStringLiteral("Názvy polí pro ruční zadávání:"), ePole), 3, 0,
                 Qt::AlignTop);
    g->addWidget(ePole, 3, 1, Qt::AlignLeft);
    g->setRowStretch(4, 1);

    auto* stranka = new QWidget;
    auto* v = new QVBoxLayout(stranka);
    v->setContentsMargins(4, 4, 4, 4);
    v->addWidget(panel);
    return stranka;
}

QWidget* TNastaveniOblepkyFrame::StrankaRozmer() {
    eInitKody = NovyText(QStringLiteral("eInitKody"), 265);
    Pozadi(eInitKody, Qt::cyan);
    eRadkuPred = NoveCislo("eRadkuPred", KlicRadkuPred.Rozsah);
    eRadkuPo = NoveCislo("eRadkuPo", KlicRadkuPo.Rozsah);
    eRadkuOblepky = NoveCislo("eRadkuOblepky", KlicPocetRadkuOblepky.Rozsah);
    eKodyOdradkovani = NovyText(QStringLiteral("eKodyOdradkovani"), 265);
    Pozadi(eKodyOdradkovani, Qt::cyan);
    eStdPocet = NoveCislo("eStdPocet", KlicStdPocet.Rozsah);

    struct tRadek {
        const char* popisek;
        QWidget* box;
    };
    // Group widths follow the captions of the current font: the first two fill the page
    // (up to 537 pixels), the last one is only as wide as its contents.
    auto skupina = [](const QString& titulek, int sirka, std::initializer_list<tRadek> radky) {
        auto* box = new QGroupBox(titulek);
        box->setMaximumWidth(sirka);
        // Each row its own: a long caption beside a narrow box does not push the wide text
        // boxes of the other rows out of the group.
        auto* sloupec = new QVBoxLayout(box);
        sloupec->setSpacing(4);
        for (const tRadek& radek : radky) {
            auto* r = new QHBoxLayout;
            r->addWidget(Popisek(QString::fromUtf8(radek.popisek), radek.box));
            r->addStretch(1);
            r->addWidget(radek.box);
            sloupec->addLayout(r);
        }
        return box;
    };

    auto* stranka = new QWidget;
    auto* v = new QVBoxLayout(stranka);
    v->setContentsMargins(4, 4, 4, 4);
    v->addWidget(skupina(QStringLiteral("Posun papíru před a po tisku:"), 537,
                         {{"&Inicializační kódy pro tiskárnu:", eInitKody},
                          {"Počet prázdných řádků před první etiketou:", eRadkuPred},
                          {"Počet prázdných řádků za poslední etiketou:", eRadkuPo}}));
    v->addWidget(skupina(QStringLiteral("Velikost oblepky:"), 537,
                         {{"Celkový počet řádků oblepky (včetně prázdných):", eRadkuOblepky},
                          {"Řídící &kódy po vytištění každé oblepky:", eKodyOdradkovani}}));
    v->addWidget(skupina(QStringLiteral("Počet etiket"), 537,
                         {{"Obvyklý počet tištěných etiket (jednotlivé oblepky):", eStdPocet}}),
                 0, Qt::AlignLeft);
    v->addStretch(1);
    return stranka;
}

QWidget* TNastaveniOblepkyFrame::StrankaRozvrzeni() {
    QFont pevne(QStringLiteral("Courier New"), 9);
    pevne.setStyleHint(QFont::TypeWriter);
    pevne.setFixedPitch(true);

    auto* stranka = new QWidget;
    auto* v = new QVBoxLayout(stranka);
    v->setContentsMargins(6, 2, 6, 2);
    v->setSpacing(0);
    for (int n = 1; n <= PocetRadku; ++n) {
        const QByteArray c = QByteArray::number(n);
        fZleva[n] = NoveCislo(("fZleva" + c).constData(), KlicHrZleva.Rozsah);
        fDelka[n] = NoveCislo(("fDelka" + c).constData(), KlicHrDelka.Rozsah);
        fText[n] = NovyText(QStringLiteral("fText%1").arg(n), 393);
        fText[n]->setFont(pevne);
        // The five lines share their captions: a screen reader needs the line number too.
        fZleva[n]->setAccessibleName(QStringLiteral("Odsazení zleva, %1. řádek").arg(n));
        fDelka[n]->setAccessibleName(QStringLiteral("Délka textu, %1. řádek").arg(n));
        fText[n]->setAccessibleName(QStringLiteral("Rozvržení, %1. řádek").arg(n));

        auto* blok = new QWidget;
        blok->setFixedHeight(51);
        auto* g = new QGridLayout(blok);
        g->setContentsMargins(0, 2, 0, 2);
        g->setVerticalSpacing(2);
        auto* titulek = new QLabel(QStringLiteral("%1. řádek:").arg(n));
        QFont tucne = titulek->font();
        tucne.setBold(true);
        titulek->setFont(tucne);
        g->addWidget(titulek, 0, 0);
        g->addWidget(Popisek(QStringLiteral("Odsazení zleva:"), fZleva[n]), 0, 1);
        g->addWidget(fZleva[n], 0, 2, Qt::AlignLeft);
        g->addWidget(Popisek(QStringLiteral("Délka textu:"), fDelka[n]), 0, 3);
        g->addWidget(fDelka[n], 0, 4, Qt::AlignLeft);
        g->addWidget(Popisek(QStringLiteral("Rozvržení:"), fText[n]), 1, 0);
        g->addWidget(fText[n], 1, 1, 1, 4, Qt::AlignLeft);
        g->setColumnStretch(5, 1);
        g->setColumnMinimumWidth(0, 70);
        v->addWidget(blok);
        if (n < PocetRadku) {
            auto* cara = new QFrame;
            cara->setFrameShape(QFrame::HLine);
            cara->setFrameShadow(QFrame::Sunken);
            v->addWidget(cara);
        }
    }

    fPocet = NoveCislo("fPocet", KlicPoleSPoctem.Rozsah);
    Pozadi(fPocet, Qt::yellow);
    auto* radek = new QHBoxLayout;
    radek->setContentsMargins(0, 6, 0, 0);
    radek->addWidget(
        Popisek(QStringLiteral("Pořadí políčka, které obsahuje počet etiket:"), fPocet));
    radek->addWidget(fPocet);
    radek->addStretch(1);
    v->addLayout(radek);
    v->addStretch(1);
    return stranka;
}

void TNastaveniOblepkyFrame::PoradiKlavesnice(bool nazevPrvni) {
    std::vector<QWidget*> poradi;
    if (nazevPrvni)
        poradi = {eNazev, eTiskarna};
    else
        poradi = {eTiskarna, eNazev};
    poradi.insert(poradi.end(), {eKodovani, ePole, eInitKody, eRadkuPred, eRadkuPo, eRadkuOblepky,
                                 eKodyOdradkovani, eStdPocet});
    for (int n = 1; n <= PocetRadku; ++n)
        poradi.insert(poradi.end(), {fZleva[n], fDelka[n], fText[n]});
    poradi.push_back(fPocet);
    for (size_t i = 1; i < poradi.size(); ++i)
        QWidget::setTabOrder(poradi[i - 1], poradi[i]);
}

void TNastaveniOblepkyFrame::NastavTiskarny(const std::vector<std::string>& nazvy) {
    const QString text = eTiskarna->currentText();
    eTiskarna->clear();
    for (const std::string& nazev : nazvy) {
        const QString q = QString::fromUtf8(nazev.data(), static_cast<qsizetype>(nazev.size()));
        eTiskarna->addItem(q, !FrontaDoNastaveni(nazev));
    }
    eTiskarna->setEditText(text);
}

template <class tPopis, class F> void TNastaveniOblepkyFrame::ProCisla(tPopis& popis, F&& f) {
    f(eRadkuPred, popis.RadkuPred);
    f(eRadkuPo, popis.RadkuPo);
    f(eRadkuOblepky, popis.PocetRadkuOblepky);
    f(eStdPocet, popis.StdPocet);
    f(fPocet, popis.PoleSPoctem);
    for (int n = 1; n <= PocetRadku; ++n) {
        f(fZleva[n], popis.Radky[n].HrZleva);
        f(fDelka[n], popis.Radky[n].HrDelka);
    }
}

void TNastaveniOblepkyFrame::Zobraz(const tPopisOblepky& popis) {
    eNazev->setText(NaQt(popis.Nazev));
    tiskarna_ = NaQt(popis.Tiskarna);
    eTiskarna->setEditText(tiskarna_);
    eKodovani->setCurrentIndex(
        popis.Kodovani >= 0 && popis.Kodovani < eKodovani->count() ? popis.Kodovani : -1);
    for (int r = 1; r <= PocetPoli; ++r)
        ePole->item(r - 1, 0)->setText(NaQt(popis.Pole[r]));

    ProCisla(popis, [](TCiselnyBox* box, int32_t hodnota) { box->Zobraz(hodnota); });
    for (int n = 1; n <= PocetRadku; ++n)
        fText[n]->setText(NaQt(popis.Radky[n].HrText));
    eKodyOdradkovani->setText(NaQt(popis.KodyOdradkovani));
    eInitKody->setText(NaQt(popis.InitKody));
}

void TNastaveniOblepkyFrame::Precti(tPopisOblepky& popis) {
    popis = tPopisOblepky{};
    popis.Nazev = ZBoxu(eNazev->text());
    const auto tiskarna = FrontaDoNastaveni(eTiskarna->currentText().toStdString());
    if (!tiskarna) // never "????" for a queue the server would not know
        throw eChyba(std::string("Název tiskárny má znaky, které soubor nastavení "
                                 "(Windows-1250) nemá. ") +
                     CoSNazvemFronty);
    popis.Tiskarna = BezZlomu(*tiskarna);
    popis.Kodovani = static_cast<int16_t>(eKodovani->currentIndex());

    static_cast<tMrizkaPoli*>(ePole)->Potvrd();
    for (int r = 1; r <= PocetPoli; ++r)
        popis.Pole[r] = BezZlomu(BezOkrajovychMezer(ZQt(ePole->item(r - 1, 0)->text())));

    ProCisla(popis, [](TCiselnyBox* box, int32_t& hodnota) { hodnota = box->Precti(); });
    for (int n = 1; n <= PocetRadku; ++n)
        popis.Radky[n].HrText = ZBoxu(fText[n]->text());
    popis.InitKody = ZBoxu(eInitKody->text());
    popis.KodyOdradkovani = ZBoxu(eKodyOdradkovani->text());
}
