#include "os/win32/wide_text.h"

#include <windows.h>

#include <climits>

namespace rzv {
namespace {

int lengthOf(std::size_t size) {
    return size > INT_MAX ? INT_MAX : static_cast<int>(size);
}

std::string fromWide(std::wstring_view wide, UINT codePage) {
    if (wide.empty()) return {};
    const int length = lengthOf(wide.size());
    const int bytes =
        WideCharToMultiByte(codePage, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        WideCharToMultiByte(codePage, 0, wide.data(), length, out.data(), bytes, nullptr, nullptr);
    return out;
}

}  // namespace

std::wstring widen(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int length = lengthOf(utf8.size());
    const int chars = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(chars > 0 ? chars : 0), L'\0');
    if (chars > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, out.data(), chars);
    return out;
}

std::string narrow(std::wstring_view wide) {
    return fromWide(wide, CP_UTF8);
}

std::string toAnsiCodePage(std::string_view utf8) {
    return fromWide(widen(utf8), CP_ACP);
}

std::string asLogText(std::string_view utf8) {
    const std::wstring wide = widen(utf8);
    // Where the code page is UTF-8 itself nothing is lost (and the lossy flag is not allowed).
    if (wide.empty() || GetACP() == CP_UTF8) return narrow(wide);
    BOOL lossy = FALSE;
    const int length = lengthOf(wide.size());
    const int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length,
                                          nullptr, 0, nullptr, &lossy);
    if (bytes <= 0 || lossy) return "\xEF\xBB\xBF" + narrow(wide);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, out.data(), bytes,
                        nullptr, nullptr);
    return out;
}

std::string systemMessage(unsigned long error) {
    wchar_t* buffer = nullptr;
    const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                        FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK;
    const DWORD length =
        FormatMessageW(flags, nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L' ' || text.back() == L'.')) text.pop_back();
    if (text.empty()) return "system error " + std::to_string(error);
    return narrow(text);
}

}  // namespace rzv
