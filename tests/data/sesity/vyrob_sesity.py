#!/usr/bin/env python3
"""Makes the spreadsheet test files in this folder again.

formaty.xlsx and formaty1904.xlsx hold one number format per row (the code, the value
shown by it, the value as text) written as a current Excel writes a workbook; excel.xlsx
has shared and inline strings, styles, a hidden sheet, merged cells and a formula.
LibreOffice then saves each of them as .ods and .xlsx of its own and exports what it
shows ("as shown" CSV, TAB between cells, UTF-8) as the expected text: the tests compare
the program against those files and never run LibreOffice. The hostile files are made
here alone.

Needs soffice (libreoffice-calc-nogui) for the LibreOffice files; --jen-nebezpecne makes
only the hostile ones.
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zipfile
import zlib
from xml.sax.saxutils import escape

ZDE = os.path.dirname(os.path.abspath(__file__))

# (format code, value): the number formats the renderer is checked against.
FORMATY = [
    ("General", 15.5), ("General", 0), ("General", -3), ("General", 1234567.891),
    ("General", 0.1), ("General", 1e-7), ("General", 123456789012), ("General", 1e20),
    ("General", 1 / 3), ("General", 2 / 3 * 1000), ("General", -0.000123),
    ("0", 7.5), ("0", -0.4), ("0.00", 15.5), ("0.00", -1.005), ("0.000", 2.0005),
    ("#,##0", 1234567.4), ("#,##0.00", 1234567.891), ("#,##0.00", -999.999), ("#,##0.00", 12),
    ("000", 7), ("00000", 123), ("0.0", 0.05), ("#.##", 3.5), ("#", 0),
    ('#,##0.00 "Kč"', 15.5), ('#,##0.00\\ "Kč"', 1234.5), ("#,##0.00 [$Kč-405]", 15.5),
    ("#,##0 [$Kč-405];-#,##0 [$Kč-405]", -1500), ('"Cena: "0.00', 9.9), ('0" ks"', 12),
    ("0%", 0.155), ("0.00%", 0.12345), ("0.0%", -0.5),
    ("0.00E+00", 12345.678), ("0.00E+00", 0.000123), ("##0.0E+0", 12345.678),
    ("# ?/?", 0.75), ("# ?/?", 3.5), ("# ??/??", 3.14159), ("?/?", 0.2), ("# ?/4", 2.3),
    ("d.m.yyyy", 46380), ("d.m.yyyy", 1), ("d.m.yyyy", 60), ("d.m.yyyy", 61),
    ("dd.mm.yyyy", 46380.75), ("d.m.yyyy h:mm", 46380.5), ("h:mm", 0.75), ("h:mm", 0.999999),
    ("hh:mm:ss", 0.5123), ("h:mm:ss", 1.25), ("[h]:mm", 1.25), ("[h]:mm:ss", 2.0001),
    ("mm:ss", 0.0123), ("yyyy-mm-dd", 45000), ("d. m. yy", 45000), ("dd.mm.yy hh:mm", 45000.1),
    ("@", 15.5), ('0;-0;"nula"', 0), ('0;-0;"nula"', -5), ('0;-0;"nula"', 5),
    ("#,##0.00;[Red]-#,##0.00", -1234.5), ("[Blue]0.0;[Red]-0.0", 3.25), ("0.00;(0.00)", -2.5),
    ('[>=100]"velké";[<0]"záporné";0', 150), ('[>=100]"velké";[<0]"záporné";0', -1),
    ('[>=100]"velké";[<0]"záporné";0', 50), ("0.00_);(0.00)", 4), ("0.00 ;-0.00 ", -4),
    ("#,##0;-#,##0;-", 0), ("d. mmmm yyyy", 46380), ("mmmm yyyy", 46380), ("d. mmm", 46380),
    ("mmm yy", 45000), ("dddd", 46380), ("ddd d.m.", 46380), ("mmmmm", 46380),
    ("h:mm AM/PM", 0.75), ("h:mm:ss A/P", 0.25), ("d.m.yyyy h:mm:ss.00", 46380.123456),
    ("General", 1e-10), ("General", 1.5e-5), ("General", 1e15), ("General", 1e14),
    ("General", 123456789012345678), ("General", 99999999999999.9), ("General", -1e-5),
    ("General", 0.000012345678901234), ("General", 12345.6789012345678), ("General", 1e100),
    ("General", 5e-324), ("0", 1e16), ("0.00", 123456789.125), ("#,##0", -0.4),
    ('0.00 "Kč";-0.00 "Kč"', -0.001), ("0,000", 1234567), ("0.0,,", 1234567), ("#,##0,", 1234567),
    ("[$-405]d. mmmm yyyy", 46380), ("[h]:mm", -0.5), ("yy", 46380), ("General", -0.0),
]
# Built-in formats by their number, with no code in the file.
VESTAVENE = [(1, 7.5), (2, 15.5), (3, 1234567), (4, 1234567.891), (9, 0.155), (10, 0.12345),
             (11, 12345.678), (12, 0.75), (13, 3.14159), (14, 46380), (20, 0.75), (21, 0.5123),
             (22, 46380.5), (37, -1234), (38, -1234), (39, 1234.5), (40, -1234.5), (45, 0.0123),
             (46, 1.25), (47, 0.0123), (48, 12345.678), (49, 12), (15, 46380), (16, 46380),
             (17, 46380), (18, 0.75), (19, 0.75), (0, 15.5)]
FORMATY_1904 = [("d.m.yyyy", 0), ("d.m.yyyy", 46380), ("d.m.yyyy h:mm", 1000.25), ("h:mm", 0.75)]

def sloupec(c):
    s = ""
    c += 1
    while c:
        c, z = divmod(c - 1, 26)
        s = chr(65 + z) + s
    return s

def xlsx(cesta, listy, datum1904=False):
    """listy: (name, state, rows, merges); a row is a list of cells or None:
    ("s", text) shared, ("is", text) inline, ("n", value, code or id), ("f", formula, value, code),
    ("fs", formula, text), ("b", value)."""
    kody, xf = {}, [0]
    sdilene, indexy = [], {}

    def styl(kod):
        if isinstance(kod, int):
            cislo = kod
        elif kod == "General":
            cislo = 0
        else:
            cislo = kody.setdefault(kod, 164 + len(kody))
        if cislo not in xf:
            xf.append(cislo)
        return xf.index(cislo)

    def ss(text):
        if text not in indexy:
            indexy[text] = len(sdilene)
            sdilene.append(text)
        return indexy[text]

    soubory = {}
    for n, (nazev, stav, radky, slouceni) in enumerate(listy, 1):
        x = ['<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheetData>']
        for r, radek in enumerate(radky, 1):
            if radek is None:
                continue
            x.append(f'<row r="{r}">')
            for c, b in enumerate(radek):
                if b is None:
                    continue
                ref = f"{sloupec(c)}{r}"
                druh = b[0]
                if druh == "s":
                    x.append(f'<c r="{ref}" t="s"><v>{ss(b[1])}</v></c>')
                elif druh == "is":
                    x.append(f'<c r="{ref}" t="inlineStr"><is><t>{escape(b[1])}</t></is></c>')
                elif druh == "n":
                    x.append(f'<c r="{ref}" s="{styl(b[2])}"><v>{b[1]!r}</v></c>')
                elif druh == "f":
                    x.append(f'<c r="{ref}" s="{styl(b[3])}"><f>{escape(b[1])}</f><v>{b[2]!r}</v></c>')
                elif druh == "fs":
                    x.append(f'<c r="{ref}" t="str"><f>{escape(b[1])}</f><v>{escape(b[2])}</v></c>')
                elif druh == "b":
                    x.append(f'<c r="{ref}" t="b"><v>{int(b[1])}</v></c>')
            x.append("</row>")
        x.append("</sheetData>")
        if slouceni:
            x.append(f'<mergeCells count="{len(slouceni)}">' +
                     "".join(f'<mergeCell ref="{m}"/>' for m in slouceni) + "</mergeCells>")
        x.append("</worksheet>")
        soubory[f"xl/worksheets/sheet{n}.xml"] = "".join(x)

    soubory["xl/sharedStrings.xml"] = (
        '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" '
        f'count="{len(sdilene)}" uniqueCount="{len(sdilene)}">' +
        "".join(f'<si><t xml:space="preserve">{escape(t)}</t></si>' for t in sdilene) + "</sst>")
    formaty = "".join('<numFmt numFmtId="%d" formatCode="%s"/>' % (i, escape(k, {chr(34): "&quot;"}))
                      for k, i in kody.items())
    soubory["xl/styles.xml"] = (
        '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">'
        f'<numFmts count="{len(kody)}">{formaty}</numFmts>'
        '<fonts count="1"><font><sz val="11"/><name val="Calibri"/></font></fonts>'
        '<fills count="2"><fill><patternFill patternType="none"/></fill><fill><patternFill patternType="gray125"/></fill></fills>'
        '<borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders>'
        '<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>'
        f'<cellXfs count="{len(xf)}">' +
        "".join(f'<xf numFmtId="{i}" fontId="0" fillId="0" borderId="0" xfId="0"' +
                ('/>' if i == 0 else ' applyNumberFormat="1"/>') for i in xf) +
        '</cellXfs><cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles></styleSheet>')
    # The first visible sheet is the active one, as a spreadsheet keeps it.
    aktivni = next(n for n, l in enumerate(listy) if l[1] == "visible")
    listy_xml = "".join(
        f'<sheet name="{escape(nazev)}" sheetId="{n}"' + ("" if stav == "visible" else f' state="{stav}"') + f' r:id="rId{n}"/>'
        for n, (nazev, stav, _, _) in enumerate(listy, 1))
    soubory["xl/workbook.xml"] = (
        '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">'
        "<workbookPr" + (' date1904="1"' if datum1904 else "") + ' defaultThemeVersion="166925"/>'
        f'<bookViews><workbookView activeTab="{aktivni}"/></bookViews><sheets>{listy_xml}</sheets></workbook>')
    vztahy = "".join(
        f'<Relationship Id="rId{n}" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet{n}.xml"/>'
        for n in range(1, len(listy) + 1))
    k = len(listy)
    soubory["xl/_rels/workbook.xml.rels"] = (
        '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
        + vztahy +
        f'<Relationship Id="rId{k + 1}" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>'
        f'<Relationship Id="rId{k + 2}" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/>'
        "</Relationships>")
    soubory["_rels/.rels"] = (
        '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
        '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>')
    prepsani = "".join(
        f'<Override PartName="/xl/worksheets/sheet{n}.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>'
        for n in range(1, len(listy) + 1))
    soubory["[Content_Types].xml"] = (
        '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
        '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
        '<Default Extension="xml" ContentType="application/xml"/>'
        '<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>'
        + prepsani +
        '<Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>'
        '<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>'
        "</Types>")
    zapis_zip(cesta, soubory)

def zapis_zip(cesta, soubory):
    with zipfile.ZipFile(cesta, "w", zipfile.ZIP_DEFLATED) as z:
        for jmeno in sorted(soubory, key=lambda j: (j != "[Content_Types].xml", j)):
            info = zipfile.ZipInfo(jmeno, (2026, 1, 1, 0, 0, 0))
            info.compress_type = zipfile.ZIP_DEFLATED
            z.writestr(info, soubory[jmeno])

def tabulka_formatu(formaty, vestavene):
    radky = [[("s", "formát"), ("s", "zobrazeno"), ("s", "hodnota")]]
    for kod, hodnota in formaty:
        radky.append([("s", kod), ("n", float(hodnota), kod), ("s", repr(float(hodnota)))])
    for cislo, hodnota in vestavene:
        radky.append([("s", f"#{cislo}"), ("n", float(hodnota), cislo), ("s", repr(float(hodnota)))])
    return radky

def excel(cesta):
    prvni = [
        [("s", "Zboží"), ("s", "Cena"), ("s", "Kód"), ("s", "Poznámka")],
        [("s", "Rohlík"), ("n", 2.5, '#,##0.00 "Kč"'), ("s", "007"), ("is", "čerstvý")],
        [("is", "Chléb „Šumava“"), ("n", 42.9, '#,##0.00 "Kč"'), ("n", 7, "000"), None],
        [("s", "Mléko"), ("f", "B2+B3", 45.4, '#,##0.00 "Kč"'), ("fs", "C2&\"-x\"", "007-x"),
         ("b", True)],
        [("s", "Sloučeno"), None, None, ("n", 46380, "d.m.yyyy")],
        None,
        [None, ("n", 1234567.891, "#,##0.00"), None, None],
    ]
    skryty = [[("s", "skrytý list")]]
    druhy = [[("s", "druhý"), ("n", 0.155, "0.0%")]]
    xlsx(cesta, [("Skrytý", "hidden", skryty, []), ("Ceník", "visible", prvni, ["A5:C5"]),
                 ("Druhý", "visible", druhy, [])])

def soffice(profil, filtr, soubor, cil):
    os.makedirs(cil, exist_ok=True)
    subprocess.run(["soffice", f"-env:UserInstallation=file://{profil}", "--headless",
                    "--convert-to", filtr, "--outdir", cil, soubor],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   env=dict(os.environ, LC_ALL="C.UTF-8"))
    vysledky = os.listdir(cil)
    assert len(vysledky) == 1, vysledky
    return os.path.join(cil, vysledky[0])

# LibreOffice in Czech, whatever the machine's own locale.
NASTAVENI_LO = """<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Setup/L10N"><prop oor:name="ooSetupSystemLocale" oor:op="fuse"><value>cs-CZ</value></prop></item>
<item oor:path="/org.openoffice.Setup/L10N"><prop oor:name="ooLocale" oor:op="fuse"><value>cs-CZ</value></prop></item>
</oor:items>
"""

def libreoffice():
    # As shown, TAB between cells, UTF-8; the last token is the sheet (from 1, hidden ones too).
    csv = "csv:Text - txt - csv (StarCalc):9,34,76,1,,1029,false,true,true,false,false,{}"
    with tempfile.TemporaryDirectory() as docasny:
        profil = os.path.join(docasny, "profil")
        os.makedirs(os.path.join(profil, "user"))
        with open(os.path.join(profil, "user", "registrymodifications.xcu"), "w") as f:
            f.write(NASTAVENI_LO)
        for zaklad, listy in (("formaty", [1]), ("formaty1904", [1]), ("excel", [2, 3])):
            zdroj = os.path.join(ZDE, zaklad + ".xlsx")
            for n in listy:
                vysledek = soffice(profil, csv.format(n), zdroj, os.path.join(docasny, f"{zaklad}{n}"))
                jmeno = zaklad + (f".list{n}" if len(listy) > 1 else "") + ".csv"
                shutil.copy(vysledek, os.path.join(ZDE, jmeno))
            ods = soffice(profil, "ods", zdroj, os.path.join(docasny, zaklad + "ods"))
            shutil.copy(ods, os.path.join(ZDE, zaklad + "_lo.ods"))
            lo = soffice(profil, "xlsx:Calc MS Excel 2007 XML", ods, os.path.join(docasny, zaklad + "lo"))
            shutil.copy(lo, os.path.join(ZDE, zaklad + "_lo.xlsx"))

def ole(cesta, proud):
    # A compound file header and one directory sector naming the stream: enough for the
    # signature and the stream's name.
    hlavicka = bytes.fromhex("D0CF11E0A1B11AE1") + bytes(16) + struct.pack("<HHHH", 0x3E, 3, 0xFFFE, 9)
    hlavicka += bytes(512 - len(hlavicka))
    jmeno = proud.encode("utf-16-le") + b"\0\0"
    zaznam = jmeno + bytes(64 - len(jmeno)) + struct.pack("<H", len(jmeno)) + bytes([2, 1])
    zaznam += bytes(128 - len(zaznam))
    with open(cesta, "wb") as f:
        f.write(hlavicka + zaznam * 4)

def nebezpecne():
    cil = os.path.join(ZDE, "nebezpecne")
    os.makedirs(cil, exist_ok=True)
    zaklad = os.path.join(cil, "zaklad.xlsx")
    xlsx(zaklad, [("List1", "visible", [[("s", "a")]], [])])
    with zipfile.ZipFile(zaklad) as z:
        soubory = {n: z.read(n).decode() for n in z.namelist()}
    os.remove(zaklad)
    list1 = "xl/worksheets/sheet1.xml"
    # A sheet that unpacks to 2 GiB of spaces: declared honestly in the archive.
    hlava = soubory[list1][: soubory[list1].index("<sheetData>")]
    komprese = zlib.compressobj(9, zlib.DEFLATED, -15)
    kusy = [komprese.compress(hlava.encode())]
    mezery = b" " * (1 << 24)
    for _ in range(128):
        kusy.append(komprese.compress(mezery))
    kusy.append(komprese.flush())
    data = b"".join(kusy)
    velikost = len(hlava) + 128 * len(mezery)
    crc = zlib.crc32(hlava.encode())
    for _ in range(128):
        crc = zlib.crc32(mezery, crc)
    zip_se_surovym(os.path.join(cil, "bomba.xlsx"), soubory, list1, data, velikost, crc)
    # The same stream claiming to unpack to 2 kB.
    zip_se_surovym(os.path.join(cil, "lzive_velikosti.xlsx"), soubory, list1, data, 2000, crc)
    smich = dict(soubory)
    smich[list1] = ('<?xml version="1.0"?>\n<!DOCTYPE lolz [<!ENTITY lol "lol">'
                    + "".join(f'<!ENTITY lol{i} "{("&lol" + (str(i - 1) if i > 1 else "") + ";") * 10}">'
                              for i in range(1, 10))
                    + ']>' + soubory[list1].split("\n", 1)[1].replace(
                        "<v>0</v>", "<v>0</v></c><c r=\"B1\" t=\"inlineStr\"><is><t>&lol9;</t></is>"))
    zapis_zip(os.path.join(cil, "miliarda_smichu.xlsx"), smich)
    externi = dict(soubory)
    externi["xl/sharedStrings.xml"] = ('<?xml version="1.0"?>\n<!DOCTYPE sst [<!ENTITY x SYSTEM "file:///etc/passwd">]>'
                                       + soubory["xl/sharedStrings.xml"].split("\n", 1)[1].replace(">a<", ">&x;<"))
    zapis_zip(os.path.join(cil, "externi_entita.xlsx"), externi)
    with open(os.path.join(ZDE, "formaty.xlsx"), "rb") as f:
        cely = f.read()
    with open(os.path.join(cil, "useknuty.xlsx"), "wb") as f:
        f.write(cely[: len(cely) // 2])
    ole(os.path.join(cil, "stary.xlsx"), "Workbook")
    ole(os.path.join(cil, "zasifrovany.xlsx"), "EncryptedPackage")
    with open(os.path.join(cil, "neni_sesit.xlsx"), "wb") as f:
        f.write(b"Toto je jen text\tnikoli sesit\n")
    zapis_zip(os.path.join(cil, "jiny_zip.xlsx"), {"readme.txt": "nic"})
    ods = {"mimetype": "application/vnd.oasis.opendocument.spreadsheet",
           "META-INF/manifest.xml": '<?xml version="1.0"?><manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0"><manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"><manifest:encryption-data manifest:checksum-type="SHA1/1K" manifest:checksum="AAAA"/></manifest:file-entry></manifest:manifest>',
           "content.xml": "\x8b\x02\x99 zašifrováno"}
    zapis_zip(os.path.join(cil, "zasifrovany.ods"), ods)

def zip_se_surovym(cesta, soubory, jmeno, data, velikost, crc):
    """A zip whose entry jmeno holds the deflated data as given, declaring velikost."""
    with zipfile.ZipFile(cesta, "w", zipfile.ZIP_DEFLATED) as z:
        for n, obsah in soubory.items():
            if n != jmeno:
                z.writestr(zipfile.ZipInfo(n, (2026, 1, 1, 0, 0, 0)), obsah, zipfile.ZIP_DEFLATED)
    with open(cesta, "rb") as f:
        puvodni = f.read()
    konec = puvodni.rindex(b"PK\x05\x06")
    pocet, delka_adr, kde_adr = struct.unpack("<HII", puvodni[konec + 10: konec + 20])
    lokalni = (struct.pack("<IHHHHHIIIHH", 0x04034B50, 20, 0, 8, 0, 0, crc, len(data), velikost,
                           len(jmeno), 0) + jmeno.encode() + data)
    adresar = puvodni[kde_adr: kde_adr + delka_adr]
    adresar += struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, 20, 20, 0, 8, 0, 0, crc, len(data),
                           velikost, len(jmeno), 0, 0, 0, 0, 0, kde_adr) + jmeno.encode()
    telo = puvodni[:kde_adr] + lokalni
    with open(cesta, "wb") as f:
        f.write(telo + adresar + struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, pocet + 1, pocet + 1,
                                             len(adresar), len(telo), 0))

def main():
    xlsx(os.path.join(ZDE, "formaty.xlsx"), [("Formáty", "visible", tabulka_formatu(FORMATY, VESTAVENE), [])])
    xlsx(os.path.join(ZDE, "formaty1904.xlsx"),
         [("Formáty", "visible", tabulka_formatu(FORMATY_1904, []), [])], datum1904=True)
    excel(os.path.join(ZDE, "excel.xlsx"))
    # A format the program cannot render, in twelve cells: General, and ten warning lines.
    xlsx(os.path.join(ZDE, "nelze.xlsx"),
         [("List1", "visible", [[("s", "x"), ("n", 15.5, "[DBNum1]0")]] * 12, [])])
    # For the watched folder: counts as numbers, the printed numbers as shared strings.
    xlsx(os.path.join(ZDE, "hlidac.xlsx"),
         [("Tisk", "visible", [[("n", 1.0, "0"), ("s", "S0201")], [("n", 2.0, "0"), ("s", "S0202")]], [])])
    if "--jen-nebezpecne" not in sys.argv:
        libreoffice()
    nebezpecne()

main()
