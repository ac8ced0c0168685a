#include "os/win32/executable_name.h"

#include <windows.h>

#include "os/win32/wide_text.h"

namespace rzv {

std::string Win32ExecutableName::executableName() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return narrow(baseNameOf(path));
        }
        path.resize(path.size() * 2);  // truncated: a long path
    }
}

std::wstring baseNameOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0) name.resize(dot);
    return name;
}

}  // namespace rzv
