#pragma once

#include <string>

#include "platform/diagnostics.h"
#include "platform/settings_store.h"

namespace rzv {

// The per-user store in the registry: HKEY_CURRENT_USER\Software\<application>\<section>, one
// REG_SZ value per key. A value of another type reads as an empty text, which no key accepts, so
// the key falls back to its default as a hand-edited text would.
class RegistrySettingsStore : public SettingsStore {
  public:
    // `root` is the key below HKEY_CURRENT_USER that holds the applications ("Software").
    explicit RegistrySettingsStore(Diagnostics& diagnostics, std::wstring root = L"Software")
        : diagnostics_(diagnostics), root_(std::move(root)) {}

    std::string read(std::string_view application, std::string_view section, std::string_view key,
                     std::string_view fallback) override;
    void write(std::string_view application, std::string_view section, std::string_view key,
               std::string_view text) override;

  private:
    std::wstring pathOf(std::string_view application, std::string_view section) const;

    Diagnostics& diagnostics_;
    std::wstring root_;
};

}  // namespace rzv
