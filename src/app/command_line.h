// The program's command line, the same for every front end: --help and --version answer and end
// the program before any window exists; --log-and-close opens the window for one logging run
// that closes itself; on Qt, Qt's own options are left to it; anything else is refused in two
// lines. Without arguments the window opens. A console front
// end prints the answer; a windowed one shows it in a message box.
#pragma once

#include <string>
#include <vector>

#include "app/help_text.h"
#include "app/program_name.h"  // the front ends name the program in ProgramFacts with it

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
    std::string display = {};   // the X display named by -display
    bool logAndClose = false;   // --log-and-close: one logging run, then close
};

// `arguments` without the program's own path.
CommandLineAnswer readCommandLine(const std::vector<std::string>& arguments,
                                  const ProgramFacts& facts);

}  // namespace rzv
