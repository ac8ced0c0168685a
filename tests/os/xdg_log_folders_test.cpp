#include "os/posix/log_folders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace rzv {
namespace {

TEST(XdgLogFoldersTest, readsTheDocumentsFolderAsTheDesktopWritesIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"XDG_DOCUMENTS_DIR=\"$HOME/Documents\"\n", "/home/u/Documents"},
        {"# a comment\nXDG_MUSIC_DIR=\"$HOME/Music\"\nXDG_DOCUMENTS_DIR=\"/srv/docs/\"\r\n",
         "/srv/docs"},
        {"XDG_DOCUMENTS_DIR=\"$HOME\"", "/home/u"},  // the desktop's way of saying "none"
        {"XDG_DOCUMENTS_DIR=\"$HOME/My \\\"Files\\\"\"", "/home/u/My \"Files\""},
        {"  XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"  ", "/home/u/Dokumente"},
        {"XDG_DOCUMENTS_DIR=\"/a\"\nXDG_DOCUMENTS_DIR=\"/b\"\n", "/b"},
        // Forms the file never holds are no folder at all.
        {"#XDG_DOCUMENTS_DIR=\"/srv/docs\"", ""},
        {"XDG_DOCUMENTS_DIR=$HOME/Documents", ""},
        {"XDG_DOCUMENTS_DIR=\"Documents\"", ""},
        {"XDG_DOCUMENTS_DIR=\"$HOMEWORK/x\"", ""},
        {"XDG_DOCUMENTS_DIR=\"", ""},
        {"", ""},
    };
    for (const auto& [text, folder] : cases)
        EXPECT_EQ(documentsFolderIn(text, "/home/u"), folder) << text;
}

// The folders a fallback writes into: the documents folder where it exists, else home; the
// state folder made on the way, for the user alone.
TEST(XdgLogFoldersTest, findsDocumentsAndMakesTheStateFolderForTheUserAlone) {
    char pattern[] = "/tmp/rzv-xdg-XXXXXX";
    const std::string home = ::mkdtemp(pattern);
    const std::string userHome = std::getenv("HOME") ? std::getenv("HOME") : "/";
    ASSERT_EQ(::setenv("HOME", home.c_str(), 1), 0);
    ASSERT_EQ(::unsetenv("XDG_CONFIG_HOME"), 0);
    ASSERT_EQ(::unsetenv("XDG_STATE_HOME"), 0);
    XdgLogFolders folders;
    EXPECT_EQ(folders.documentsFolder(), home + "/");
    ASSERT_EQ(::mkdir((home + "/.config").c_str(), 0700), 0);
    std::ofstream(home + "/.config/user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n";
    EXPECT_EQ(folders.documentsFolder(), home + "/") << "a folder that does not exist";
    ASSERT_EQ(::mkdir((home + "/Docs").c_str(), 0700), 0);
    EXPECT_EQ(folders.documentsFolder(), home + "/Docs/");

    std::string failure;
    EXPECT_EQ(folders.stateFolder("RI-ZUZERU-VAVUZA", failure),
              home + "/.local/state/RI-ZUZERU-VAVUZA/");
    for (const char* made : {"/.local", "/.local/state", "/.local/state/RI-ZUZERU-VAVUZA"}) {
        struct stat status {};
        ASSERT_EQ(::stat((home + made).c_str(), &status), 0) << made;
        EXPECT_EQ(status.st_mode & 0777, 0700u) << made;
    }
    std::ofstream(home + "/.local/state/taken") << "a file";
    EXPECT_EQ(folders.stateFolder("taken", failure), "");
    EXPECT_NE(failure.find("taken is not a folder"), std::string::npos) << failure;
    EXPECT_EQ(std::system(("rm -rf " + home).c_str()), 0);
    ::setenv("HOME", userHome.c_str(), 1);
}

}  // namespace
}  // namespace rzv
