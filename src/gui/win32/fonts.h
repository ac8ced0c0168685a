// The designed fonts of the two windows, made at a window's DPI.
#pragma once

#include <windows.h>

#include <array>

#include "core/layout.h"

namespace rzv {

// The dialog face: "MS Sans Serif" where it is a TrueType face, otherwise its TrueType twin of
// the same metrics. On Windows "MS Sans Serif" is a bitmap font (sserife.fon) that comes in a
// few pixel sizes only and turns jagged when scaled.
const wchar_t* dialogFace();

// The designed fonts at one DPI, made again when the DPI changes.
class Fonts {
  public:
    Fonts() = default;
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;
    ~Fonts() { release(); }
    void make(UINT dpi);
    HFONT of(Look look) const;

  private:
    void release();
    std::array<HFONT, kLookCount> fonts_{};  // by look
};

}  // namespace rzv
