#pragma once

#include <QPoint>
#include <QRect>
#include <QRegion>
#include <cstdint>
#include <vector>

// What of an area the layers composed so far, going from the top of the stack down, already
// cover with opaque pixels, kept in tiles. A layer is then composed only over the tiles still
// open in its reach, and not at all when there are none: a thicket of beams hides most of what
// lies beneath it, and scaling or filling that would be most of the work.
//
// Shapes are convex polygons in panel pixels (a beam's band). A tile counts as covered only
// when it lies a pixel deep inside a shape, so whichever pixels the shape's rasterisation takes
// along its edges, every pixel of the tile is the shape's.
class TOcclusionGrid {
 public:
  static constexpr int kTile = 16;

  explicit TOcclusionGrid(const QRect& area);

  // The part of `bounds` within the area that is still open, in whole tiles cut to `bounds`:
  // near `hull` only (a convex polygon), when one is given. Empty when all of it is covered.
  // `whole` tells that nothing of the reach is covered, so no clip is needed.
  QRegion Open(const QRect& bounds, const std::vector<QPoint>& hull, bool& whole) const;
  // Marks the tiles that lie wholly inside the convex polygon `hull` and inside `within` (where
  // the shape is painted at all: its layer's bounds) as covered.
  void Cover(const std::vector<QPoint>& hull, const QRect& within);

 private:
  // Tile columns [first, last] of the area met by x in [lo, hi]; false when none.
  bool Columns(double lo, double hi, int& first, int& last) const;

  QRect FArea;
  int FColumns = 0, FRows = 0;
  std::vector<std::uint8_t> FCovered;  // row by row
  std::vector<int> FRowCovered;  // how many tiles of each row are covered
};

// The x-extent of the convex polygon `hull` over the horizontal band y in [y0, y1]: the widest
// (every x the polygon has at some y of the band) or the narrowest (the x it has at every y of
// the band). False when the polygon does not reach the band (widest) or does not span all of it
// (narrowest).
bool ConvexWidest(const std::vector<QPoint>& hull, double y0, double y1, double& lo, double& hi);
// The least distance between two parallel lines that hold the convex polygon `hull` between
// them (0 for fewer than three corners).
double ConvexWidth(const std::vector<QPoint>& hull);
bool ConvexNarrowest(const std::vector<QPoint>& hull, double y0, double y1, double& lo, double& hi);
