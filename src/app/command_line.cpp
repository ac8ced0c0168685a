#include "app/command_line.h"

#include <algorithm>

namespace rzv {
namespace {

bool isHelp(const std::string& a) {
    return a == "--help" || a == "-h";
}
bool isVersion(const std::string& a) {
    return a == "--version";
}

// The options Qt reads itself (QGuiApplication, QApplication and its X11 platform), also with
// two dashes, and how each takes its value. A session manager restarts a program with -session,
// a user may choose a style or a display: all of it is Qt's, none of it ours.
enum class Value { None, Next, NextOrAttached, Attached };  // attached: "-style=fusion"
struct ToolkitOption {
    const char* name;
    Value value;
};
constexpr ToolkitOption kQtOptions[] = {
    {"platform", Value::Next},
    {"platformpluginpath", Value::Next},
    {"platformtheme", Value::Next},
    {"plugin", Value::Next},
    {"qwindowgeometry", Value::Next},
    {"qwindowicon", Value::Next},
    {"qwindowtitle", Value::Next},
    {"reverse", Value::None},
    {"session", Value::Next},
    {"style", Value::NextOrAttached},
    {"stylesheet", Value::NextOrAttached},
    {"widgetcount", Value::None},
    {"qmljsdebugger", Value::Attached},
    {"display", Value::Next},
    {"geometry", Value::Next},
    {"title", Value::Next},
    {"name", Value::Next},
    {"visual", Value::Next},
    {"sync", Value::None},
    {"nograb", Value::None},
    {"dograb", Value::None},
    {"testability", Value::None},
};

// The Qt option `argument` names ("-style", "--style", "-style=fusion"), or none; `attached`
// tells whether its value came with it.
const ToolkitOption* qtOption(const std::string& argument, bool& attached) {
    const std::size_t dashes = argument.rfind("--", 0) == 0 ? 2 : argument.rfind('-', 0) == 0;
    if (dashes == 0) return nullptr;
    const std::size_t equals = argument.find('=');
    const std::string name = argument.substr(dashes, equals - std::min(equals, dashes));
    attached = equals != std::string::npos;
    for (const ToolkitOption& option : kQtOptions) {
        if (name != option.name) continue;
        const bool fits =
            attached ? option.value == Value::NextOrAttached || option.value == Value::Attached
                     : option.value != Value::Attached;
        return fits ? &option : nullptr;
    }
    return nullptr;
}

CommandLineAnswer refusal(const ProgramFacts& facts, const std::string& what) {
    return {CommandLineAnswer::Kind::Refusal,
            facts.name + ": " + what + "\nTry '" + facts.name + " --help' for more information.\n",
            2};
}

}  // namespace

CommandLineAnswer readCommandLine(const std::vector<std::string>& arguments,
                                  const ProgramFacts& facts) {
    using Kind = CommandLineAnswer::Kind;
    bool help = false, version = false, logAndClose = false, attached = false;
    std::string platform, display;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (isHelp(argument)) {
            help = true;
        } else if (isVersion(argument)) {
            version = true;
        } else if (argument == "--log-and-close") {
            logAndClose = true;
        } else if (const ToolkitOption* option =
                       facts.onQt ? qtOption(argument, attached) : nullptr) {
            if (attached || option->value == Value::None) continue;
            if (i + 1 == arguments.size() || arguments[i + 1].empty())
                return refusal(facts, "option '" + argument + "' needs a value");
            if (std::string(option->name) == "platform") platform = arguments[i + 1];
            if (std::string(option->name) == "display") display = arguments[i + 1];
            ++i;
        } else {
            const char* what =
                argument.rfind('-', 0) == 0 ? "unknown option" : "unexpected argument";
            return refusal(facts, std::string(what) + " '" + argument + "'");
        }
    }
    if (help) return {Kind::Answer, usageText(facts), 0};
    if (version) return {Kind::Answer, versionText(), 0};
    CommandLineAnswer open;
    open.platform = platform;
    open.display = display;
    open.logAndClose = logAndClose;
    return open;
}

}  // namespace rzv
