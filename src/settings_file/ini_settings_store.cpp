#include "settings_file/ini_settings_store.h"

#include <algorithm>
#include <vector>

#include "settings_file/ini_text.h"

namespace rzv {
namespace {

std::string keysOf(const SettingsStore::Texts& texts) {
    std::vector<std::string> named;  // a key written twice is named once
    std::string names;
    for (const auto& [key, text] : texts) {
        if (std::find(named.begin(), named.end(), key) != named.end()) continue;
        named.push_back(key);
        if (!names.empty()) names += ", ";
        names += key;
    }
    return names;
}

}  // namespace

std::string IniSettingsStore::fileOf(std::string_view application) const {
    return folder_ + "/" + std::string(application) + ".conf";
}

std::string IniSettingsStore::read(std::string_view application, std::string_view section,
                                   std::string_view key, std::string_view fallback) {
    const std::string file = fileOf(application);
    std::string content;
    bool exists = false;
    if (auto failure = input_.read(file, content, exists); !failure.empty()) {
        const std::string line = "cannot read settings from " + file + ": " + failure;
        if (line != lastReadFailure_) diagnostics_.warn(line);
        lastReadFailure_ = line;
        return std::string(fallback);
    }
    lastReadFailure_.clear();
    auto value = ini::valueOf(content, section, key);
    return value ? *value : std::string(fallback);
}

void IniSettingsStore::write(std::string_view application, std::string_view section,
                             std::string_view key, std::string_view text) {
    const auto failure = writeAll(application, section, {{std::string(key), std::string(text)}});
    if (!failure.empty()) diagnostics_.warn(failure);
}

std::string IniSettingsStore::writeAll(std::string_view application, std::string_view section,
                                       const Texts& texts) {
    if (texts.empty()) return {};
    const std::string file = fileOf(application);
    std::string failure;
    const auto lock = locks_.lock(file, failure);
    if (!lock) return "settings " + keysOf(texts) + " not saved in " + file + ": " + failure;
    failure = save(file, section, texts);
    const std::string unlocked = lock->release();
    if (!failure.empty())
        return "settings " + keysOf(texts) + " not saved in " + file + ": " + failure;
    if (!unlocked.empty())
        return "settings saved in " + file + ", but its lock cannot be removed (" + unlocked +
               "); the next save clears it";
    return {};
}

std::string IniSettingsStore::save(const std::string& file, std::string_view section,
                                   const Texts& texts) {
    std::string content;
    bool exists = false;
    if (auto failure = input_.read(file, content, exists); !failure.empty())
        return "cannot read it: " + failure;
    const auto edited = ini::withValues(content, section, texts);
    if (!edited)
        return "the file ends inside a quoted text, so adding to it would change other settings";
    if (exists && *edited == content) return {};  // it holds these texts already
    return output_.replace(file, *edited).failure;
}

}  // namespace rzv
