#pragma once

#include <QLineF>
#include <QPointF>
#include <QPainterPath>
#include <QPolygonF>
#include <optional>
#include <vector>

#include "sheet/sheet_plan.h"

// Millimetre geometry of a fixed plan that the design checks and the beam loads measure with:
// distances to segments, beam bands and the masonry. Exact in floating point; no pixels.
namespace plan_geometry {

QPointF ClosestOnSegment(const QLineF& segment, QPointF p);
double DistanceToSegment(const QLineF& segment, QPointF p);
// The crossing of two segments, ends included; nothing for parallel ones.
std::optional<QPointF> SegmentCrossing(const QLineF& a, const QLineF& b);

// Distance from p to a polygon's boundary, negative inside it.
double SignedDistance(const QPolygonF& polygon, QPointF p);

// The band a beam is drawn as: the segment from begin to end, its width across, square ends
// through the two points. Zero inside or on the band.
double DistanceToBand(const TSheetBeem& beem, QPointF p);
// On the band, its edge included (to half a millimetre, the points are whole millimetres).
bool OnBand(const TSheetBeem& beem, QPointF p);

// The walls' masonry: inside the outer outline, outside the inner one and outside every arch
// opening. Empty walls (no outline) have none.
class TMasonry {
 public:
  explicit TMasonry(const TSheetWalls& walls);
  bool Empty() const { return FPieces.empty(); }
  // Distance from p to the masonry, negative inside it.
  double SignedDistance(QPointF p) const;
  bool InOpening(QPointF p) const;
  bool InsideOuter(QPointF p) const;
  bool InsideInner(QPointF p) const;

 private:
  QPolygonF FOuter, FInner;
  std::vector<QPolygonF> FOpenings;
  QPainterPath FMasonry;
  std::vector<QPolygonF> FPieces;  // its boundary, as polygons to fill by its rule
};

}  // namespace plan_geometry
