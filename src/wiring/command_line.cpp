#include "wiring/command_line.h"

namespace rzv {
namespace {

bool isHelp(const std::string& a) {
    return a == "--help" || a == "-h";
}
bool isVersion(const std::string& a) {
    return a == "--version";
}

}  // namespace

CommandLineAnswer readCommandLine(const std::vector<std::string>& arguments,
                                  const ProgramFacts& facts) {
    using Kind = CommandLineAnswer::Kind;
    bool help = false, version = false;
    for (const auto& argument : arguments) {
        if (isHelp(argument)) {
            help = true;
        } else if (isVersion(argument)) {
            version = true;
        } else {
            const char* what =
                argument.rfind('-', 0) == 0 ? "unknown option" : "unexpected argument";
            return {Kind::Refusal,
                    facts.name + ": " + what + " '" + argument + "'\n" + usageText(facts), 2};
        }
    }
    if (help) return {Kind::Answer, usageText(facts), 0};
    if (version) return {Kind::Answer, versionText(), 0};
    return {};
}

}  // namespace rzv
