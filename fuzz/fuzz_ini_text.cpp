// The settings file's reader and editor over any text (the file is the user's to edit): reading
// never fails, a save either leaves the file alone or makes every one of its keys read back as
// written and every other key as before, and saving the same again changes nothing.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings_file/ini_text.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    // The first line is the text to save (one of the close's keys), the rest the file.
    const auto end = input.find('\n');
    const std::string text(input.substr(0, end));
    const std::string_view file = end == std::string_view::npos ? "" : input.substr(end + 1);
    const std::string section = "RI-ZUZERU-VAVUZA";
    const std::vector<std::pair<std::string, std::string>> keys = {
        {"MAIN_Left", text}, {"MAIN_Top", "567"}, {"AUTOCLOSE_TICKBOX", "1"}};

    auto before = rzv::ini::entriesOf(file);
    const auto saved = rzv::ini::withValues(file, section, keys);
    if (!saved) return 0;
    auto after = rzv::ini::entriesOf(*saved);
    bool plain = true;  // a valid UTF-8 text reads back as it is
    for (unsigned char c : text) plain = plain && c >= 0x20 && c < 0x7F;
    for (const auto& [key, value] : keys) {
        const auto read = rzv::ini::valueOf(*saved, section, key);
        require(read.has_value());
        if (plain || key != "MAIN_Left") require(*read == value);
        before.erase({section, key});
        after.erase({section, key});
    }
    require(before == after);
    require(rzv::ini::withValues(*saved, section, keys) == saved);
    return 0;
}
