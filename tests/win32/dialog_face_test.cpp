// The dialog face on a system where "MS Sans Serif" is the bitmap font sserife.fon, as on
// Windows: Wine's own stand-in is TrueType, so the bitmap face Wine ships is added for this
// process before the face is first chosen.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "gui/win32/fonts.h"

namespace rzv {
namespace {

struct Realised {
    std::wstring face;
    bool trueType = false;
};

Realised realise(const wchar_t* face, int pixels) {
    LOGFONTW wanted{};
    wanted.lfHeight = -pixels;
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    const HFONT font = CreateFontIndirectW(&wanted);
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ before = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    wchar_t chosen[LF_FACESIZE] = {};
    GetTextMetricsW(dc, &metrics);
    GetTextFaceW(dc, LF_FACESIZE, chosen);
    SelectObject(dc, before);
    DeleteDC(dc);
    DeleteObject(font);
    return {chosen, (metrics.tmPitchAndFamily & TMPF_TRUETYPE) != 0};
}

TEST(DialogFace, isTrueTypeWhereMsSansSerifIsABitmapFont) {
    const wchar_t* bitmap = L"Z:\\usr\\share\\wine\\fonts\\sserife.fon";
    if (GetFileAttributesW(bitmap) == INVALID_FILE_ATTRIBUTES ||
        AddFontResourceExW(bitmap, FR_PRIVATE, nullptr) == 0)
        GTEST_SKIP() << "no bitmap MS Sans Serif to add";
    if (realise(L"MS Sans Serif", 11).trueType)
        GTEST_SKIP() << "MS Sans Serif stays TrueType here: nothing to show";
    // At 125 % to 200 % the dialog font must scale smoothly: a TrueType face at every size.
    for (const int pixels : {11, 14, 17, 22}) {
        const Realised font = realise(dialogFace(), pixels);
        EXPECT_TRUE(font.trueType) << "at " << pixels << " px the bitmap face "
                                   << std::string(font.face.begin(), font.face.end());
    }
}

}  // namespace
}  // namespace rzv
