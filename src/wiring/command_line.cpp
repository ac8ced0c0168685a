#include "wiring/command_line.h"

namespace rzv {
namespace {

bool isHelp(const std::string& a) {
    return a == "--help" || a == "-h";
}
bool isVersion(const std::string& a) {
    return a == "--version";
}
bool isPlatform(const std::string& a) {
    return a == "-platform" || a == "--platform";
}

}  // namespace

CommandLineAnswer readCommandLine(const std::vector<std::string>& arguments,
                                  const ProgramFacts& facts) {
    using Kind = CommandLineAnswer::Kind;
    bool help = false, version = false, logAndClose = false;
    std::string platform;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (facts.onQt && isPlatform(argument)) {
            if (i + 1 == arguments.size() || arguments[i + 1].empty())
                return {Kind::Refusal,
                        facts.name + ": option '" + argument + "' needs a platform name\n" +
                            usageText(facts),
                        2};
            platform = arguments[++i];
        } else if (isHelp(argument)) {
            help = true;
        } else if (isVersion(argument)) {
            version = true;
        } else if (argument == "--log-and-close") {
            logAndClose = true;
        } else {
            const char* what =
                argument.rfind('-', 0) == 0 ? "unknown option" : "unexpected argument";
            return {Kind::Refusal,
                    facts.name + ": " + what + " '" + argument + "'\n" + usageText(facts), 2};
        }
    }
    if (help) return {Kind::Answer, usageText(facts), 0};
    if (version) return {Kind::Answer, versionText(), 0};
    CommandLineAnswer open;
    open.platform = platform;
    open.logAndClose = logAndClose;
    return open;
}

}  // namespace rzv
