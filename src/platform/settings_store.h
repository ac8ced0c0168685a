#pragma once

#include <string>
#include <string_view>

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
};

}  // namespace rzv
