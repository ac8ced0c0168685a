#include "settings_file/ini_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rzv::ini {
namespace {

const std::vector<std::pair<std::string, std::string>> kClose = {{"MAIN_Left", "1500"},
                                                                 {"MAIN_Top", "-600"},
                                                                 {"AlwaysOnTop_TICKBOX", "1"},
                                                                 {"AUTOSTART_TICKBOX", "0"},
                                                                 {"AUTOCLOSE_TICKBOX", "2"}};
const std::string kOurs = "RI-ZUZERU-VAVUZA";
const std::string kAdded = "AlwaysOnTop_TICKBOX=1\nAUTOSTART_TICKBOX=0\nAUTOCLOSE_TICKBOX=2\n";

struct EditCase {
    const char* name;
    std::string section;
    std::string before;
    std::string after;
};

// After the close's save only the lines of its keys differ; missing keys follow the section's
// last key, a missing section ends the file.
TEST(IniText, aSaveChangesOnlyTheLinesOfItsKeys) {
    const std::string big = [] {
        std::string text;
        for (int i = 0; text.size() < 1024 * 1024; ++i)
            text += "[Other" + std::to_string(i) + "]\nkey=value " + std::to_string(i) +
                    "\n; a comment\n\n";
        return text;
    }();
    const EditCase cases[] = {
        {"other sections, comments, blank lines, unknown keys", kOurs,
         "; made by hand\n[Other]\nkeep=me\n\n[RI-ZUZERU-VAVUZA]\nMAIN_Left=1234.0\n# note\n"
         "unknown=x ; why\nMAIN_Top = 567.0\n\n[Z]\nz=1\n",
         "; made by hand\n[Other]\nkeep=me\n\n[RI-ZUZERU-VAVUZA]\nMAIN_Left=1500\n# note\n"
         "unknown=x ; why\nMAIN_Top = -600\n" +
             kAdded + "\n[Z]\nz=1\n"},
        {"a %U-encoded section", "RZV-\xEF\xBF\xBD", "[RZV-%UFFFD]\nMAIN_Left=1\n",
         "[RZV-%UFFFD]\nMAIN_Left=1500\nMAIN_Top=-600\n" + kAdded},
        {"a %-encoded Latin-1 section, written by hand in UTF-8", "Pr\xC3\xB6gram",
         "[Pr\xC3\xB6gram]\nMAIN_Top=1\n[Pr%F6gram]\nMAIN_Left=1\n",
         "[Pr\xC3\xB6gram]\nMAIN_Top=-600\n[Pr%F6gram]\nMAIN_Left=1500\n" + kAdded},
        {"CR LF", kOurs, "[Other]\r\na=b\r\n[RI-ZUZERU-VAVUZA]\r\nMAIN_Top=1\r\n",
         "[Other]\r\na=b\r\n[RI-ZUZERU-VAVUZA]\r\nMAIN_Top=-600\r\nMAIN_Left=1500\r\n"
         "AlwaysOnTop_TICKBOX=1\r\nAUTOSTART_TICKBOX=0\r\nAUTOCLOSE_TICKBOX=2\r\n"},
        {"a missing section, no final line break", kOurs, "[Other]\nk=v",
         "[Other]\nk=v\n\n[RI-ZUZERU-VAVUZA]\nMAIN_Left=1500\nMAIN_Top=-600\n" + kAdded},
        {"duplicate keys: the last one counts", kOurs,
         "[RI-ZUZERU-VAVUZA]\nMAIN_Left=1\nMAIN_Left=2\n[Other]\nx=1\n[RI-ZUZERU-VAVUZA]\n"
         "MAIN_Top=3\n",
         "[RI-ZUZERU-VAVUZA]\nMAIN_Left=1\nMAIN_Left=1500\n[Other]\nx=1\n[RI-ZUZERU-VAVUZA]\n"
         "MAIN_Top=-600\n" +
             kAdded},
        {"a line without =, a value over two lines, a quoted one", kOurs,
         "[RI-ZUZERU-VAVUZA]\nnot a key\nMAIN_Left=1\\\n2\nMAIN_Top=\"7, 8\"\n[Z]\n",
         "[RI-ZUZERU-VAVUZA]\nnot a key\nMAIN_Left=1500\nMAIN_Top=-600\n" + kAdded + "[Z]\n"},
        {"an empty file", kOurs, "",
         "[RI-ZUZERU-VAVUZA]\nMAIN_Left=1500\nMAIN_Top=-600\n" + kAdded},
        {"a section named General", "General", "[General]\nMAIN_Left=1\n",
         "[General]\nMAIN_Left=1\n\n[%General]\nMAIN_Left=1500\nMAIN_Top=-600\n" + kAdded},
        {"1 MB of other sections", kOurs, big,
         big + "\n[RI-ZUZERU-VAVUZA]\nMAIN_Left=1500\nMAIN_Top=-600\n" + kAdded},
    };
    for (const auto& c : cases) {
        const auto after = withValues(c.before, c.section, kClose);
        ASSERT_TRUE(after) << c.name;
        EXPECT_EQ(*after, c.after) << c.name;
        for (const auto& [key, text] : kClose) EXPECT_EQ(valueOf(*after, c.section, key), text);
    }
}

TEST(IniText, readsWhatQtAndHandsWrote) {
    struct Case {
        std::string file;
        std::optional<std::string> value;  // of MAIN_Left in [S]
    };
    const Case cases[] = {
        {"[S]\nMAIN_Left=1000\n", "1000"},
        {"\xEF\xBB\xBF[S]\r\nMAIN_Left = 1000 \r\n", "1000"},
        {"[S]\nMAIN_Left=1,5\n", "1,5"},
        {"[S]\nMAIN_Left=1 , 5\n", "1,5"},
        {"[S]\nMAIN_Left=\"2,5\"\n", "2,5"},
        {"[S]\nMAIN_Left=7 ; a comment\n", "7"},
        {"[S]\nMAIN_Left=\"a\\\"b\\\\c\\x41\\101\\t\"\n", "a\"b\\cAA\t"},
        {"[S]\nMAIN_Left=1\\\n2\n", "12"},
        {"[S]\nMAIN_Left=\"1\n2\"\n", "1\n2"},
        {"[S]\nMAIN_Left=@@x\n", "@x"},
        {"[S]\nMAIN_Left=@ByteArray(12)\n", "12"},
        {"[S]\nMAIN_Left=@Invalid()\n", std::nullopt},
        {"[S]\nMAIN_Left=@Rect(1 2 3 4)\n", "@Rect(1 2 3 4)"},
        {"[ S ]\nMAIN%5FLeft=3\n", "3"},
        {"[S]\n;MAIN_Left=3\n", std::nullopt},
        {"[S]\n\"MAIN_Left=3\"\n", std::nullopt},
        {"[S\nMAIN_Left=4\n", "4"},
        {"[T]\nMAIN_Left=3\n", std::nullopt},
        {"[s]\nMAIN_Left=3\n", std::nullopt},
        {"MAIN_Left=3\n", std::nullopt},
        {"[S]\nMAIN_Left=\xFF\n", "\xEF\xBF\xBD"},
    };
    for (const auto& c : cases) EXPECT_EQ(valueOf(c.file, "S", "MAIN_Left"), c.value) << c.file;
}

TEST(IniText, namesAndValuesAreWrittenSoTheyReadBack) {
    EXPECT_EQ(escapedName("RI-ZUZERU-VAVUZA"), "RI-ZUZERU-VAVUZA");
    EXPECT_EQ(escapedName("a b\xC3\xA9\xE4\xB8\xAD/"), "a%20b%E9%U4E2D\\");
    for (const std::string& text :
         std::vector<std::string>{"1000", "-1200", "1234,5", " x ", "@odd", "a;b=c", "\"q\"",
                                  std::string("\x01"
                                              "5\n\t\\",
                                              6),
                                  "\xF0\x9F\x98\x80"}) {
        const auto file = withValues("", "S", {{"k", text}});
        ASSERT_TRUE(file) << text;
        EXPECT_EQ(valueOf(*file, "S", "k"), text) << *file;
    }
    EXPECT_EQ(escapedValue("1,5"), "\"1,5\"");
}

TEST(IniText, leavesAFileWhoseEditWouldChangeOtherKeys) {
    // An open quote swallows everything after it, a new section too.
    EXPECT_FALSE(withValues("[Other]\nk=\"open\n", "S", {{"MAIN_Left", "1"}}));
    EXPECT_EQ(withValues("[S]\nMAIN_Left=\"open\n", "S", {{"MAIN_Left", "1"}}), "[S]\nMAIN_Left=1");
}

}  // namespace
}  // namespace rzv::ini
