// A harmless DLL that only tells that it was loaded: planted beside a program under the name of
// a DLL the system loads on demand, it must never be loaded from there. On loading it creates
// the file PLANTED-DLL-LOADED in the working directory and does nothing else.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        HANDLE marker = CreateFileW(L"PLANTED-DLL-LOADED", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
    }
    return TRUE;
}
