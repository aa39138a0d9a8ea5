// Disk faults under the settings file: a read-only program directory, a full disk, and a
// settings file that cannot be read at start-up. The old Oblepky.ini stays whole every time,
// the message is exactly the one the user is shown, and the next save works.

#include "core/Chyba.h"
#include "core/IniSoubor.h"
#include "core/Nastaveni.h"
#include "core/UNI.h"
#include "core/Win1250.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
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
        ini_ = adresar_ / "Oblepky.ini";
    }
    void TearDown() override {
        if (pripojeno_)
            ::umount2(adresar_.c_str(), MNT_DETACH);
        fs::remove_all(adresar_);
    }
    void Uloz() const { tUlozisteNastaveni(ini_).Uloz({NoveRozvrzeni(), 0, true}, {}); }
    void ZapisStary() const { std::ofstream(ini_, std::ios::binary) << StaryObsah; }

    // The message of the error `akce` raises. The call must end by itself: a reader left
    // waiting on a FIFO named Oblepky.ini is released so that the test can end.
    std::string Zprava(const std::function<void()>& akce) const {
        auto beh = std::async(std::launch::async, [&]() -> std::string {
            try {
                akce();
                return "no error";
            } catch (const eChyba& e) {
                return e.what();
            }
        });
        if (beh.wait_for(30s) != std::future_status::ready) {
            if (int fd = ::open(ini_.c_str(), O_WRONLY | O_NONBLOCK); fd >= 0)
                ::close(fd);
            ADD_FAILURE() << "hangs on a FIFO named Oblepky.ini";
        }
        return beh.get();
    }

    // Mounts something over the program directory; false when this machine does not let us.
    bool Pripoj(const char* zdroj, const char* typ, unsigned long priznaky, const char* volby) {
        if (::mount(zdroj, adresar_.c_str(), typ, priznaky, volby) != 0)
            return false;
        pripojeno_ = true;
        return true;
    }

    // Saving must fail with exactly `zprava`, leaving the old file as it was and nothing else.
    void UlozeniSelze(const std::string& zprava, const std::vector<std::string>& zustane) {
        EXPECT_EQ(Zprava([this] { Uloz(); }), zprava);
        EXPECT_EQ(Obsah(adresar_), zustane) << "a temporary file was left behind";
        if (fs::is_regular_file(ini_)) {
            EXPECT_TRUE(Precti(ini_) == StaryObsah) << "the old settings file changed";
        }
    }

    // The user frees the disk or fixes the directory: the next save works and keeps the
    // keys the program does not use.
    void DalsiUlozeniFunguje() {
        Uloz();
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
    UlozeniSelze("Cannot create file " + ini_.string(), {"Oblepky.ini"});
    ASSERT_EQ(::umount2(adresar_.c_str(), 0), 0);
    pripojeno_ = false;
    DalsiUlozeniFunguje();
}

// A real full disk; the settings file's own test covers the same at every write call.
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
    fs::remove(adresar_ / "vypln");
    DalsiUlozeniFunguje();
}

// A settings file that is a directory or a FIFO: start-up and saving fail at once (a FIFO
// has no writer to wait for) with the message the user is shown, and leave it as it was.
TEST_F(DiskTest, NastaveniNeniSoubor) {
    for (bool roura : {false, true}) {
        SCOPED_TRACE(roura ? "FIFO" : "directory");
        ASSERT_EQ(roura ? ::mkfifo(ini_.c_str(), 0644) : ::mkdir(ini_.c_str(), 0755), 0);
        const std::string zprava = "Cannot open file " + ini_.string();
        EXPECT_EQ(Zprava([&] { tUlozisteNastaveni(ini_).Nacti(); }), zprava);
        UlozeniSelze(zprava, {"Oblepky.ini"});
        EXPECT_EQ(fs::status(ini_).type(), roura ? fs::file_type::fifo : fs::file_type::directory);
        fs::remove(ini_);
    }
}

} // namespace
