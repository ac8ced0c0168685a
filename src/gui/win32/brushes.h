// The designed colours: solid brushes by colour number, and the green-on-black looks.
#pragma once

#include <windows.h>

#include <map>

#include "core/layout.h"

namespace rzv {

// Solid brushes by colour number, made once each.
class Brushes {
  public:
    Brushes() = default;
    Brushes(const Brushes&) = delete;
    Brushes& operator=(const Brushes&) = delete;
    ~Brushes();
    HBRUSH of(unsigned colour);

  private:
    std::map<unsigned, HBRUSH> brushes_;
};

// A colour number (0x00BBGGRR) is a COLORREF as it stands.
inline COLORREF colorRefOf(unsigned colour) {
    return static_cast<COLORREF>(colour);
}

// Green text for the title and display looks, on `back`; nullptr leaves the system's colours.
HBRUSH colourLook(HDC dc, Look look, unsigned back, Brushes& brushes);

}  // namespace rzv
