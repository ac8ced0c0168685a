#include "os/win32/registry_settings_store.h"

#include <windows.h>

#include "os/win32/wide_text.h"

namespace rzv {
namespace {

// An open registry key, closed when it goes.
class RegistryKey {
  public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() {
        if (key_) RegCloseKey(key_);
    }
    HKEY* out() { return &key_; }
    HKEY get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

// The text of a REG_SZ value; nothing for a missing value, "" for one of another type.
bool queryText(HKEY key, const std::wstring& name, std::wstring& text) {
    DWORD type = 0, bytes = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
        return false;
    text.clear();
    if (type != REG_SZ && type != REG_EXPAND_SZ) return true;
    // The value may change between the two calls: ask until it fits.
    for (;;) {
        std::wstring buffer(bytes / sizeof(wchar_t) + 1, L'\0');
        DWORD size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        const LONG status = RegQueryValueExW(key, name.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (status == ERROR_MORE_DATA) {
            bytes = size;
            continue;
        }
        if (status != ERROR_SUCCESS) return false;
        buffer.resize(size / sizeof(wchar_t));
        // A stored text may or may not carry its terminating null.
        while (!buffer.empty() && buffer.back() == L'\0') buffer.pop_back();
        text = std::move(buffer);
        return true;
    }
}

}  // namespace

std::wstring RegistrySettingsStore::pathOf(std::string_view application,
                                           std::string_view section) const {
    return root_ + L"\\" + widen(application) + L"\\" + widen(section);
}

std::string RegistrySettingsStore::read(std::string_view application, std::string_view section,
                                        std::string_view key, std::string_view fallback) {
    RegistryKey open;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, pathOf(application, section).c_str(), 0, KEY_QUERY_VALUE,
                      open.out()) != ERROR_SUCCESS)
        return std::string(fallback);
    std::wstring text;
    if (!queryText(open.get(), widen(key), text)) return std::string(fallback);
    return narrow(text);
}

void RegistrySettingsStore::write(std::string_view application, std::string_view section,
                                  std::string_view key, std::string_view text) {
    const std::wstring path = pathOf(application, section);
    RegistryKey open;
    LONG status =
        RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, open.out(), nullptr);
    if (status == ERROR_SUCCESS) {
        const std::wstring wide = widen(text);
        status = RegSetValueExW(open.get(), widen(key).c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(wide.c_str()),
                                static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
    }
    if (status != ERROR_SUCCESS)
        diagnostics_.warn("cannot save setting " + std::string(key) + " to HKEY_CURRENT_USER\\" +
                          narrow(path) + ": " + systemMessage(static_cast<unsigned long>(status)));
}

}  // namespace rzv
