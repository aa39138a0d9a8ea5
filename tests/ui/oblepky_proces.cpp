// The program as a real process for tests that signal it or run two copies: the program's own
// run on a folder given as argument, with one action a user would do once the window is up.
//
//   oblepky_proces FOLDER pis|vyber|prejmenuj|tiskni|fifo
//
// "pis" types a manual value, "vyber" picks layout 3 with the keyboard, "prejmenuj" renames
// layout 1 to "A" in the settings dialog and confirms it, "tiskni" pastes the table
// "Big<TAB>100000000" and prints it to a job that keeps nothing. Then it prints "pripraveno"
// (for "tiskni": once the progress window shows, with the main window's id). It prints "zruseno"
// when a job is cancelled and "dokonceni N" when the completion dialog comes up (and closes it).
// "fifo" loads the table file FOLDER/fronta.csv, a FIFO that nobody writes, and prints
// "pripraveno" once the progress window of the load shows.

#include "output/TiskovaUloha.h"
#include "tests/ui/PrvkyOkna.h"
#include "ui/Chyby.h"
#include "ui/MainForm.h"
#include "ui/NastaveniOblepkyForm.h"
#include "ui/NastaveniOblepkyFrame.h"
#include "ui/Program.h"
#include "ui/PrubehTisku.h"
#include "ui/StranaTabulky.h"
#include "ui/VytistenoForm.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "tests/ui/Modalni.h"

#include <cstdio>
#include <optional>
#include <string>

#include <sys/stat.h>

namespace {

void Vypis(const QString& radek) {
    std::puts(qPrintable(radek));
    std::fflush(stdout);
}

class tZahozenaUloha : public tTiskovaUloha {
public:
    void Write(const std::string&) override {}
    void Dokonci() override {}
    long long Prerus() noexcept override { return 0; }
    void Zrus() noexcept override { Vypis(QStringLiteral("zruseno")); }
};

// Prints the table's run to a job that keeps nothing; "pripraveno" once its progress shows.
void Tiskni(TMainForm& okno, const tPrvkyOkna& p) {
    okno.SluzbyTisku().VytvorUlohu = [](const std::string&, const std::string&) {
        return std::unique_ptr<tTiskovaUloha>(std::make_unique<tZahozenaUloha>());
    };
    QApplication::clipboard()->setText(QStringLiteral("Big\t100000000"));
    p.PageControl1->setCurrentIndex(1);
    p.Button1->click();
    auto* hlidac = new QTimer(&okno);
    QObject::connect(hlidac, &QTimer::timeout, &okno, [&okno, ohlaseno = false]() mutable {
        if (auto* prubeh = okno.findChild<TPrubehTisku*>();
            !ohlaseno && prubeh && prubeh->isVisible()) {
            ohlaseno = true;
            Vypis(QStringLiteral("pripraveno %1").arg(okno.winId()));
        }
        if (auto* d = qobject_cast<TVytistenoForm*>(QApplication::activeModalWidget())) {
            Vypis(QStringLiteral("dokonceni ") + d->xPocet->text());
            d->accept();
        }
    });
    hlidac->start(10);
    QTimer::singleShot(0, p.TiskVsech, &QPushButton::click); // from the event loop
}

// Loads a FIFO that nobody writes (the file the table page is given); "pripraveno" once the
// load's progress shows.
void NactiFifo(TMainForm& okno, const tPrvkyOkna& p, const std::string& fifo) {
    ::mkfifo(fifo.c_str(), 0600);
    auto* strana = okno.findChild<TStranaTabulky*>();
    p.PageControl1->setCurrentIndex(1);
    auto* hlidac = new QTimer(&okno);
    QObject::connect(hlidac, &QTimer::timeout, &okno, [&okno, hlidac] {
        for (auto* prubeh : okno.findChildren<TPrubehTisku*>())
            if (prubeh->isVisible() && hlidac->isActive()) {
                hlidac->stop();
                Vypis(QStringLiteral("pripraveno"));
            }
    });
    hlidac->start(10);
    QTimer::singleShot(
        0, strana, [&okno] { okno.findChild<QPushButton*>(QStringLiteral("bSoubor"))->click(); });
}

} // namespace

int main(int argc, char** argv) {
    TAplikace aplikace(argc, argv);
    if (argc != 3)
        return 2;
    const QString akce = QString::fromLocal8Bit(argv[2]);
    // No print server here: the printer list's error must not wait in a box. Other boxes wait
    // as they do for the user.
    std::optional<tChybovaOkna> chybovaOkna;
    if (akce == QLatin1String("prejmenuj"))
        chybovaOkna.emplace(
            [](const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); });
    const std::string slozka = std::string(argv[1]) + "/";
    const std::string fifo = slozka + "fronta.csv";
    const auto poZobrazeni = [&akce, &fifo](TMainForm& okno) {
        const tPrvkyOkna p(okno);
        if (akce == QLatin1String("tiskni")) {
            Tiskni(okno, p);
            return;
        }
        if (akce == QLatin1String("fifo")) {
            NactiFifo(okno, p, fifo);
            return;
        }
        if (akce == QLatin1String("pis")) {
            p.eRucne->item(0, 1)->setText(QStringLiteral("Napsáno"));
        } else if (akce == QLatin1String("vyber")) {
            p.eOblepkyVyber->setFocus();
            QTest::keyClick(p.eOblepkyVyber, Qt::Key_Down);
            QTest::keyClick(p.eOblepkyVyber, Qt::Key_Down);
        } else if (akce == QLatin1String("prejmenuj")) {
            PriModalnim([](QWidget* w) {
                auto* dialog = qobject_cast<TNastaveniOblepkyForm*>(w);
                if (!dialog)
                    return;
                dialog->Eti[0]->eNazev->setText(QStringLiteral("A"));
                dialog->OK->click();
            });
            p.Vzhledetiket1->trigger();
        }
        Vypis(QStringLiteral("pripraveno"));
    };
    return SpustProgram(
        slozka, poZobrazeni,
        {.Soubor = [&fifo] { return QString::fromLocal8Bit(fifo.c_str()); }, .List = {}});
}
