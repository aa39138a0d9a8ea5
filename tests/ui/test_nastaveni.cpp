// The layout settings dialog and its editor: what OK hands over, what Storno discards, and
// how the boxes read back what was typed.

#include "Chyby.h"
#include "CiselnyBox.h"
#include "Kurzor.h"
#include "Napoveda.h"
#include "NastaveniOblepkyForm.h"
#include "NastaveniOblepkyFrame.h"
#include "Text.h"
#include "Win1250.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

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
            p.Pole[r] = Utf8NaWin1250("Pole " + std::to_string(r) + "/" + c + (r == 4 ? "*" : ""));
        p.PocetRadkuOblepky = 3 + i;
        p.RadkuPred = i;
        p.RadkuPo = 10 + i;
        p.StdPocet = 1 + i * 2500; // 1, 2501 .. 10001 would overflow: stays within 10000
        if (p.StdPocet > 10000)
            p.StdPocet = 10000;
        p.InitKody = "#27@" + c;
        p.KodyOdradkovani = "#12 " + c;
        p.PoleSPoctem = i + 1;
        for (int n = 1; n <= PocetRadku; ++n) {
            p.Radky[n].HrZleva = n + i;
            p.Radky[n].HrDelka = 80 + n * 10 + i;
            p.Radky[n].HrText = Utf8NaWin1250("@" + std::to_string(n) + " řádek " + c);
        }
    }
    return vzor;
}

// The widgets of `mnozina` in the order Tab visits them, starting from `od`.
std::vector<QWidget*> PoradiTab(QWidget* od, const std::set<QWidget*>& mnozina) {
    std::vector<QWidget*> poradi{od};
    for (QWidget* w = od->nextInFocusChain(); w != od && poradi.size() < mnozina.size();
         w = w->nextInFocusChain())
        if (mnozina.count(w) && (w->focusPolicy() & Qt::TabFocus))
            poradi.push_back(w);
    return poradi;
}

} // namespace

class TestNastaveni : public QObject {
    Q_OBJECT
    QStringList chyby_;

private slots:
    void init() {
        chyby_.clear();
        NastavZachytChyb([this](const QString& text) { chyby_ << text; });
    }
    void cleanup() { NastavZachytChyb(nullptr); }

    void okBezUpravVratiTeSamePopisy() {
        TNastaveniOblepkyForm form(nullptr);
        const tPopisEtiket vzor = Vzor();
        form.Zobraz(vzor);
        form.show();
        QCOMPARE(form.Vysledek, tPopisEtiket{});
        form.OK->click();
        QCOMPARE(form.result(), int(QDialog::Accepted));
        for (int i = 0; i < PocetEtiket; ++i)
            QVERIFY2(form.Vysledek[i] == vzor[i], qPrintable(QString::number(i + 1)));
    }

    void stornoZahodiVsechnyUpravy_data() {
        QTest::addColumn<int>("zpusob");
        QTest::newRow("Storno") << 0;
        QTest::newRow("Esc") << 1;
        QTest::newRow("zavreni okna") << 2;
    }
    void stornoZahodiVsechnyUpravy() {
        QFETCH(int, zpusob);
        TNastaveniOblepkyForm form(nullptr);
        form.Zobraz(Vzor());
        form.show();
        QTest::keyClicks(form.Eti[0]->eNazev, "xyz");
        form.Stranky->setCurrentIndex(2);
        QTest::keyClick(form.Eti[2]->fDelka[3], Qt::Key_Up);
        form.Eti[4]->ePole->item(0, 0)->setText(QStringLiteral("jiné"));
        if (zpusob == 0)
            form.Button2->click();
        else if (zpusob == 1)
            QTest::keyClick(&form, Qt::Key_Escape);
        else
            form.close();
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QVERIFY(form.isHidden());
        QCOMPARE(form.Vysledek, tPopisEtiket{});
    }

    // Every editor is read, not only the page on view.
    void upravyNaVicStrankachBereJednoOK() {
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
        form.Stranky->setCurrentIndex(2);

        form.OK->click();
        QCOMPARE(form.result(), int(QDialog::Accepted));
        for (int i = 0; i < PocetEtiket; ++i)
            QVERIFY2(form.Vysledek[i] == ocekavane[i], qPrintable(QString::number(i + 1)));
    }

    // A field name still in its cell editor when OK is pressed is taken too.
    void otevrenyEditorPoleSeNeztrati() {
        TNastaveniOblepkyForm form(nullptr);
        form.Zobraz(Vzor());
        form.show();
        QTableWidget* pole = form.Eti[0]->ePole;
        pole->setCurrentCell(2, 0);
        auto* editor = pole->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->setText(QStringLiteral("Cena"));
        form.OK->click();
        QCOMPARE(form.Vysledek[0].Pole[3], std::string("Cena"));
    }

    void textyJakoZadane_data() {
        QTest::addColumn<QString>("zadano");
        QTest::addColumn<QByteArray>("pole");    // what a field name becomes
        QTest::addColumn<QByteArray>("ostatni"); // what every other text becomes
        QTest::newRow("mezery okolo")
            << "  Cena \t" << QByteArray("Cena") << QByteArray("  Cena \t");
        QTest::newRow("jen mezery") << "   " << QByteArray("") << QByteArray("   ");
        QTest::newRow("mezery uvnitr") << "a  b" << QByteArray("a  b") << QByteArray("a  b");
        QTest::newRow("zalomeni") << "\na\r\nb\n" << QByteArray("a  b") << QByteArray(" a  b ");
        QTest::newRow("diakritika") << QString::fromUtf8(" Čís. ") << QByteArray("\xC8\xEDs.")
                                    << QByteArray(" \xC8\xEDs. ");
    }
    void textyJakoZadane() {
        QFETCH(QString, zadano);
        QFETCH(QByteArray, pole);
        QFETCH(QByteArray, ostatni);
        TNastaveniOblepkyFrame eti;
        eti.ePole->item(6, 0)->setText(zadano);
        eti.eNazev->setText(zadano);
        eti.eTiskarna->setEditText(zadano);
        eti.eInitKody->setText(zadano);
        eti.eKodyOdradkovani->setText(zadano);
        eti.fText[4]->setText(zadano);
        tPopisOblepky p;
        eti.Precti(p);
        QCOMPARE(QByteArray::fromStdString(p.Pole[7]), pole);
        for (const std::string* text :
             {&p.Nazev, &p.Tiskarna, &p.InitKody, &p.KodyOdradkovani, &p.Radky[4].HrText})
            QCOMPARE(QByteArray::fromStdString(*text), ostatni);
    }

    // No box cuts a text: a template far longer than its line and the usual box limit.
    void dlouhySablonaZustaneCela() {
        TNastaveniOblepkyFrame eti;
        tPopisOblepky p{};
        p.Radky[1].HrDelka = 10;
        p.Radky[1].HrText = std::string(40000, 'x') + "@1";
        p.Nazev = std::string(33000, 'n');
        eti.Zobraz(p);
        tPopisOblepky zpet;
        eti.Precti(zpet);
        QCOMPARE(zpet.Radky[1].HrText, p.Radky[1].HrText);
        QCOMPARE(zpet.Nazev, p.Nazev);
    }

    void ciselneBoxy_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("zobrazeno");
        QTest::addColumn<int>("sipky");    // Up (+) or Down (-) presses before the text is set
        QTest::addColumn<QString>("text"); // empty: keep what the box shows
        QTest::addColumn<int>("precteno");
        QTest::newRow("nad rozsahem") << "fDelka3" << 80 << 0 << "300" << 80;
        QTest::newRow("pismena") << "fZleva1" << 5 << 0 << "abc" << 5;
        QTest::newRow("prazdny") << "eRadkuPo" << 7 << 0 << " " << 7;
        QTest::newRow("zaporny") << "eRadkuPred" << 4 << 0 << "-1" << 4;
        QTest::newRow("pod minimem 1") << "eRadkuOblepky" << 3 << 0 << "0" << 3;
        QTest::newRow("cislo v rozsahu") << "fDelka1" << 80 << 0 << "150" << 150;
        QTest::newRow("horni mez") << "eStdPocet" << 1 << 0 << "10000" << 10000;
        QTest::newRow("mezera jako oddelovac") << "eStdPocet" << 1 << 0 << "2 500" << 2500;
        QTest::newRow("cislo s pismenem") << "fPocet" << 2 << 0 << "12a" << 2;
        QTest::newRow("sipky a pak pismena") << "fZleva2" << 5 << 2 << "x" << 7;
        QTest::newRow("sipky nepretecou") << "eRadkuOblepky" << 49 << 3 << "" << 50;
        QTest::newRow("sipky nepodtecou") << "eRadkuOblepky" << 2 << -3 << "" << 1;
        // Hand-edited settings outside the range are shown clamped.
        QTest::newRow("mimo rozsah nahore") << "fPocet" << 500 << 0 << "" << 200;
        QTest::newRow("mimo rozsah dole") << "eRadkuOblepky" << 0 << 0 << "" << 1;
    }
    void ciselneBoxy() {
        QFETCH(QString, box);
        QFETCH(int, zobrazeno);
        QFETCH(int, sipky);
        QFETCH(QString, text);
        QFETCH(int, precteno);
        TNastaveniOblepkyFrame eti;
        auto* cislo = eti.findChild<TCiselnyBox*>(box);
        QVERIFY(cislo);
        cislo->Zobraz(zobrazeno);
        for (int i = 0; i < std::abs(sipky); ++i)
            QTest::keyClick(cislo, sipky > 0 ? Qt::Key_Up : Qt::Key_Down);
        if (!text.isEmpty())
            cislo->findChild<QLineEdit*>()->setText(text);
        QCOMPARE(cislo->Precti(), precteno);
    }

    // Read through the whole record: every number field comes from its own box.
    void cislaPopisuTamAZpet() {
        TNastaveniOblepkyFrame eti;
        const tPopisOblepky vzor = Vzor()[3];
        eti.Zobraz(vzor);
        tPopisOblepky zpet;
        eti.Precti(zpet);
        QCOMPARE(zpet, vzor);
    }

    void oddelovacTisicu_data() {
        QTest::addColumn<int>("hodnota");
        QTest::addColumn<bool>("soddelovacem");
        QTest::newRow("999") << 999 << false;
        QTest::newRow("1000") << 1000 << true;
        QTest::newRow("10000") << 10000 << true;
    }
    void oddelovacTisicu() {
        QFETCH(int, hodnota);
        QFETCH(bool, soddelovacem);
        TNastaveniOblepkyFrame eti;
        eti.eStdPocet->Zobraz(hodnota);
        const QString text = eti.eStdPocet->text();
        const QString oddelovac = QLocale().groupSeparator();
        QCOMPARE(text.contains(oddelovac), soddelovacem);
        QCOMPARE(QString(text).remove(oddelovac), QString::number(hodnota));
        QCOMPARE(eti.eStdPocet->Precti(), hodnota); // the shown text reads back
    }

    void kodovani_data() {
        QTest::addColumn<int>("ulozeno");
        QTest::addColumn<int>("vybrano");
        QTest::newRow("0") << 0 << 0;
        QTest::newRow("5") << 5 << 5;
        QTest::newRow("6 mimo") << 6 << -1;
        QTest::newRow("-1") << -1 << -1;
        QTest::newRow("300 mimo") << 300 << -1;
    }
    void kodovani() {
        QFETCH(int, ulozeno);
        QFETCH(int, vybrano);
        TNastaveniOblepkyFrame eti;
        tPopisOblepky p{};
        p.Kodovani = static_cast<int16_t>(ulozeno);
        eti.Zobraz(p);
        QCOMPARE(eti.eKodovani->currentIndex(), vybrano);
        eti.Precti(p);
        QCOMPARE(int(p.Kodovani), vybrano);
    }

    void tiskarnaMimoSeznam() {
        TNastaveniOblepkyFrame eti;
        eti.NastavTiskarny({"Etikety", "Kancelar"});
        tPopisOblepky p{};
        p.Tiskarna = Utf8NaWin1250("Stará tiskárna");
        eti.Zobraz(p);
        QCOMPARE(eti.eTiskarna->currentText(), QStringLiteral("Stará tiskárna"));
        tPopisOblepky zpet;
        eti.Precti(zpet);
        QCOMPARE(zpet.Tiskarna, p.Tiskarna);

        eti.eTiskarna->setCurrentIndex(1);
        eti.Precti(zpet);
        QCOMPARE(zpet.Tiskarna, std::string("Kancelar"));
        // A list given after Zobraz keeps the shown name.
        eti.Zobraz(p);
        eti.NastavTiskarny({"Jina"});
        QCOMPARE(eti.eTiskarna->currentText(), QStringLiteral("Stará tiskárna"));
    }

    void poradiKlavesnice() {
        TNastaveniOblepkyForm form(nullptr);
        for (int i : {0, 1}) {
            TNastaveniOblepkyFrame* e = form.Eti[i];
            std::vector<QWidget*> ocekavane;
            if (i == 0)
                ocekavane = {e->eNazev, e->eTiskarna};
            else
                ocekavane = {e->eTiskarna, e->eNazev};
            ocekavane.insert(ocekavane.end(),
                             {e->eKodovani, e->ePole, e->eInitKody, e->eRadkuPred, e->eRadkuPo,
                              e->eRadkuOblepky, e->eKodyOdradkovani, e->eStdPocet});
            for (int n = 1; n <= PocetRadku; ++n)
                ocekavane.insert(ocekavane.end(), {e->fZleva[n], e->fDelka[n], e->fText[n]});
            ocekavane.push_back(e->fPocet);
            const std::set<QWidget*> mnozina(ocekavane.begin(), ocekavane.end());
            QVERIFY2(PoradiTab(ocekavane.front(), mnozina) == ocekavane,
                     qPrintable(QString::number(i + 1)));
        }
    }

    // Every control that takes input has a visible caption tied to it.
    void kazdyBoxMaPopisek() {
        TNastaveniOblepkyFrame eti;
        std::set<QWidget*> sPopiskem;
        for (QLabel* popisek : eti.findChildren<QLabel*>())
            if (popisek->buddy())
                sPopiskem.insert(popisek->buddy());
        QList<QWidget*> boxy;
        for (auto* w : eti.findChildren<QLineEdit*>())
            if (!qobject_cast<QComboBox*>(w->parent()) && !qobject_cast<QSpinBox*>(w->parent()))
                boxy << w;
        for (auto* w : eti.findChildren<QComboBox*>())
            boxy << w;
        for (auto* w : eti.findChildren<QSpinBox*>())
            boxy << w;
        boxy << eti.ePole;
        QCOMPARE(boxy.size(), 26); // one per field of the layout, the five lines three each
        for (QWidget* w : boxy)
            QVERIFY2(sPopiskem.count(w), qPrintable(w->objectName()));
    }

    void napovedaVeDialoguJeTema2_data() {
        QTest::addColumn<int>("stranka");
        QTest::addColumn<QString>("ovladac");
        QTest::newRow("tlacitko") << 0 << QString();
        QTest::newRow("F1 v nazvu") << 0 << "eNazev";
        QTest::newRow("F1 v sablone posledni etikety") << 4 << "fText5";
        QTest::newRow("F1 v mrizce") << 2 << "ePole";
    }
    void napovedaVeDialoguJeTema2() {
        QFETCH(int, stranka);
        QFETCH(QString, ovladac);
        QWidget hlavni;
        SpustNapovedu(&hlavni);
        QList<int> temata;
        NastavSledovaniNapovedy([&](int tema) { temata << tema; });

        TNastaveniOblepkyForm form(&hlavni);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.Stranky->setCurrentIndex(stranka);
        if (ovladac.isEmpty()) {
            form.Napoveda->click();
        } else {
            auto* w = form.Eti[stranka]->findChild<QWidget*>(ovladac);
            QVERIFY(w);
            form.Eti[stranka]->Stranky->setCurrentWidget(
                form.Eti[stranka]->Stranky->widget(ovladac == "fText5" ? 2 : 0));
            w->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        }
        NastavSledovaniNapovedy(nullptr);
        QCOMPARE(temata, QList<int>{2});
        QVERIFY(form.isVisible());
        QCOMPARE(form.result(), 0);
        UkonciNapovedu();
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
