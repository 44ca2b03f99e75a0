#include "platform/occlusion.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The x-range of the convex polygon on the line at height y; false when the line misses it.
bool Slice(const std::vector<QPoint>& hull, double y, double& lo, double& hi) {
  lo = std::numeric_limits<double>::infinity();
  hi = -lo;
  const size_t n = hull.size();
  for (size_t i = 0; i < n; ++i) {
    const QPoint a = hull[i], b = hull[(i + 1) % n];
    const double ya = a.y(), yb = b.y();
    if (y < std::min(ya, yb) || y > std::max(ya, yb)) continue;
    if (ya == yb) {
      lo = std::min({lo, double(a.x()), double(b.x())});
      hi = std::max({hi, double(a.x()), double(b.x())});
      continue;
    }
    const double x = a.x() + (y - ya) * (b.x() - a.x()) / (yb - ya);
    lo = std::min(lo, x);
    hi = std::max(hi, x);
  }
  return lo <= hi;
}

}  // namespace

bool ConvexWidest(const std::vector<QPoint>& hull, double y0, double y1, double& lo, double& hi) {
  lo = std::numeric_limits<double>::infinity();
  hi = -lo;
  double l, h;
  // The extremes over the band lie on its edges or at a corner within it.
  for (const double y : {y0, y1}) {
    if (Slice(hull, y, l, h)) {
      lo = std::min(lo, l);
      hi = std::max(hi, h);
    }
  }
  for (const QPoint& p : hull) {
    if (p.y() >= y0 && p.y() <= y1) {
      lo = std::min(lo, double(p.x()));
      hi = std::max(hi, double(p.x()));
    }
  }
  return lo <= hi;
}

bool ConvexNarrowest(const std::vector<QPoint>& hull, double y0, double y1, double& lo, double& hi) {
  // A convex polygon's slice between two heights holds the span common to the slices there.
  double l0, h0, l1, h1;
  if (!Slice(hull, y0, l0, h0) || !Slice(hull, y1, l1, h1)) return false;
  lo = std::max(l0, l1);
  hi = std::min(h0, h1);
  return lo <= hi;
}

double ConvexWidth(const std::vector<QPoint>& hull) {
  const size_t n = hull.size();
  if (n < 3) return 0;
  double width = std::numeric_limits<double>::infinity();
  for (size_t i = 0; i < n; ++i) {
    const QPoint a = hull[i], b = hull[(i + 1) % n];
    const double dx = b.x() - a.x(), dy = b.y() - a.y(), length = std::hypot(dx, dy);
    if (length == 0) continue;
    double farthest = 0;
    for (const QPoint& p : hull) farthest = std::max(farthest, std::abs((p.x() - a.x()) * dy - (p.y() - a.y()) * dx) / length);
    width = std::min(width, farthest);
  }
  return std::isinf(width) ? 0 : width;
}

TOcclusionGrid::TOcclusionGrid(const QRect& area)
    : FArea(area),
      FColumns(area.isEmpty() ? 0 : (area.width() + kTile - 1) / kTile),
      FRows(area.isEmpty() ? 0 : (area.height() + kTile - 1) / kTile),
      FCovered(static_cast<size_t>(FColumns) * static_cast<size_t>(FRows), 0),
      FRowCovered(static_cast<size_t>(FRows), 0) {}

bool TOcclusionGrid::Columns(double lo, double hi, int& first, int& last) const {
  first = std::max(0, static_cast<int>(std::floor((lo - FArea.left()) / kTile)));
  last = std::min(FColumns - 1, static_cast<int>(std::floor((hi - FArea.left()) / kTile)));
  return first <= last;
}

QRegion TOcclusionGrid::Open(const QRect& bounds, const std::vector<QPoint>& hull, bool& whole) const {
  whole = true;
  const QRect reach = bounds & FArea;
  if (reach.isEmpty()) return QRegion();
  const int rowFirst = (reach.top() - FArea.top()) / kTile, rowLast = (reach.bottom() - FArea.top()) / kTile;
  // Nothing covered yet in the rows it reaches (all of a fitted plan, whose bands are too thin
  // to cover a tile): all of it is open, and its shape need not be looked at.
  if (std::all_of(FRowCovered.begin() + rowFirst, FRowCovered.begin() + rowLast + 1, [](int n) { return n == 0; })) {
    double lo, hi;
    int first, last;
    if (hull.empty() || (ConvexWidest(hull, reach.top() - 2.0, reach.bottom() + 3.0, lo, hi) &&
                         Columns(lo - 2, hi + 2, first, last) && first <= (reach.right() - FArea.left()) / kTile &&
                         last >= (reach.left() - FArea.left()) / kTile))
      return QRegion(reach);
    whole = false;
    return QRegion();
  }
  std::vector<QRect> rects;
  const int boundsFirst = (reach.left() - FArea.left()) / kTile, boundsLast = (reach.right() - FArea.left()) / kTile;
  for (int row = rowFirst; row <= rowLast; ++row) {
    const int top = std::max(reach.top(), FArea.top() + row * kTile);
    const int bottom = std::min(reach.bottom(), FArea.top() + row * kTile + kTile - 1);
    int first = boundsFirst, last = boundsLast;
    if (!hull.empty()) {
      // The pen reaches a pixel past the polygon's edge, its square corners a little more.
      double lo, hi;
      if (!ConvexWidest(hull, top - 2.0, bottom + 3.0, lo, hi) || !Columns(lo - 2, hi + 2, first, last)) continue;
      first = std::max(first, boundsFirst);
      last = std::min(last, boundsLast);
    }
    const std::uint8_t* covered = &FCovered[static_cast<size_t>(row) * static_cast<size_t>(FColumns)];
    for (int c = first; c <= last;) {
      if (covered[c]) {
        whole = false;
        ++c;
        continue;
      }
      const int start = c;
      while (c <= last && !covered[c]) ++c;
      const int left = std::max(reach.left(), FArea.left() + start * kTile);
      const int right = std::min(reach.right(), FArea.left() + c * kTile - 1);
      rects.emplace_back(QPoint(left, top), QPoint(right, bottom));
    }
  }
  QRegion open;
  // Rows top to bottom, runs left to right, apart and of one height a row: as QRegion keeps them.
  if (!rects.empty()) open.setRects(rects.data(), static_cast<int>(rects.size()));
  if (rects.empty()) whole = false;
  return open;
}

void TOcclusionGrid::Cover(const std::vector<QPoint>& hull, const QRect& within) {
  // A shape narrower than a tile and the pixel kept clear on each side covers none.
  if (hull.size() < 3 || FRows == 0 || ConvexWidth(hull) < kTile + 3) return;
  // Only the rows and columns the shape spans are looked at: hundreds of shapes are laid on a
  // grid of thousands of tiles.
  int top = hull[0].y(), bottom = top;
  for (const QPoint& p : hull) {
    top = std::min(top, p.y());
    bottom = std::max(bottom, p.y());
  }
  const int rowFirst = std::max(0, (top - FArea.top()) / kTile);
  const int rowLast = std::min(FRows - 1, (bottom - FArea.top()) / kTile);
  for (int row = rowFirst; row <= rowLast; ++row) {
    const int tileTop = FArea.top() + row * kTile;
    const int tileBottom = std::min(FArea.bottom(), tileTop + kTile - 1);
    // A pixel deep inside: rasterisation may leave a pixel along an edge to the pen or out.
    double lo, hi;
    if (!ConvexNarrowest(hull, tileTop - 1.0, tileBottom + 2.0, lo, hi)) continue;
    int first, last;
    if (!Columns(lo, hi, first, last)) continue;
    std::uint8_t* covered = &FCovered[static_cast<size_t>(row) * static_cast<size_t>(FColumns)];
    for (int c = first; c <= last; ++c) {
      const int left = FArea.left() + c * kTile;
      const int right = std::min(FArea.right(), left + kTile - 1);
      if (!covered[c] && left - 1.0 >= lo && right + 2.0 <= hi &&
          within.contains(QRect(QPoint(left, tileTop), QPoint(right, tileBottom)))) {
        covered[c] = 1;
        ++FRowCovered[static_cast<size_t>(row)];
      }
    }
  }
}
