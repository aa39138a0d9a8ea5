// The clipboard text read as one table: size, header and number column, data cells; a table
// file read row by row gives the same rows.

#include "core/Tabulka.h"
#include "core/Win1250.h"
#include "output/DruhTabulky.h"
#include "output/RadkySouboru.h"
#include "tests/podpora/DocasnyAdresar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include <string>
#include <thread>
#include <type_traits>
#include <vector>

namespace {

// The whole table as rows of cell texts, row 0 and column 0 included.
std::vector<std::vector<std::string>> Obsah(const tTabulka& t) {
    std::vector<std::vector<std::string>> obsah;
    for (int r = 0; r < t.PocetRadku(); ++r) {
        obsah.emplace_back();
        for (int c = 0; c < t.PocetSloupcu(); ++c)
            obsah.back().emplace_back(t.Bunka(c, r));
    }
    return obsah;
}

using tObsah = std::vector<std::vector<std::string>>;

// Reading options with one choice made.
tVolbyTabulky Volby() {
    return {std::nullopt, std::nullopt, std::nullopt};
}
template <class T> tVolbyTabulky Volby(T volba) {
    tVolbyTabulky v = Volby();
    if constexpr (std::is_same_v<T, tZnakovaSada>)
        v.Sada = volba;
    else if constexpr (std::is_same_v<T, tFormatTabulky>)
        v.Format = volba;
    else
        v.Oddelovac = volba;
    return v;
}

// The data rows of a table file as the table holds them: column 0 and the cells a row has.
tObsah RadkySouboru(const std::string& cesta, const tVolbyTabulky& volby = Volby()) {
    tRadkySouboru radky(cesta, volby);
    tObsah obsah;
    std::vector<std::string_view> bunky;
    for (int pruchod = 0; pruchod < 2; ++pruchod) { // a second pass reads the same rows
        obsah.clear();
        for (radky.NaZacatek(); radky.Dalsi();) {
            radky.Bunky(bunky, SIZE_MAX);
            obsah.emplace_back(bunky.begin(), bunky.end());
            for (int c = -1; c <= static_cast<int>(bunky.size()); ++c) // one cell at a time
                EXPECT_EQ(radky.Bunka(c), obsah.back().size() > static_cast<size_t>(c)
                                              ? obsah.back()[static_cast<size_t>(c)]
                                              : "")
                    << c;
        }
    }
    // The labels counted in any column are those its cells ask for, and the rows read the
    // same after the count.
    size_t sloupcu = 0;
    for (const auto& radek : obsah)
        sloupcu = std::max(sloupcu, radek.size());
    for (size_t c = 0; c <= sloupcu; ++c) {
        long long soucet = 0;
        for (const auto& radek : obsah)
            soucet += c < radek.size() ? std::max(PocetZBunky(radek[c]), 0LL) : 0;
        EXPECT_EQ(radky.SoucetPoctu(static_cast<int>(c)), soucet) << "column " << c;
    }
    tObsah znovu;
    for (radky.NaZacatek(); radky.Dalsi();) {
        radky.Bunky(bunky, SIZE_MAX);
        znovu.emplace_back(bunky.begin(), bunky.end());
    }
    EXPECT_EQ(znovu, obsah);
    return obsah;
}

// The table's data rows, each cut after its last cell that may hold text.
tObsah RadkyTabulky(const tTabulka& t) {
    tObsah obsah;
    for (int r = 1; r < t.PocetRadku(); ++r) {
        obsah.emplace_back();
        for (int c = 0; c < t.DelkaRadku(r); ++c)
            obsah.back().emplace_back(t.Bunka(c, r));
        // The whole row in one pass gives the same cells, also cut short.
        std::vector<std::string_view> bunky;
        t.BunkyRadku(r, bunky, SIZE_MAX);
        EXPECT_EQ(std::vector<std::string>(bunky.begin(), bunky.end()), obsah.back()) << r;
        t.BunkyRadku(r, bunky, 2);
        EXPECT_EQ(bunky.size(), std::min<size_t>(2, obsah.back().size())) << r;
    }
    return obsah;
}

TEST(Tabulka, Import) {
    // Short rows, some empty, one long, every kind of line end: a row is found from the
    // start kept a few rows before it.
    std::string kratke;
    tObsah kratkeObsah{{"", "1"}};
    for (int i = 0; i < 150; ++i) {
        const std::string bunka = i == 70      ? std::string(300, 'w')
                                  : i % 7 == 0 ? ""
                                               : std::to_string(i);
        // An empty row after a lone CR ends in CR LF, or the two line ends would be one.
        kratke += bunka + (i % 3 == 1 || bunka.empty() ? "\r\n" : i % 3 == 0 ? "\n" : "\r");
        kratkeObsah.push_back({std::to_string(i + 1), bunka});
    }
    const struct {
        const char* nazev;
        std::string text;
        tObsah obsah;
    } pripady[] = {
        {"prazdny", "", {{""}}},
        {"dvaRadky", "A\tB\r\nC", {{"", "1", "2"}, {"1", "A", "B"}, {"2", "C", ""}}},
        {"koncovyZlomNepridaRadek", "A\r\nB\r\n", {{"", "1"}, {"1", "A"}, {"2", "B"}}},
        {"samotneCr", "A\rB", {{"", "1"}, {"1", "A"}, {"2", "B"}}},
        {"samotneLf", "A\nB", {{"", "1"}, {"1", "A"}, {"2", "B"}}},
        {"lfCrJePrazdnyRadek", "A\n\rB", {{"", "1"}, {"1", "A"}, {"2", ""}, {"3", "B"}}},
        {"crCrLf", "A\r\r\nB", {{"", "1"}, {"1", "A"}, {"2", ""}, {"3", "B"}}},
        {"jenCrLf", "\r\n", {{"", "1"}, {"1", ""}}},
        {"prazdneRadkyUprostred", "\n\nA", {{"", "1"}, {"1", ""}, {"2", ""}, {"3", "A"}}},
        {"dvaTabulatory", "A\t\tB", {{"", "1", "2", "3"}, {"1", "A", "", "B"}}},
        {"koncovyTabulatorRozsiruje",
         "A\tB\t\r\nC",
         {{"", "1", "2", "3"}, {"1", "A", "B", ""}, {"2", "C", "", ""}}},
        {"jenTabulatory", "\t\t", {{"", "1", "2", "3"}, {"1", "", "", ""}}},
        {"uvozovkyObycejne",
         "\"a\tb\"\r\n\"c\nd\"",
         {{"", "1", "2"}, {"1", "\"a", "b\""}, {"2", "\"c", ""}, {"3", "d\"", ""}}},
        {"mezeryZustavaji", " a \t  \r\n", {{"", "1", "2"}, {"1", " a ", "  "}}},
        {"bajtyNad127", "\xE8\x9A\t\x81", {{"", "1", "2"}, {"1", "\xE8\x9A", "\x81"}}},
        {"konciNaPrvniNule",
         std::string("A\tB\nC\0D\tE\tF", 11),
         {{"", "1", "2"}, {"1", "A", "B"}, {"2", "C", ""}}},
        {"dlouhyRadekMeziKratkymi",
         "a\tb\r\n1\t2\t3\t4\t5\t6\t7\r\nc\td",
         {{"", "1", "2", "3", "4", "5", "6", "7"},
          {"1", "a", "b", "", "", "", "", ""},
          {"2", "1", "2", "3", "4", "5", "6", "7"},
          {"3", "c", "d", "", "", "", "", ""}}},
        // Line ends across the file's read blocks of 64 KiB (a file only).
        {"kratkeRadky", kratke, kratkeObsah},
        {"crLfPresBlok", std::string(65535, 'a') + "\r\nb", {}},
        {"crNaKonciBloku", std::string(65535, 'a') + "\rb", {}},
        {"crLfZaBlokem", std::string(65534, 'a') + "\r\n\tb", {}},
        {"nulaZaBlokem", std::string(65536, 'a') + std::string("\0b", 2), {}},
    };
    const tDocasnyAdresar adresar;
    for (const auto& p : pripady) {
        tTabulka t;
        t.NactiText(p.text);
        if (!p.obsah.empty()) {
            EXPECT_EQ(Obsah(t), p.obsah) << p.nazev;
        }
        // The same text in a UTF-8 file, row by row, as the clipboard's text turned 8-bit;
        // bytes that are no UTF-8 are Windows-1250 as they stand. Read as Windows-1250, the
        // file gives the clipboard's table of its bytes.
        ZapisBajty(adresar / "t.txt", p.text);
        if (p.text.find('\0') != std::string::npos) { // a control byte: a file is no table
            EXPECT_THROW(RadkySouboru(adresar / "t.txt"), eSouborTabulky) << p.nazev;
            continue;
        }
        const std::string_view text(p.text);
        t.NactiText(JePlatneUtf8(text) ? Utf8NaWin1250(p.text) : p.text);
        EXPECT_EQ(RadkySouboru(adresar / "t.txt"), RadkyTabulky(t)) << p.nazev;
        t.NactiText(p.text);
        EXPECT_EQ(RadkySouboru(adresar / "t.txt", Volby(tZnakovaSada::Win1250)), RadkyTabulky(t))
            << p.nazev;
    }
    // A UTF-8 file may start with a byte-order mark; it is no cell text.
    ZapisBajty(adresar / "t.txt", "\xEF\xBB\xBF\xC5\xBElut\xC3\xBD\t1");
    EXPECT_EQ(RadkySouboru(adresar / "t.txt"), (tObsah{{"1", "\x9Elut\xFD", "1"}}));
    ZapisBajty(adresar / "t.txt", "\xEF\xBB\xBF");
    EXPECT_EQ(RadkySouboru(adresar / "t.txt"), tObsah{});
    // A row over 8 MiB would break the memory bound: an error, not a row.
    ZapisBajty(adresar / "t.txt", "a\n" + std::string(8 * 1024 * 1024 + 1, 'b'));
    EXPECT_THROW(RadkySouboru(adresar / "t.txt"), eSouborTabulky);
    EXPECT_THROW(RadkySouboru(adresar / "t.txt", Volby(tZnakovaSada::Win1250)), eSouborTabulky);
    try {
        tRadkySouboru radky(adresar / "neni.txt");
        ADD_FAILURE() << "no error";
    } catch (const eSouborTabulky& e) {
        EXPECT_EQ(e.what(), "Cannot open file " + adresar / "neni.txt");
    }
}

// A file large enough for its passes to run in two halves at once. Its rows are of every
// length from 11 to 39 bytes, so the middle may fall anywhere in a row. Each holds
// characters of two and three bytes, one with no Windows-1250 form, and with spatne every
// third a byte that is no UTF-8. Lines end in LF, CR LF or CR.
struct tVelkySoubor {
    std::string bajty;
    tObsah obsah;
    std::string upozorneni;
};
tVelkySoubor VelkySoubor(bool spatne) {
    tVelkySoubor v;
    const std::string sipka = Utf8NaWin1250("\xe2\x86\x92");
    size_t chybnych = 0;
    constexpr int Radku = 20000;
    for (int i = 1; i <= Radku; ++i) {
        const bool chybny = spatne && i % 3 == 0;
        chybnych += chybny;
        const std::string a(static_cast<size_t>(i % 27), 'a');
        v.bajty += std::to_string(i % 4) + "\t" + a + "\xc4\x8d\xe2\x82\xac\xe2\x86\x92" +
                   (chybny ? "\xff" : "") +
                   (i % 5 == 0   ? "\r\n"
                    : i % 7 == 0 ? "\r"
                                 : "\n");
        std::string bunka = a + "\xe8\x80";
        bunka += sipka;
        if (chybny)
            bunka += '?';
        v.obsah.push_back({std::to_string(i), std::to_string(i % 4), bunka});
    }
    if (spatne)
        v.upozorneni = "(znaků UTF-8: " + std::to_string(3 * Radku) +
                       ", bajtů mimo UTF-8: " + std::to_string(chybnych) + ")";
    return v;
}

// The same as a CSV file, its every character with a Windows-1250 byte: counted in halves
// too. Its middle row holds a quoted field of many lines, so that the middle of the file is
// inside quotes, or its last row opens a quote that nothing closes.
enum class tStredCsv { Radek, Uvozovky, Otevrene };
tVelkySoubor VelkeCsv(tStredCsv stred) {
    tVelkySoubor v;
    constexpr int Radku = 20000;
    for (int i = 1; i <= Radku; ++i) {
        const std::string a(static_cast<size_t>(i % 27), 'a');
        if (i == Radku / 2 && stred == tStredCsv::Uvozovky) {
            std::string radky, mezery;
            for (int r = 0; r < 40000; ++r) {
                radky += r % 2 ? "x\r\n" : "x\n";
                mezery += "x ";
            }
            v.bajty += "1;\"" + radky + "\"\n";
            v.obsah.push_back({std::to_string(i), "1", mezery});
            continue;
        }
        v.bajty += std::to_string(i % 4) + ";\"" + a + "\xc4\x8d\"\"\xe2\x82\xac\"" +
                   (i % 5 == 0 ? "\r\n" : "\n");
        v.obsah.push_back({std::to_string(i), std::to_string(i % 4), a + "\xe8\"\x80"});
    }
    if (stred == tStredCsv::Otevrene) {
        v.bajty += "2;\"a";
        v.upozorneni = "zůstaly otevřené uvozovky (od řádku " + std::to_string(Radku + 1) + ")";
    }
    return v;
}

// Table files as spreadsheets and stock systems write them: the character set and the form
// found from the bytes and the name, or given.
TEST(Tabulka, DruhySouboru) {
    const tVelkySoubor velky = VelkySoubor(false), velkySpatne = VelkySoubor(true);
    const tVelkySoubor velkeCsv = VelkeCsv(tStredCsv::Radek),
                       csvVUvozovkach = VelkeCsv(tStredCsv::Uvozovky),
                       csvOtevrene = VelkeCsv(tStredCsv::Otevrene);
    const std::string dlouhy(70000, 'x'); // a field across the read blocks
    std::string ceskyUtf8 = "a";          // letters of two bytes across the read blocks
    for (int i = 0; i < 70000; ++i)
        ceskyUtf8 += "č";
    // Fields of 0 to 40 bytes, every other one quoted with a doubled quote inside, so that
    // each special byte stands at each place of a 16-byte stretch that the reader scans.
    std::string sirokeCsv;
    std::vector<std::string> siroke{"1"};
    for (int n = 0; n <= 40; ++n) {
        const std::string pole(static_cast<size_t>(n), static_cast<char>('a' + n % 26));
        if (n > 0)
            sirokeCsv += ';';
        sirokeCsv += n % 2 ? "\"" + pole + "\"\"" + pole + "\"" : pole;
        siroke.push_back(n % 2 ? pole + "\"" + pole : pole);
    }
    sirokeCsv += "\r\n";
    const struct {
        const char* nazev;
        const char* soubor;
        std::string bajty;
        tObsah obsah;
        tVolbyTabulky volby = Volby();
        const char* chyba = nullptr; // the start of the message
        const char* upozorneni = ""; // part of the warning lines; "": none
    } pripady[] = {
        {"excel",
         "t.csv",
         "Zbo\x9e\xed;Cena\r\n\"Jablko; \x9elut\xe9\";\"1 234,50\"\r\n",
         {{"1", "Zbo\x9e\xed", "Cena"}, {"2", "Jablko; \x9elut\xe9", "1 234,50"}}},
        {"libreOffice",
         "t.csv",
         "N\xc3\xa1zev,Pozn\r\n\"\xc5\xbdlut\xc3\xbd\",\"dva\nř\xc3\xa1"
         "dky\"\n",
         {{"1", "N\xe1zev", "Pozn"},
          {"2", "\x8elut\xfd",
           "dva \xf8\xe1"
           "dky"}}},
        {"bom",
         "t.csv",
         "\xef\xbb\xbf"
         "a,b\n",
         {{"1", "a", "b"}}},
        {"utf16le",
         "t.txt",
         std::string("\xff\xfe"
                     "a\0\t\0\x0d\x01\n\0",
                     10),
         {{"1", "a", "\xe8"}}},
        {"utf16be", "t.csv", std::string("\xfe\xff\0a\0;\0\"\0\"\0\"\0\"", 14), {{"1", "a", "\""}}},
        {"uvozovkyZdvojene", "t.csv", "\"a \"\"b\"\" c\",\"\"\"\"\n", {{"1", "a \"b\" c", "\""}}},
        {"palecVPoli", "t.csv", "Monitor 24\",5\n", {{"1", "Monitor 24\"", "5"}}},
        {"palecZaSestnactiZnaky",
         "t.csv",
         "Monitor do kanceláře 24\",5\n",
         {{"1",
           "Monitor do kancel\xe1\xf8"
           "e 24\"",
           "5"}}},
        {"polePresSestnactBajtu",
         "t.csv",
         sirokeCsv + sirokeCsv,
         {siroke,
          [&] {
              auto druhy = siroke;
              druhy[0] = "2";
              return druhy;
          }()}},
        // Fullwidth forms become a separator and quotes: the count reads the decoded text.
        {"siroke",
         "t.csv",
         "a,b\n2\xef\xbc\x8cx\n\xef\xbc\x82"
         "7\xef\xbc\x82,z\n",
         {{"1", "a", "b"}, {"2", "2", "x"}, {"3", "7", "z"}}},
        {"crVUvozovkach", "t.csv", "\"a\rb\";x\n", {{"1", "a b", "x"}}},
        {"zubate",
         "t.csv",
         "a;b;c\r\n1\r\n;\r\n",
         {{"1", "a", "b", "c"}, {"2", "1"}, {"3", "", ""}}},
        {"prazdny", "t.csv", "", {}},
        {"tabulatorVPoli", "t.csv", "\"a\tb\",c\n", {{"1", "a b", "c"}}},
        {"oddelovacTab",
         "t.csv",
         "a\tb,c\tx\nd\te,f\ty\n",
         {{"1", "a", "b,c", "x"}, {"2", "d", "e,f", "y"}},
         Volby(),
         nullptr,
         "oddělovač TAB i „,“; použit TAB"},
        {"dlouhePole",
         "t.csv",
         "1,\"" + dlouhy + "\r\n\"\r\n2",
         {{"1", "1", dlouhy + " "}, {"2", "2"}}},
        {"utf8PresBloky", "t.txt", ceskyUtf8, {{"1", "a" + std::string(70000, '\xe8')}}},
        {"velkyNaPulky", "t.txt", velky.bajty, velky.obsah},
        {"velkyNaPulkySeSpatnymiBajty", "t.txt", velkySpatne.bajty, velkySpatne.obsah, Volby(),
         nullptr, velkySpatne.upozorneni.c_str()},
        {"velkeCsvNaPulky", "t.csv", velkeCsv.bajty, velkeCsv.obsah},
        {"velkeCsvStredVUvozovkach", "t.csv", csvVUvozovkach.bajty, csvVUvozovkach.obsah},
        {"velkeCsvOtevreneUvozovky",
         "t.csv",
         csvOtevrene.bajty,
         {},
         Volby(),
         csvOtevrene.upozorneni.c_str()},
        {"nepresnePresBloky",
         "t.txt",
         std::string(70000, 'x') + "\t\xc3\xb1\xe2\x86\x92\xc3\xa1\n",
         {{"1", std::string(70000, 'x'), Utf8NaWin1250("\xc3\xb1\xe2\x86\x92\xc3\xa1")}}},
        // Counts as the decoded text has them: superscript digits, a lone combining mark, a
        // no-break space; the line ends CR, LF and CR LF.
        {"poctyVUtf8",
         "t.txt",
         "\xc2\xb9\xc2\xb2\tx\r3\xcc\x81\t\xc5\xbe\n\xc2\xa0"
         "4\tb\r\n"
         "5\n",
         {{"1", "12", "x"},
          {"2", "3", "\x9e"},
          {"3",
           "\xa0"
           "4",
           "b"},
          {"4", "5"}}},
        // A row longer in its bytes than a row may be, but not once decoded (zero-width
        // characters become nothing).
        {"dlouhyJenVBajtech",
         "t.txt",
         "7\t" +
             [] {
                 std::string nic;
                 for (int i = 0; i < 3'000'000; ++i)
                     nic += "\xe2\x80\x8b";
                 return nic;
             }() +
             "\n2\n",
         {{"1", "7", ""}, {"2", "2"}}},
        {"windows1250",
         "t.txt",
         "\x8e"
         "lut\xfd\t1\n",
         {{"1", "\x8elut\xfd", "1"}}},
        {"volbaFormatu", "t.txt", "\"a;b\";c\n", {{"1", "a;b", "c"}}, Volby(tFormatTabulky::Csv)},
        {"volbaOddelovace", "t.csv", "a;b,c\n", {{"1", "a;b", "c"}}, Volby(',')},
        {"volbaKodovani",
         "t.csv",
         "\xc3\xa1,b\n",
         {{"1", "\xc3\xa1", "b"}},
         Volby(tZnakovaSada::Win1250)},
        {"otevreneUvozovky",
         "t.csv",
         "a,b\n1,\"x\n2,y\n",
         {},
         Volby(),
         "zůstaly otevřené uvozovky (od řádku 2)"},
        // The separator: the most lines split alike, ';' ahead on a tie, with a warning.
        {"nadpisNadTabulkou",
         "t.csv",
         "Nazev\nJablko;1,5;x\nHruska;2,25;y\n",
         {{"1", "Nazev"}, {"2", "Jablko", "1,5", "x"}, {"3", "Hruska", "2,25", "y"}},
         Volby(),
         nullptr,
         "oddělovač „;“ i „,“; použit „;“, jiný zvolí --separator"},
        {"desetinnaCisla",
         "t.csv",
         "1,50;1,82\r\n2,00;2,42\r\n",
         {{"1", "1,50", "1,82"}, {"2", "2,00", "2,42"}},
         Volby(),
         nullptr,
         "--separator"},
        {"palecNaZacatku",
         "t.csv",
         "Monitor 24\";1\nX;2\n",
         {{"1", "Monitor 24\"", "1"}, {"2", "X", "2"}}},
        {"uvozovkyPoPolich",
         "t.csv",
         "\"a,b\";\"c\"\n\"d;e\";f\n",
         {{"1", "a,b", "c"}, {"2", "d;e", "f"}}},
        {"crLfVUvozovkach", "t.csv", "\"a\r\nb\";x\n", {{"1", "a b", "x"}}},
        {"crLfVUvozovkachPresBlok",
         "t.csv",
         "\"" + std::string(65535, 'a') + "\r\nb\";x\n",
         {{"1", std::string(65535, 'a') + " b", "x"}}},
        // The character set: UTF-16 without a mark, UTF-8 with a few bad bytes.
        {"utf16leBezZnacky",
         "t.txt",
         std::string("J\0a\0b\0\t\0001\0\n\0\x0d\x01\t\0002\0", 18),
         {{"1", "Jab", "1"}, {"2", "\xe8", "2"}}},
        {"utf16beBezZnacky",
         "t.csv",
         std::string("\0a\0;\0b\0\n\0c\0;\0d", 14),
         {{"1", "a", "b"}, {"2", "c", "d"}}},
        {"utf8SeSpatnymBajtem",
         "t.txt",
         "\xc5\xbdlut\xc3\xbd\t1\n\xc4\x8c"
         "erven\xc3\xbd\x80\t2\n",
         {{"1", "\x8elut\xfd", "1"},
          {"2",
           "\xc8"
           "erven\xfd?",
           "2"}},
         Volby(),
         nullptr,
         "se čte v kódování UTF-8, bajty mimo UTF-8 jako „?“ (znaků UTF-8: 4, bajtů mimo UTF-8: "
         "1)"},
        {"windows1250SNahodnymUtf8",
         "t.txt",
         "\x8elut\xfd \xe8"
         "erven\xfd \xc3\xa1\t1\n",
         {{"1",
           "\x8elut\xfd \xe8"
           "erven\xfd \xc3\xa1",
           "1"}},
         Volby(),
         nullptr,
         "se čte v kódování Windows-1250 (znaků UTF-8: 1, bajtů mimo UTF-8: 4)"},
        // Control bytes: no table, wherever they stand.
        // (A zip is taken for a workbook, which says itself what is wrong with it.)
        {"program",
         "ceny.csv",
         std::string("\x7F"
                     "ELF\x02\x01\x01\0",
                     8),
         {},
         Volby(),
         "není tabulka: obsahuje řídicí bajty"},
        {"ridiciBajtZa64KiB",
         "t.txt",
         std::string(70000, 'a') + "\n\x1b@",
         {},
         Volby(),
         "není tabulka: obsahuje řídicí bajty"},
        {"ridiciZnakVUtf16",
         "t.txt",
         std::string("\xff\xfe"
                     "a\0\n\0\x1b\0@\0",
                     10),
         {},
         Volby(),
         "není tabulka: obsahuje řídicí bajty"},
        {"nulaVeWindows1250",
         "t.txt",
         std::string("a\tb\n\0", 5),
         {},
         Volby(tZnakovaSada::Win1250),
         "není tabulka: obsahuje řídicí bajty"},
    };
    const tDocasnyAdresar adresar;
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        ZapisBajty(adresar / p.soubor, p.bajty);
        const std::string cesta = adresar / p.soubor;
        if (!p.chyba) {
            EXPECT_EQ(RadkySouboru(cesta, p.volby), p.obsah);
            std::string upozorneni;
            tRadkySouboru radky(cesta, p.volby);
            // The count made when the file is looked through is the conversion's own.
            while (radky.Dalsi()) {
            }
            if (radky.Druh().Sada != tZnakovaSada::Win1250) {
                EXPECT_EQ(radky.Druh().Nepresnych, radky.NepresnychPrectenych());
            }
            for (const std::string& radek : radky.Druh().Upozorneni)
                upozorneni += radek + "\n";
            if (*p.upozorneni == '\0')
                EXPECT_EQ(upozorneni, "");
            else
                EXPECT_NE(upozorneni.find(p.upozorneni), std::string::npos) << upozorneni;
            continue;
        }
        try {
            RadkySouboru(cesta, p.volby);
            ADD_FAILURE() << "no error";
        } catch (const eSouborTabulky& e) {
            EXPECT_NE(std::string(e.what()).find(p.chyba), std::string::npos) << e.what();
        }
        try { // the count before any job raises it as well
            tRadkySouboru(cesta, p.volby).SoucetPoctu(1);
            ADD_FAILURE() << "no error in the count";
        } catch (const eSouborTabulky& e) {
            EXPECT_NE(std::string(e.what()).find(p.chyba), std::string::npos) << e.what();
        }
    }
}

// A spreadsheet program's own exports (tests/data/vyrob_csv.sh), in both character sets and
// with both separators: the same cells, and no guess close enough for a warning.
TEST(Tabulka, ExportyTabulkovehoProgramu) {
    const tObsah obsah = {
        {"1", "N\xe1zev", "Cena", "Pozn\xe1mka"},
        {"2", "\x8elu\x9dou\xe8k\xfd k\xf9\xf2", "1,50", "a; b, c"},
        {"3", "Monitor 24\"",
         "1\xa0"
         "234,00",
         ""},
        {"4", "Hru\x9aka", "2,25",
         "dva \xf8\xe1"
         "dky"},
    };
    for (const char* soubor :
         {"strednik-utf8.csv", "carka-utf8.csv", "strednik-cp1250.csv", "carka-cp1250.csv"}) {
        SCOPED_TRACE(soubor);
        const std::string cesta = std::string(OBLEPKY_DATA_CSV) + "/" + soubor;
        EXPECT_EQ(RadkySouboru(cesta), obsah);
        EXPECT_EQ(tRadkySouboru(cesta).Druh().Upozorneni, std::vector<std::string>{});
    }
}

TEST(Tabulka, PredPrvnimImportemJePetKratPetPrazdnych) {
    tTabulka t;
    EXPECT_EQ(Obsah(t), tObsah(5, std::vector<std::string>(5)));
    // A run over it numbers no row either.
    tRadkyTabulky radky(t);
    std::vector<std::string_view> bunky;
    for (radky.NaZacatek(); radky.Dalsi();) {
        EXPECT_EQ(radky.Bunka(0), "");
        radky.Bunky(bunky, SIZE_MAX);
        EXPECT_EQ(bunky, std::vector<std::string_view>{""});
    }
}

TEST(Tabulka, NovyImportNicNenechava) {
    tTabulka t;
    t.NactiText("a\tb\tc\td\te\r\nf\tg\th\ti\tj\r\nk\r\nl");
    t.NactiText("x\ty\r\nq");
    EXPECT_EQ(Obsah(t), (tObsah{{"", "1", "2"}, {"1", "x", "y"}, {"2", "q", ""}}));
    // Cells of the earlier, wider and longer table read as "" now.
    EXPECT_EQ(t.Bunka(3, 1), "");
    EXPECT_EQ(t.Bunka(5, 2), "");
    EXPECT_EQ(t.Bunka(1, 4), "");
}

TEST(Tabulka, RidiciBajtNaKazdemMiste) {
    // Every byte value at every place of eighteen 16-byte stretches (past the 256 bytes
    // judged at once) and a tail: only C0 controls other than TAB, LF and CR, and DEL,
    // refuse a file.
    constexpr size_t Delka = 18 * 16 + 3;
    for (int b = 0; b < 256; ++b) {
        const bool ridici = (b < 0x20 && b != '\t' && b != '\n' && b != '\r') || b == 0x7F;
        for (size_t misto = 0; misto < Delka; ++misto) {
            std::string bajty(Delka, 'a');
            bajty[misto] = static_cast<char>(b);
            ASSERT_EQ(MaRidiciBajty(bajty), ridici) << b << " at " << misto;
            ASSERT_EQ(MaRidiciBajty(std::string_view(bajty).substr(misto)), ridici) << b;
        }
    }
}

TEST(Tabulka, PocetUtf8NaKazdemMiste) {
    // A character among plain bytes at every place of a text longer than three 16-byte
    // stretches: the look through the file counts it as the conversion does.
    const std::string prosty = "The quick brown fox jumps over the lazy dog 0123456789";
    const struct {
        std::string vlozeny;
        size_t vicebajtovych, chybnych, nepresnych;
    } pripady[] = {
        {"\xc4\x8d", 1, 0, 0},         // č
        {"\xe2\x82\xac", 1, 0, 0},     // €
        {"\xe4\xb8\x80", 1, 0, 1},     // a CJK character: no form in Windows-1250
        {"\xf0\x9f\x98\x80", 1, 0, 1}, // an emoji
        {"\xff", 0, 1, 1},             // no UTF-8
        {"\xc4\xc4\x8d", 1, 1, 1},     // a cut start before č
    };
    for (const auto& p : pripady) {
        for (size_t k = 0; k <= prosty.size(); ++k) {
            const std::string text = prosty.substr(0, k) + p.vlozeny + prosty.substr(k);
            tDekoder pocet(tZnakovaSada::Utf8), prevod(tZnakovaSada::Utf8, true);
            pocet.Pocitej(text, true);
            std::string cil;
            prevod.Dekoduj(text, cil, true);
            EXPECT_EQ(pocet.VicebajtovychUtf8(), p.vicebajtovych) << p.vlozeny << " at " << k;
            EXPECT_EQ(pocet.ChybnychUtf8(), p.chybnych) << p.vlozeny << " at " << k;
            EXPECT_EQ(pocet.Nepresnych(), p.nepresnych) << p.vlozeny << " at " << k;
            EXPECT_EQ(prevod.Nepresnych(), p.nepresnych) << p.vlozeny << " at " << k;
        }
    }
}

TEST(Tabulka, DelkaRadku) {
    tTabulka t;
    t.NactiText("a\tb\r\n1\t2\t3\t4\t5\t6\t7\r\nc\td");
    for (auto [radek, delka] : std::vector<std::pair<int, int>>{{0, 8}, {1, 3}, {2, 8}, {4, 0}})
        EXPECT_EQ(t.DelkaRadku(radek), delka) << radek;
}

TEST(Tabulka, BunkyMimoTabulkuJsouPrazdne) {
    tTabulka t;
    t.NactiText("a\tb");
    for (auto [c, r] : std::vector<std::pair<int, int>>{
             {-1, 1}, {1, -1}, {3, 1}, {1, 2}, {-2147483647 - 1, 0}, {2147483647, 2147483647}})
        EXPECT_EQ(t.Bunka(c, r), "") << c << "," << r;
}

TEST(Tabulka, CislaRadkuPresDeset) {
    // Number texts of more than one digit, made in pieces of a few thousand when asked: each
    // at its right place, also at the pieces' edges, and in any order.
    std::string text;
    for (int i = 0; i < 10000; ++i)
        text += "x\n";
    tTabulka t;
    t.NactiText(text);
    ASSERT_EQ(t.PocetRadku(), 10001);
    for (int r :
         {10000, 1, 9, 10, 11, 99, 100, 101, 999, 1000, 1234, 4095, 4096, 4097, 8191, 8192, 9999}) {
        EXPECT_EQ(t.Bunka(0, r), std::to_string(r));
        EXPECT_EQ(t.CisloRadku(r), std::to_string(r));
    }
    EXPECT_EQ(t.Bunka(0, 10001), "");
    EXPECT_EQ(t.CisloRadku(10001), "");
    // The view and a run read the same table at once: each piece is made once.
    t.NactiText(text);
    std::vector<std::string> videno[2];
    {
        std::vector<std::thread> ctenari;
        for (auto& v : videno)
            ctenari.emplace_back([&t, &v] {
                for (int r = 1; r < t.PocetRadku(); ++r)
                    v.emplace_back(t.Bunka(0, r));
            });
        for (auto& c : ctenari)
            c.join();
    }
    std::vector<std::string> cisla;
    for (int r = 1; r <= 10000; ++r)
        cisla.push_back(std::to_string(r));
    for (const auto& v : videno)
        EXPECT_TRUE(v == cisla);
    // Columns are numbered as far as a spreadsheet's; the cells past them are still there.
    t.NactiText(std::string(20000, '\t') + "z\ny");
    ASSERT_EQ(t.PocetSloupcu(), 20002);
    EXPECT_EQ(t.Bunka(16384, 0), "16384");
    EXPECT_EQ(t.Bunka(16385, 0), "");
    EXPECT_EQ(t.Bunka(20001, 1), "z");
    EXPECT_EQ(t.Bunka(0, 2), "2");
    EXPECT_EQ(t.Bunka(1, 2), "y");
}

} // namespace
