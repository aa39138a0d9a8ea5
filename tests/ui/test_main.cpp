// The main window: start-up state, the starred fields, the selector, the pages and the
// menu, saving at exit, clipboard import, print commands, the print preview and the error
// box.

#include "core/Chyba.h"
#include "core/IniSoubor.h"
#include "core/Win1250.h"
#include "output/RawPrinter.h"
#include "tests/podpora/ZachytUlohy.h"
#include "tests/ui/PrvkyOkna.h"
#include "tests/ui/StavProgramu.h"
#include "ui/AboutForm.h"
#include "ui/Chyby.h"
#include "ui/MainForm.h"
#include "ui/NahledForm.h"
#include "ui/NastaveniOblepkyForm.h"
#include "ui/NastaveniOblepkyFrame.h"
#include "ui/PrubehTisku.h"
#include "ui/StranaTabulky.h"
#include "ui/TabulkaModel.h"
#include "ui/Text.h"
#include "ui/Vystredeni.h"
#include "ui/VytistenoForm.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include "tests/ui/Modalni.h"

#include <deque>
#include <functional>
#include <vector>

#include <memory>
#include <sys/stat.h>

#include <sys/stat.h>

namespace {

QString Bunka(const QTableView* grid, int sloupec, int radek) {
    const QAbstractItemModel* m = grid->model();
    if (radek == 0)
        return m->headerData(sloupec - 1, Qt::Horizontal).toString();
    if (sloupec == 0)
        return m->headerData(radek - 1, Qt::Vertical).toString();
    return m->index(radek - 1, sloupec - 1).data().toString();
}

// Once the window's progress shows (it is not modal: found by its kind), co sees it, then
// its Storno is clicked.
void StornoPriPrubehu(QWidget& okno, std::function<void(TPrubehTisku*)> co) {
    PriOkne(
        [&okno]() -> QWidget* {
            for (auto* prubeh : okno.findChildren<TPrubehTisku*>())
                if (prubeh->isVisible())
                    return prubeh;
            return nullptr;
        },
        [co = std::move(co)](QWidget* w) {
            auto* prubeh = qobject_cast<TPrubehTisku*>(w);
            QVERIFY(prubeh);
            co(prubeh);
            QTest::mouseClick(prubeh->Storno, Qt::LeftButton);
        });
}

} // namespace

class TestMain : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> adresar_;
    std::unique_ptr<tProgram> program_;
    QStringList chyby_;
    std::unique_ptr<tChybovaOkna> chybovaOkna_;

    QString Soubor() const { return adresar_->filePath(QStringLiteral("Oblepky.ini")); }

    // A fresh program directory, optionally with a settings file; the shared state loaded.
    void Priprav(const std::function<void(tIniSoubor&)>& nastav = {}) {
        adresar_ = std::make_unique<QTemporaryDir>();
        QVERIFY(adresar_->isValid());
        if (nastav) {
            tIniSoubor ini(ZQt(Soubor()));
            nastav(ini);
            ini.UpdateFile();
        }
        program_ = std::make_unique<tProgram>(adresar_->path());
        chyby_.clear();
    }

    std::string ObsahSouboru() const {
        QFile f(Soubor());
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
    }

    static void Ukaz(TMainForm& okno) {
        okno.show();
        QVERIFY(QTest::qWaitForWindowActive(&okno));
    }

    // The user picks layout `index` with the keyboard.
    static void Vyber(TMainForm& okno, int index) {
        const tPrvkyOkna p(okno);
        p.eOblepkyVyber->setFocus();
        while (p.eOblepkyVyber->currentIndex() < index)
            QTest::keyClick(p.eOblepkyVyber, Qt::Key_Down);
    }

    static void Klikni(TMainForm& okno, int radek, int sloupec) {
        const tPrvkyOkna p(okno);
        QRect r = p.eRucne->visualRect(p.eRucne->model()->index(radek, sloupec));
        QTest::mouseClick(p.eRucne->viewport(), Qt::LeftButton, {}, r.center());
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init() {
        chybovaOkna_ =
            std::make_unique<tChybovaOkna>([this](const QString& text) { chyby_ << text; });
    }
    void cleanup() {
        chybovaOkna_.reset();
        program_.reset();
        adresar_.reset();
    }

    void prvniStartBezSouboru() {
        Priprav();
        TMainForm okno(program_->Stav, program_->Uloziste, program_->Nactene.Rucni);
        const tPrvkyOkna p(okno);
        Ukaz(okno);
        QCOMPARE(p.eOblepkyVyber->count(), 5);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(p.eOblepkyVyber->itemText(i),
                     QStringLiteral("Formát oblepky č. %1").arg(i + 1));
        QCOMPARE(p.eOblepkyVyber->currentIndex(), 0);
        for (int r = 0; r < PocetPoli; ++r) {
            QCOMPARE(p.eRucne->item(r, 0)->text(), QStringLiteral("Pole č. %1").arg(r + 1));
            QCOMPARE(p.eRucne->item(r, 1)->text(), QString());
        }
        QCOMPARE(p.ePocet->value(), 1);
        QCOMPARE(p.PageControl1->currentIndex(), 1);
        QVERIFY(p.mEtiketa->menuAction()->isEnabled()); // until the first page change
        QVERIFY(chyby_.isEmpty());
    }

    void hvezdickoveRadky_data() {
        QTest::addColumn<int>("hvezdicek");      // fields 1..n are starred
        QTest::addColumn<int>("pocatecniRadek"); // current row after start
        QTest::newRow("dva") << 2 << 2;
        QTest::newRow("vsech dvacet") << 20 << 0;
    }
    void hvezdickoveRadky() {
        QFETCH(int, hvezdicek);
        QFETCH(int, pocatecniRadek);
        Priprav([&](tIniSoubor& ini) {
            for (int i = 1; i <= hvezdicek; ++i)
                ini.WriteString(
                    "Layout1",
                    QStringLiteral("Field%1").arg(i, 2, 10, QLatin1Char('0')).toStdString(),
                    Utf8NaWin1250(i == 1 ? "*Počet" : "Cena*"));
        });
        TMainForm okno(program_->Stav, program_->Uloziste, program_->Nactene.Rucni);
        const tPrvkyOkna p(okno);
        Ukaz(okno);
        QCOMPARE(p.eRucne->currentRow(), pocatecniRadek);
        p.PageControl1->setCurrentIndex(0);
        p.eRucne->setFocus();

        // Neither a click nor the arrow keys enter a starred row.
        for (int r = 0; r < hvezdicek; ++r) {
            Klikni(okno, r, 1);
            QCOMPARE(p.eRucne->currentRow(), pocatecniRadek);
        }
        QTest::keyClick(p.eRucne, Qt::Key_Up);
        QCOMPARE(p.eRucne->currentRow(), pocatecniRadek);
        QTest::keyClick(p.eRucne, Qt::Key_Left);
        QCOMPARE(p.eRucne->currentColumn(), 1);
        // Typing into a starred row fills nothing.
        QTest::keyClicks(p.eRucne, QStringLiteral("x"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        for (int r = 0; r < hvezdicek; ++r)
            QCOMPARE(p.eRucne->item(r, 1)->text(), QString());

        if (hvezdicek < PocetPoli) {
            QTest::keyClick(p.eRucne, Qt::Key_Down);
            QCOMPARE(p.eRucne->currentRow(), pocatecniRadek + 1);
            Klikni(okno, 10, 1);
            QCOMPARE(p.eRucne->currentRow(), 10);
        }
    }

    // Refilling and re-selecting the list at start and after OK is not the user's pick: the
    // starred rows of another layout must not move the current row.
    void vyberProgramemNeposouvaRadek() {
        Priprav([](tIniSoubor& ini) {
            ini.WriteString("Config", "LastEtiketa", "1");
            for (const char* pole : {"Field01", "Field02", "Field03"})
                ini.WriteString("Layout1", pole, "*A");
            ini.WriteString("Layout2", "Field01", "*X");
        });
        TMainForm okno(program_->Stav, program_->Uloziste, program_->Nactene.Rucni);
        const tPrvkyOkna p(okno);
        Ukaz(okno);
        QCOMPARE(p.eRucne->currentRow(), 1);
        PriModalnim([](QWidget* w) {
            if (auto* dialog = qobject_cast<TNastaveniOblepkyForm*>(w))
                dialog->OK->click();
        });
        p.Vzhledetiket1->trigger();
        QCOMPARE(p.eRucne->currentRow(), 1);
        QCOMPARE(p.eOblepkyVyber->currentIndex(), 1);
    }

    // The keyboard in the value grid: keys typed right after a click go into the clicked
    // cell, Tab leaves the grid and Ctrl+Tab turns the page also from an open editor, Ctrl+A
    // is the About box's.
    void klavesnice() {
        Priprav([](tIniSoubor& ini) { ini.WriteString("Last", "Field03", "hello"); });
        TMainForm okno(program_->Stav, program_->Uloziste, program_->Nactene.Rucni);
        const tPrvkyOkna p(okno);
        Ukaz(okno);
        p.PageControl1->setCurrentIndex(0);
        p.eRucne->setFocus();
        Klikni(okno, 0, 1);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("hodnota"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(p.eRucne->item(0, 1)->text(), QStringLiteral("hodnota"));
        QCOMPARE(p.eRucne->item(2, 1)->text(), QStringLiteral("hello"));

        p.eRucne->setCurrentCell(PocetPoli - 1, 1);
        QTest::keyClicks(p.eRucne, QStringLiteral("x"));
        QVERIFY(QApplication::focusWidget() != p.eRucne); // the editor
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), p.ePocet);
        QCOMPARE(p.eRucne->item(PocetPoli - 1, 1)->text(), QStringLiteral("x"));
        p.eRucne->setFocus();
        QTest::keyClicks(p.eRucne, QStringLiteral("z"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(p.PageControl1->currentIndex(), 1); // Ctrl+Tab turns the page
        QCOMPARE(p.eRucne->item(PocetPoli - 1, 1)->text(), QStringLiteral("z"));
        p.PageControl1->setCurrentIndex(0);

        bool about = false;
        PriModalnim([&](QWidget* w) { about = qobject_cast<TAboutForm*>(w) != nullptr; });
        p.eRucne->setFocus();
        QTest::keyClicks(p.eRucne, QStringLiteral("y"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QVERIFY(about);
    }

    void vyberMeniZmenenoANechavaHodnoty() {
        Priprav([](tIniSoubor& ini) {
            ini.WriteString("Layout3", "Field01", "Druh");
            ini.WriteString("Layout3", "StdPocet", "9");
        });
        {
            TMainForm okno(program_->Stav, program_->Uloziste, program_->Nactene.Rucni);
            const tPrvkyOkna p(okno);
            Ukaz(okno);
            p.eRucne->item(0, 1)->setText(QStringLiteral("Jablko"));
            p.ePocet->setValue(7);
            Vyber(okno, 2);
            QVERIFY(program_->Stav.Zmeneno);
            QCOMPARE(program_->Stav.LastEtiketa, int16_t(2));
            QCOMPARE(p.eRucne->item(0, 0)->text(), QStringLiteral("Druh"));
            QCOMPARE(p.eRucne->item(0, 1)->text(), QStringLiteral("Jablko"));
            QCOMPARE(p.ePocet->value(), 7);
            okno.close();
        }
        // Every layout is saved; the next start selects the saved layout, with the manual
        // values, without counting as a change.
        QVERIFY(ObsahSouboru().find("[Layout5]") != std::string::npos);
        tProgram znovuProgram(adresar_->path());
        TMainForm znovu(znovuProgram.Stav, znovuProgram.Uloziste, znovuProgram.Nactene.Rucni);
        const tPrvkyOkna pz(znovu);
        Ukaz(znovu);
        QCOMPARE(pz.eOblepkyVyber->currentIndex(), 2);
        QCOMPARE(pz.ePocet->value(), 9);
        QCOMPARE(pz.eRucne->item(0, 1)->text(), QStringLiteral("Jablko"));
        QVERIFY(!znovuProgram.Stav.Zmeneno);
    }

    void konecBezSouboruZapiseJenLast() {
        Priprav();
        {
            TMainForm okno(program_->Stav, program_->Uloziste, program_->Nactene.Rucni);
            const tPrvkyOkna p(okno);
            Ukaz(okno);
            p.eRucne->item(19, 1)->setText(QStringLiteral("Dvacet"));
            p.mKonec->trigger();
            QVERIFY(!okno.isVisible());
        }
        std::string obsah = ObsahSouboru();
        QVERIFY2(obsah.rfind("[Last]\r\nField01=\r\n", 0) == 0, obsah.c_str());
        QVERIFY(obsah.find("Field20=Dvacet\r\n") != std::string::npos);
        QVERIFY(obsah.find("[Config]") == std::string::npos);
        QVERIFY(chyby_.isEmpty());
    }

    void chybaPriUkladaniJeVOkne() {
        Priprav();
        {
            TMainForm okno(program_->Stav, program_->Uloziste, program_->Nactene.Rucni);
            const tPrvkyOkna p(okno);
            program_->Stav.Zmeneno = true;
            // The program directory vanishes: the file cannot be written.
            QVERIFY(adresar_->remove());
            okno.close();
            okno.close(); // saved once, and the error shown once
        }
        QCOMPARE(chyby_.size(), 1);
        QVERIFY(chyby_[0].startsWith(QStringLiteral("Cannot create file")));
    }

    void strankyPovolujiMenuEtiketa() {
        Priprav();
        TMainForm okno(program_->Stav, program_->Uloziste, program_->Nactene.Rucni);
        const tPrvkyOkna p(okno);
        int uloh = 0;
        okno.SluzbyTisku().VytvorUlohu = [&](const std::string&,
                                             const std::string&) -> std::unique_ptr<tTiskovaUloha> {
            ++uloh;
            throw eChyba("Zastaveno");
        };
        Ukaz(okno);
        p.PageControl1->setCurrentIndex(0);
        p.PageControl1->setCurrentIndex(1);
        QVERIFY(!p.mEtiketa->menuAction()->isEnabled());
        QTest::keyClick(&okno, Qt::Key_T, Qt::ControlModifier);
        p.eRucne->item(0, 1)->setText(QStringLiteral("zůstává"));
        QTest::keyClick(&okno, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(uloh, 0);
        QCOMPARE(p.eRucne->item(0, 1)->text(), QStringLiteral("zůstává"));

        p.PageControl1->setCurrentIndex(0);
        QVERIFY(p.mEtiketa->menuAction()->isEnabled());
        QTest::keyClick(&okno, Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(uloh, 1);
        QCOMPARE(chyby_,
                 QStringList{QStringLiteral("Zastaveno.")}); // the error box, window goes on
        okno.activateWindow(); // offscreen, nobody does it when the box goes
        QVERIFY(QTest::qWaitForWindowActive(&okno));
        QTest::keyClick(&okno, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(p.eRucne->item(0, 1)->text(), QString());
        QCOMPARE(QApplication::focusWidget(), p.eRucne);
    }

    void editorMeniZalomeniNaMezery() {
        Priprav();
        TMainForm okno(program_->Stav, program_->Uloziste, program_->Nactene.Rucni);
        const tPrvkyOkna p(okno);
        Ukaz(okno);
        p.PageControl1->setCurrentIndex(0);
        p.eRucne->setCurrentCell(4, 1);
        p.eRucne->editItem(p.eRucne->item(4, 1));
        auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(edit);
        edit->insert(QStringLiteral("a\r\nb\nc"));
        // The value is in the grid while the editor is still open.
        QCOMPARE(p.eRucne->item(4, 1)->text(), QStringLiteral("a  b c"));
    }

    void schranka() {
        Priprav();
        TMainForm okno(program_->Stav, program_->Uloziste, program_->Nactene.Rucni);
        const tPrvkyOkna p(okno);
        QCOMPARE(p.Grid->verticalHeader()->minimumWidth(), 40);
        p.Grid->setColumnWidth(0, 90);
        // Czech text reaches the program's character set; the text ends at its first NUL.
        QApplication::clipboard()->setText(QStringLiteral("a\t\"kůň\"\tc\td\te\tf\r\nŽ") +
                                           QChar(0) + QStringLiteral("\tz\r\nw"));
        p.Button1->click();
        QCOMPARE(p.Grid->model()->columnCount(), 6);
        QCOMPARE(p.Grid->model()->rowCount(), 2);
        QCOMPARE(Bunka(p.Grid, 6, 0), QStringLiteral("6"));
        QCOMPARE(Bunka(p.Grid, 0, 2), QStringLiteral("2"));
        QCOMPARE(Bunka(p.Grid, 2, 1), QStringLiteral("\"kůň\""));
        QCOMPARE(Bunka(p.Grid, 1, 2), QStringLiteral("Ž"));
        QCOMPARE(Bunka(p.Grid, 2, 2), QString());
        // Columns that remain keep their width, new ones get the default, the first ones too.
        QCOMPARE(p.Grid->columnWidth(0), 90);
        QCOMPARE(p.Grid->columnWidth(1), 64);
        QCOMPARE(p.Grid->columnWidth(5), 64);
        QCOMPARE(p.Grid->verticalHeader()->sectionSize(0), 18);

        // A picture, or copied files (which also offer their names as text), leave the
        // table as it was.
        auto* obrazek = new QMimeData;
        obrazek->setImageData(QImage(4, 4, QImage::Format_RGB32));
        auto* soubory = new QMimeData;
        soubory->setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a.txt"))});
        soubory->setText(QStringLiteral("/tmp/a.txt"));
        for (QMimeData* data : {obrazek, soubory}) {
            QApplication::clipboard()->setMimeData(data);
            p.Button1->click();
            QCOMPARE(okno.Tabulka().PocetSloupcu(), 7);
        }
        // An empty text leaves the corner alone.
        QApplication::clipboard()->setText(QString());
        p.Button1->click();
        QCOMPARE(p.Grid->model()->columnCount(), 0);
        QCOMPARE(p.Grid->model()->rowCount(), 0);
        // A row wider than a spreadsheet shows its first 16,384 columns; the table has all.
        QApplication::clipboard()->setText(QString(20000, QLatin1Char('\t')) + QStringLiteral("z"));
        p.Button1->click();
        QCOMPARE(p.Grid->model()->columnCount(), 16384);
        QCOMPARE(okno.Tabulka().Bunka(20001, 1), "z");
        QVERIFY(chyby_.isEmpty());
    }

    // A table longer than a view should hold shows the rows that fit, with a scroll bar over
    // the whole table: the keys, the wheel and the bar move the window, and the selection
    // stays on its row.
    void dlouhaTabulka() {
        Priprav();
        TMainForm okno(program_->Stav, program_->Uloziste, program_->Nactene.Rucni);
        const tPrvkyOkna p(okno);
        Ukaz(okno);
        p.PageControl1->setCurrentIndex(1);
        const int celkem = TTabulkaModel::RadkuNaJednou + 50'000;
        QString text = QStringLiteral("1");
        for (int i = 2; i <= celkem; ++i)
            text += QLatin1Char('\n') + QString::number(i);
        QApplication::clipboard()->setText(text);
        p.Button1->click();
        auto* posuvnik = okno.findChild<QScrollBar*>(QStringLiteral("PosuvnikTabulky"));
        QVERIFY(posuvnik && posuvnik->isVisible());
        const QAbstractItemModel* m = p.Grid->model();
        const int radku = m->rowCount();
        QVERIFY(radku > 1 && radku < 200);
        QCOMPARE(posuvnik->maximum(), celkem - radku);
        QCOMPARE(posuvnik->pageStep(), radku);
        // What row r of the view shows: its number and its cell.
        const auto ukazuje = [&](int r) {
            return std::pair(Bunka(p.Grid, 0, r + 1), Bunka(p.Grid, 1, r + 1));
        };
        const auto radek = [](int i) { return std::pair(QString::number(i), QString::number(i)); };
        QCOMPARE(ukazuje(0), radek(1));
        p.Grid->setFocus();
        p.Grid->setCurrentIndex(m->index(radku - 1, 0));
        struct tKrok {
            Qt::Key klavesa;
            Qt::KeyboardModifiers s;
            int prvni;   // the data row at the top, after the key
            int kurzor;  // the cursor's row in the view
            int vybrany; // the selected row in the view, -1: none (Ctrl moves only the cursor)
        };
        const tKrok kroky[] = {
            {Qt::Key_Down, Qt::NoModifier, 2, radku - 1, radku - 1},
            {Qt::Key_Up, Qt::NoModifier, 2, radku - 2, radku - 2},
            {Qt::Key_PageDown, Qt::NoModifier, 2 + radku, radku - 2, radku - 2},
            {Qt::Key_End, Qt::ControlModifier, celkem - radku + 1, radku - 1, -1},
            {Qt::Key_Down, Qt::NoModifier, celkem - radku + 1, radku - 1, -1},
            {Qt::Key_PageUp, Qt::NoModifier, celkem - 2 * radku + 1, radku - 1, -1},
            {Qt::Key_Home, Qt::ControlModifier, 1, 0, -1},
            {Qt::Key_Up, Qt::NoModifier, 1, 0, -1},
            {Qt::Key_Down, Qt::NoModifier, 1, 1, 1},
        };
        for (const tKrok& k : kroky) {
            QTest::keyClick(p.Grid, k.klavesa, k.s);
            QCOMPARE(ukazuje(0), radek(k.prvni));
            QCOMPARE(p.Grid->currentIndex().row(), k.kurzor);
            QCOMPARE(p.Grid->selectionModel()->selectedRows(),
                     k.vybrany < 0 ? QModelIndexList() : QModelIndexList{m->index(k.vybrany, 0)});
            QCOMPARE(posuvnik->value(), k.prvni - 1);
            // The numbers' column is as wide as the last number needs, wherever the window is.
            QVERIFY(p.Grid->verticalHeader()->sizeHint().width() <=
                    p.Grid->verticalHeader()->minimumWidth());
        }
        // The bar and the wheel move the rows under a selection that stays on its row.
        p.Grid->selectRow(2);
        posuvnik->setValue(1);
        QCOMPARE(ukazuje(0), radek(2));
        QCOMPARE(p.Grid->currentIndex().row(), 1);
        QCOMPARE(p.Grid->selectionModel()->selectedRows(), QModelIndexList{m->index(1, 0)});
        QWheelEvent kolecko(QPointF(10, 10), p.Grid->viewport()->mapToGlobal(QPointF(10, 10)), {},
                            QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                            false);
        QApplication::sendEvent(p.Grid->viewport(), &kolecko);
        QVERIFY(posuvnik->value() > 1);
        QVERIFY(p.Grid->selectionModel()->selectedRows().isEmpty());
        // Only the rows on screen are the view's; a short table is all the view's again.
        p.Grid->resize(p.Grid->width(), p.Grid->height() + 180);
        QCOMPARE(m->rowCount(), radku + 10);
        QApplication::clipboard()->setText(QStringLiteral("a\nb\nc"));
        p.Button1->click();
        QCOMPARE(m->rowCount(), 3);
        QVERIFY(!posuvnik->isVisible());
        QCOMPARE(p.Grid->verticalHeader()->minimumWidth(), 40);
        QVERIFY(chyby_.isEmpty());
    }

    // A table file through the button's file dialog and by a drop on the table: filled as a
    // paste is; one that cannot be read is an error and the table stays.
    void soubor() {
        Priprav();
        QString vybrany; // what the file dialog answers
        tVyberListu vyberListu;
        TMainForm okno(
            program_->Stav, program_->Uloziste, program_->Nactene.Rucni,
            {.Dokonceni = false,
             .Vybery = {[&] { return vybrany; },
                        [&](const std::vector<tListSesitu>& listy) { return vyberListu(listy); }}});
        Ukaz(okno);
        const tPrvkyOkna p(okno);
        auto* bSoubor = Prvek<QPushButton>(okno, "bSoubor");
        const auto zapis = [this](const char* jmeno, const QByteArray& obsah) {
            QFile f(adresar_->filePath(QLatin1String(jmeno)));
            if (!f.open(QIODevice::WriteOnly) || f.write(obsah) != obsah.size())
                qFatal("cannot write %s", jmeno);
            return f.fileName();
        };
        // As LibreOffice saves it: UTF-8, ",", a quoted cell over two lines, U+202F.
        const QString csv = zapis("libre.csv", "Po\xc4\x8d"
                                               "et,N\xc3\xa1zev,Cena\n"
                                               "1,Cr\xc3\xa8me br\xc3\xbbl\xc3\xa9"
                                               "e,\"1\xe2\x80\xaf"
                                               "234,50 K\xc4\x8d\"\n2,\"dva\n\xc5\x99\xc3\xa1"
                                               "dky\",\n");
        vybrany = csv;
        bSoubor->click();
        // The file loads on a thread of its own: the table fills when it is read.
        QTRY_COMPARE(p.Grid->model()->columnCount(), 3);
        QCOMPARE(p.Grid->model()->rowCount(), 3);
        QCOMPARE(Bunka(p.Grid, 2, 2), QStringLiteral("Creme brulée"));
        QCOMPARE(Bunka(p.Grid, 3, 2), QStringLiteral("1\u00A0234,50 Kč"));
        QCOMPARE(Bunka(p.Grid, 2, 3), QStringLiteral("dva řádky"));
        QCOMPARE(Bunka(p.Grid, 3, 3), QString());

        // Dropped: any other name is read in the clipboard's form, here in Windows-1250.
        const auto pust = [&](const QString& cesta) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(cesta)});
            QDragEnterEvent vstup(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(p.Grid->viewport(), &vstup);
            QVERIFY(vstup.isAccepted());
            QDropEvent pusteni(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(p.Grid->viewport(), &pusteni);
            QVERIFY(pusteni.isAccepted());
        };
        pust(zapis("sklad.txt", "\x8elut\xfd;1\tx\r\n"));
        QTRY_COMPARE(p.Grid->model()->columnCount(), 2);
        QCOMPARE(Bunka(p.Grid, 1, 1), QStringLiteral("Žlutý;1"));
        QCOMPARE(Bunka(p.Grid, 2, 1), QStringLiteral("x"));
        QVERIFY(chyby_.isEmpty());

        // A file name with letters of any script reads right in the error box.
        const QString chybi = adresar_->filePath(QStringLiteral("Žlutá-日.csv"));
        vybrany = chybi;
        bSoubor->click();
        QTRY_COMPARE(chyby_, QStringList{QStringLiteral("Cannot open file ") + chybi + u'.'});
        chyby_.clear();

        pust(adresar_->filePath(QStringLiteral("neni.csv")));
        QTRY_COMPARE(chyby_.size(), 1);
        QVERIFY2(chyby_[0].startsWith(QStringLiteral("Cannot open file ")), qPrintable(chyby_[0]));
        QCOMPARE(Bunka(p.Grid, 1, 1), QStringLiteral("Žlutý;1"));
        // A binary file is no table, wherever its control bytes stand.
        pust(zapis("ceny.csv", QByteArray("\x7F"
                                          "ELF\x02\x01\x01\0",
                                          8)));
        QTRY_COMPARE(chyby_.size(), 2);
        QVERIFY2(chyby_[1].contains(QStringLiteral("není tabulka: obsahuje řídicí bajty")),
                 qPrintable(chyby_[1]));
        QCOMPARE(Bunka(p.Grid, 1, 1), QStringLiteral("Žlutý;1"));

        // The count of inexact characters is the new table's when the table says it changed
        // (the preview refreshes then), for a paste and for a file.
        auto* strana = okno.findChild<TStranaTabulky*>();
        std::vector<size_t> pocty;
        connect(strana, &TStranaTabulky::Nacteno, strana,
                [&] { pocty.push_back(strana->Nepresnych()); });
        QApplication::clipboard()->setText(QStringLiteral("è	à	ñ"));
        p.Button1->click();
        QApplication::clipboard()->setText(QStringLiteral("a"));
        p.Button1->click();
        pust(zapis("dva.txt", "\xc3\xa8\t\xc3\xb1\n"));
        QTRY_COMPARE(pocty.size(), size_t{3});
        QCOMPARE(pocty, (std::vector<size_t>{3, 0, 2}));

        // A workbook of three sheets: the one chosen is the table a copy of its cells makes;
        // Storno in the choice keeps the table.
        const QString sesit = QString::fromUtf8(OBLEPKY_SESITY "/excel.xlsx");
        const auto vyber = [&](std::optional<int> list, const char* zobrazeni) {
            QStringList nabidnuto;
            vyberListu = [&, list](const std::vector<tListSesitu>& listy) {
                for (const tListSesitu& l : listy)
                    nabidnuto << QString::fromStdString(l.Nazev) + (l.Viditelny ? "" : "*");
                return list;
            };
            vybrany = sesit;
            bSoubor->click();
            QCOMPARE(nabidnuto, QStringList({"Skrytý*", "Ceník", "Druhý"}));
            QFile csv(QString::fromUtf8(OBLEPKY_SESITY "/") + QLatin1String(zobrazeni));
            QVERIFY(csv.open(QIODevice::ReadOnly));
            tTabulka zeSchranky; // the export has no quoted cells here
            zeSchranky.NactiText(Utf8NaWin1250(csv.readAll().toStdString()));
            QTRY_COMPARE(strana->Tabulka().PocetRadku(), zeSchranky.PocetRadku());
            QCOMPARE(strana->Tabulka().PocetSloupcu(), zeSchranky.PocetSloupcu());
            for (int r = 0; r < zeSchranky.PocetRadku(); ++r)
                for (int c = 0; c < zeSchranky.PocetSloupcu(); ++c)
                    QCOMPARE(strana->Tabulka().Bunka(c, r), zeSchranky.Bunka(c, r));
        };
        vyber(2, "excel.list3.csv");
        vyber(1, "excel.list2.csv");
        QCOMPARE(Bunka(p.Grid, 2, 2), QStringLiteral("2,50 Kč"));
        vyberListu = [](const std::vector<tListSesitu>&) { return std::nullopt; };
        bSoubor->click();
        QCOMPARE(Bunka(p.Grid, 2, 2), QStringLiteral("2,50 Kč"));
        QCOMPARE(chyby_.size(), 2); // the missing file's and the zip's
    }

    // A FIFO that nobody writes: the window waits without blocking, and Storno ends the wait.
    void souborFifoBezZapisovatele() {
        Priprav();
        const QString fifo = adresar_->filePath(QStringLiteral("fronta.csv"));
        TMainForm okno(
            program_->Stav, program_->Uloziste, program_->Nactene.Rucni,
            {.Dokonceni = false, .Vybery = {.Soubor = [&] { return fifo; }, .List = {}}});
        Ukaz(okno);
        const tPrvkyOkna p(okno);
        QApplication::clipboard()->setText(QStringLiteral("stará"));
        p.Button1->click();
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        bool storno = false;
        StornoPriPrubehu(okno, [&](TPrubehTisku*) { storno = true; });
        Prvek<QPushButton>(okno, "bSoubor")->click(); // returns once Storno has ended the wait
        QVERIFY(storno);
        QCOMPARE(Bunka(p.Grid, 1, 1), QStringLiteral("stará"));
        QVERIFY(chyby_.isEmpty());
    }

    void dokonceniJednoProDvaBehy() {
        Priprav([](tIniSoubor& ini) {
            ini.WriteString("Layout1", "HrText1", "{1}");
            ini.WriteString("Layout1", "PocetRadkuOblepky", "1");
        });
        TMainForm okno(program_->Stav, program_->Uloziste, program_->Nactene.Rucni,
                       {.Dokonceni = true, .Vybery = {}});
        const tPrvkyOkna p(okno);
        auto* vytisteno = okno.findChild<TVytistenoForm*>();
        std::vector<std::string> dokumenty;
        std::deque<podpora::tZaznam> data; // one record per job
        okno.SluzbyTisku().VytvorUlohu = [&](const std::string& dokument, const std::string&) {
            dokumenty.push_back(dokument);
            data.emplace_back();
            return std::unique_ptr<tTiskovaUloha>(
                std::make_unique<podpora::tZachytUlohy>(data.back()));
        };
        Ukaz(okno);
        p.PageControl1->setCurrentIndex(0);
        p.eRucne->item(0, 1)->setText(QStringLiteral("Hruška"));

        // Both runs show the window's one completion dialog, each with its own count.
        QStringList pocty;
        for (int pocet : {3, 2}) {
            p.ePocet->setValue(pocet);
            PriModalnim([&](QWidget* w) {
                pocty << (w == vytisteno ? vytisteno->xPocet->text() : "jine okno");
            });
            p.bTisk->click();
        }
        QCOMPARE(pocty, (QStringList{"3", "2"}));
        QCOMPARE(dokumenty.size(), size_t(2));
        QCOMPARE(QString::fromStdString(dokumenty[0]), QStringLiteral("Oblepky pro zboží (3 ks)"));
        QCOMPARE(data[1].Bajty(), Utf8NaWin1250("Hruška\r\nHruška\r\n"));
        QVERIFY(chyby_.isEmpty());
    }

    void nastaveniEtiketPrevzetiPriOK_data() {
        QTest::addColumn<QString>("tlacitko");
        QTest::addColumn<bool>("prevzato");
        QTest::newRow("OK") << QStringLiteral("OK") << true;
        QTest::newRow("Storno") << QStringLiteral("Button2") << false;
    }
    void nastaveniEtiketPrevzetiPriOK() {
        QFETCH(QString, tlacitko);
        QFETCH(bool, prevzato);
        Priprav();
        TMainForm okno(program_->Stav, program_->Uloziste, program_->Nactene.Rucni);
        const tPrvkyOkna p(okno);
        Ukaz(okno);
        p.eOblepkyVyber->setCurrentIndex(1);
        program_->Stav.Zmeneno = false;
        PriModalnim([&](QWidget* w) {
            auto* dialog = qobject_cast<TNastaveniOblepkyForm*>(w);
            QVERIFY(dialog);
            auto* editor = dialog->findChild<TNastaveniOblepkyFrame*>(QStringLiteral("Eti2"));
            QVERIFY(editor);
            editor->eNazev->setText(QStringLiteral("Jablka"));
            dialog->findChild<QPushButton*>(tlacitko)->click();
        });
        p.Vzhledetiket1->trigger();
        QCOMPARE(program_->Stav.Zmeneno, prevzato);
        QCOMPARE(p.eOblepkyVyber->currentIndex(), 1); // the selection survives the refill
        QCOMPARE(p.eOblepkyVyber->itemText(1),
                 prevzato ? QStringLiteral("Jablka") : QStringLiteral("Formát oblepky č. 2"));
        QVERIFY(!QApplication::activeModalWidget());
    }

    // The preview opens from the menu or a page's button without taking the focus and follows
    // values, copy count, layout, page, import and the settings taken over; a template error
    // shows inside it, and a job that would stop at one is not saved but reported.
    void nahledSledujeUpravy() {
        Priprav([](tIniSoubor& ini) {
            ini.WriteString("Layout1", "Tiskarna", "Prvni");
            ini.WriteString("Layout1", "HrText1", "{1} x{2}");
            ini.WriteString("Layout1", "PoleSPoctem", "2");
            ini.WriteString("Layout2", "Tiskarna", "Druha");
            ini.WriteString("Layout2", "HrText1", "{1,x}");
        });
        const QString soubor = adresar_->filePath(QStringLiteral("uloha.prn"));
        TMainForm okno(program_->Stav, program_->Uloziste, program_->Nactene.Rucni,
                       {.SouborNahledu = [&] { return soubor; }});
        const tPrvkyOkna p(okno);
        Ukaz(okno);
        p.PageControl1->setCurrentIndex(0);
        p.eRucne->setFocus();
        QCOMPARE(p.mNahled->text(), QStringLiteral("Ná&hled tisku"));
        QTest::keyClick(&okno, Qt::Key_H, Qt::ControlModifier);
        QVERIFY(p.Nahled() && p.Nahled()->isVisible());
        QCOMPARE(QApplication::activeWindow(), &okno);
        QCOMPARE(QApplication::focusWidget(), p.eRucne);
        QVERIFY(p.NahledText()->isReadOnly());
        QVERIFY(!p.NahledText()->accessibleName().isEmpty());
        auto text = [&] { return p.NahledText()->toPlainText(); };

        p.eRucne->editItem(p.eRucne->item(0, 1));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Hruska"));
        QVERIFY2(text().contains(QStringLiteral("\nHruska x\n")), qPrintable(text()));
        p.ePocet->setValue(3);
        QVERIFY(text().contains(QStringLiteral("Etiket: 3")));
        QCOMPARE(text().count(QStringLiteral("Hruska x")), 3);
        p.eOblepkyVyber->setCurrentIndex(1);
        QVERIFY(text().contains(QStringLiteral("Tiskárna: Druha")));
        QVERIFY(text().contains(QStringLiteral("'x' is not a valid integer value.")));
        QVERIFY(chyby_.isEmpty());
        p.NahledUlozit()->click();
        QCOMPARE(chyby_, QStringList{QStringLiteral("'x' is not a valid integer value.")});
        QVERIFY(!QFile::exists(soubor));

        p.eOblepkyVyber->setCurrentIndex(0);
        p.PageControl1->setCurrentIndex(1);
        QVERIFY(!p.mNahled->isEnabled());
        // four empty rows: nothing to print
        QVERIFY(text().contains(QStringLiteral("Tisk by nic neposlal")));
        QApplication::clipboard()->setText(QStringLiteral("Jablko\t2\r\nPomelo\t1"));
        p.Button1->click();
        QVERIFY(text().contains(QStringLiteral("Etiket: 3")));
        QCOMPARE(text().count(QStringLiteral("Jablko x2")), 2);
        PriModalnim([&](QWidget* w) {
            auto* dialog = qobject_cast<TNastaveniOblepkyForm*>(w);
            QVERIFY(dialog);
            dialog->Eti[0]->fText[1]->setText(QStringLiteral("Nové {1}"));
            dialog->OK->click();
        });
        p.Vzhledetiket1->trigger();
        QVERIFY(text().contains(QStringLiteral("\nNové Pomelo\n")));

        // A second opening brings the focus over; Esc closes.
        p.NahledVsech->click();
        QVERIFY(QTest::qWaitForWindowActive(p.Nahled()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!p.Nahled()->isVisible());
    }

    // Beside the main window and whole on the screen: on a 1280-pixel screen with the main
    // window centred neither side has room for the whole preview, so it opens narrower.
    void mistoNahledu_data() {
        QTest::addColumn<QRect>("plocha");
        QTest::addColumn<QRect>("vlastnik");
        QTest::addColumn<QRect>("ocekavane"); // the frame
        QTest::newRow("1280, okno uprostred")
            << QRect(0, 0, 1280, 1024) << QRect(336, 271, 608, 482) << QRect(944, 271, 336, 504);
        QTest::newRow("1920, vpravo cely")
            << QRect(0, 0, 1920, 1080) << QRect(656, 299, 608, 482) << QRect(1264, 299, 642, 504);
        QTest::newRow("u praveho okraje, vlevo cely")
            << QRect(0, 0, 1280, 1024) << QRect(672, 0, 608, 482) << QRect(30, 0, 642, 504);
        QTest::newRow("vlevo vic mista")
            << QRect(0, 0, 1280, 1024) << QRect(500, 50, 608, 482) << QRect(0, 50, 500, 504);
        QTest::newRow("druha obrazovka")
            << QRect(1280, 0, 1280, 1024) << QRect(1616, 0, 608, 482) << QRect(2224, 0, 336, 504);
        // No room beside at all: over the owner, but whole on the screen.
        QTest::newRow("800, nevejde se")
            << QRect(0, 0, 800, 600) << QRect(96, 59, 608, 482) << QRect(158, 59, 642, 504);
        QTest::newRow("nizka obrazovka")
            << QRect(0, 0, 1920, 400) << QRect(0, 0, 608, 400) << QRect(608, 0, 642, 400);
    }
    void mistoNahledu() {
        QFETCH(QRect, plocha);
        QFETCH(QRect, vlastnik);
        QFETCH(QRect, ocekavane);
        const QSize ramecek(2, 24);
        const tMistoOkna misto =
            MistoVedle(QSize(640, 480), ramecek, QSize(260, 150), vlastnik, plocha);
        QCOMPARE(QRect(misto.Poloha, misto.Velikost + ramecek), ocekavane);
    }

    // The window itself on the screen the tests run on (tests/ui/CMakeLists.txt runs this
    // on a 1280 x 1024 one too), from the main window centred as the program starts.
    void nahledVedleOkna() {
        Priprav();
        TMainForm okno(program_->Stav, program_->Uloziste, program_->Nactene.Rucni);
        Ukaz(okno);
        const tPrvkyOkna p(okno);
        p.mNahled->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(p.Nahled()));
        const QRect obrazovka = okno.screen()->availableGeometry();
        const QRect hlavni = okno.frameGeometry();
        const QRect nahled = p.Nahled()->frameGeometry();
        const QString popis = QStringLiteral("screen %1x%2, main %3+%4, preview %5+%6 %7x%8")
                                  .arg(obrazovka.width())
                                  .arg(obrazovka.height())
                                  .arg(hlavni.x())
                                  .arg(hlavni.width())
                                  .arg(nahled.x())
                                  .arg(nahled.y())
                                  .arg(nahled.width())
                                  .arg(nahled.height());
        QVERIFY2(obrazovka.contains(nahled), qPrintable(popis));
        const int vedle =
            std::max(hlavni.left() - obrazovka.left(), obrazovka.right() - hlavni.right());
        const int ramecek = nahled.width() - p.Nahled()->width();
        if (vedle >= p.Nahled()->minimumSizeHint().width() + ramecek)
            QVERIFY2(!nahled.intersects(hlavni), qPrintable(popis));
    }

    // A table of two billion labels: the preview opens with their exact counts, follows a
    // change of layout at once, and the window takes keys all the while.
    void nahledObrovskeTabulky() {
        Priprav([](tIniSoubor& ini) {
            for (const char* sekce : {"Layout1", "Layout2"}) {
                ini.WriteString(sekce, "Tiskarna", sekce);
                ini.WriteString(sekce, "HrText1", "{1}");
                ini.WriteString(sekce, "PocetRadkuOblepky", "1");
                ini.WriteString(sekce, "PoleSPoctem", "2");
            }
            ini.WriteString("Layout1", "KodyOdradkovani", "12");
        });
        TMainForm okno(program_->Stav, program_->Uloziste, program_->Nactene.Rucni);
        Ukaz(okno);
        const tPrvkyOkna p(okno);
        QApplication::clipboard()->setText(QStringLiteral("Big\t100000000\r\nBig\t2147483647"));
        p.Button1->click();
        p.NahledVsech->click();
        auto text = [&] { return p.NahledText()->toPlainText(); };
        QVERIFY2(text().contains(QStringLiteral("Etiket: 2247483647   Bajtů: 13484901882")),
                 qPrintable(text().left(200)));
        QVERIFY(text().contains(QStringLiteral("Dalších 2247483447 etiket")));
        Vyber(okno, 1); // no codes after a label: a byte less each
        QVERIFY2(text().contains(QStringLiteral("Etiket: 2247483647   Bajtů: 11237418235")),
                 qPrintable(text().left(200)));
        p.eOblepkyVyber->setFocus();
        QTest::keyClick(p.eOblepkyVyber, Qt::Key_Up);
        QCOMPARE(p.eOblepkyVyber->currentIndex(), 0);
        QVERIFY(text().contains(QStringLiteral("Bajtů: 13484901882")));
        QVERIFY(chyby_.isEmpty());
    }

    // The save runs the print into the file, as it goes: a long one shows its progress, and
    // Storno leaves the file that was there as it was; a short one is the preview's job.
    void ulozeniPrubehemAStornem() {
        Priprav([](tIniSoubor& ini) {
            ini.WriteString("Layout1", "HrText1", "{1}");
            ini.WriteString("Layout1", "PocetRadkuOblepky", "12");
            ini.WriteString("Layout1", "PoleSPoctem", "2");
        });
        QString soubor = adresar_->filePath(QStringLiteral("uloha.prn"));
        TMainForm okno(program_->Stav, program_->Uloziste, program_->Nactene.Rucni,
                       {.SouborNahledu = [&] { return soubor; }});
        Ukaz(okno);
        const tPrvkyOkna p(okno);
        // Long enough to outlast the second before the progress window on a fast disk.
        QApplication::clipboard()->setText(QStringLiteral("Jablko\t100000000"));
        p.Button1->click();
        p.NahledVsech->click();
        {
            QFile stary(soubor);
            QVERIFY(stary.open(QIODevice::WriteOnly));
            stary.write("stara uloha");
        }
        QString stav;
        StornoPriPrubehu(okno, [&](TPrubehTisku* prubeh) { stav = prubeh->xStav->text(); });
        p.NahledUlozit()->click();
        QVERIFY2(stav.endsWith(QStringLiteral(" z 100000000 etiket")), qPrintable(stav));
        QFile stary(soubor);
        QVERIFY(stary.open(QIODevice::ReadOnly));
        QCOMPARE(stary.readAll(), QByteArray("stara uloha"));
        QCOMPARE(QDir(adresar_->path()).entryList(QDir::Files).size(), 2); // no temporary file

        QApplication::clipboard()->setText(QStringLiteral("Jablko\t2\r\nHruška\t1"));
        p.Button1->click();
        p.NahledUlozit()->click();
        QFile ulozeny(soubor);
        QVERIFY(ulozeny.open(QIODevice::ReadOnly));
        const std::string konec = [&] {
            std::string s;
            for (int i = 0; i < 11; ++i)
                s += "\r\n";
            return s;
        }();
        QCOMPARE(ulozeny.readAll().toStdString(),
                 "Jablko\r\n" + konec + "Jablko\r\n" + konec + "Hru\x9Aka\r\n" + konec);
        QVERIFY(chyby_.isEmpty());

        // A FIFO nobody reads: the wait for a reader shows the progress window, and its
        // Storno ends the wait; the FIFO stays.
        soubor = adresar_->filePath(QStringLiteral("roura"));
        QCOMPARE(::mkfifo(QFile::encodeName(soubor).constData(), 0600), 0);
        bool videno = false;
        StornoPriPrubehu(okno, [&](TPrubehTisku*) { videno = true; });
        p.NahledUlozit()->click();
        QVERIFY(videno);
        QVERIFY(QFileInfo::exists(soubor) && !QFileInfo(soubor).isFile());
        QVERIFY(chyby_.isEmpty());
    }

    void chybovyBox() {
        // The real box: caption, stop icon, one OK, the message with its full stop.
        chybovaOkna_.reset();
        QMessageBox* box = nullptr;
        QStringList videno;
        PriModalnim([&](QWidget* w) {
            QVERIFY(box = qobject_cast<QMessageBox*>(w));
            videno << box->text() << box->windowTitle();
            QCOMPARE(box->icon(), QMessageBox::Critical);
            QCOMPARE(box->buttons().size(), 1);
        });
        UkazChybu(std::make_exception_ptr(eRawPrinter("Nelze číst ř")));
        QCOMPARE(videno, (QStringList{QStringLiteral("Nelze číst ř."), QStringLiteral("Oblepky")}));
        QCOMPARE(TextChybovehoOkna(std::make_exception_ptr(42)), QStringLiteral("Neznámá chyba."));
    }
};

QTEST_MAIN(TestMain)
#include "test_main.moc"
