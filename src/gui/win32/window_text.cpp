#include "gui/win32/window_text.h"

namespace rzv {

std::wstring textOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void setTextIfChanged(HWND window, const std::wstring& text) {
    if (textOf(window) != text) SetWindowTextW(window, text.c_str());
}

}  // namespace rzv
