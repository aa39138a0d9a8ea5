#!/bin/sh
# Writes the spreadsheet exports of tests/data/csv/ as a spreadsheet program saves them: one
# small table (Czech letters, decimal numbers, a separator, a quote and a line break in
# cells) in UTF-8 and Windows-1250, with ";" and ",".
#
# The files are committed; run this again only to change them (it needs soffice from the
# package libreoffice-calc-nogui). tests/behy/test_Tabulka.cpp lists what each must read as.
set -eu
cil=$(cd "$(dirname "$0")" && pwd)/csv
prace=$(mktemp -d)
trap 'rm -rf "$prace"' EXIT

cat >"$prace/tabulka.fods" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
  xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
  xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
  xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
  xmlns:number="urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0"
  office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
 <office:automatic-styles>
  <number:number-style style:name="N1" number:language="cs" number:country="CZ">
   <number:number number:decimal-places="2" number:min-decimal-places="2"
     number:min-integer-digits="1" number:grouping="true"/>
  </number:number-style>
  <style:style style:name="ce1" style:family="table-cell" style:data-style-name="N1"/>
 </office:automatic-styles>
 <office:body>
  <office:spreadsheet>
   <table:table table:name="Zbozi">
    <table:table-row>
     <table:table-cell office:value-type="string"><text:p>Název</text:p></table:table-cell>
     <table:table-cell office:value-type="string"><text:p>Cena</text:p></table:table-cell>
     <table:table-cell office:value-type="string"><text:p>Poznámka</text:p></table:table-cell>
    </table:table-row>
    <table:table-row>
     <table:table-cell office:value-type="string"><text:p>Žluťoučký kůň</text:p></table:table-cell>
     <table:table-cell table:style-name="ce1" office:value-type="float" office:value="1.5"><text:p>1,50</text:p></table:table-cell>
     <table:table-cell office:value-type="string"><text:p>a; b, c</text:p></table:table-cell>
    </table:table-row>
    <table:table-row>
     <table:table-cell office:value-type="string"><text:p>Monitor 24"</text:p></table:table-cell>
     <table:table-cell table:style-name="ce1" office:value-type="float" office:value="1234"><text:p>1 234,00</text:p></table:table-cell>
     <table:table-cell/>
    </table:table-row>
    <table:table-row>
     <table:table-cell office:value-type="string"><text:p>Hruška</text:p></table:table-cell>
     <table:table-cell table:style-name="ce1" office:value-type="float" office:value="2.25"><text:p>2,25</text:p></table:table-cell>
     <table:table-cell office:value-type="string"><text:p>dva</text:p><text:p>řádky</text:p></table:table-cell>
    </table:table-row>
   </table:table>
  </office:spreadsheet>
 </office:body>
</office:document>
XML

# Filter options: separator, text delimiter ("), character set (76 UTF-8, 33 Windows-1250),
# first line 1.
for varianta in "strednik-utf8 59 76" "carka-utf8 44 76" "strednik-cp1250 59 33" "carka-cp1250 44 33"; do
    set -- $varianta
    soffice --headless -env:UserInstallation="file://$prace/profil" \
        --convert-to "csv:Text - txt - csv (StarCalc):$2,34,$3,1" --outdir "$prace" \
        "$prace/tabulka.fods" >/dev/null
    mv "$prace/tabulka.csv" "$cil/$1.csv"
done
