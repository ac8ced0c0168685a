// The order the child controls of a window are made in, so that a screen reader names each.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "core/layout.h"

namespace rzv {

// How a window's controls are named for a screen reader. A Windows reader names a control
// without words of its own (a text box, a value label) by the static text right before it in
// the z order: each caption is made just before the control it names, and a text box without
// one gets a hidden static of its own that holds its name.
struct ControlNaming {
    struct Caption {
        std::size_t caption, named;  // rows of the layout table
    };
    std::vector<Caption> captions;
    // Names for text boxes without a caption; any other such box is named by its control name.
    std::vector<std::pair<std::size_t, const char*>> names;
};

// One child window to make: a control, or the hidden static that names the control.
struct Slot {
    std::size_t row;
    bool nameOnly;
};

// The focus order with each caption moved to right before the control it names, and a name
// before each text box that has no caption. Statics take no focus: Tab is not changed.
std::vector<Slot> creationOrder(const ControlLayout* table, std::size_t count,
                                const ControlNaming& naming);

// The name a hidden static gives the text box of `row`.
const char* handNameOf(const ControlNaming& naming, const ControlLayout& c, std::size_t row);

}  // namespace rzv
