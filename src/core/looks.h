// The designed looks of the controls: each look's font (face, points, bold) and whether it is
// green on black. The front ends make their fonts from this table alone.
#pragma once

#include <array>

#include "core/layout.h"

namespace rzv {

// The faces in order of preference: the designed one first, then stand-ins of the same metrics
// for desktops that lack it.
enum class Face { SansSerif, Arial };
inline constexpr std::array<const char*, 4> kSansSerifFaces = {
    "MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arial"};
inline constexpr std::array<const char*, 3> kArialFaces = {"Arial", "Liberation Sans", "Arimo"};

struct LookFont {
    Face face;
    double points;
    bool bold;
    bool greenOnBlack;
};

constexpr LookFont fontOf(Look look) {
    switch (look) {
        case Look::Plain:  // the window's own font, used by tickboxes, buttons and value fields
            break;
        case Look::Caption:
            return {Face::SansSerif, 8.25, true, false};
        case Look::Title:
            return {Face::Arial, 9, true, true};
        case Look::Display:
            return {Face::Arial, 9.75, true, true};
    }
    return {Face::SansSerif, 8.25, false, false};
}

}  // namespace rzv
