#include "settings_file/ini_settings_store.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/os_parts.h"

namespace rzv {
namespace {

class Warnings : public Diagnostics {
  public:
    void warn(std::string_view line) override { lines.emplace_back(line); }
    void fatal(std::string_view message) override { lines.emplace_back(message); }
    std::vector<std::string> lines;
};

std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void put(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The store on the real file system, in a fresh folder of its own (missing until the first
// save creates it).
class IniSettingsStoreTest : public ::testing::Test {
  protected:
    static std::string freshFolder() {
        char pattern[] = "/tmp/rzv-store-XXXXXX";
        return ::mkdtemp(pattern);
    }
    ~IniSettingsStoreTest() override {
        EXPECT_EQ(std::system(("rm -rf '" + root_ + "'").c_str()), 0);
    }

    std::string file() const { return folder_ + "/QV_ZIV.conf"; }

    std::string root_ = freshFolder();
    std::string folder_ = root_ + "/config";
    std::unique_ptr<FileInput> input_ = os::makeFileInput();
    std::unique_ptr<FileLocks> locks_ = os::makeFileLocks("RI-ZUZERU-VAVUZA");
    std::unique_ptr<FileOutput> output_ = os::makeLockedFileOutput();
    Warnings warnings_;
    IniSettingsStore store_{folder_, *input_, *locks_, *output_, warnings_};
};

TEST_F(IniSettingsStoreTest, keepsPlainTextsInOneSectionEachAndCreatesTheFolder) {
    EXPECT_EQ(store_.read("QV_ZIV", "RI-ZUZERU-VAVUZA", "MAIN_Left", "1000"), "1000");
    EXPECT_EQ(store_.writeAll("QV_ZIV", "RI-ZUZERU-VAVUZA",
                              {{"MAIN_Left", "-1200"}, {"AUTOSTART_TICKBOX", "1"}}),
              "");
    store_.write("QV_ZIV", "other", "MAIN_Left", "5");
    EXPECT_EQ(contentOf(file()),
              "[RI-ZUZERU-VAVUZA]\nMAIN_Left=-1200\nAUTOSTART_TICKBOX=1\n\n[other]\nMAIN_Left=5\n");
    EXPECT_EQ(store_.read("QV_ZIV", "RI-ZUZERU-VAVUZA", "MAIN_Left", "1000"), "-1200");
    EXPECT_EQ(store_.read("QV_ZIV", "other", "MAIN_Left", "1000"), "5");
    EXPECT_TRUE(warnings_.lines.empty());
}

TEST_F(IniSettingsStoreTest, savesBesideUnreadableLinesAndKeepsThem) {
    ASSERT_EQ(::mkdir(folder_.c_str(), 0700), 0);
    put(file(), "[hand]\nMAIN_Left=1,5\nno equals sign here\n=x\n[broken\n");
    store_.write("QV_ZIV", "hand", "MAIN_Top", "7");
    EXPECT_EQ(contentOf(file()),
              "[hand]\nMAIN_Left=1,5\nno equals sign here\n=x\nMAIN_Top=7\n[broken\n");
    EXPECT_EQ(store_.read("QV_ZIV", "hand", "MAIN_Left", "0"), "1,5");
    EXPECT_TRUE(warnings_.lines.empty());
}

// A lock is stale when empty, naming a process that is gone or this one, or older than a
// second; a young lock of a live process is waited for about a second, then broken too.
TEST_F(IniSettingsStoreTest, breaksStaleLocksAndWaitsNoLongerThanASecond) {
    ASSERT_EQ(::mkdir(folder_.c_str(), 0700), 0);
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    const std::string own = std::to_string(::getpid()), parent = std::to_string(::getppid());
    struct Case {
        std::string content;
        bool aged;
        long maxMs;
    };
    const Case cases[] = {
        {"", false, 300},
        {"999999999\nRI-ZUZERU-VAVUZA\n" + std::string(host) + "\n", false, 300},
        {own + "\nRI-ZUZERU-VAVUZA\n" + host + "\n", false, 300},
        {parent + "\nother\n" + host + "\n", true, 300},
        {parent + "\nother\n" + host + "\n", false, 1600},
        {"1\nother\nanother-host\n", false, 1600},
    };
    int n = 0;
    for (const auto& c : cases) {
        put(file() + ".lock", c.content);
        if (c.aged) {
            const struct timespec old[2] = {{std::time(nullptr) - 5, 0},
                                            {std::time(nullptr) - 5, 0}};
            ASSERT_EQ(::utimensat(AT_FDCWD, (file() + ".lock").c_str(), old, 0), 0);
        }
        const auto start = std::chrono::steady_clock::now();
        const std::string text = std::to_string(++n);
        EXPECT_EQ(store_.writeAll("QV_ZIV", "locked", {{"MAIN_Left", text}}), "") << c.content;
        const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start);
        EXPECT_LT(took.count(), c.maxMs) << c.content;
        EXPECT_EQ(store_.read("QV_ZIV", "locked", "MAIN_Left", "0"), text);
        EXPECT_NE(::access((file() + ".lock").c_str(), F_OK), 0) << c.content;
    }
}

TEST_F(IniSettingsStoreTest, aFailedSaveLeavesTheFileAndNamesTheKeysOnce) {
    ASSERT_EQ(::mkdir(folder_.c_str(), 0700), 0);
    const std::string old = "[Other]\nkeep=me\n[S]\nk=\"open\n";  // no key can follow it
    put(file(), old);
    const auto failure =
        store_.writeAll("QV_ZIV", "T", {{"MAIN_Left", "1"}, {"MAIN_Top", "2"}, {"MAIN_Left", "3"}});
    EXPECT_NE(failure.find("settings MAIN_Left, MAIN_Top not saved in " + file()),
              std::string::npos)
        << failure;
    EXPECT_EQ(contentOf(file()), old);
    EXPECT_NE(::access((file() + ".lock").c_str(), F_OK), 0);
    if (::geteuid() != 0) {  // root writes anywhere
        ASSERT_EQ(::chmod(folder_.c_str(), 0500), 0);
        store_.write("QV_ZIV", "T", "MAIN_Left", "1");
        EXPECT_EQ(warnings_.lines.size(), 1u);
        ::chmod(folder_.c_str(), 0700);
    }
}

}  // namespace
}  // namespace rzv
