// oblepky-tisk with a 100,000-row .xlsx against what a user would do without it: the
// spreadsheet's "soffice --headless --convert-to csv" of the same file, then oblepky-tisk of
// the CSV. Both write the job with -o, so the print server's share is left out alike. Also
// the batch printer's peak memory (ru_maxrss) against the sheet's unpacked XML.
//
//   build-dir/bench/bench_sesit [ROWS]
//
// The chain is skipped when soffice is not installed.
#include "bench/Davka.h"
#include "tests/podpora/DocasnyAdresar.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <zlib.h>

namespace fs = std::filesystem;

namespace {

// A zip archive of deflated parts, as a spreadsheet writes one.
class tZip {
public:
    void Pridej(const std::string& jmeno, const std::string& data) {
        z_stream z{};
        deflateInit2(&z, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
        std::string zabaleno(deflateBound(&z, data.size()), '\0');
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
        z.avail_in = static_cast<uInt>(data.size());
        z.next_out = reinterpret_cast<Bytef*>(zabaleno.data());
        z.avail_out = static_cast<uInt>(zabaleno.size());
        deflate(&z, Z_FINISH);
        zabaleno.resize(z.total_out);
        deflateEnd(&z);
        const auto crc = static_cast<uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
        const auto od = static_cast<uint32_t>(telo_.size());
        const auto hlavicka = [&](bool centralni) {
            std::string h;
            Cislo(h, centralni ? 0x02014B50 : 0x04034B50, 4);
            if (centralni)
                Cislo(h, 20, 2);
            for (uint32_t v : {20U, 0U, 8U, 0U, 0U})
                Cislo(h, v, 2);
            Cislo(h, crc, 4);
            Cislo(h, static_cast<uint32_t>(zabaleno.size()), 4);
            Cislo(h, static_cast<uint32_t>(data.size()), 4);
            Cislo(h, static_cast<uint32_t>(jmeno.size()), 2);
            Cislo(h, 0, 2);
            if (centralni) {
                for (int i = 0; i < 3; ++i)
                    Cislo(h, 0, 2);
                Cislo(h, 0, 4);
                Cislo(h, od, 4);
            }
            return h + jmeno;
        };
        telo_ += hlavicka(false) + zabaleno;
        adresar_ += hlavicka(true);
        ++pocet_;
    }
    void Zapis(const fs::path& cesta) const {
        std::string konec;
        Cislo(konec, 0x06054B50, 4);
        Cislo(konec, 0, 4);
        Cislo(konec, pocet_, 2);
        Cislo(konec, pocet_, 2);
        Cislo(konec, static_cast<uint32_t>(adresar_.size()), 4);
        Cislo(konec, static_cast<uint32_t>(telo_.size()), 4);
        Cislo(konec, 0, 2);
        std::ofstream(cesta, std::ios::binary) << telo_ << adresar_ << konec;
    }

private:
    static void Cislo(std::string& s, uint32_t v, int bajtu) {
        for (int i = 0; i < bajtu; ++i)
            s += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
    std::string telo_, adresar_;
    uint32_t pocet_ = 0;
};

// A price list: the count, the goods (shared strings), the price in crowns, a date.
size_t VyrobSesit(const fs::path& cesta, int radku) {
    const std::string ns = "http://schemas.openxmlformats.org/";
    std::string list = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<worksheet xmlns=\"" + ns +
                       "spreadsheetml/2006/main\"><sheetData>";
    std::string texty;
    for (int i = 1; i <= radku; ++i) {
        const std::string r = std::to_string(i);
        list += "<row r=\"" + r + "\"><c r=\"A" + r + "\" s=\"1\"><v>1</v></c><c r=\"B" + r +
                "\" t=\"s\"><v>" + std::to_string(i - 1) + "</v></c><c r=\"C" + r +
                "\" s=\"2\"><v>" + std::to_string(i % 1000) + ".5</v></c><c r=\"D" + r +
                "\" s=\"3\"><v>" + std::to_string(45000 + i % 3000) + "</v></c></row>";
        texty += "<si><t>Zbo\xC5\xBE\xC3\xAD \xC4\x8D. " + r + "</t></si>";
    }
    list += "</sheetData></worksheet>";
    tZip zip;
    zip.Pridej("[Content_Types].xml",
               "<?xml version=\"1.0\"?><Types xmlns=\"" + ns +
                   "package/2006/content-types\">"
                   "<Default Extension=\"rels\" ContentType=\"application/"
                   "vnd.openxmlformats-package.relationships+xml\"/><Default Extension=\"xml\" "
                   "ContentType=\"application/xml\"/><Override PartName=\"/xl/workbook.xml\" "
                   "ContentType=\"application/"
                   "vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/></Types>");
    zip.Pridej("_rels/.rels", "<?xml version=\"1.0\"?><Relationships xmlns=\"" + ns +
                                  "package/2006/relationships\"><Relationship Id=\"rId1\" "
                                  "Type=\"" +
                                  ns +
                                  "officeDocument/2006/relationships/officeDocument\" "
                                  "Target=\"xl/workbook.xml\"/></Relationships>");
    zip.Pridej("xl/workbook.xml",
               "<?xml version=\"1.0\"?><workbook xmlns=\"" + ns +
                   "spreadsheetml/2006/main\" xmlns:r=\"" + ns +
                   "officeDocument/2006/relationships\"><sheets><sheet name=\"Cen\xC3\xADk\" "
                   "sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>");
    const std::string typ = ns + "officeDocument/2006/relationships/";
    zip.Pridej("xl/_rels/workbook.xml.rels",
               "<?xml version=\"1.0\"?><Relationships xmlns=\"" + ns +
                   "package/2006/relationships\"><Relationship Id=\"rId1\" Type=\"" + typ +
                   "worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" "
                   "Type=\"" +
                   typ +
                   "styles\" Target=\"styles.xml\"/><Relationship Id=\"rId3\" "
                   "Type=\"" +
                   typ +
                   "sharedStrings\" Target=\"sharedStrings.xml\"/>"
                   "</Relationships>");
    zip.Pridej("xl/styles.xml",
               "<?xml version=\"1.0\"?><styleSheet xmlns=\"" + ns +
                   "spreadsheetml/2006/main\"><numFmts count=\"2\"><numFmt numFmtId=\"164\" "
                   "formatCode=\"#,##0.00&quot; K\xC4\x8D&quot;\"/><numFmt numFmtId=\"165\" "
                   "formatCode=\"d.m.yyyy\"/></numFmts><cellXfs count=\"4\"><xf numFmtId=\"0\"/>"
                   "<xf numFmtId=\"1\"/><xf numFmtId=\"164\"/><xf numFmtId=\"165\"/></cellXfs>"
                   "</styleSheet>");
    zip.Pridej("xl/sharedStrings.xml", "<?xml version=\"1.0\"?><sst xmlns=\"" + ns +
                                           "spreadsheetml/2006/main\">" + texty + "</sst>");
    zip.Pridej("xl/worksheets/sheet1.xml", list);
    zip.Zapis(cesta);
    return list.size() + texty.size();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const int radku = argc > 1 ? std::atoi(argv[1]) : 100'000;
    const tDocasnyAdresar adresar;
    const fs::path a = adresar.Cesta();
    try {
        const fs::path program = PripravDavku(a, OBLEPKY_TISK, Cenovky("Bench", "Cena: {3} {4}"));
        const fs::path sesit = a / "cenik.xlsx";
        const size_t xml = VyrobSesit(sesit, radku);

        std::vector<double> primo;
        long pamet = 0;
        for (int i = 0; i < 5; ++i) {
            const tBeh b =
                Spust({program.string(), "-o", (a / "primo.bin").string(), sesit.string()});
            primo.push_back(b.sekund);
            pamet = std::max(pamet, b.pametKiB);
        }
        std::printf("%d rows, %.1f MB of sheet and shared-string XML, %.1f MB file\n", radku,
                    static_cast<double>(xml) / 1e6,
                    static_cast<double>(fs::file_size(sesit)) / 1e6);
        std::printf("oblepky-tisk cenik.xlsx: %.3f s (median of 5); peak memory %.1f MB = "
                    "%.2f x the XML (target at most 3 x and 256 MB)\n",
                    Median(primo), static_cast<double>(pamet) / 1024,
                    static_cast<double>(pamet) * 1024 / static_cast<double>(xml));
        if (std::system("command -v soffice >/dev/null 2>&1") != 0) {
            std::printf("soffice not installed: the chain is not measured\n");
            return 0;
        }
        std::vector<double> retez;
        const std::string profil = "-env:UserInstallation=file://" + (a / "profil").string();
        for (int i = 0; i < 3; ++i) {
            const tBeh prevod = Spust({"soffice", profil, "--headless", "--convert-to", "csv",
                                       "--outdir", a.string(), sesit.string()});
            const tBeh tisk = Spust(
                {program.string(), "-o", (a / "retez.bin").string(), (a / "cenik.csv").string()});
            retez.push_back(prevod.sekund + tisk.sekund);
        }
        std::printf("soffice --convert-to csv + oblepky-tisk cenik.csv: %.3f s (median of 3)\n",
                    Median(retez));
        std::printf("direct / chain: %.3f (target under 0.5)\n", Median(primo) / Median(retez));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
