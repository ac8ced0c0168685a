#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rzv {

// The per-user store of texts addressed by application, section and key. Nothing is ever deleted
// or listed.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // The stored text, or `fallback` when the key does not exist.
    virtual std::string read(std::string_view application, std::string_view section,
                             std::string_view key, std::string_view fallback) = 0;
    // Creates whatever part of the address is missing and replaces an existing text.
    virtual void write(std::string_view application, std::string_view section, std::string_view key,
                       std::string_view text) = 0;

    // Keys with their texts, in the order they are written.
    using Texts = std::vector<std::pair<std::string, std::string>>;

    // Writes the keys in order, with the result of as many write() calls, but at once where the
    // store can: a file store locks and replaces its file once. Empty when the store reported
    // its own failures or there were none; else one line that names the keys not saved and
    // why, for the caller to report. By default the keys are written one by one.
    virtual std::string writeAll(std::string_view application, std::string_view section,
                                 const Texts& texts) {
        for (const auto& [key, text] : texts) write(application, section, key, text);
        return {};
    }
};

}  // namespace rzv
