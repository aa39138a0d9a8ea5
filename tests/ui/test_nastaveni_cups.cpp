// The settings dialog's printer lists against the private CUPS server: several queues, none,
// and a server that cannot be reached. The dialog is built in every case.

#include "output/Tiskarny.h"
#include "tests/tisk/CupsTest.h"
#include "tests/ui/Modalni.h"
#include "ui/Chyby.h"
#include "ui/NastaveniOblepkyForm.h"
#include "ui/NastaveniOblepkyFrame.h"
#include "ui/Text.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include <memory>

#include <optional>

namespace {

enum tServer { NekolikFront, ZadnaFronta, Nedostupny, Obchodni };

} // namespace

Q_DECLARE_METATYPE(tServer)

class TestNastaveniCups : public QObject {
    Q_OBJECT

    std::unique_ptr<tChybovaOkna> chybovaOkna_;
    QStringList chyby_;
    std::vector<std::string> smazane_;
    bool zastaveno_ = false;

private slots:
    void init() {
        chyby_.clear();
        // The hourglass is gone before an error box shows.
        chybovaOkna_ = std::make_unique<tChybovaOkna>([this](const QString& text) {
            chyby_ << (QGuiApplication::overrideCursor() ? QStringLiteral("kurzor!") : text);
        });
    }
    // Leaves the server as the other tests expect it: running, with its queues.
    void cleanup() {
        chybovaOkna_.reset();
        if (zastaveno_)
            cups_test::SpustServer();
        zastaveno_ = false;
        for (const std::string& fronta : smazane_)
            cups_test::PridejFrontu(fronta);
        smazane_.clear();
    }

    void seznamTiskaren_data() {
        QTest::addColumn<tServer>("server");
        QTest::newRow("nekolik front") << NekolikFront;
        QTest::newRow("zadna fronta") << ZadnaFronta;
        QTest::newRow("server nedostupny") << Nedostupny;
        QTest::newRow("obchodni server") << Obchodni; // a shop's server over TCP, as its client
    }
    void seznamTiskaren() {
        QFETCH(tServer, server);
        const QStringList nase = {"Oblepky_Sklad", "Oblepky_Pokladna", "Oblepky_Expedice"};
        std::optional<cups_test::tSdilenyServer> obchod;
        std::optional<cups_test::tSdilenyServer::tNaServeru> naObchode;
        if (server == Obchodni) {
            cups_test::PridejFrontu("Oblepky_Jen_Mistni"); // not the shop's: not listed
            naObchode.emplace(obchod.emplace());
        }
        if (server == NekolikFront || server == Obchodni) {
            for (const QString& fronta : nase)
                cups_test::PridejFrontu(fronta.toStdString());
        } else if (server == ZadnaFronta) {
            for (const std::string& fronta : SeznamTiskaren()) {
                cups_test::SmazFrontu(fronta);
                smazane_.push_back(fronta);
            }
        } else {
            cups_test::ZastavServer();
            zastaveno_ = true;
        }

        TNastaveniOblepkyForm form(nullptr);
        QVERIFY(!QGuiApplication::overrideCursor());

        if (server == NekolikFront || server == Obchodni) {
            QCOMPARE(chyby_, QStringList{});
            for (TNastaveniOblepkyFrame* eti : form.Eti)
                for (const QString& fronta : nase)
                    QVERIFY2(eti->eTiskarna->findText(fronta) >= 0, qPrintable(fronta));
            if (server == Obchodni)
                QCOMPARE(form.Eti[0]->eTiskarna->findText(QStringLiteral("Oblepky_Jen_Mistni")),
                         -1);
        } else {
            QCOMPARE(chyby_.size(), 1);
            if (server == ZadnaFronta)
                QCOMPARE(chyby_[0],
                         QStringLiteral("There is no default printer currently selected."));
            else
                QVERIFY2(chyby_[0].contains(QRegularExpression(QStringLiteral("\\(-?\\d+\\)$"))),
                         qPrintable(chyby_[0]));
            for (TNastaveniOblepkyFrame* eti : form.Eti)
                QCOMPARE(eti->eTiskarna->count(), 0);
        }

        // Whatever the lists hold, a name can be typed or kept, and a listed one chosen.
        tPopisEtiket popis{};
        popis[0].Tiskarna = "Neni_nainstalovana";
        form.Zobraz(popis);
        form.Eti[1]->eTiskarna->setEditText(QStringLiteral("Napsana"));
        const int index = form.Eti[2]->eTiskarna->findText(QStringLiteral("Oblepky_Pokladna"));
        QCOMPARE(index >= 0, server == NekolikFront || server == Obchodni);
        if (index >= 0)
            form.Eti[2]->eTiskarna->setCurrentIndex(index);
        form.OK->click();
        QCOMPARE(form.Vysledek[0].Tiskarna, std::string("Neni_nainstalovana"));
        QCOMPARE(form.Vysledek[1].Tiskarna, std::string("Napsana"));
        QCOMPARE(form.Vysledek[2].Tiskarna, std::string(index >= 0 ? "Oblepky_Pokladna" : ""));
    }
};

QTEST_MAIN(TestNastaveniCups)
#include "test_nastaveni_cups.moc"
