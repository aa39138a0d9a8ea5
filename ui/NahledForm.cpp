#include "ui/NahledForm.h"

#include "core/Chyba.h"
#include "core/Win1250.h"
#include "output/SouborovaUloha.h"
#include "output/UlohaNaPozadi.h"
#include "ui/Chyby.h"
#include "ui/Napoveda.h"
#include "ui/PrubehTisku.h"
#include "ui/Text.h"
#include "ui/Vystredeni.h"

#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace {

QTextCharFormat Format(tDruhUseku druh) {
    QTextCharFormat f;
    switch (druh) {
    case tDruhUseku::Hlavicka:
        f.setFontWeight(QFont::Bold);
        break;
    case tDruhUseku::Kody:
        f.setForeground(QColor(0x00, 0x5F, 0xAF));
        f.setBackground(QColor(0xE8, 0xF0, 0xFA));
        break;
    case tDruhUseku::Hranice:
        f.setForeground(Qt::darkGray);
        break;
    case tDruhUseku::Chyba:
        f.setForeground(QColor(0xC0, 0x00, 0x00));
        f.setFontWeight(QFont::Bold);
        break;
    case tDruhUseku::Text:
        break;
    }
    return f;
}

QString Zobrazeni(const tUsekNahledu& usek) {
    return QString::fromUtf8(ZobrazeniUseku(usek)); // the batch printer's -n shows the same
}

} // namespace

void VyplnNahled(QTextDocument& dokument, const std::vector<tUsekNahledu>& useky) {
    dokument.clear();
    QTextCursor kurzor(&dokument);
    kurzor.beginEditBlock();
    const QTextCharFormat formaty[] = {Format(tDruhUseku::Hlavicka), Format(tDruhUseku::Text),
                                       Format(tDruhUseku::Kody), Format(tDruhUseku::Hranice),
                                       Format(tDruhUseku::Chyba)};
    for (size_t i = 0; i < useky.size(); ++i) {
        QString text = Zobrazeni(useky[i]);
        if (i + 1 == useky.size() && text.endsWith(QLatin1Char('\n')))
            text.chop(1); // no empty line at the end
        // insertText turns every line end into a new block.
        kurzor.insertText(text, formaty[static_cast<int>(useky[i].Druh)]);
    }
    kurzor.endEditBlock();
}

TNahledForm::TNahledForm(tZdroj zdroj, QWidget* vlastnik, std::function<QString()> vyberSouboru)
    : QWidget(vlastnik, Qt::Tool), zdroj_(std::move(zdroj)),
      vyberSouboru_(std::move(vyberSouboru)) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QStringLiteral("Náhled tisku"));
    resize(640, 480);

    auto* rozlozeni = new QVBoxLayout(this);
    auto* popis = new QLabel(QStringLiteral("&Co dostane tiskárna:"), this);
    eNahled = new QPlainTextEdit(this);
    eNahled->setObjectName(QStringLiteral("eNahled"));
    eNahled->setReadOnly(true);
    eNahled->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    eNahled->setLineWrapMode(QPlainTextEdit::NoWrap);
    eNahled->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    eNahled->setAccessibleName(QStringLiteral("Náhled tisku"));
    eNahled->setAccessibleDescription(
        QStringLiteral("Řádky etiket, jak je vytiskne tiskárna; řídicí kódy v lomených závorkách "
                       "jako desítková čísla."));
    popis->setBuddy(eNahled);
    rozlozeni->addWidget(popis);
    rozlozeni->addWidget(eNahled);

    auto* dole = new QHBoxLayout;
    bUlozit = new QPushButton(QStringLiteral("&Uložit do souboru…"), this);
    bZavrit = new QPushButton(QStringLiteral("&Zavřít"), this);
    bUlozit->setObjectName(QStringLiteral("bUlozit"));
    bZavrit->setObjectName(QStringLiteral("bZavrit"));
    dole->addWidget(bUlozit);
    dole->addStretch();
    dole->addWidget(bZavrit);
    rozlozeni->addLayout(dole);

    connect(bUlozit, &QPushButton::clicked, this, Chranene([this](bool) { bUlozitClick(); }));
    connect(bZavrit, &QPushButton::clicked, this, &QWidget::close);
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(esc, &QShortcut::activated, this, &QWidget::close);
    NastavTemaNapovedy(this, tTema::Nahled);
}

void TNahledForm::Ukaz() {
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    Obnov();
    PolozVedle(this);
    show();
}

void TNahledForm::closeEvent(QCloseEvent* udalost) {
    // The keyboard goes back where the user works.
    if (isActiveWindow() && parentWidget())
        parentWidget()->activateWindow();
    QWidget::closeEvent(udalost);
}

void TNahledForm::Obnov() {
    const std::vector<tUsekNahledu> useky = VykresliNahled(ZachytNahled(zdroj_()));
    QScrollBar* svisly = eNahled->verticalScrollBar();
    QScrollBar* vodorovny = eNahled->horizontalScrollBar();
    const int kdeSvisle = svisly->value();
    const int kdeVodorovne = vodorovny->value();
    VyplnNahled(*eNahled->document(), useky);
    svisly->setValue(kdeSvisle);
    vodorovny->setValue(kdeVodorovne);
}

void TNahledForm::bUlozitClick() {
    // A job that would fail or not exist is not saved as if it were whole; the preview
    // knows at once.
    const tTisk tisk = zdroj_();
    const tNahled nahled = ZachytNahled(tisk);
    if (!nahled.Chyba.empty())
        throw eChyba(nahled.Chyba);
    if (!nahled.Tiskne)
        throw eChyba("Tisk by nic neposlal, do souboru není co uložit");
    const QString soubor = vyberSouboru_
                               ? vyberSouboru_()
                               : QFileDialog::getSaveFileName(
                                     this, QStringLiteral("Uložit úlohu do souboru"), QString(),
                                     QStringLiteral("Tiskové úlohy (*.prn);;Všechny soubory (*)"));
    if (soubor.isEmpty())
        return;
    const std::string cesta = QFile::encodeName(soubor).toStdString();

    // The run itself into the file, as the batch printer's --output makes it: the memory of
    // a few blocks for a job of any length. Closing the main window stops it as it stops a
    // print.
    TPrubehTisku prubeh(parentWidget() ? parentWidget()->window() : this);
    tSluzbyTisku sluzby;
    // A FIFO nobody reads yet is waited for with the progress window and its Storno.
    prubeh.Obsluhuj(sluzby, [&cesta, &prubeh](const std::string&, const std::string&) {
        auto soubor =
            std::make_unique<tSouborovaUloha>(cesta, [&prubeh] { return prubeh.CekaNaServer(); });
        return std::unique_ptr<tTiskovaUloha>(std::make_unique<tUlohaNaPozadi>(std::move(soubor)));
    });
    sluzby.UkazDokonceni = [](long long) {};
    Tiskni(tisk, sluzby);
}
