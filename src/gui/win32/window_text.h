// A window's text.
#pragma once

#include <windows.h>

#include <string>

namespace rzv {

std::wstring textOf(HWND window);
// Sets the text only when it differs: an unchanged control is not repainted.
void setTextIfChanged(HWND window, const std::wstring& text);

}  // namespace rzv
