#include "app/help_text.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "core/product.h"

namespace rzv {
namespace {

std::size_t indentOf(std::string_view line) {
    return std::min(line.find_first_not_of(' '), line.size());
}

bool goesOn(std::string_view before, std::string_view line) {
    const std::size_t indent = indentOf(line);
    return !before.empty() && indent < line.size() && indent == indentOf(before) &&
           std::islower(static_cast<unsigned char>(line[indent]));
}

// The window system on Linux, as the Qt front end chooses it.
constexpr const char* kWindowSystemText =
    "Window system:\n"
    "  On a Wayland desktop that also runs an X server (Xwayland: DISPLAY is set and answers)\n"
    "  the window opens through X11, where it keeps its place and Always On Top works; Wayland\n"
    "  lets no program place its window or keep it above the others. Without an X server the\n"
    "  window opens where the desktop puts it, its stored place is kept for the next start on\n"
    "  X11, and Always On Top cannot work. QT_QPA_PLATFORM or -platform chooses otherwise.\n"
    "\n";

}  // namespace

std::string usageText(const ProgramFacts& facts) {
    const std::string& name = facts.name;
    return "Usage: " + name +
           " [--log-and-close | --help | --version]\n"
           "\n"
           "Shows how long this computer has been running since it was last started, in whole\n"
           "days, hours, minutes and seconds. START writes that uptime, with the date, the time\n"
           "and the computer's name, to the log file about eleven seconds later. With Auto Start\n"
           "and Auto Close ticked the program logs once by itself and closes about 21 seconds\n"
           "after it starts.\n"
           "\n"
           "Files:\n"
           "  " +
           name +
           ".LOG\n"
           "      the latest uptime record, in the folder the program is started from; each\n"
           "      record replaces the one before. Where that folder may not be written (or is\n"
           "      the Windows folder), in " +
           facts.documentsPlace +
           ",\n"
           "      else in " +
           facts.statePlace +
           "\n"
           "  " +
           facts.settingsPlace +
           "\n"
           "      the window's place and the options Auto Start, Auto Close and Always On Top\n"
           "\n" +
           (facts.onQt ? kWindowSystemText : "") +
           "Options:\n"
           "      --log-and-close\n"
           "                 log the uptime once and close about 21 seconds later, whatever the\n"
           "                 stored options, which stay as they are; exit status 1 when the\n"
           "                 record could be written nowhere\n"
           "  -h, --help     show this help and exit\n"
           "      --version  show the name and version and exit\n" +
           (facts.onQt ? "  -platform NAME\n"
                         "      open the window on Qt's platform NAME (xcb, wayland, ...); Qt's\n"
                         "      other options (-style, -display, -session, ...) are Qt's too\n"
                       : "");
}

std::string versionText() {
    return std::string(kProductName) + " " + kProductVersion + "\n";
}

std::string asParagraphs(const std::string& text) {
    // Split by hand: a string stream would pull the whole of iostreams into the static Windows
    // executable (some 400 KB) for this one loop.
    const std::string_view all(text);
    std::string out;
    std::string_view before;
    for (std::size_t start = 0; start < all.size();) {
        const std::size_t end = std::min(all.find('\n', start), all.size());
        const std::string_view line = all.substr(start, end - start);
        if (start == 0)
            out += line;
        else if (goesOn(before, line))
            (out += ' ') += line.substr(indentOf(line));
        else
            (out += '\n') += line;
        before = line;
        start = end + 1;
    }
    if (!text.empty() && text.back() == '\n') out += '\n';
    return out;
}

}  // namespace rzv
