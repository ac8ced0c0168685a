// What the program says about itself on the command line: the help, the version, and the help
// reflowed for a window that wraps lines itself.
#pragma once

#include <string>

namespace rzv {

// What the help tells about this front end: the program's file name without folder or
// extension (the log file is named after it) and where its settings are kept, in words; and
// whether it runs on Qt, which takes `-platform NAME` (or `--platform NAME`) and chooses the
// window system on Linux desktops.
struct ProgramFacts {
    std::string name;
    std::string settingsPlace;
    bool onQt = false;
    // The folders that take the log where the start folder does not, in words.
    std::string documentsPlace = "the user's documents folder";
    std::string statePlace = "the program's folder of the user's state";
};

std::string usageText(const ProgramFacts& facts);
std::string versionText();

// For a window that wraps lines itself (a message box): each line that goes on with a sentence
// of the line before it (same indentation, a small letter first) joined to that line, so that
// the window's own wrapping does not break the text a second time.
std::string asParagraphs(const std::string& text);

}  // namespace rzv
