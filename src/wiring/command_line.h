// The program's command line, the same for every front end: --help and --version answer and end
// the program before any window exists; anything else is refused. Without arguments the window
// opens. A console front end prints the answer; a windowed one shows it in a message box.
#pragma once

#include <string>
#include <vector>

namespace rzv {

struct CommandLineAnswer {
    enum class Kind {
        OpenWindow,  // no options: run as usual
        Answer,      // --help or --version: `text` for standard output, then end
        Refusal,     // an unknown option: `text` for standard error, then end
    };
    Kind kind = Kind::OpenWindow;
    std::string text;
    int exitStatus = 0;
    std::string platform = {};  // the toolkit's platform named by -platform, for OpenWindow
};

// What the help tells about this front end: the program's file name without folder or
// extension (the log file is named after it) and where its settings are kept, in words; and
// whether it runs on Qt, which takes `-platform NAME` (or `--platform NAME`) and chooses the
// window system on Linux desktops.
struct ProgramFacts {
    std::string name;
    std::string settingsPlace;
    bool onQt = false;
};

// `arguments` without the program's own path.
CommandLineAnswer readCommandLine(const std::vector<std::string>& arguments,
                                  const ProgramFacts& facts);

std::string usageText(const ProgramFacts& facts);
std::string versionText();

// For a window that wraps lines itself (a message box): each line that goes on with a sentence
// of the line before it (same indentation, a small letter first) joined to that line, so that
// the window's own wrapping does not break the text a second time.
std::string asParagraphs(const std::string& text);

// The file name without folder or extension, from the path the program was started by.
std::string programNameFrom(const std::string& path);

}  // namespace rzv
