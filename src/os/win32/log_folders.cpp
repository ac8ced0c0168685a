#include "os/win32/log_folders.h"

#include <windows.h>
// After windows.h, which they need.
#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>

#include "os/win32/wide_text.h"
#include "platform/os_parts.h"

namespace rzv {
namespace {

std::wstring withoutTrailingSeparator(std::wstring folder) {
    while (folder.size() > 3 && (folder.back() == L'\\' || folder.back() == L'/'))
        folder.pop_back();
    return folder;
}

std::wstring knownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path)) && path) folder = path;
    CoTaskMemFree(path);
    return folder;
}

// The name of a folder with a separator after it, ready for a file name.
std::string asFolder(const std::wstring& folder) {
    return folder.empty() ? "" : narrow(withoutTrailingSeparator(folder)) + "\\";
}

// GetSystemWindowsDirectoryW or GetCurrentDirectoryW: the size asked for, then the name.
template <typename Call>
std::wstring folderFrom(Call call) {
    const UINT needed = call(nullptr, 0);
    if (needed == 0) return {};
    std::wstring folder(needed, L'\0');
    const UINT written = call(folder.data(), needed);
    if (written == 0 || written >= needed) return {};
    folder.resize(written);
    return folder;
}

}  // namespace

bool isAtOrBelow(std::wstring folder, std::wstring top) {
    folder = withoutTrailingSeparator(std::move(folder));
    top = withoutTrailingSeparator(std::move(top));
    if (top.empty() || folder.size() < top.size()) return false;
    if (folder.size() > top.size() && folder[top.size()] != L'\\' && folder[top.size()] != L'/')
        return false;
    const int length = static_cast<int>(top.size());
    return CompareStringOrdinal(folder.c_str(), length, top.c_str(), length, TRUE) == CSTR_EQUAL;
}

bool Win32LogFolders::workingFolderIsTheSystems() {
    const std::wstring windows = folderFrom(
        [](wchar_t* buffer, UINT size) { return GetSystemWindowsDirectoryW(buffer, size); });
    const std::wstring working = folderFrom([](wchar_t* buffer, UINT size) {
        return static_cast<UINT>(GetCurrentDirectoryW(size, buffer));
    });
    return !working.empty() && isAtOrBelow(working, windows);
}

std::string Win32LogFolders::documentsFolder() {
    return asFolder(knownFolder(FOLDERID_Documents));
}

std::string Win32LogFolders::stateFolder(const std::string& name, std::string& failure) {
    const std::wstring local = knownFolder(FOLDERID_LocalAppData);
    if (local.empty()) {
        failure = "the user has no local application data folder";
        return {};
    }
    const std::wstring folder = withoutTrailingSeparator(local) + L"\\" + widen(name);
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        failure = "cannot make " + narrow(folder) + ": " + systemMessage(GetLastError());
        return {};
    }
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        failure = narrow(folder) + " is not a folder";
        return {};
    }
    return asFolder(folder);
}

std::unique_ptr<LogFolders> os::makeLogFolders() {
    return std::make_unique<Win32LogFolders>();
}

}  // namespace rzv
