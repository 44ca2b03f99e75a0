#pragma once

#include <QPoint>
#include <optional>
#include <span>

// The walls values a chord needs, all in millimetres. Type 1 is six-sided, 2 eight-sided, any
// other value four-sided; six- and eight-sided walls also need their inner outline (6 or 8
// corners, clockwise from the upper left).
struct TChordWalls {
  int WallType = 0;
  int DiameterOuter = 0;
  int DiameterInner = 0;
  int WallWidth = 0;
  std::span<const QPoint> InnerPoints;
};

struct TBeemSegment {
  QPoint Begin;
  QPoint End;
  friend bool operator==(const TBeemSegment&, const TBeemSegment&) = default;
};

// Millimetre begin and end of a beam of the given width laid along chord k. Ends that are
// pushed go half the width (width div 2) beyond the inner face, into the wall.
// No value when k is not a chord (the beam then keeps its points) or when the inner outline
// holds fewer corners than the wall type has.
std::optional<TBeemSegment> ChordBeemPoints(const TChordWalls& walls, int k, int beemWidth);
