#include "gui/win32/brushes.h"

#include "core/controls.h"
#include "core/looks.h"

namespace rzv {

Brushes::~Brushes() {
    for (auto& entry : brushes_) DeleteObject(entry.second);
}

HBRUSH Brushes::of(unsigned colour) {
    auto found = brushes_.find(colour);
    if (found == brushes_.end())
        found = brushes_.emplace(colour, CreateSolidBrush(colorRefOf(colour))).first;
    return found->second;
}

HBRUSH colourLook(HDC dc, Look look, unsigned back, Brushes& brushes) {
    if (!fontOf(look).greenOnBlack) return nullptr;
    SetTextColor(dc, colorRefOf(kGreen));
    SetBkColor(dc, colorRefOf(back));
    return brushes.of(back);
}

}  // namespace rzv
