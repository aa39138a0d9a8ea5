// The layout settings dialog and its editor: what OK hands over, what Storno discards, and
// how the boxes read back what was typed.

#include "core/Chyba.h"
#include "core/Win1250.h"
#include "tests/ui/Modalni.h"
#include "ui/Chyby.h"
#include "ui/CiselnyBox.h"
#include "ui/Napoveda.h"
#include "ui/NastaveniOblepkyForm.h"
#include "ui/NastaveniOblepkyFrame.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

#include <memory>
#include <optional>

#include <set>

namespace {

// Five layouts that differ in every field, all inside the editors' ranges.
tPopisEtiket Vzor() {
    tPopisEtiket vzor{};
    for (int i = 0; i < PocetEtiket; ++i) {
        tPopisOblepky& p = vzor[i];
        const std::string c = std::to_string(i + 1);
        p.Nazev = Utf8NaWin1250("Zboží " + c);
        p.Tiskarna = "fronta" + c;
        p.Kodovani = static_cast<int16_t>(i);
        for (int r = 1; r <= PocetPoli; r += 3)
            p.Pole[r] = "Pole " + std::to_string(r) + "/" + c + (r == 4 ? "*" : "");
        p.PocetRadkuOblepky = 3 + i;
        p.RadkuPred = i;
        p.RadkuPo = 10 + i;
        p.StdPocet = 1 + i * 2400;
        p.InitKody = "#27@" + c;
        p.KodyOdradkovani = "#12 " + c;
        p.PoleSPoctem = i + 1;
        for (int n = 1; n <= PocetRadku; ++n)
            p.Radky[n] = {n + i, 80 + n * 10 + i, Utf8NaWin1250("@" + c + " řádek")};
    }
    return vzor;
}

} // namespace

class TestNastaveni : public QObject {
    Q_OBJECT

    std::unique_ptr<tChybovaOkna> chybovaOkna_;
    QStringList chyby_;

private slots:
    void init() {
        chyby_.clear();
        chybovaOkna_ =
            std::make_unique<tChybovaOkna>([this](const QString& text) { chyby_ << text; });
    }
    void cleanup() { chybovaOkna_.reset(); }

    // Edits on several pages, one field name still in its cell editor: OK takes every editor,
    // not only the page on view, and leaves the rest as shown; any way of cancelling drops all.
    void okBereVseStornoNic_data() {
        QTest::addColumn<int>("zpusob");
        QTest::newRow("OK") << 0;
        QTest::newRow("Storno") << 1;
        QTest::newRow("Esc") << 2;
        QTest::newRow("zavreni okna") << 3;
        // Enter in a text box is OK, also after Tab has passed over Storno and Nápověda.
        QTest::newRow("Enter po tlacitkach") << 4;
    }
    void okBereVseStornoNic() {
        QFETCH(int, zpusob);
        TNastaveniOblepkyForm form(nullptr);
        tPopisEtiket ocekavane = Vzor();
        form.Zobraz(ocekavane);
        form.show();
        QTest::keyClicks(form.Eti[1]->eNazev, " nove");
        ocekavane[1].Nazev += " nove";
        QTest::keyClick(form.Eti[3]->fDelka[2], Qt::Key_Down);
        ocekavane[3].Radky[2].HrDelka -= 1;
        form.Eti[3]->eKodovani->setCurrentIndex(5);
        ocekavane[3].Kodovani = 5;
        form.Eti[4]->fText[5]->setText(QStringLiteral("@1@2"));
        ocekavane[4].Radky[5].HrText = "@1@2";
        form.Eti[0]->eTiskarna->setEditText(QStringLiteral("jina_fronta"));
        ocekavane[0].Tiskarna = "jina_fronta";
        QCOMPARE(form.Vysledek, tPopisEtiket{});
        if (zpusob == 0) {
            QTableWidget* pole = form.Eti[0]->ePole;
            pole->setCurrentCell(2, 0); // the cell editor opens with the current cell
            auto* editor = pole->viewport()->findChild<QLineEdit*>();
            QVERIFY(editor);
            editor->setText(QStringLiteral("Cena"));
            ocekavane[0].Pole[3] = "Cena";
            form.OK->click();
        } else if (zpusob == 1) {
            form.Button2->click();
        } else if (zpusob == 2) {
            QTest::keyClick(&form, Qt::Key_Escape);
        } else if (zpusob == 3) {
            form.close();
        } else {
            QVERIFY(QTest::qWaitForWindowActive(&form));
            for (QWidget* w :
                 std::initializer_list<QWidget*>{form.Button2, form.Napoveda, form.Eti[1]->eNazev})
                w->setFocus(Qt::TabFocusReason);
            QTest::keyClick(form.Eti[1]->eNazev, Qt::Key_Return);
        }
        const bool prijato = zpusob == 0 || zpusob == 4;
        QCOMPARE(form.result(), int(prijato ? QDialog::Accepted : QDialog::Rejected));
        QVERIFY(form.isHidden());
        if (!prijato)
            ocekavane = {};
        for (int i = 0; i < PocetEtiket; ++i)
            QVERIFY2(form.Vysledek[i] == ocekavane[i], qPrintable(QString::number(i + 1)));
    }

    void textyJakoZadane_data() {
        QTest::addColumn<QString>("zadano");
        QTest::addColumn<QByteArray>("pole");    // what a field name becomes
        QTest::addColumn<QByteArray>("ostatni"); // what every other text becomes
        QTest::newRow("mezery okolo")
            << "  Cena \t" << QByteArray("Cena") << QByteArray("  Cena \t");
        QTest::newRow("jen mezery") << "   " << QByteArray("") << QByteArray("   ");
        QTest::newRow("zalomeni") << "\na\r\nb\n" << QByteArray("a  b") << QByteArray(" a  b ");
        QTest::newRow("diakritika") << QString::fromUtf8(" Čís. ") << QByteArray("\xC8\xEDs.")
                                    << QByteArray(" \xC8\xEDs. ");
        // No box cuts a text (Qt's default limit is 32767 characters).
        QTest::newRow("dlouhy") << QString(40000, u'x') << QByteArray(40000, 'x')
                                << QByteArray(40000, 'x');
    }
    void textyJakoZadane() {
        QFETCH(QString, zadano);
        QFETCH(QByteArray, pole);
        QFETCH(QByteArray, ostatni);
        TNastaveniOblepkyFrame eti;
        tPopisOblepky p{};
        p.Radky[4].HrDelka = 10;
        eti.Zobraz(p);
        eti.ePole->item(6, 0)->setText(zadano);
        for (QLineEdit* box : {eti.eNazev, eti.eTiskarna->lineEdit(), eti.eInitKody,
                               eti.eKodyOdradkovani, eti.fText[4]})
            box->setText(zadano);
        eti.Precti(p);
        QCOMPARE(QByteArray::fromStdString(p.Pole[7]), pole);
        for (const std::string* text :
             {&p.Nazev, &p.Tiskarna, &p.InitKody, &p.KodyOdradkovani, &p.Radky[4].HrText})
            QCOMPARE(QByteArray::fromStdString(*text), ostatni);
    }

    // A queue whose name Windows-1250 cannot hold is listed; picking it explains and keeps
    // the queue shown before, typing it fails OK: never a name of "?" in the settings file.
    // Other texts take the nearest letters.
    void frontaMimoWindows1250() {
        TNastaveniOblepkyFrame eti;
        tPopisOblepky p{};
        p.Tiskarna = "Zebra";
        eti.Zobraz(p);
        const QString azbuka = QString::fromUtf8("Печать");
        eti.NastavTiskarny({"Zebra", azbuka.toStdString()});
        QCOMPARE(eti.eTiskarna->itemText(1), azbuka);
        QString zprava;
        PriModalnim([&](QWidget* okno) {
            if (auto* box = qobject_cast<QMessageBox*>(okno))
                zprava = box->text();
        });
        emit eti.eTiskarna->activated(1);
        QVERIFY2(zprava.contains(azbuka) && zprava.contains(QStringLiteral("lpadmin")),
                 qPrintable(zprava));
        QCOMPARE(eti.eTiskarna->currentText(), QStringLiteral("Zebra"));

        eti.eNazev->setText(QString::fromUtf8("Crème brûlée 1\u202F234"));
        eti.Precti(p);
        QCOMPARE(QByteArray::fromStdString(p.Nazev), QByteArray("Creme brul\xE9"
                                                                "e 1\xA0"
                                                                "234"));
        eti.eTiskarna->setEditText(azbuka);
        QVERIFY_THROWS_EXCEPTION(eChyba, eti.Precti(p));
    }

    void ciselneBoxy_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("zobrazeno");
        QTest::addColumn<QString>("ukazano"); // the box's text after Zobraz
        QTest::addColumn<int>("sipky");       // Up (+) or Down (-) presses before the text is set
        QTest::addColumn<QString>("text");    // empty: keep what the box shows
        QTest::addColumn<int>("precteno");
        const QString sep = QLocale().groupSeparator(); // the test runs in Czech (see main)
        QTest::newRow("nad rozsahem") << "fDelka3" << 80 << "80" << 0 << "300" << 80;
        QTest::newRow("pismena") << "fZleva1" << 5 << "5" << 0 << "abc" << 5;
        QTest::newRow("prazdny") << "eRadkuPo" << 7 << "7" << 0 << " " << 7;
        QTest::newRow("pod minimem 1") << "eRadkuOblepky" << 3 << "3" << 0 << "0" << 3;
        QTest::newRow("cislo v rozsahu") << "fDelka1" << 80 << "80" << 0 << "150" << 150;
        QTest::newRow("mezera jako oddelovac") << "eStdPocet" << 1 << "1" << 0 << "2 500" << 2500;
        QTest::newRow("sipky a pak pismena") << "fZleva2" << 5 << "5" << 2 << "x" << 7;
        // Typed key by key ("\b" is Backspace): nothing is refused, nothing half-typed stays.
        QTest::newRow("napsano nad rozsahem") << "fDelka3" << 80 << "80" << 0 << "k:\b\b300" << 80;
        QTest::newRow("napsana pismena") << "fZleva1" << 5 << "5" << 0 << "k:\bab" << 5;
        QTest::newRow("napsano a smazano") << "fZleva1" << 9 << "9" << 0 << "k:\b5\b" << 9;
        QTest::newRow("napsano v rozsahu") << "fDelka1" << 80 << "80" << 0 << "k:\b\b150" << 150;
        QTest::newRow("sipky nepretecou") << "eRadkuOblepky" << 49 << "49" << 3 << "" << 50;
        QTest::newRow("sipky nepodtecou") << "eRadkuOblepky" << 2 << "2" << -3 << "" << 1;
        // Hand-edited settings outside the range are shown clamped.
        QTest::newRow("mimo rozsah nahore") << "fPocet" << 500 << "200" << 0 << "" << 200;
        QTest::newRow("mimo rozsah dole") << "eRadkuOblepky" << 0 << "1" << 0 << "" << 1;
        // Thousands are grouped from 1000 on, and the shown text reads back.
        QTest::newRow("bez oddelovace") << "eStdPocet" << 999 << "999" << 0 << "" << 999;
        QTest::newRow("tisic") << "eStdPocet" << 1000 << "1" + sep + "000" << 0 << "" << 1000;
        QTest::newRow("deset tisic")
            << "eStdPocet" << 10000 << "10" + sep + "000" << 0 << "" << 10000;
    }
    void ciselneBoxy() {
        QFETCH(QString, box);
        QFETCH(int, zobrazeno);
        QFETCH(QString, ukazano);
        QFETCH(int, sipky);
        QFETCH(QString, text);
        QFETCH(int, precteno);
        TNastaveniOblepkyFrame eti;
        auto* cislo = eti.findChild<TCiselnyBox*>(box);
        QVERIFY(cislo);
        cislo->Zobraz(zobrazeno);
        QCOMPARE(cislo->text(), ukazano);
        for (int i = 0; i < std::abs(sipky); ++i)
            QTest::keyClick(cislo, sipky > 0 ? Qt::Key_Up : Qt::Key_Down);
        if (text.startsWith(QLatin1String("k:"))) {
            cislo->setFocus();
            QTest::keyClick(cislo, Qt::Key_End);
            QTest::keyClicks(cislo, text.mid(2));
        } else if (!text.isEmpty()) {
            cislo->findChild<QLineEdit*>()->setText(text);
        }
        QCOMPARE(cislo->Precti(), precteno);
    }

    void kodovaniMimoRozsah() {
        TNastaveniOblepkyFrame eti;
        for (int ulozeno : {5, 6, -1}) {
            tPopisOblepky p{};
            p.Kodovani = static_cast<int16_t>(ulozeno);
            eti.Zobraz(p);
            const int vybrano = ulozeno == 5 ? 5 : -1;
            QCOMPARE(eti.eKodovani->currentIndex(), vybrano);
            eti.Precti(p);
            QCOMPARE(int(p.Kodovani), vybrano);
        }
    }

    // First editor: name box first; the others: printer box first; then reading order.
    void poradiKlavesnice() {
        TNastaveniOblepkyForm form(nullptr);
        for (int i : {0, 1}) {
            TNastaveniOblepkyFrame* e = form.Eti[i];
            std::vector<QWidget*> ocekavane{e->eNazev, e->eTiskarna};
            if (i > 0)
                std::swap(ocekavane[0], ocekavane[1]);
            ocekavane.insert(ocekavane.end(),
                             {e->eKodovani, e->ePole, e->eInitKody, e->eRadkuPred, e->eRadkuPo,
                              e->eRadkuOblepky, e->eKodyOdradkovani, e->eStdPocet});
            for (int n = 1; n <= PocetRadku; ++n)
                ocekavane.insert(ocekavane.end(), {e->fZleva[n], e->fDelka[n], e->fText[n]});
            ocekavane.push_back(e->fPocet);

            const std::set<QWidget*> mnozina(ocekavane.begin(), ocekavane.end());
            std::vector<QWidget*> poradi{ocekavane.front()};
            for (QWidget* w = poradi.front()->nextInFocusChain(); w != poradi.front();
                 w = w->nextInFocusChain())
                if (mnozina.count(w))
                    poradi.push_back(w);
            QVERIFY2(poradi == ocekavane, qPrintable(QString::number(i + 1)));
        }
    }

    // Tab and Shift+Tab leave the field-name grid, also from a cell being edited.
    void tabOpustiMrizkuPoli() {
        TNastaveniOblepkyForm form(nullptr);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        TNastaveniOblepkyFrame* e = form.Eti[0];
        e->ePole->setFocus();
        e->ePole->setCurrentCell(PocetPoli - 1, 0);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("x"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(!e->ePole->isAncestorOf(QApplication::focusWidget()));
        QVERIFY(QApplication::focusWidget() != e->ePole);
        QCOMPARE(e->ePole->item(PocetPoli - 1, 0)->text(), QStringLiteral("x"));
        e->ePole->setFocus();
        QTest::keyClick(e->ePole, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), e->eKodovani);

        // Ctrl+Tab in a cell being edited turns the page, as anywhere else in the editor.
        e->ePole->setFocus();
        e->ePole->setCurrentCell(3, 0);
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(e->ePole->isAncestorOf(editor));
        QTest::keyClick(editor, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(e->Stranky->currentIndex(), 1);
        QVERIFY(e->Stranky->currentWidget()->isAncestorOf(QApplication::focusWidget()));
    }

    // Every control that takes input has a caption tied to it (26: one per layout field).
    void kazdyBoxMaPopisek() {
        TNastaveniOblepkyFrame eti;
        std::set<QWidget*> sPopiskem;
        for (QLabel* popisek : eti.findChildren<QLabel*>())
            sPopiskem.insert(popisek->buddy());
        QList<QWidget*> boxy{eti.ePole};
        for (auto* w : eti.findChildren<QLineEdit*>())
            if (!qobject_cast<QComboBox*>(w->parent()) && !qobject_cast<QSpinBox*>(w->parent()))
                boxy << w;
        for (auto* w : eti.findChildren<QComboBox*>())
            boxy << w;
        for (auto* w : eti.findChildren<QSpinBox*>())
            boxy << w;
        QCOMPARE(boxy.size(), 26);
        for (QWidget* w : boxy)
            QVERIFY2(sPopiskem.count(w), qPrintable(w->objectName()));
    }

    void napovedaVeDialoguJeTema2_data() {
        QTest::addColumn<int>("etiketa");
        QTest::addColumn<int>("stranka");
        QTest::addColumn<QString>("ovladac"); // empty: the button "Nápověda"
        QTest::newRow("tlacitko") << 0 << 0 << QString();
        QTest::newRow("F1 v nazvu") << 0 << 0 << "eNazev";
        QTest::newRow("F1 v mrizce") << 2 << 0 << "ePole";
        QTest::newRow("F1 v sablone") << 4 << 2 << "fText5";
        QTest::newRow("F1 v otevrenem seznamu") << 1 << 0 << "eKodovani";
    }
    void napovedaVeDialoguJeTema2() {
        QFETCH(int, etiketa);
        QFETCH(int, stranka);
        QFETCH(QString, ovladac);
        QWidget hlavni;
        QList<int> temata;
        std::optional<tNapoveda> napoveda;
        napoveda.emplace("", [&](tTema tema) { temata << static_cast<int>(tema); });

        TNastaveniOblepkyForm form(&hlavni);
        form.setWindowModality(Qt::ApplicationModal);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.Stranky->setCurrentIndex(etiketa);
        form.Eti[etiketa]->Stranky->setCurrentIndex(stranka);
        if (ovladac.isEmpty()) {
            form.Napoveda->click();
        } else {
            auto* w = form.Eti[etiketa]->findChild<QWidget*>(ovladac);
            QVERIFY(w);
            w->setFocus();
            if (auto* seznam = qobject_cast<QComboBox*>(w)) {
                seznam->showPopup();
                QTRY_VERIFY(QApplication::activePopupWidget());
            }
            QTest::keyClick(QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                              : QApplication::focusWidget(),
                            Qt::Key_F1);
        }
        // The help opened from the modal dialog belongs to it, so the dialog does not block it.
        QCOMPARE(OknoNapovedy()->parentWidget(), &form);
        napoveda.reset();
        QCOMPARE(temata, QList<int>{2});
        QVERIFY(form.isVisible());
    }
};

int main(int argc, char** argv) {
    // A server that is not there: the printer lists stay empty, whatever the machine has.
    qputenv("CUPS_SERVER", "/nonexistent/oblepky-test.sock");
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::Czechia));
    QApplication app(argc, argv);
    TestNastaveni test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_nastaveni.moc"
