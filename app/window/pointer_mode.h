#pragma once

#include <cstdint>

// What a press on the plan does next.
enum TPointerMode : std::uint8_t {
  pmIdle = 0,
  pmPlaceBell = 1,
  pmPlaceBeam = 2,
  pmDragBeamEnd = 3,
  pmDragObject = 4
};

// A rectangle as the plan's frames are drawn: right and bottom exclusive.
struct TLtrb {
  int l = 0, t = 0, r = 0, b = 0;
};
