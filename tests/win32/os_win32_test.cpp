// The Win32 platform parts against the real registry, locale tables and file system (under Wine
// in CI): what they store, read, format and write.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "core/settings.h"
#include "fakes/fake_platform.h"
#include "os/win32/dll_search.h"
#include "os/win32/environment.h"
#include "os/win32/executable_name.h"
#include "os/win32/file_output.h"
#include "os/win32/log_folders.h"
#include "os/win32/regional_formats.h"
#include "os/win32/registry_settings_store.h"
#include "os/win32/wide_text.h"

namespace rzv {
namespace {

// A private branch of HKEY_CURRENT_USER, removed afterwards.
class RegistryTest : public ::testing::Test {
  protected:
    const std::wstring root_ = L"Software\\rzv-test-" + std::to_wstring(GetCurrentProcessId());
    test::FakeDiagnostics diagnostics_;
    RegistrySettingsStore store_{diagnostics_, root_};

    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str()); }

    void putRaw(const std::wstring& key, DWORD type, const void* data, DWORD bytes) {
        HKEY open = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (root_ + L"\\QV_ZIV\\Prog").c_str(), 0,
                                  nullptr, 0, KEY_SET_VALUE, nullptr, &open, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(open, key.c_str(), 0, type, static_cast<const BYTE*>(data), bytes);
        RegCloseKey(open);
    }
};

TEST_F(RegistryTest, textsComeBackAsWritten) {
    const char* texts[] = {"1000",
                           "-1200",
                           "",
                           "1,5",
                           "\xC3\x9C"
                           "bersch\xC3\xA4tzt",
                           "a text longer than the first buffer guess of the store, surely"};
    for (const char* text : texts) {
        store_.write("QV_ZIV", "Prog", "MAIN_Left", text);
        EXPECT_EQ(store_.read("QV_ZIV", "Prog", "MAIN_Left", "fallback"), text);
    }
    // Sections are apart: a name in Greek letters is a section of its own.
    store_.write("QV_ZIV", "\xCE\xA0\xCF\x81\xCE\xBF", "MAIN_Left", "7");
    EXPECT_EQ(store_.read("QV_ZIV", "\xCE\xA0\xCF\x81\xCE\xBF", "MAIN_Left", "x"), "7");
    EXPECT_EQ(store_.read("QV_ZIV", "Prog", "MAIN_Left", "x"), texts[5]);
    EXPECT_TRUE(diagnostics_.warnings.empty());
}

TEST_F(RegistryTest, missingAddressesGiveTheFallback) {
    EXPECT_EQ(store_.read("QV_ZIV", "Prog", "MAIN_Top", "1000"), "1000");
    store_.write("QV_ZIV", "Prog", "MAIN_Left", "5");
    EXPECT_EQ(store_.read("QV_ZIV", "Prog", "MAIN_Top", "1000"), "1000");
    EXPECT_EQ(store_.read("QV_ZIV", "Other", "MAIN_Left", "1000"), "1000");
}

TEST_F(RegistryTest, valuesOfOtherTypesOrWithoutTheirNullReadAsPlainTexts) {
    const DWORD number = 5;
    putRaw(L"AUTOSTART_TICKBOX", REG_DWORD, &number, sizeof number);
    EXPECT_EQ(store_.read("QV_ZIV", "Prog", "AUTOSTART_TICKBOX", "0"), "");
    const wchar_t unterminated[] = {L'1', L'2'};
    putRaw(L"MAIN_Top", REG_SZ, unterminated, sizeof unterminated);
    EXPECT_EQ(store_.read("QV_ZIV", "Prog", "MAIN_Top", "0"), "12");
}

// Hand-edited values end in the key's default, with one warning, as on every platform.
TEST_F(RegistryTest, badStoredTextsFallBackToTheDefault) {
    struct Case {
        SettingKey key;
        std::wstring stored;
        DWORD type;
        double expected;
    };
    const DWORD dword = 1;
    const Case cases[] = {
        {SettingKey::MAIN_Left, L"abc", REG_SZ, 1000},
        {SettingKey::MAIN_Top, L"1,5", REG_SZ, 1000},     // not this locale's separator
        {SettingKey::MAIN_Width, L"-250", REG_SZ, 4380},  // a size no window can have
        {SettingKey::AUTOSTART_TICKBOX, L"7", REG_SZ, 0},
        {SettingKey::AlwaysOnTop_TICKBOX, L"", REG_DWORD, 1},
        {SettingKey::AUTOCLOSE_TICKBOX, L"2", REG_SZ, 2},
    };
    test::FakeExecutableName executable;
    executable.name = "Prog";
    test::FakeRegionalFormats regional;
    Settings settings(store_, executable, regional, diagnostics_);
    for (const auto& c : cases) {
        const std::wstring name = widen(definitionOf(c.key).name);
        if (c.type == REG_DWORD)
            putRaw(name, REG_DWORD, &dword, sizeof dword);
        else
            putRaw(name, REG_SZ, c.stored.c_str(),
                   static_cast<DWORD>((c.stored.size() + 1) * sizeof(wchar_t)));
        const auto before = diagnostics_.warnings.size();
        // Options in the order of their states: clear, ticked, greyed.
        const double read = definitionOf(c.key).form == SettingForm::Option
                                ? static_cast<int>(settings.readOption(c.key))
                                : settings.readPlacement(c.key);
        EXPECT_EQ(read, c.expected) << definitionOf(c.key).name;
        EXPECT_EQ(diagnostics_.warnings.size() - before, c.expected == 2 ? 0u : 1u)
            << definitionOf(c.key).name;
    }
}

TEST(RegionalFormats, followTheLocale) {
    struct Case {
        const wchar_t* locale;
        const char* separator;
        std::set<std::string> dates;  // 7 December 2026 (Wine's German date has no leading 0)
        const char* time;             // 14:05:09
    };
    const Case cases[] = {
        {L"en-US", ".", {"12/7/2026"}, "2:05:09 PM"},
        {L"de-DE", ",", {"07.12.2026", "7.12.2026"}, "14:05:09"},
    };
    for (const auto& c : cases) {
        const Win32RegionalFormats formats(c.locale);
        EXPECT_EQ(Win32RegionalFormats(c.locale).decimalSeparator(), c.separator);
        EXPECT_EQ(c.dates.count(formats.dateText(2026, 12, 7)), 1u)
            << formats.dateText(2026, 12, 7);
        EXPECT_EQ(formats.timeText(14, 5, 9), c.time);
    }
}

// Run by ctest under a chosen user locale (RZV_USER_LOCALE names it): the program's formats are
// the user's, not a fixed one.
TEST(RegionalFormats, ofTheUserAreTheUsersLocale) {
    const char* expected = std::getenv("RZV_USER_LOCALE");
    if (!expected) GTEST_SKIP() << "RZV_USER_LOCALE is not set";
    Win32RegionalFormats user;
    const Win32RegionalFormats named(widen(expected));
    EXPECT_EQ(user.decimalSeparator(), Win32RegionalFormats(widen(expected)).decimalSeparator());
    EXPECT_EQ(user.dateText(2026, 12, 7), named.dateText(2026, 12, 7));
    EXPECT_EQ(user.timeText(14, 5, 9), named.timeText(14, 5, 9));
    EXPECT_FALSE(user.currentDate().empty());
    EXPECT_FALSE(user.currentTime().empty());
}

// Each test in a fresh folder of its own, which is the working directory.
class FileOutputTest : public ::testing::Test {
  protected:
    std::wstring folder_;
    wchar_t previous_[MAX_PATH]{};
    Win32FileOutput output_;

    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"rzv-files-" + std::to_wstring(GetCurrentProcessId()) +
                  L"-" + widen(::testing::UnitTest::GetInstance()->current_test_info()->name());
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
        GetCurrentDirectoryW(MAX_PATH, previous_);
        SetCurrentDirectoryW(folder_.c_str());
    }
    void TearDown() override {
        SetCurrentDirectoryW(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(folder_), ignored);
    }

    static std::string contentOf(const std::wstring& name) {
        std::ifstream in(name.c_str(), std::ios::binary);
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }
    static void put(const std::wstring& name, const std::string& bytes) {
        std::ofstream(name.c_str(), std::ios::binary) << bytes;
    }
    static std::wstring temporaryOf(const std::wstring& name) {
        return name + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    }
    int filesInFolder() const {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder_ + L"\\*").c_str(), &found);
        int count = 0;
        if (search == INVALID_HANDLE_VALUE) return 0;
        do {
            if (found.cFileName[0] != L'.') ++count;
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return count;
    }
};

TEST_F(FileOutputTest, replacesTheWholeFileAndLeavesNothingElse) {
    put(L"P.LOG", "an older and much longer record\r\n\r\n\r\n");
    EXPECT_EQ(output_.replace("P.LOG", "line 1\r\nline 2\r\n").failure, "");
    EXPECT_EQ(contentOf(L"P.LOG"), "line 1\r\nline 2\r\n");
    EXPECT_EQ(output_.replace("NEW.LOG", "x\r\n").failure, "");
    EXPECT_EQ(contentOf(L"NEW.LOG"), "x\r\n");
    EXPECT_EQ(GetFileAttributesW(L"NEW.LOG") & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(filesInFolder(), 2);
}

TEST_F(FileOutputTest, aNonAsciiNameIsTheWideName) {
    const std::string name =
        "\xC3\x9C"
        "ber-\xCE\xA0.LOG";  // "Über-Π.LOG"
    EXPECT_EQ(output_.replace(name, "x\r\n").failure, "");
    EXPECT_EQ(contentOf(L"\u00DCber-\u03A0.LOG"), "x\r\n");
}

// Text the system's code page holds is written in it, byte for byte as ever; text it lacks a
// character of (a Japanese time marker on a Western system) as UTF-8 after a byte-order mark.
TEST_F(FileOutputTest, textKeepsEveryCharacter) {
    const std::string cafe = "PC Name = Caf\xC3\xA9\r\n";                    // "Café"
    const std::string morning = "- \xE5\x8D\x88\xE5\x89\x8D 2:05:09 -\r\n";  // "午前"
    EXPECT_EQ(output_.replace("P.LOG", cafe).failure, "");
    EXPECT_EQ(contentOf(L"P.LOG"), toAnsiCodePage(cafe));
    EXPECT_EQ(output_.replace("J.LOG", morning).failure, "");
    if (GetACP() == 1252) {
        EXPECT_EQ(contentOf(L"P.LOG"), "PC Name = Caf\xE9\r\n");
        EXPECT_EQ(contentOf(L"J.LOG"), "\xEF\xBB\xBF" + morning);
    }
}

// Where no temporary file can be made (a folder of that name stands in its way, as a folder
// the user may not write would), a writable log is rewritten in place; otherwise nothing
// changes and the reason is told. (A log held open by another program stands for one the user
// may not write: root ignores read-only files, a share mode does not.)
TEST_F(FileOutputTest, withoutATemporaryFile) {
    struct Case {
        const char* name;
        bool logExists;
        bool logLocked;
        bool written;
    };
    const Case cases[] = {
        {"INPLACE.LOG", true, false, true},
        {"MISSING.LOG", false, false, false},
        {"LOCKED.LOG", true, true, false},
    };
    for (const auto& c : cases) {
        const std::wstring name = widen(c.name);
        if (c.logExists) put(name, "old record, longer than the new one\r\n");
        HANDLE lock = c.logLocked ? CreateFileW(name.c_str(), GENERIC_READ, 0, nullptr,
                                                OPEN_EXISTING, 0, nullptr)
                                  : INVALID_HANDLE_VALUE;
        ASSERT_TRUE(CreateDirectoryW(temporaryOf(name).c_str(), nullptr));
        const std::string why = output_.replace(c.name, "new\r\n").failure;
        if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
        EXPECT_EQ(why.empty(), c.written) << c.name << ": " << why;
        if (c.written) {
            EXPECT_EQ(contentOf(name), "new\r\n") << c.name;
        } else {
            EXPECT_NE(why.find("temporary"), std::string::npos) << why;
            if (c.logExists) {
                EXPECT_EQ(contentOf(name), "old record, longer than the new one\r\n") << c.name;
            }
        }
    }
}

TEST_F(FileOutputTest, aTargetThatCannotBeReplacedKeepsNoTemporaryFile) {
    ASSERT_TRUE(CreateDirectoryW(L"DIR.LOG", nullptr));
    const FileWrite write = output_.replace("DIR.LOG", "x\r\n");
    EXPECT_NE(write.failure, "");
    EXPECT_EQ(write.refusal, WriteRefusal::Other);  // no reason to write it elsewhere
    EXPECT_EQ(GetFileAttributesW(temporaryOf(L"DIR.LOG").c_str()), INVALID_FILE_ATTRIBUTES);
}

// A viewer that shares reading and writing but not deleting (a log followed as it grows) stops
// every replace: the record is then written in place, through the viewer's sharing.
TEST_F(FileOutputTest, aLogHeldByAViewerIsWrittenInPlace) {
    put(L"HELD.LOG", "old record, longer than the new one\r\n");
    HANDLE viewer = CreateFileW(L"HELD.LOG", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(viewer, INVALID_HANDLE_VALUE);
    const DWORD started = GetTickCount();
    const std::string why = output_.replace("HELD.LOG", "new\r\n").failure;
    const DWORD took = GetTickCount() - started;
    CloseHandle(viewer);
    EXPECT_EQ(why, "");
    EXPECT_EQ(contentOf(L"HELD.LOG"), "new\r\n");
    EXPECT_EQ(filesInFolder(), 1);  // no temporary file left behind
    EXPECT_LT(took, 1500u) << "the tries took " << took << " ms";
}

// No log belongs in the Windows folder or below it, whatever the case of the names.
TEST(LogFolders, theWindowsFolderIsItselfAndWhatLiesBelow) {
    const std::pair<const wchar_t*, bool> cases[] = {
        {L"C:\\Windows", true},
        {L"c:\\windows\\System32", true},
        {L"C:\\WINDOWS\\SysWOW64\\", true},
        {L"C:\\WindowsApps", false},
        {L"C:\\Program Files", false},
        {L"D:\\Windows", false},
        {L"C:\\", false},
    };
    for (const auto& [folder, below] : cases)
        EXPECT_EQ(isAtOrBelow(folder, L"C:\\Windows\\"), below) << narrow(folder);
}

TEST(TemporaryName, staysWithinThePathLimitWhereTheLogDoes) {
    const std::wstring folder = L"C:\\logs\\";
    const auto logOfLength = [&](std::size_t length) {
        return folder + std::wstring(length - folder.size() - 4, L'n') + L".LOG";
    };
    struct Case {
        std::wstring target;
        unsigned long id;
        std::wstring expected;
    };
    const Case cases[] = {
        {L"C:\\logs\\P.LOG", 1234, L"C:\\logs\\P.LOG.1234.tmp"},
        {L"P.LOG", 7, L"P.LOG.7.tmp"},
        // Near the limit: the log's own name, its end made the process's.
        {logOfLength(259), 1234, logOfLength(259).substr(0, 254) + L"~1234"},
        {logOfLength(251), 1234, logOfLength(251) + L"~1234"},
        {logOfLength(259), 4294967295ul, logOfLength(259).substr(0, 248) + L"~4294967295"},
        // Past the limit already: where that works, long paths are enabled.
        {logOfLength(300), 12, logOfLength(300) + L".12.tmp"},
        // A folder so deep that no name of the process fits beside the log.
        {std::wstring(255, L'd') + L"\\A", 1234, L""},
    };
    for (const auto& c : cases) {
        const std::wstring name = temporaryNameFor(c.target, c.id);
        EXPECT_EQ(name, c.expected) << narrow(c.target);
        if (!name.empty() && c.target.size() < MAX_PATH &&
            c.target.find(L'\\') != std::wstring::npos) {
            EXPECT_LT(name.size(), static_cast<std::size_t>(MAX_PATH)) << narrow(c.target);
            EXPECT_NE(name, c.target);
            EXPECT_EQ(name.substr(0, name.find_last_of(L'\\')),
                      c.target.substr(0, c.target.find_last_of(L'\\')));
        }
    }
}

TEST(ExecutableName, isTheFileNameWithoutFolderAndExtension) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"C:\\Tools\\RI-ZUZERU-VAVUZA.exe", L"RI-ZUZERU-VAVUZA"},
        {L"C:\\a.b\\Prog.x.exe", L"Prog.x"},
        {L"\\\\server\\share\\Prog", L"Prog"},
        {L"C:/mixed/slashes/Prog.EXE", L"Prog"},
        {L"C:\\dir\\.hidden", L".hidden"},
    };
    for (const auto& [path, name] : cases) EXPECT_EQ(baseNameOf(path), name) << narrow(path);
    EXPECT_EQ(Win32ExecutableName().executableName(), "os_win32_tests");
}

TEST(Environment, computerNameIsTheVariableOrNothing) {
    SetEnvironmentVariableW(L"COMPUTERNAME", L"B\u00DCRO-PC");
    EXPECT_EQ(Win32Environment().computerName(), "B\xC3\x9CRO-PC");
    SetEnvironmentVariableW(L"COMPUTERNAME", std::wstring(300, L'N').c_str());
    EXPECT_EQ(Win32Environment().computerName(), std::string(300, 'N'));
    SetEnvironmentVariableW(L"COMPUTERNAME", nullptr);
    EXPECT_EQ(Win32Environment().computerName(), "");
}

// Last in this program: the search stays restricted for the rest of the process. The DLL lies
// beside the test program, where an unrestricted search finds it first.
TEST(DllSearch, aDllBesideTheProgramIsNotLoadedOnceRestricted) {
    const wchar_t* planted = L"rzv_planted.dll";
    HMODULE found = LoadLibraryW(planted);
    ASSERT_NE(found, nullptr) << "the planted DLL is not beside the test program";
    FreeLibrary(found);
    DeleteFileW(L"PLANTED-DLL-LOADED");
    EXPECT_TRUE(restrictDllSearch());
    found = LoadLibraryW(planted);
    EXPECT_EQ(found, nullptr);
    if (found) FreeLibrary(found);
    DeleteFileW(L"PLANTED-DLL-LOADED");
}

}  // namespace
}  // namespace rzv
