#include "checks/plan_geometry.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <limits>

namespace plan_geometry {

namespace {

double Dot(QPointF a, QPointF b) { return a.x() * b.x() + a.y() * b.y(); }
double Cross(QPointF a, QPointF b) { return a.x() * b.y() - a.y() * b.x(); }

double BoundaryDistance(const QPolygonF& polygon, QPointF p) {
  double best = std::numeric_limits<double>::infinity();
  const qsizetype n = polygon.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QPointF a = polygon[i], b = polygon[(i + 1) % n];
    if (a == b) continue;
    best = std::min(best, DistanceToSegment(QLineF(a, b), p));
  }
  return best;
}

QPolygonF ToPolygonF(const QPolygon& p) { return QPolygonF(p); }

// An opening reaches from the inner face to the outer one. Cut out exactly, its ends would lie
// on the two outlines and leave slivers of "masonry" a rounding wide across the opening; it is
// cut out a little longer through both faces instead, which takes nothing off the masonry
// beside it (its sides run across the wall).
QPolygonF LengthenedOpening(const QPolygonF& quad, QPointF wallsCentre) {
  if (quad.size() < 3) return quad;
  QPointF centroid;
  for (const QPointF& q : quad) centroid += q;
  centroid /= static_cast<double>(quad.size());
  QPointF axis = centroid - wallsCentre;
  const double length = std::hypot(axis.x(), axis.y());
  if (length == 0) return quad;
  axis /= length;
  constexpr double kBeyondFace = 20;  // mm
  QPolygonF longer;
  for (const QPointF& q : quad) longer << q + axis * (Dot(q - centroid, axis) >= 0 ? kBeyondFace : -kBeyondFace);
  return longer;
}

}  // namespace

QPointF ClosestOnSegment(const QLineF& segment, QPointF p) {
  const QPointF d = segment.p2() - segment.p1();
  const double len2 = Dot(d, d);
  if (len2 == 0) return segment.p1();
  const double t = std::clamp(Dot(p - segment.p1(), d) / len2, 0.0, 1.0);
  return segment.p1() + d * t;
}

double DistanceToSegment(const QLineF& segment, QPointF p) {
  const QPointF q = ClosestOnSegment(segment, p);
  return std::hypot(p.x() - q.x(), p.y() - q.y());
}

std::optional<QPointF> SegmentCrossing(const QLineF& a, const QLineF& b) {
  const QPointF r = a.p2() - a.p1(), s = b.p2() - b.p1();
  const double denom = Cross(r, s);
  if (std::abs(denom) < 1e-9) return std::nullopt;
  const QPointF qp = b.p1() - a.p1();
  const double t = Cross(qp, s) / denom, u = Cross(qp, r) / denom;
  constexpr double kEps = 1e-9;
  if (t < -kEps || t > 1 + kEps || u < -kEps || u > 1 + kEps) return std::nullopt;
  return a.p1() + r * t;
}

double SignedDistance(const QPolygonF& polygon, QPointF p) {
  const double d = BoundaryDistance(polygon, p);
  return polygon.containsPoint(p, Qt::OddEvenFill) ? -d : d;
}

double DistanceToBand(const TSheetBeem& beem, QPointF p) {
  const QPointF b = beem.Begin, e = beem.End;
  const QPointF d = e - b;
  const double length = std::hypot(d.x(), d.y());
  if (length == 0) return std::hypot(p.x() - b.x(), p.y() - b.y());
  const QPointF along = d / length;
  const QPointF v = p - b;
  const double t = Dot(v, along);
  const double across = std::abs(Cross(along, v));
  const double dx = std::max({0.0, -t, t - length});
  const double dy = std::max(0.0, across - beem.Width / 2.0);
  return std::hypot(dx, dy);
}

bool OnBand(const TSheetBeem& beem, QPointF p) {
  return beem.Begin != beem.End && DistanceToBand(beem, p) <= 0.5;
}

TMasonry::TMasonry(const TSheetWalls& walls)
    : FOuter(ToPolygonF(walls.Outer)), FInner(ToPolygonF(walls.Inner)) {
  if (FOuter.size() < 3) return;
  const QPointF centre = FOuter.boundingRect().center();
  QPainterPath outer;
  outer.addPolygon(FOuter);
  outer.closeSubpath();
  QPainterPath holes;
  holes.setFillRule(Qt::WindingFill);
  if (FInner.size() >= 3) {
    holes.addPolygon(FInner);
    holes.closeSubpath();
  }
  for (const QPolygon& arch : walls.Arches) {
    FOpenings.push_back(ToPolygonF(arch));
    holes.addPolygon(LengthenedOpening(FOpenings.back(), centre));
    holes.closeSubpath();
  }
  FMasonry = outer.subtracted(holes);
  for (const QPolygonF& piece : FMasonry.toFillPolygons())
    if (piece.size() >= 3) FPieces.push_back(piece);
}

bool TMasonry::InOpening(QPointF p) const {
  return std::any_of(FOpenings.begin(), FOpenings.end(),
                     [p](const QPolygonF& q) { return q.containsPoint(p, Qt::OddEvenFill); });
}

bool TMasonry::InsideOuter(QPointF p) const { return FOuter.containsPoint(p, Qt::OddEvenFill); }

bool TMasonry::InsideInner(QPointF p) const {
  return FInner.size() >= 3 && FInner.containsPoint(p, Qt::OddEvenFill);
}

double TMasonry::SignedDistance(QPointF p) const {
  double best = std::numeric_limits<double>::infinity();
  for (const QPolygonF& piece : FPieces) best = std::min(best, BoundaryDistance(piece, p));
  return FMasonry.contains(p) ? -best : best;
}

}  // namespace plan_geometry
