#include "davka/Volby.h"

#include "core/BezZlomu.h"
#include "core/CeleCislo.h"
#include "core/PopisEtiket.h"
#include "core/PriKonci.h"
#include "core/Win1250.h"
#include "output/Tiskarny.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTranslator>

namespace {

std::string Win(const QString& text, size_t* nepresnych = nullptr) {
    return Utf8NaWin1250(text.toUtf8().toStdString(), nepresnych);
}

// The end of a usage error: what the user gave instead, quoted (UTF-8).
std::string Ne(const QString& zadano) {
    return ", ne „" + zadano.toUtf8().toStdString() + "“";
}

// The parser's own texts (headings of the help, its errors) in Czech.
class tCeskyParser : public QTranslator {
public:
    QString translate(const char* kontext, const char* text, const char* /*upresneni*/,
                      int /*n*/) const override {
        if (qstrcmp(kontext, "QCommandLineParser") != 0)
            return {};
        static const std::pair<const char*, const char*> preklady[] = {
            {"Usage: %1", "Použití: %1"},
            {"[options]", "[VOLBY]"},
            {"Options:", "Volby:"},
            {"Arguments:", "Argumenty:"},
            {"Unknown option '%1'.", "Neznámá volba „%1“."},
            {"Unknown options: %1.", "Neznámé volby: %1."},
            {"Missing value after '%1'.", "Za „%1“ chybí hodnota."},
            {"Unexpected value after '%1'.", "Za „%1“ nemá být hodnota."},
        };
        for (const auto& [anglicky, cesky] : preklady)
            if (qstrcmp(text, anglicky) == 0)
                return QString::fromUtf8(cesky);
        return {};
    }
    bool isEmpty() const override { return false; }
};

// A whole number from..do in the program's integer notation, or a usage error.
int Cislo(const QString& text, int od, int po, const char* coJe) {
    const auto cislo = ZkusTextNaCislo(Win(text));
    if (!cislo || *cislo < od || *cislo > po)
        throw eChybaVoleb(std::string(coJe) + " musí být číslo od " + std::to_string(od) + " do " +
                          std::to_string(po) + Ne(text));
    return *cislo;
}

// A day: a job that has not printed by then waits for a person, not for a script.
constexpr int NejdeleCekat = 24 * 60 * 60;

} // namespace

tZadani CtiVolby(const QStringList& argumenty) {
    tCeskyParser cesky;
    QCoreApplication::installTranslator(&cesky);
    const tPriKonci odinstaluj([&] { QCoreApplication::removeTranslator(&cesky); });

    const auto u = [](const char* text) { return QString::fromUtf8(text); };
    QCommandLineParser parser;
    parser.setApplicationDescription(u("Tiskne etikety Oblepek bez okna: z tabulky v souboru "
                                       "(jeden řádek, jedna skupina etiket) nebo jednu etiketu "
                                       "s hodnotami polí v počtu kopií.\n\n"
                                       "Návratový kód: 0 vytištěno, 2 chybné volby, 3 soubor "
                                       "nejde přečíst, 4 chyba tiskárny nebo souboru úlohy, "
                                       "5 chyba šablony, 6 s --wait úloha ještě čeká, "
                                       "7 zastaveno signálem (SIGTERM, SIGINT, SIGHUP: úloha "
                                       "se zruší), 8 s -o není co tisknout."));
    const QCommandLineOption etiketa(
        {u("l"), u("layout")}, u("Formát oblepky 1 až 5 (jinak ten vybraný v programu)."), u("N"));
    const QCommandLineOption tiskarna({u("p"), u("printer")},
                                      u("Tisknout do této fronty CUPS místo fronty formátu."),
                                      u("FRONTA"));
    const QCommandLineOption vystup({u("o"), u("output")},
                                    u("Bajty úlohy zapsat do souboru místo tisku."), u("SOUBOR"));
    const QCommandLineOption nahled(
        {u("n"), u("preview")},
        u("Vypsat náhled tisku (jak ho ukazuje okno náhledu) a nic netisknout."));
    const QCommandLineOption pole({u("f"), u("field")},
                                  u("Hodnota pole K (1 až 20) pro ruční tisk; lze opakovat."),
                                  u("K=HODNOTA"));
    const QCommandLineOption pocet(
        {u("c"), u("copies")}, u("Počet kopií ručního tisku (jinak StdPocet formátu)."), u("N"));
    const QCommandLineOption cekat(
        u("wait"),
        u("Po odeslání sledovat úlohu až SEKUND sekund, dokud se nevytiskne: návratový kód 0 "
          "vytištěna, 4 zrušena, přerušena nebo fronta zastavená, 6 čeká nebo se tiskne dál."),
        u("SEKUNDY"));
    const QCommandLineOption slozka(
        {u("w"), u("watch")},
        u("Hlídat složku: každý soubor s tabulkou, který do ní přibude, vytisknout právě "
          "jednou a přesunout do hotovo/ (po chybě do chyby/). Soubor do složky přejmenujte, "
          "až je celý zapsaný."),
        u("SLOZKA"));
    const QCommandLineOption usazeni(
        {u("settle")},
        u("Soubor zapisovaný přímo ve složce je celý, když se tolik sekund nezměnil "
          "(výchozí 2)."),
        u("SEKUNDY"));
    const QCommandLineOption format(
        u("format"),
        u("Tvar souboru s tabulkou: tsv (jako schránka) nebo csv (jinak podle přípony)."),
        u("TVAR"));
    const QCommandLineOption oddelovac(
        u("separator"), u("Oddělovač buněk CSV: ; , nebo tab (jinak z prvních řádků)."), u("ZNAK"));
    const QCommandLineOption kodovani(
        u("encoding"),
        u("Kódování souboru: utf-8 nebo windows-1250 (jinak podle BOM a platnosti UTF-8)."),
        u("KÓDOVÁNÍ"));
    const QCommandLineOption list(
        u("sheet"),
        u("List sešitu .xlsx nebo .ods: jeho název, nebo pořadí od 1 (jinak první viditelný)."),
        u("LIST"));
    const QCommandLineOption podrobne(
        u("verbose"), u("Vypsat na standardní chybový výstup, jak byl soubor přečten."));
    const QCommandLineOption napoveda({u("h"), u("help")}, u("Vypíše tuto nápovědu."));
    const QCommandLineOption verze({u("v"), u("version")}, u("Vypíše verzi programu."));
    parser.addOptions({etiketa, tiskarna, vystup, nahled, pole, pocet, cekat, slozka, usazeni,
                       format, oddelovac, kodovani, list, podrobne, napoveda, verze});
    parser.addPositionalArgument(
        u("SOUBOR"),
        u("Tabulka jako ve schránce (mezi buňkami TAB) nebo CSV (*.csv), v UTF-8, UTF-16 "
          "s BOM nebo Windows-1250, nebo sešit .xlsx či .ods. „-“ čte standardní vstup."),
        u("[SOUBOR]"));

    if (!parser.parse(argumenty))
        throw eChybaVoleb(parser.errorText().toUtf8().toStdString());
    tZadani z;
    if (parser.isSet(napoveda) || parser.isSet(verze)) {
        z.Napoveda = parser.isSet(napoveda);
        z.Verze = !z.Napoveda;
        z.TextNapovedy = parser.helpText().toUtf8().toStdString();
        return z;
    }

    if (parser.isSet(etiketa))
        z.Etiketa = Cislo(parser.value(etiketa), 1, PocetEtiket, "Formát (-l)") - 1;
    if (parser.isSet(tiskarna)) {
        const std::string nazev = parser.value(tiskarna).toUtf8().toStdString();
        z.Tiskarna = FrontaDoNastaveni(nazev);
        if (!z.Tiskarna) // never another queue by the nearest characters
            throw eChybaVoleb("Tiskárna (-p) „" + nazev +
                              "“: název má znaky, které Windows-1250 nemá, takovou frontu "
                              "oblepky tisknout neumí");
    }
    if (parser.isSet(vystup))
        z.Vystup = QFile::encodeName(parser.value(vystup)).toStdString();
    z.Nahled = parser.isSet(nahled);
    for (const QString& hodnota : parser.values(pole)) {
        const qsizetype rovnitko = hodnota.indexOf(u'=');
        if (rovnitko < 0)
            throw eChybaVoleb("Pole (-f) se zadává jako K=HODNOTA" + Ne(hodnota));
        // A value never breaks a printed row, as in the program's grid.
        z.Pole.emplace_back(Cislo(hodnota.left(rovnitko), 1, PocetPoli, "Číslo pole (-f)"),
                            BezZlomu(Win(hodnota.mid(rovnitko + 1), &z.Nepresnych)));
    }
    if (parser.isSet(pocet))
        z.Pocet = Cislo(parser.value(pocet), 0, NejvicKopii, "Počet kopií (-c)");

    if (parser.isSet(format)) {
        const QString f = parser.value(format).toLower();
        if (f != u("tsv") && f != u("csv"))
            throw eChybaVoleb("Tvar (--format) je tsv nebo csv" + Ne(parser.value(format)));
        z.Tabulka.Format = f == u("csv") ? tFormatTabulky::Csv : tFormatTabulky::Tsv;
    }
    if (parser.isSet(oddelovac)) {
        const QString o = parser.value(oddelovac);
        if (o != u(";") && o != u(",") && o != u("\t") && o.toLower() != u("tab") && o != u("\\t"))
            throw eChybaVoleb("Oddělovač (--separator) je ; , nebo tab" + Ne(o));
        z.Tabulka.Oddelovac = o.size() == 1 ? o[0].toLatin1() : '\t';
        z.Tabulka.Format = z.Tabulka.Format.value_or(tFormatTabulky::Csv);
    }
    if (parser.isSet(kodovani)) {
        const QString k = parser.value(kodovani).toLower();
        if (k == u("utf-8") || k == u("utf8"))
            z.Tabulka.Sada = tZnakovaSada::Utf8;
        else if (k == u("windows-1250") || k == u("cp1250"))
            z.Tabulka.Sada = tZnakovaSada::Win1250;
        else
            throw eChybaVoleb("Kódování (--encoding) je utf-8 nebo windows-1250" +
                              Ne(parser.value(kodovani)));
    }
    if (parser.isSet(list))
        z.Tabulka.List = parser.value(list).toUtf8().toStdString(); // as the workbook names it
    z.Podrobne = parser.isSet(podrobne);

    const QStringList soubory = parser.positionalArguments();
    if (soubory.size() > 1)
        throw eChybaVoleb("Zadejte nejvýš jeden soubor s tabulkou");
    if (parser.isSet(usazeni))
        z.Usazeni = Cislo(parser.value(usazeni), 1, 3600, "Čekání (--settle)");
    if (parser.isSet(slozka)) {
        if (!soubory.isEmpty() || !z.Pole.empty() || z.Vystup || z.Nahled)
            throw eChybaVoleb(
                "Hlídaná složka (--watch) tiskne soubory, které do ní přibudou; soubor, pole "
                "(-f), soubor úlohy (-o) ani náhled (-n) k ní nepatří");
        if (parser.isSet(cekat))
            throw eChybaVoleb("Čekání (--wait) patří k jednomu tisku; hlídaná složka (--watch) "
                              "sleduje své úlohy sama");
        z.Slozka = QFile::encodeName(parser.value(slozka)).toStdString();
        return z;
    }
    if (parser.isSet(usazeni))
        throw eChybaVoleb("Čekání (--settle) patří k hlídané složce (--watch)");
    if (!soubory.isEmpty())
        z.Soubor = soubory[0] == u("-") ? "-" : QFile::encodeName(soubory[0]).toStdString();
    if (z.Soubor && !z.Pole.empty())
        throw eChybaVoleb("Pole (-f) patří k ručnímu tisku, tabulka je ze souboru; zadejte jen "
                          "jedno z nich");
    if (!z.Soubor && z.Pole.empty())
        throw eChybaVoleb("Zadejte soubor s tabulkou, nebo hodnoty polí (-f) pro ruční tisk");
    if (z.Nahled && z.Vystup)
        throw eChybaVoleb("Náhled (-n) a soubor úlohy (-o) nejdou spolu");
    if (parser.isSet(cekat)) {
        z.Cekat = Cislo(parser.value(cekat), 0, NejdeleCekat, "Čekání (--wait)");
        if (z.Nahled || z.Vystup)
            throw eChybaVoleb("Čekání (--wait) patří k tisku do fronty, ne "
                              "k náhledu (-n) ani k souboru úlohy (-o)");
    }
    return z;
}
