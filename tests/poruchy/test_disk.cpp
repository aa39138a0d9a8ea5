// Disk faults under the settings file: a read-only program directory, a full disk, and a
// settings file that cannot be read at start-up. The old Oblepky.ini stays whole every time,
// the message is exactly the one the user is shown, and the next save works.

#include "../../core/Chyba.h"
#include "../../core/IniSoubor.h"
#include "../../core/Nastaveni.h"
#include "../../core/UNI.h"
#include "../../core/Win1250.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string Precti(const fs::path& soubor) {
    std::ifstream f(soubor, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

std::vector<std::string> Obsah(const fs::path& adresar) {
    std::vector<std::string> jmena;
    for (const auto& polozka : fs::directory_iterator(adresar))
        jmena.push_back(polozka.path().filename().string());
    std::sort(jmena.begin(), jmena.end());
    return jmena;
}

const std::string StaryObsah = "[Config]\r\nLastEtiketa=1\r\n\r\n[Layout1]\r\nNazev=Stary\r\n"
                               "Tiskarna=etikety\r\nPoznamka=ruk\xe8ne\r\n\r\n";

// Layouts worth saving, large enough (about 75 kB) to overflow a small disk and to take
// more than one write call.
tPopisEtiket NoveRozvrzeni() {
    tPopisEtiket popis{};
    for (auto& p : popis) {
        p.Nazev = "Novy";
        for (int r = 1; r <= PocetRadku; ++r)
            p.Radky[static_cast<size_t>(r)].HrText = std::string(3000, 'x');
    }
    return popis;
}

// A program directory of its own per test, with an old settings file in it.
class DiskTest : public ::testing::Test {
protected:
    void SetUp() override {
        adresar_ = fs::temp_directory_path() /
                   ("oblepky-disk-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(adresar_);
        fs::create_directories(adresar_);
        AdresarProgramu = adresar_.string() + "/";
        ini_ = adresar_ / "Oblepky.ini";
    }
    void TearDown() override {
        tIniSoubor::SimulujPlnyDisk(0);
        if (pripojeno_)
            ::umount2(adresar_.c_str(), MNT_DETACH);
        fs::remove_all(adresar_);
    }
    void ZapisStary() const { std::ofstream(ini_, std::ios::binary) << StaryObsah; }

    // Mounts something over the program directory; false when this machine does not let us.
    bool Pripoj(const char* zdroj, const char* typ, unsigned long priznaky, const char* volby) {
        if (::mount(zdroj, adresar_.c_str(), typ, priznaky, volby) != 0)
            return false;
        pripojeno_ = true;
        return true;
    }

    // Saving must fail with exactly `zprava`, leaving the old file and nothing else.
    void UlozeniSelze(const std::string& zprava, const std::vector<std::string>& zustane) {
        try {
            UlozNastaveni(NoveRozvrzeni());
            ADD_FAILURE() << "saving did not fail";
        } catch (const eChyba& e) {
            EXPECT_EQ(e.what(), zprava);
        }
        EXPECT_EQ(Obsah(adresar_), zustane) << "a temporary file was left behind";
    }

    // The user frees the disk or fixes the directory: the next save works and keeps the
    // keys the program does not use.
    void DalsiUlozeniFunguje() {
        UlozNastaveni(NoveRozvrzeni());
        tIniSoubor znovu(ini_.string());
        tPopisEtiket precteno{};
        int16_t last = -1;
        NactiNastaveni(znovu, precteno, last);
        EXPECT_EQ(precteno, NoveRozvrzeni());
        EXPECT_EQ(znovu.ReadString("Layout1", "Poznamka", "-"), "ruk\xe8ne");
    }

    fs::path adresar_;
    fs::path ini_;
    bool pripojeno_ = false;
};

TEST_F(DiskTest, AdresarProgramuJenProCteni) {
    ZapisStary();
    if (!Pripoj(adresar_.c_str(), nullptr, MS_BIND, nullptr) ||
        ::mount(nullptr, adresar_.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
        GTEST_SKIP() << "no read-only bind mount here: " << std::strerror(errno);
    UlozeniSelze("Cannot create file " + Utf8NaWin1250(ini_.string()), {"Oblepky.ini"});
    EXPECT_TRUE(Precti(ini_) == StaryObsah) << "the old settings file changed";

    ASSERT_EQ(::umount2(adresar_.c_str(), 0), 0);
    pripojeno_ = false;
    DalsiUlozeniFunguje();
}

TEST_F(DiskTest, PlnyDiskNaMalemTmpfs) {
    if (!Pripoj("oblepky", "tmpfs", 0, "size=256k"))
        GTEST_SKIP() << "no tmpfs mount here: " << std::strerror(errno);
    ZapisStary();
    {
        // Fill the rest of the disk.
        std::ofstream vypln(adresar_ / "vypln", std::ios::binary);
        const std::string blok(4096, 'v');
        while (vypln.write(blok.data(), blok.size()) && vypln.flush()) {
        }
    }
    UlozeniSelze("Stream write error", {"Oblepky.ini", "vypln"});
    EXPECT_TRUE(Precti(ini_) == StaryObsah) << "the old settings file changed";

    fs::remove(adresar_ / "vypln");
    DalsiUlozeniFunguje();
}

// The same through the settings file's own seam, where mounting is not allowed: the n-th
// write call stores half its bytes, later ones find no space.
TEST_F(DiskTest, PlnyDiskPriZapisuCislo) {
    for (int n : {1, 2}) {
        SCOPED_TRACE(n);
        ZapisStary();
        tIniSoubor::SimulujPlnyDisk(n);
        UlozeniSelze("Stream write error", {"Oblepky.ini"});
        tIniSoubor::SimulujPlnyDisk(0);
        EXPECT_TRUE(Precti(ini_) == StaryObsah) << "the old settings file changed";
    }
    DalsiUlozeniFunguje();
}

TEST_F(DiskTest, NastaveniJeAdresar) {
    fs::create_directory(ini_);
    const std::string cesta = Utf8NaWin1250(ini_.string());
    try {
        InicializujUNI((adresar_ / "Oblepky").string());
        ADD_FAILURE() << "start-up read a directory as the settings file";
    } catch (const eChyba& e) {
        EXPECT_EQ(e.what(), "Cannot open file " + cesta);
    }
    // Saving reads the file first, so it fails the same way and leaves it as it was.
    UlozeniSelze("Cannot open file " + cesta, {"Oblepky.ini"});
    EXPECT_TRUE(fs::is_directory(ini_));
}

TEST_F(DiskTest, NastaveniJeRoura) {
    ASSERT_EQ(::mkfifo(ini_.c_str(), 0644), 0);
    // Start-up must not wait for a writer that never comes.
    auto start = std::async(std::launch::async, [&]() -> std::string {
        try {
            InicializujUNI((adresar_ / "Oblepky").string());
            return "no error";
        } catch (const eChyba& e) {
            return e.what();
        }
    });
    if (start.wait_for(30s) != std::future_status::ready) {
        // Release the waiting reader so that the test can end.
        int fd = ::open(ini_.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
        FAIL() << "start-up hangs on a FIFO named Oblepky.ini";
    }
    EXPECT_EQ(start.get(), "Cannot open file " + Utf8NaWin1250(ini_.string()));
    EXPECT_TRUE(fs::is_fifo(ini_));
}

} // namespace
