#include "gui/win32/fonts.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "core/looks.h"
#include "os/win32/wide_text.h"

namespace rzv {

namespace {

// Arial and MS Sans Serif as designed (the dialog face stands for the latter).
HFONT makeFont(const wchar_t* face, double points, bool bold, UINT dpi) {
    LOGFONTW font{};
    font.lfHeight = -static_cast<LONG>(std::lround(points * dpi / 72.0));
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    const std::wstring_view name(face);
    std::copy_n(name.begin(), std::min<std::size_t>(name.size(), LF_FACESIZE - 1), font.lfFaceName);
    return CreateFontIndirectW(&font);
}

bool isTrueType(const wchar_t* face) {
    const HFONT font = makeFont(face, 8.25, false, USER_DEFAULT_SCREEN_DPI);
    const HDC dc = CreateCompatibleDC(nullptr);
    bool trueType = false;
    if (font && dc) {
        const HGDIOBJ before = SelectObject(dc, font);
        TEXTMETRICW metrics{};
        wchar_t chosen[LF_FACESIZE] = {};
        trueType = GetTextMetricsW(dc, &metrics) && GetTextFaceW(dc, LF_FACESIZE, chosen) > 0 &&
                   (metrics.tmPitchAndFamily & TMPF_TRUETYPE) != 0;
        SelectObject(dc, before);
    }
    if (dc) DeleteDC(dc);
    if (font) DeleteObject(font);
    return trueType;
}

}  // namespace

const wchar_t* dialogFace() {
    static const std::wstring designed = widen(kSansSerifFaces[0]);
    static const std::wstring twin = widen(kSansSerifFaces[1]);
    static const wchar_t* const face =
        isTrueType(designed.c_str()) ? designed.c_str() : twin.c_str();
    return face;
}

void Fonts::make(UINT dpi) {
    release();
    // Windows has Arial; the dialog face stands for the sans serif.
    static const std::wstring arial = widen(kArialFaces[0]);
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
        const LookFont design = fontOf(static_cast<Look>(i));
        fonts_[i] = makeFont(design.face == Face::Arial ? arial.c_str() : dialogFace(),
                             design.points, design.bold, dpi);
    }
}

HFONT Fonts::of(Look look) const {
    const auto i = static_cast<std::size_t>(look);
    return i < fonts_.size() ? fonts_[i] : fonts_[0];
}

void Fonts::release() {
    for (HFONT& font : fonts_) {
        if (font) DeleteObject(font);
        font = nullptr;
    }
}

}  // namespace rzv
