#pragma once

#include <QPoint>
#include <optional>
#include <vector>

#include "walls/wall_rules.h"

struct TPlanObject;

// Limits of the beam page. Typed values are clamped to them; values read from a document are not.
inline constexpr int kBeemWidthMin = 50;
inline constexpr int kBeemWidthMax = 350;
inline constexpr int kBeemWidthDefault = 100;
inline constexpr int kBeemMaterialLast = 7;
inline constexpr int kBeemMaterialDefault = 2;

inline constexpr bool IsBeemMaterial(int m) {
  return m >= kBeemMaterialFirst && m <= kBeemMaterialLast;
}

// Width typed on the page: above 350 becomes 350, then below 50 becomes 50.
int ClampBeemWidth(int width);
// A coordinate typed on the page: below 0 becomes 0, then above the walls' outer diameter
// becomes that diameter.
int ClampBeemCoordinate(int value, int wallDiameterOuter);
// What a coordinate field shows: the walls' outer diameter for a larger value (the beam keeps
// its own value).
int ShownBeemCoordinate(int value, int wallDiameterOuter);

// A beam's values on the plan: its width in pixels and its two points. ProjectBeemFromMm gives
// the points in plan pixels, ProjectBeemFromPixels in millimetres; both recompute the width.
struct TBeemProjection {
  int WidthPx = 0;
  QPoint Begin;
  QPoint End;
  friend bool operator==(const TBeemProjection&, const TBeemProjection&) = default;
};
TBeemProjection ProjectBeemFromMm(int width, QPoint beginMm, QPoint endMm, long double scale,
                                  QPoint origin);
TBeemProjection ProjectBeemFromPixels(int width, QPoint beginPx, QPoint endPx, long double scale,
                                      QPoint origin);
// The same on a beam record: from its pixel points when fromPixels, else from its millimetres.
void ProjectBeem(TPlanObject& beem, bool fromPixels, long double scale, QPoint origin);

// The band drawn for a beam: four plan-pixel corners about the segment from begin to end, about
// widthPx across, with square ends through the two points. No outline when the two points are
// the same pixel (nothing is drawn and the last outline stays).
std::optional<std::vector<QPoint>> BeemOutlinePx(QPoint beginPx, QPoint endPx, int widthPx);

// The walls before and after an edit of their size, in millimetres.
struct TWallsResize {
  int OuterOld = 0;
  int InnerOld = 0;
  int OuterNew = 0;
  int InnerNew = 0;
};
// Where a free beam's coordinate goes when the walls change size: a point in the first half keeps
// its scaled distance from the near inner face, one in the second half from the far inner face.
// Walls without an old size leave the coordinate where it is.
int RelayoutBeemCoordinate(int c, const TWallsResize& walls);
QPoint RelayoutBeemPoint(QPoint p, const TWallsResize& walls);
