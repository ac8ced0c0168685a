#include "app/command_line.h"

#include <gtest/gtest.h>

#include "core/product.h"

namespace rzv {
namespace {

const ProgramFacts kFacts{"RI-ZUZERU-VAVUZA", "~/.config/QV_ZIV.conf"};

std::string firstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

TEST(CommandLineTest, answersHelpAndVersionAndRefusesAnythingElse) {
    using Kind = CommandLineAnswer::Kind;
    const std::string usage = "Usage: RI-ZUZERU-VAVUZA [--log-and-close | --help | --version]";
    const std::string version = std::string("RI-ZUZERU-VAVUZA ") + kProductVersion;
    struct Case {
        std::vector<std::string> arguments;
        Kind kind;
        int exitStatus;
        std::string firstLine;
    };
    const Case cases[] = {
        {{}, Kind::OpenWindow, 0, ""},
        {{"--help"}, Kind::Answer, 0, usage},
        {{"-h"}, Kind::Answer, 0, usage},
        {{"--version"}, Kind::Answer, 0, version},
        {{"--version", "--help"}, Kind::Answer, 0, usage},  // help wins, as is the custom
        {{"--verbose"}, Kind::Refusal, 2, "RI-ZUZERU-VAVUZA: unknown option '--verbose'"},
        {{"--help", "-x"}, Kind::Refusal, 2, "RI-ZUZERU-VAVUZA: unknown option '-x'"},
        {{"notes.txt"}, Kind::Refusal, 2, "RI-ZUZERU-VAVUZA: unexpected argument 'notes.txt'"},
        {{"--HELP"}, Kind::Refusal, 2, "RI-ZUZERU-VAVUZA: unknown option '--HELP'"},
    };
    for (const Case& c : cases) {
        const std::string given = c.arguments.empty() ? "(none)" : c.arguments.front();
        const CommandLineAnswer answer = readCommandLine(c.arguments, kFacts);
        EXPECT_EQ(answer.kind, c.kind) << given;
        EXPECT_EQ(answer.exitStatus, c.exitStatus) << given;
        EXPECT_EQ(firstLine(answer.text), c.firstLine) << given;
        // A refusal says what was wrong in one line, then where to learn more.
        if (c.kind == Kind::Refusal) {
            EXPECT_EQ(answer.text.substr(answer.text.find('\n') + 1),
                      "Try 'RI-ZUZERU-VAVUZA --help' for more information.\n");
        }
    }
    const CommandLineAnswer unattended = readCommandLine({"--log-and-close"}, kFacts);
    EXPECT_EQ(unattended.kind, Kind::OpenWindow);
    EXPECT_TRUE(unattended.logAndClose);
    EXPECT_FALSE(readCommandLine({}, kFacts).logAndClose);
}

// Qt's own options (a session manager's -session, a style, the window system) are left to Qt
// on the Qt front end, -platform's name noted; the native one knows none of them.
TEST(CommandLineTest, onQtQtsOwnOptionsAreLeftToQt) {
    using Kind = CommandLineAnswer::Kind;
    const ProgramFacts onQt{"RI-ZUZERU-VAVUZA", "~/.config/QV_ZIV.conf", true};
    struct Case {
        std::vector<std::string> arguments;
        bool qt;
        Kind kind;
        std::string platformOrFirstLine;
    };
    const Case cases[] = {
        {{"-platform", "xcb"}, true, Kind::OpenWindow, "xcb"},
        {{"--platform", "wayland"}, true, Kind::OpenWindow, "wayland"},
        {{"-platform", "--help"}, true, Kind::OpenWindow, "--help"},  // a name, as Qt reads it
        {{"-platform", "xcb", "--version"}, true, Kind::Answer, ""},
        {{"-session", "10d3f-1", "-style", "fusion"}, true, Kind::OpenWindow, ""},
        {{"--session", "10d3f-1", "-style=fusion", "-reverse"}, true, Kind::OpenWindow, ""},
        {{"-display", ":1", "-name", "uptime", "-qmljsdebugger=port:9"},
         true,
         Kind::OpenWindow,
         ""},
        {{"-platform"}, true, Kind::Refusal, "RI-ZUZERU-VAVUZA: option '-platform' needs a value"},
        {{"--platform", ""},
         true,
         Kind::Refusal,
         "RI-ZUZERU-VAVUZA: option '--platform' needs a value"},
        {{"-reverse=yes"}, true, Kind::Refusal, "RI-ZUZERU-VAVUZA: unknown option '-reverse=yes'"},
        {{"-session", "1"}, false, Kind::Refusal, "RI-ZUZERU-VAVUZA: unknown option '-session'"},
        {{"-platform", "xcb"},
         false,
         Kind::Refusal,
         "RI-ZUZERU-VAVUZA: unknown option '-platform'"},
    };
    for (const Case& c : cases) {
        const CommandLineAnswer answer = readCommandLine(c.arguments, c.qt ? onQt : kFacts);
        const std::string given = c.arguments.back() + (c.qt ? " on Qt" : " natively");
        EXPECT_EQ(answer.kind, c.kind) << given;
        const std::string seen = c.kind == Kind::OpenWindow ? answer.platform
                                 : c.kind == Kind::Refusal  ? firstLine(answer.text)
                                                            : "";
        EXPECT_EQ(seen, c.platformOrFirstLine) << given;
    }
    const std::string help = usageText(onQt);
    for (const char* part : {"-platform NAME", "Xwayland", "QT_QPA_PLATFORM"})
        EXPECT_NE(help.find(part), std::string::npos) << part;
    EXPECT_EQ(usageText(kFacts).find("Wayland"), std::string::npos);
}

TEST(CommandLineTest, helpNamesTheFilesAfterTheProgramAndListsEveryOption) {
    const std::string help = usageText({"UPTIME-COPY", "the registry"});
    for (const char* part : {"UPTIME-COPY.LOG", "the registry", "--help", "--version"})
        EXPECT_NE(help.find(part), std::string::npos) << part;
    EXPECT_EQ(help.find("RI-ZUZERU-VAVUZA"), std::string::npos);
}

// A message box wraps the text itself: sentences are joined, entries and paragraphs are not.
TEST(CommandLineTest, aBoxGetsTheSentencesWholeAndTheEntriesOnLinesOfTheirOwn) {
    const std::pair<const char*, const char*> cases[] = {
        {"Shows how\nlong it runs.\n\nNext one\ngoes on\n",
         "Shows how long it runs.\n\nNext one goes on\n"},
        {"Files:\n  X.LOG\n      the record, each\n      record replaces\n  -h  help\n      "
         "--version",
         "Files:\n  X.LOG\n      the record, each record replaces\n  -h  help\n      --version"},
        {"X: unknown option '-q'\nUsage: X", "X: unknown option '-q'\nUsage: X"},
        {"", ""},
    };
    for (const auto& [text, joined] : cases) EXPECT_EQ(asParagraphs(text), joined) << text;
    const std::string help = asParagraphs(usageText(kFacts));
    EXPECT_EQ(firstLine(help), "Usage: RI-ZUZERU-VAVUZA [--log-and-close | --help | --version]");
    EXPECT_NE(help.find("in whole days, hours"), std::string::npos);
}

TEST(CommandLineTest, theProgramIsNamedByItsFileWithoutFolderOrExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"/usr/bin/RI-ZUZERU-VAVUZA", "RI-ZUZERU-VAVUZA"},
        {"./UPTIME.v2.exe", "UPTIME.v2"},
        {"C:\\Tools\\UPTIME.EXE", "UPTIME"},
        {"/opt/tools.d/UPTIME", "UPTIME"},  // a dot in a folder is no extension
        {"C:\\Tools/UPTIME.EXE", "UPTIME"},
        {"/home/u/.hidden", ".hidden"},
        {"", "RI-ZUZERU-VAVUZA"},
    };
    for (const auto& [path, name] : cases) EXPECT_EQ(programNameFrom(path), name) << path;
}

}  // namespace
}  // namespace rzv
