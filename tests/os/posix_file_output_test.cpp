#include "os/posix/file_output.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace rzv {
namespace {

constexpr const char* kLog = "RI-ZUZERU-VAVUZA.LOG";

// Each test in a fresh working folder of its own.
class PosixFileOutputTest : public ::testing::Test {
  protected:
    PosixFileOutputTest() {
        char pattern[] = "/tmp/rzv-posix-XXXXXX";
        folder_ = ::mkdtemp(pattern);
        EXPECT_EQ(::chdir(folder_.c_str()), 0);
    }
    ~PosixFileOutputTest() override {
        EXPECT_EQ(::chdir("/"), 0);
        EXPECT_EQ(std::system(("rm -rf " + folder_).c_str()), 0);
    }
    static void put(const std::string& name, const std::string& content) {
        std::ofstream(name, std::ios::binary) << content;
    }
    static std::string contentOf(const std::string& name) {
        std::ifstream file(name, std::ios::binary);
        std::ostringstream content;
        content << file.rdbuf();
        return file ? content.str() : "<missing>";
    }
    static std::set<std::string> entries(const std::string& folder = ".") {
        std::set<std::string> names;
        DIR* dir = ::opendir(folder.c_str());
        while (dirent* entry = dir ? ::readdir(dir) : nullptr)
            if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..")
                names.insert(entry->d_name);
        if (dir) ::closedir(dir);
        return names;
    }
    static mode_t modeOf(const std::string& name) {
        struct stat status {};
        return ::lstat(name.c_str(), &status) == 0 ? status.st_mode : 0;
    }

    PosixFileOutput files;

  private:
    std::string folder_;
};

TEST_F(PosixFileOutputTest, replacesTheWholeFileInTheWorkingFolder) {
    EXPECT_EQ(files.replace(kLog, "first\r\nrecord\r\n").failure, "");
    EXPECT_EQ(files.replace(kLog, "second\r\n").failure, "");
    EXPECT_EQ(contentOf(kLog), "second\r\n");
    EXPECT_EQ(entries(), std::set<std::string>{kLog});  // no temporary file left
}

TEST_F(PosixFileOutputTest, aFailedReplaceLeavesTheOldContentAndNoDebris) {
    ASSERT_EQ(files.replace(kLog, "old\r\n").failure, "");
    ASSERT_EQ(::mkdir("taken.LOG", 0755), 0);
    EXPECT_NE(files.replace("taken.LOG", "new\r\n").failure, "");
    EXPECT_NE(files.replace("missing-folder/RI-ZUZERU-VAVUZA.LOG", "new\r\n").failure, "");
    EXPECT_EQ(contentOf(kLog), "old\r\n");
    EXPECT_EQ(entries(), (std::set<std::string>{kLog, "taken.LOG"}));
}

TEST_F(PosixFileOutputTest, aReplacedFileKeepsItsPermissions) {
    const mode_t umaskBefore = ::umask(022);
    EXPECT_EQ(files.replace(kLog, "first\r\n").failure, "");
    EXPECT_EQ(modeOf(kLog) & 0777, 0644u);
    ASSERT_EQ(::chmod(kLog, 0640), 0);
    EXPECT_EQ(files.replace(kLog, "second\r\n").failure, "");
    ::umask(umaskBefore);
    EXPECT_EQ(modeOf(kLog) & 0777, 0640u);
}

TEST_F(PosixFileOutputTest, aWriteThatFailsMidwayLeavesTheOldRecordAndNoDebris) {
    put(kLog, "old\r\n");
    // A file size limit makes the write short, then fail, as a filling disk does.
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{}, small{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    small = limit;
    small.rlim_cur = 10;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto write = files.replace(kLog, std::string(100, '='));
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(write.failure, "File too large");
    EXPECT_EQ(write.refusal, WriteRefusal::Other);
    EXPECT_EQ(contentOf(kLog), "old\r\n");
    EXPECT_EQ(entries(), std::set<std::string>{kLog});
}

// What stands at the log's name before the replace; each must be refused and left as it was.
struct Refusal {
    const char* what;
    const char* setUp;  // shell commands run in the working folder
    const char* name;
};

class PosixFileOutputRefusalTest : public PosixFileOutputTest,
                                   public ::testing::WithParamInterface<Refusal> {};

TEST_P(PosixFileOutputRefusalTest, touchesNothing) {
    ASSERT_EQ(std::system(GetParam().setUp), 0);
    const auto before = entries();
    const mode_t modeBefore = modeOf(GetParam().name);
    const auto write = files.replace(GetParam().name, "new\r\n");
    EXPECT_NE(write.failure, "");
    // Never a question of rights, so no other folder takes the record instead.
    EXPECT_EQ(write.refusal, WriteRefusal::Other);
    EXPECT_EQ(entries(), before);
    EXPECT_EQ(modeOf(GetParam().name), modeBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, PosixFileOutputRefusalTest,
    ::testing::Values(
        Refusal{"a folder", "mkdir RI-ZUZERU-VAVUZA.LOG", kLog},
        Refusal{"a FIFO", "mkfifo RI-ZUZERU-VAVUZA.LOG", kLog},
        Refusal{"a link to a FIFO", "mkfifo fifo && ln -s fifo RI-ZUZERU-VAVUZA.LOG", kLog},
        Refusal{"a link to a folder", "mkdir d && ln -s d RI-ZUZERU-VAVUZA.LOG", kLog},
        Refusal{"a link leading nowhere", "ln -s missing RI-ZUZERU-VAVUZA.LOG", kLog},
        Refusal{"a loop of links", "ln -s a RI-ZUZERU-VAVUZA.LOG && ln -s RI-ZUZERU-VAVUZA.LOG a",
                kLog}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return name;
    });

TEST_F(PosixFileOutputTest, aLinkToARegularFileReplacesItsTargetAndStaysALink) {
    ASSERT_EQ(std::system("mkdir shared && printf old > shared/real.LOG && "
                          "ln -s shared/real.LOG RI-ZUZERU-VAVUZA.LOG && "
                          "ln -s RI-ZUZERU-VAVUZA.LOG second.LOG"),
              0);
    EXPECT_EQ(files.replace(kLog, "new\r\n").failure, "");
    EXPECT_EQ(files.replace("second.LOG", "newer\r\n").failure, "");  // a chain of two links
    EXPECT_EQ(contentOf("shared/real.LOG"), "newer\r\n");
    EXPECT_TRUE(S_ISLNK(modeOf(kLog)));
    EXPECT_EQ(entries("shared"), std::set<std::string>{"real.LOG"});
}

// The protected-symlinks rule: in a sticky world-writable folder a link is followed only when
// it belongs to the folder's owner or to the user. Planting one as another user needs root.
TEST_F(PosixFileOutputTest, aLinkPlantedByAnotherUserInASharedFolderIsRefused) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to give a link to another user";
    ASSERT_EQ(std::system("mkdir -m 1777 shared && printf precious > victim && "
                          "ln -s ../victim shared/RI-ZUZERU-VAVUZA.LOG"),
              0);
    const std::string link = std::string("shared/") + kLog;
    ASSERT_EQ(::lchown(link.c_str(), 65534, 65534), 0);
    const auto forged = files.replace(link, "forged\r\n");
    EXPECT_NE(forged.failure.find("belongs to another user"), std::string::npos);
    EXPECT_EQ(forged.refusal, WriteRefusal::Other);
    EXPECT_EQ(contentOf("victim"), "precious");
    EXPECT_EQ(entries("shared"), std::set<std::string>{kLog});
    // The same link of the user's own is followed.
    ASSERT_EQ(::lchown(link.c_str(), 0, 0), 0);
    EXPECT_EQ(files.replace(link, "own\r\n").failure, "");
    EXPECT_EQ(contentOf("victim"), "own\r\n");
}

}  // namespace
}  // namespace rzv
