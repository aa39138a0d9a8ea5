#include "output/RadkySesitu.h"

#include "core/CeleCislo.h"
#include "core/Chyba.h"
#include "core/FormatCisla.h"
#include "core/Win1250.h"

#include <orcus/sax_parser.hpp>

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <set>

namespace {

constexpr size_t NejvicUpozorneni = 10;
constexpr uint32_t NejvicRadku = 1U << 24, NejvicSloupcu = 1U << 14;

bool JeCislo(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

long long Cislo(std::string_view s, long long jinak) {
    long long n = jinak;
    std::from_chars(s.data(), s.data() + s.size(), n);
    return n;
}

// What the SAX handlers share: the attributes of the element being opened, and no
// document type definition (whose entities could expand without end or read other files).
struct tZakladSax {
    const std::string& nazev;
    std::vector<std::pair<std::string, std::string>> atributy;

    explicit tZakladSax(const std::string& n) : nazev(n) {}
    void doctype(const orcus::sax::doctype_declaration&) { Dtd(); }
    [[noreturn]] void Dtd() const {
        ChybaSesitu(nazev, "obsahuje definici typu dokumentu (DTD), kterou program nečte");
    }
    void start_declaration(std::string_view) {}
    void end_declaration(std::string_view) {}
    void attribute(std::string_view, std::string_view) {}
    // For a handler that reads no text, or start tags alone.
    void end_element(const orcus::sax::parser_element&) {}
    void characters(std::string_view, bool) {}
    void attribute(const orcus::sax::parser_attribute& a) {
        atributy.emplace_back(std::string(a.name), std::string(a.value));
    }
    std::string_view Atribut(std::string_view jmeno) const {
        for (const auto& [n, v] : atributy)
            if (n == jmeno)
                return v;
        return {};
    }
};

template <class tHandler> void Rozeber(const std::vector<unsigned char>& xml, tHandler& h) {
    const std::string_view text(reinterpret_cast<const char*>(xml.data()), xml.size());
    // A definition of the document type stands before the first element: refused before a
    // byte is parsed. The handlers tell elements apart by their local names.
    if (text.substr(0, std::min<size_t>(text.size(), 1 << 16)).find("<!DOCTYPE") !=
        std::string_view::npos)
        h.Dtd();
    try {
        orcus::sax_parser<tHandler> parser(text.data(), text.size(), h);
        parser.parse();
    } catch (const eChyba&) {
        throw;
    } catch (const std::exception& e) {
        ChybaSesitu(h.nazev, std::string("je poškozený sešit (") + e.what() + ")");
    }
}

// ---- .xlsx ----

struct tVztahy : tZakladSax {
    using tZakladSax::tZakladSax;
    std::map<std::string, std::pair<std::string, std::string>> podleId; // id: type, target
    void start_element(const orcus::sax::parser_element& e) {
        if (e.name == "Relationship")
            podleId[std::string(Atribut("Id"))] = {std::string(Atribut("Type")),
                                                   std::string(Atribut("Target"))};
        atributy.clear();
    }
    std::string Typu(std::string_view konec) const {
        for (const auto& [id, v] : podleId)
            if (v.first.ends_with(konec))
                return v.second;
        return {};
    }
};

// A target relative to the folder of the part that names it.
std::string Cesta(std::string_view slozka, std::string_view cil) {
    if (cil.starts_with('/'))
        return std::string(cil.substr(1));
    std::string s(slozka);
    while (cil.starts_with("../")) {
        cil.remove_prefix(3);
        const size_t lomitko = s.find_last_of('/', s.empty() ? 0 : s.size() - 2);
        s = lomitko == std::string::npos ? "" : s.substr(0, lomitko + 1);
    }
    return s + std::string(cil);
}

std::string Slozka(std::string_view cast) {
    const size_t lomitko = cast.rfind('/');
    return lomitko == std::string_view::npos ? "" : std::string(cast.substr(0, lomitko + 1));
}

struct tListXlsx {
    tListSesitu list;
    std::string id;
};

struct tSesitXlsx : tZakladSax {
    using tZakladSax::tZakladSax;
    std::vector<tListXlsx> listy;
    bool od1904 = false;
    void start_element(const orcus::sax::parser_element& e) {
        if (e.name == "sheet") {
            const std::string_view stav = Atribut("state");
            std::string id;
            for (const auto& [n, v] : atributy)
                if (n == "id")
                    id = v;
            listy.push_back(
                {{std::string(Atribut("name")), stav != "hidden" && stav != "veryHidden"}, id});
        } else if (e.name == "workbookPr") {
            const std::string_view d = Atribut("date1904");
            od1904 = d == "1" || d == "true";
        }
        atributy.clear();
    }
};

struct tStyly : tZakladSax {
    using tZakladSax::tZakladSax;
    std::map<int, std::string> formaty;
    std::vector<int> xf; // numFmtId of each cell format
    bool vXf = false;
    void start_element(const orcus::sax::parser_element& e) {
        if (e.name == "numFmt")
            formaty[static_cast<int>(Cislo(Atribut("numFmtId"), 0))] =
                std::string(Atribut("formatCode"));
        else if (e.name == "cellXfs")
            vXf = true;
        else if (e.name == "xf" && vXf)
            xf.push_back(static_cast<int>(Cislo(Atribut("numFmtId"), 0)));
        atributy.clear();
    }
    void end_element(const orcus::sax::parser_element& e) {
        if (e.name == "cellXfs")
            vXf = false;
    }
};

// Text of <t> elements, but for phonetic runs (<rPh>).
struct tTexty : tZakladSax {
    using tZakladSax::tZakladSax;
    std::vector<std::string> retezce;
    std::string text;
    bool vT = false;
    int vRph = 0;
    size_t celkem = 0;
    void start_element(const orcus::sax::parser_element& e) {
        if (e.name == "si")
            text.clear();
        else if (e.name == "t")
            vT = true;
        else if (e.name == "rPh")
            ++vRph;
        atributy.clear();
    }
    void end_element(const orcus::sax::parser_element& e) {
        if (e.name == "t")
            vT = false;
        else if (e.name == "rPh")
            --vRph;
        else if (e.name == "si") {
            celkem += text.size();
            if (celkem > NejvicTextuSesitu)
                ChybaSesitu(nazev, "je po rozbalení příliš velký (sdílené texty)");
            retezce.push_back(text);
        }
    }
    void characters(std::string_view t, bool) {
        if (vT && vRph == 0)
            text += t;
    }
};

std::string NazevBunky(uint32_t radek, uint32_t sloupec) {
    std::string s;
    for (uint32_t c = sloupec + 1; c > 0; c = (c - 1) / 26)
        s.insert(s.begin(), static_cast<char>('A' + (c - 1) % 26));
    return s + std::to_string(radek + 1);
}

struct tListXml : tZakladSax {
    tListXml(const std::string& n, tRadkySesitu& cil, const tStyly& styly,
             const std::vector<std::string>& retezce, tSystemDat system, std::string list)
        : tZakladSax(n), cil(cil), styly(styly), retezce(retezce), system(system),
          list(std::move(list)) {}
    tRadkySesitu& cil;
    const tStyly& styly;
    const std::vector<std::string>& retezce;
    tSystemDat system;
    std::string list;
    uint32_t radek = 0, sloupec = 0;
    bool prvniRadek = true, prvniBunka = true;
    std::string typ, hodnota, vlozeny;
    int styl = 0;
    bool vV = false, vT = false, vBunce = false;
    int vRph = 0;

    void start_element(const orcus::sax::parser_element& e) {
        if (e.name == "row") {
            const std::string_view r = Atribut("r");
            radek =
                JeCislo(r) ? static_cast<uint32_t>(Cislo(r, 1) - 1) : (prvniRadek ? 0 : radek + 1);
            prvniRadek = false;
            prvniBunka = true;
        } else if (e.name == "c") {
            const std::string_view r = Atribut("r");
            uint32_t c = 0;
            size_t i = 0;
            for (; i < r.size() && r[i] >= 'A' && r[i] <= 'Z'; ++i)
                c = c * 26 + static_cast<uint32_t>(r[i] - 'A' + 1);
            sloupec = i > 0 ? c - 1 : (prvniBunka ? 0 : sloupec + 1);
            if (i < r.size() && JeCislo(r.substr(i)))
                radek = static_cast<uint32_t>(Cislo(r.substr(i), 1) - 1);
            prvniBunka = false;
            typ = std::string(Atribut("t"));
            styl = static_cast<int>(Cislo(Atribut("s"), 0));
            hodnota.clear();
            vlozeny.clear();
            vBunce = true;
        } else if (e.name == "v") {
            vV = true;
        } else if (e.name == "t") {
            vT = true;
        } else if (e.name == "rPh") {
            ++vRph;
        }
        atributy.clear();
    }
    void characters(std::string_view t, bool) {
        if (vV)
            hodnota += t;
        else if (vT && vRph == 0 && vBunce)
            vlozeny += t;
    }
    void end_element(const orcus::sax::parser_element& e) {
        if (e.name == "v")
            vV = false;
        else if (e.name == "t")
            vT = false;
        else if (e.name == "rPh")
            --vRph;
        else if (e.name == "c") {
            vBunce = false;
            if (radek >= NejvicRadku || sloupec >= NejvicSloupcu)
                ChybaSesitu(nazev,
                            "má buňku mimo rozsah listu (" + NazevBunky(radek, sloupec) + ")");
            const std::string text = Text();
            if (!text.empty())
                cil.Pridej(radek, sloupec, text);
        }
    }

    // Each cell format's code, found once.
    mutable std::vector<std::optional<std::string>> kody;
    const std::string& Kod() const {
        const size_t i = styl >= 0 && static_cast<size_t>(styl) < styly.xf.size()
                             ? static_cast<size_t>(styl)
                             : styly.xf.size();
        if (kody.size() <= i)
            kody.resize(i + 1);
        if (!kody[i]) {
            const int id = i < styly.xf.size() ? styly.xf[i] : 0;
            const auto f = styly.formaty.find(id);
            const std::string_view v = VestavenyFormat(id);
            kody[i] = f != styly.formaty.end() ? f->second : v.empty() ? "General" : std::string(v);
        }
        return *kody[i];
    }

    std::string Text() {
        if (typ == "s") {
            const auto i = static_cast<size_t>(Cislo(hodnota, -1));
            if (!JeCislo(hodnota) || i >= retezce.size())
                ChybaSesitu(nazev, "je poškozený sešit (buňka " + NazevBunky(radek, sloupec) +
                                       " odkazuje na neexistující text)");
            return FormatujTextUtf8(retezce[i], Kod());
        }
        if (typ == "inlineStr")
            return FormatujTextUtf8(vlozeny, Kod());
        if (typ == "str" || typ == "e" || typ == "d")
            return typ == "str" ? FormatujTextUtf8(hodnota, Kod()) : hodnota;
        if (typ == "b")
            return hodnota.empty() ? "" : hodnota == "0" ? "NEPRAVDA" : "PRAVDA";
        if (hodnota.empty())
            return {};
        double cislo = 0;
        const auto [konec, chyba] =
            std::from_chars(hodnota.data(), hodnota.data() + hodnota.size(), cislo);
        if (chyba != std::errc{} || konec != hodnota.data() + hodnota.size())
            return hodnota; // no number: as it stands
        const std::string& kod = Kod();
        if (auto t = FormatujCisloUtf8(cislo, kod, system))
            return *t;
        cil.Upozorni("buňka " + NazevBunky(radek, sloupec) + " listu „" + list + "“: formát „" +
                     kod + "“ nelze zobrazit, tiskne se v obecném formátu");
        return ObecnyFormatUtf8(cislo);
    }
};

// The sheet that list names among listy (by name, or by number from 1), or the first
// visible one.
size_t VyberList(const std::string& nazev, const std::vector<tListSesitu>& listy,
                 std::string_view list) {
    if (list.empty()) {
        for (size_t i = 0; i < listy.size(); ++i)
            if (listy[i].Viditelny)
                return i;
        ChybaSesitu(nazev, "nemá žádný viditelný list");
    }
    for (size_t i = 0; i < listy.size(); ++i)
        if (listy[i].Nazev == list)
            return i;
    if (JeCislo(list) && list.size() < 6) {
        const auto n = static_cast<size_t>(Cislo(list, 0));
        if (n >= 1 && n <= listy.size())
            return n - 1;
    }
    std::string jmena;
    for (const tListSesitu& l : listy)
        jmena += (jmena.empty() ? "" : ", ") + l.Nazev;
    ChybaSesitu(nazev, "nemá list „" + std::string(list) + "“ (listy: " + jmena + ")");
}

struct tXlsx {
    std::string sesit; // the workbook part
    tSesitXlsx obsah;
};

tXlsx SesitXlsx(const tArchivSesitu& archiv) {
    tVztahy koren(archiv.Nazev());
    if (archiv.Obsahuje("_rels/.rels"))
        Rozeber(archiv.Cast("_rels/.rels"), koren);
    std::string sesit = Cesta("", koren.Typu("/officeDocument"));
    if (sesit.empty())
        sesit = "xl/workbook.xml";
    tXlsx x{sesit, tSesitXlsx(archiv.Nazev())};
    Rozeber(archiv.Cast(sesit), x.obsah);
    return x;
}

std::vector<tListSesitu> Listy(const tSesitXlsx& s) {
    std::vector<tListSesitu> listy;
    for (const tListXlsx& l : s.listy)
        listy.push_back(l.list);
    return listy;
}

void CtiXlsx(const tArchivSesitu& archiv, std::string_view list, tRadkySesitu& cil,
             tDruhTabulky& druh) {
    const tXlsx x = SesitXlsx(archiv);
    const std::string slozka = Slozka(x.sesit);
    tVztahy vztahy(archiv.Nazev());
    const std::string cestaVztahu = slozka + "_rels/" + x.sesit.substr(slozka.size()) + ".rels";
    Rozeber(archiv.Cast(cestaVztahu), vztahy);
    const size_t kterou = VyberList(archiv.Nazev(), Listy(x.obsah), list);
    const std::string nazevListu = x.obsah.listy[kterou].list.Nazev;
    const auto vztah = vztahy.podleId.find(x.obsah.listy[kterou].id);
    if (vztah == vztahy.podleId.end())
        ChybaSesitu(archiv.Nazev(), "je poškozený sešit (list „" + nazevListu + "“ chybí)");

    tStyly styly(archiv.Nazev());
    if (const std::string s = vztahy.Typu("/styles"); !s.empty())
        Rozeber(archiv.Cast(Cesta(slozka, s), false), styly);
    tTexty texty(archiv.Nazev());
    if (const std::string s = vztahy.Typu("/sharedStrings"); !s.empty())
        Rozeber(archiv.Cast(Cesta(slozka, s), false), texty);
    tListXml sheet(archiv.Nazev(), cil, styly, texty.retezce,
                   x.obsah.od1904 ? tSystemDat::Od1904 : tSystemDat::Od1900, nazevListu);
    Rozeber(archiv.Cast(Cesta(slozka, vztah->second.second)), sheet);
    druh.Popis = archiv.Nazev() + ": sešit .xlsx, list „" + nazevListu + "“ (" +
                 (list.empty() ? "první viditelný" : "volba --sheet") + ")";
}

// ---- .ods ----

struct tObsahOds : tZakladSax {
    tObsahOds(const std::string& n, tRadkySesitu* cil, std::string_view list)
        : tZakladSax(n), cil(cil), list(list) {}
    tRadkySesitu* cil; // none: only the sheets are listed
    std::string list;
    std::vector<tListSesitu> listy;
    std::set<std::string> skryteStyly;
    std::string styl; // the table style being read
    bool vybrano = false, vCili = false;
    int hloubkaTabulky = 0, vPoznamce = 0, odstavcu = 0;
    bool vOdstavci = false;
    uint32_t radek = 0, sloupec = 0, opakovaniRadku = 1, opakovaniBunky = 1;
    std::vector<std::pair<uint32_t, std::string>> bunkyRadku;
    std::string text;
    std::string nazevVybraneho;

    bool Vybrat(const tListSesitu& l, size_t cislo) const {
        if (list.empty())
            return l.Viditelny;
        if (l.Nazev == list)
            return true;
        return JeCislo(list) && list.size() < 6 && static_cast<size_t>(Cislo(list, 0)) == cislo;
    }

    void start_element(const orcus::sax::parser_element& e) {
        const std::string_view n = e.name;
        if (vPoznamce > 0) {
            vPoznamce += n == "annotation";
        } else if (n == "style") {
            styl = Atribut("family") == "table" ? std::string(Atribut("name")) : "";
        } else if (n == "table-properties") {
            if (!styl.empty() && Atribut("display") == "false")
                skryteStyly.insert(styl);
        } else if (n == "table") {
            if (++hloubkaTabulky == 1) {
                listy.push_back({std::string(Atribut("name")),
                                 !skryteStyly.count(std::string(Atribut("style-name")))});
                vCili = cil && !vybrano && Vybrat(listy.back(), listy.size());
                if (vCili) {
                    vybrano = true;
                    nazevVybraneho = listy.back().Nazev;
                    radek = 0;
                }
            }
        } else if (vCili && hloubkaTabulky == 1) {
            if (n == "table-row") {
                opakovaniRadku = static_cast<uint32_t>(std::clamp<long long>(
                    Cislo(Atribut("number-rows-repeated"), 1), 1, NejvicRadku));
                sloupec = 0;
                bunkyRadku.clear();
            } else if (n == "table-cell" || n == "covered-table-cell") {
                opakovaniBunky = static_cast<uint32_t>(std::clamp<long long>(
                    Cislo(Atribut("number-columns-repeated"), 1), 1, NejvicSloupcu));
                text.clear();
                odstavcu = 0;
            } else if (n == "annotation") {
                vPoznamce = 1;
            } else if (n == "p" || n == "h") {
                if (odstavcu++ > 0)
                    text += '\n';
                vOdstavci = true;
            } else if (vOdstavci && n == "s") {
                text.append(
                    static_cast<size_t>(std::clamp<long long>(Cislo(Atribut("c"), 1), 1, 1000)),
                    ' ');
            } else if (vOdstavci && n == "tab") {
                text += '\t';
            } else if (vOdstavci && n == "line-break") {
                text += '\n';
            }
        }
        atributy.clear();
    }
    void characters(std::string_view t, bool) {
        if (vCili && vOdstavci && vPoznamce == 0)
            text += t;
    }
    void end_element(const orcus::sax::parser_element& e) {
        const std::string_view n = e.name;
        if (vPoznamce > 0) {
            vPoznamce -= n == "annotation";
            return;
        }
        if (n == "table") {
            if (--hloubkaTabulky == 0)
                vCili = false;
            return;
        }
        if (!vCili || hloubkaTabulky != 1)
            return;
        if (n == "p" || n == "h") {
            vOdstavci = false;
        } else if (n == "table-cell" || n == "covered-table-cell") {
            if (!text.empty())
                for (uint32_t i = 0; i < opakovaniBunky && sloupec + i < NejvicSloupcu; ++i)
                    bunkyRadku.emplace_back(sloupec + i, text);
            sloupec += opakovaniBunky;
        } else if (n == "table-row") {
            for (uint32_t r = 0; !bunkyRadku.empty() && r < opakovaniRadku; ++r) {
                if (radek + r >= NejvicRadku)
                    ChybaSesitu(nazev, "má příliš mnoho řádků");
                for (const auto& [c, t] : bunkyRadku)
                    cil->Pridej(radek + r, c, t);
            }
            radek += opakovaniRadku;
        }
    }
};

enum class tDruhSesitu { Xlsx, Ods };

tDruhSesitu DruhSesitu(const tArchivSesitu& archiv) {
    if (archiv.Obsahuje("content.xml")) {
        const std::vector<unsigned char> manifest = archiv.Cast("META-INF/manifest.xml", false);
        if (std::string_view(reinterpret_cast<const char*>(manifest.data()), manifest.size())
                .find("encryption-data") != std::string_view::npos)
            ChybaSesitu(archiv.Nazev(), "je sešit chráněný heslem; uložte jej bez hesla");
        const std::vector<unsigned char> typ = archiv.Cast("mimetype", false);
        const std::string_view t(reinterpret_cast<const char*>(typ.data()), typ.size());
        if (!t.empty() && t != "application/vnd.oasis.opendocument.spreadsheet")
            ChybaSesitu(archiv.Nazev(), "není sešit .xlsx ani .ods");
        return tDruhSesitu::Ods;
    }
    if (archiv.Obsahuje("_rels/.rels") || archiv.Obsahuje("xl/workbook.xml")) {
        if (archiv.Obsahuje("EncryptedPackage"))
            ChybaSesitu(archiv.Nazev(), "je sešit chráněný heslem; uložte jej bez hesla");
        return tDruhSesitu::Xlsx;
    }
    ChybaSesitu(archiv.Nazev(), "není sešit .xlsx ani .ods");
}

} // namespace

tRadkySesitu::tRadkySesitu(int fd, std::string nazev, std::string_view list)
    : nazev_(std::move(nazev)) {
    const tArchivSesitu archiv(fd, nazev_);
    if (DruhSesitu(archiv) == tDruhSesitu::Xlsx) {
        CtiXlsx(archiv, list, *this, druh_);
    } else {
        tObsahOds obsah(nazev_, this, list);
        Rozeber(archiv.Cast("content.xml"), obsah);
        if (!obsah.vybrano)
            VyberList(nazev_, obsah.listy, list); // raises: which sheet is missing
        druh_.Popis = nazev_ + ": sešit .ods, list „" + obsah.nazevVybraneho + "“ (" +
                      (list.empty() ? "první viditelný" : "volba --sheet") + ")";
    }
    if (upozorneni_ > NejvicUpozorneni)
        druh_.Upozorneni.push_back("Upozornění: a " +
                                   std::to_string(upozorneni_ - NejvicUpozorneni) +
                                   " dalších buněk v obecném formátu");
    precteno_ = archiv.Velikost();
    Uzavri();
}

void tRadkySesitu::Pridej(uint32_t radek, uint32_t sloupec, std::string_view textUtf8) {
    const size_t od = text_.size();
    druh_.Nepresnych += PridejZUtf8(text_, textUtf8);
    // A cell's line breaks and TABs would split its row or its cells, as in a CSV field.
    std::replace_if(
        text_.begin() + static_cast<std::ptrdiff_t>(od), text_.end(),
        [](char c) { return c == '\r' || c == '\n' || c == '\t' || c == '\0'; }, ' ');
    if (text_.size() > NejvicTextuSesitu)
        ChybaSesitu(nazev_, "je po rozbalení příliš velký: text buněk listu má přes " +
                                std::to_string(NejvicTextuSesitu >> 20) + " MiB");
    bunky_.push_back(
        {radek, sloupec, static_cast<uint32_t>(od), static_cast<uint32_t>(text_.size() - od)});
}

void tRadkySesitu::Upozorni(std::string_view textUtf8) {
    if (++upozorneni_ <= NejvicUpozorneni)
        druh_.Upozorneni.push_back("Upozornění: " + std::string(textUtf8));
}

void tRadkySesitu::Uzavri() {
    const auto poradi = [](const tBunka& a, const tBunka& b) {
        return a.radek != b.radek ? a.radek < b.radek : a.sloupec < b.sloupec;
    };
    if (!std::is_sorted(bunky_.begin(), bunky_.end(), poradi))
        std::stable_sort(bunky_.begin(), bunky_.end(), poradi);
    const uint32_t radku = bunky_.empty() ? 0 : bunky_.back().radek + 1;
    radky_.assign(radku + 1, bunky_.size());
    for (size_t i = bunky_.size(); i-- > 0;)
        radky_[bunky_[i].radek] = i;
    for (size_t r = radku; r-- > 0;) // a row without cells starts where the next one does
        radky_[r] = std::min(radky_[r], radky_[r + 1]);
}

bool tRadkySesitu::Dalsi() {
    if (radek_ + 1 >= static_cast<int>(radky_.size()))
        return false;
    ++radek_;
    return true;
}

std::string_view tRadkySesitu::Bunka(int sloupec) const {
    if (sloupec == 0) {
        cislo_ = CisloNaText(radek_);
        return cislo_;
    }
    if (sloupec < 0 || radek_ < 1 || radek_ >= static_cast<int>(radky_.size()))
        return {};
    const auto r = static_cast<size_t>(radek_ - 1);
    for (size_t i = radky_[r]; i < radky_[r + 1]; ++i)
        if (bunky_[i].sloupec + 1 == static_cast<uint32_t>(sloupec))
            return std::string_view(text_).substr(bunky_[i].od, bunky_[i].delka);
    return {};
}

void tRadkySesitu::Bunky(std::vector<std::string_view>& cil, size_t kolik) const {
    cil.clear();
    if (kolik == 0 || radek_ < 1)
        return;
    cislo_ = CisloNaText(radek_);
    cil.push_back(cislo_);
    const auto r = static_cast<size_t>(radek_ - 1);
    for (size_t i = radky_[r]; i < radky_[r + 1]; ++i) {
        const size_t sloupec = bunky_[i].sloupec + size_t{1};
        if (sloupec >= kolik)
            break;
        cil.resize(sloupec);
        cil.push_back(std::string_view(text_).substr(bunky_[i].od, bunky_[i].delka));
    }
}

std::vector<tListSesitu> ListySesitu(int fd, const std::string& nazev) {
    const tArchivSesitu archiv(fd, nazev);
    if (DruhSesitu(archiv) == tDruhSesitu::Xlsx)
        return Listy(SesitXlsx(archiv).obsah);
    tObsahOds obsah(nazev, nullptr, "");
    Rozeber(archiv.Cast("content.xml"), obsah);
    return obsah.listy;
}
