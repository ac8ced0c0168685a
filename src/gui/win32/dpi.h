// The DPI of windows and their frames, on every Windows from 7 SP1 on. The per-monitor calls
// (Windows 10 1607 and later) are looked up when first needed, never imported: a loader of an
// older system refuses an executable that imports a function it lacks. Without them the
// system DPI stands in, which is what an older system scales everything by.
#pragma once

#include <windows.h>

namespace rzv {

// The DPI the system draws at for programs that know no monitor of their own.
UINT systemDpi();
// The DPI of the monitor `window` is on; the system DPI where the system cannot tell.
UINT dpiOf(HWND window);
// The outer rectangle of a window of these styles whose client area is `client`, with the
// frame the system gives it at `dpi` (for this executable's subsystem version).
RECT outerOfClient(const RECT& client, DWORD style, DWORD exStyle, UINT dpi);
// A control's twips at its window's DPI, clamped as every placement is.
int pixelsOf(double twips, UINT dpi);

}  // namespace rzv
