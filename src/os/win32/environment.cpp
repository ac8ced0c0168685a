#include "os/win32/environment.h"

#include <windows.h>

#include <string>

#include "os/win32/wide_text.h"

namespace rzv {

std::string Win32Environment::computerName() {
    std::wstring value(64, L'\0');
    for (;;) {
        const DWORD length = GetEnvironmentVariableW(L"COMPUTERNAME", value.data(),
                                                     static_cast<DWORD>(value.size()));
        if (length == 0) return {};  // not set, or set empty
        if (length < value.size()) return narrow(std::wstring_view(value.data(), length));
        value.resize(length);  // the length asked for includes the terminating null
    }
}

}  // namespace rzv
