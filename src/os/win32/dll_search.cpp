#include "os/win32/dll_search.h"

#include <windows.h>

namespace rzv {

bool restrictDllSearch() {
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    bool limited = false;
    if (const HMODULE kernel = GetModuleHandleW(L"kernel32.dll")) {
        const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
        limited = setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    const bool workingDirectoryLeftOut = SetDllDirectoryW(L"") != 0;
    return limited && workingDirectoryLeftOut;
}

}  // namespace rzv
