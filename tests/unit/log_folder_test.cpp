#include "logging/log_folder.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"

namespace rzv {
namespace {

constexpr const char* kLog = "RI-ZUZERU-VAVUZA.LOG";
constexpr const char* kStart = "/home/user/logs/RI-ZUZERU-VAVUZA.LOG";
constexpr const char* kDocuments = "/home/user/Documents/RI-ZUZERU-VAVUZA.LOG";
constexpr const char* kState = "/home/user/.local/state/RI-ZUZERU-VAVUZA/RI-ZUZERU-VAVUZA.LOG";

constexpr WriteRefusal kNone = WriteRefusal::None;
constexpr WriteRefusal kRights = WriteRefusal::Rights;
constexpr WriteRefusal kFull = WriteRefusal::FullDisk;
constexpr WriteRefusal kOther = WriteRefusal::Other;

// Which folder takes the record, given how each one answers; "" where none does.
TEST(LogFolderTest, onlyARefusalOfRightsSendsTheRecordToTheUsersFolders) {
    struct Case {
        const char* what;
        bool systemFolder;
        WriteRefusal start, documents, state;
        const char* written;
    };
    const Case cases[] = {
        {"the start folder takes it", false, kNone, kNone, kNone, kStart},
        {"a read-only start folder", false, kRights, kNone, kNone, kDocuments},
        {"the Windows folder, however writable", true, kNone, kNone, kNone, kDocuments},
        {"a full disk fails at once", false, kFull, kNone, kNone, ""},
        {"a held file or failing disk fails at once", false, kOther, kNone, kNone, ""},
        {"documents refused too", false, kRights, kRights, kNone, kState},
        {"documents offline", true, kRights, kOther, kNone, kState},
        {"documents on a full disk", false, kRights, kFull, kNone, ""},
        {"every folder refuses", false, kRights, kRights, kRights, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::FakeFileOutput files;
        test::FakeLogFolders folders;
        folders.inSystemFolder = c.systemFolder;
        const auto refuse = [&](const char* folder, WriteRefusal refusal) {
            if (refusal != kNone)
                files.refusals[folder] = {std::string(folder) + " refuses", refusal};
        };
        refuse("", c.start);
        refuse("/home/user/Documents", c.documents);
        refuse("/home/user/.local/state/RI-ZUZERU-VAVUZA", c.state);

        const LogWrite log = writeLog(files, folders, kLog, "record\r\n");
        const std::string written = c.written;
        EXPECT_EQ(log.written(), !written.empty()) << log.failure;
        EXPECT_EQ(log.path, written.empty() ? kStart : written);
        EXPECT_EQ(files.writes, written.empty() ? 0 : 1);
        if (!written.empty()) {
            EXPECT_EQ(files.files[written == kStart ? kLog : written], "record\r\n");
        }
        // Where another folder took it, the start folder's reason is told.
        EXPECT_EQ(log.startFailure.empty(), written == kStart);
    }
}

TEST(LogFolderTest, aRecordWrittenNowhereTellsEveryFoldersReason) {
    test::FakeFileOutput files;
    test::FakeLogFolders folders;
    files.refusals[""] = {"Permission denied", kRights};
    folders.documents.clear();  // no home folder
    folders.stateFailure = "there is no home folder for its state";
    const LogWrite log = writeLog(files, folders, kLog, "record\r\n");
    EXPECT_EQ(
        log.failure,
        "Permission denied; nor in a folder of its own: there is no home folder for its state");
}

}  // namespace
}  // namespace rzv
