#include "gui/win32/reader_order.h"

#include <algorithm>
#include <numeric>

namespace rzv {

namespace {

// Focusable controls in focus order, then the others in table order.
std::vector<std::size_t> focusOrder(const ControlLayout* table, std::size_t count) {
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [table](std::size_t a, std::size_t b) {
        const int fa = table[a].focus == kNoFocus ? 1 << 30 : table[a].focus;
        const int fb = table[b].focus == kNoFocus ? 1 << 30 : table[b].focus;
        return fa < fb;
    });
    return order;
}

}  // namespace

std::vector<Slot> creationOrder(const ControlLayout* table, std::size_t count,
                                const ControlNaming& naming) {
    auto captionOf = [&](std::size_t row) {
        for (const auto& c : naming.captions)
            if (c.named == row) return c.caption;
        return count;
    };
    auto isCaption = [&](std::size_t row) {
        return std::any_of(naming.captions.begin(), naming.captions.end(),
                           [row](const ControlNaming::Caption& c) { return c.caption == row; });
    };
    std::vector<Slot> slots;
    for (const std::size_t row : focusOrder(table, count)) {
        if (isCaption(row)) continue;  // made with the control it names
        if (const std::size_t caption = captionOf(row); caption < count)
            slots.push_back({caption, false});
        else if (table[row].kind == ControlKind::Field)
            slots.push_back({row, true});
        slots.push_back({row, false});
    }
    return slots;
}

const char* handNameOf(const ControlNaming& naming, const ControlLayout& c, std::size_t row) {
    for (const auto& [named, name] : naming.names)
        if (named == row) return name;
    return c.name;
}

}  // namespace rzv
