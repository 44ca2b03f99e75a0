#pragma once

#include <QImage>
#include <QPainterPath>
#include <QPoint>
#include <cstdint>
#include <vector>

#include "platform/ink_tiles.h"
#include "walls/wall_rules.h"

class QBrush;
class QPainter;

using TWallPoints = std::vector<QPoint>;

// Millimetre-to-plan mapping: a point (x, y) lies at (Round(x * Scale) + OriginX, ...).
struct TPlanMapping {
  long double Scale = 1.0L;
  std::int32_t OriginX = 0;
  std::int32_t OriginY = 0;
};

struct TWallOutlines {
  TWallPoints OuterMm;  // WallOuterPoints
  TWallPoints OuterPx;  // WallOuterPointsPx
  TWallPoints InnerMm;  // WallInnerPoints
  TWallPoints InnerPx;  // WallInnerPointsPx
};

struct TWallGeometry {
  std::uint8_t Type = 0;  // already mapped through WallTypeFromIndex
  TWallOutlines Outlines;
  std::vector<TWallPoints> ArcQuadsPx;  // WallArcQuadsPx, four points each
  TWallPoints FillSeeds;                // at least one per wall piece
};

// Both outlines, clockwise on the screen; 4, 6 or 8 points by type.
TWallOutlines ComputeWallGeometry(const TWallSizes& walls, const TPlanMapping& plan);

// Arch openings from the pixel outlines; arcWidthPx and diameterOuterPx are WallArcWidthPx and
// WallDiameterOuterPx as the scale computation left them.
std::vector<TWallPoints> ComputeWallArches(std::uint8_t type, const TWallOutlines& outlines,
                                           std::int32_t arcWidthPx, std::int32_t diameterOuterPx);

// Flood-fill seeds: beside the inner corners (the outer corners for four-sided walls), then
// near the outer corners; only those lying in a wall piece are returned. Normally the later
// seeds land in pieces already filled and change nothing.
TWallPoints ComputeWallFillSeeds(std::uint8_t type, const TWallOutlines& outlines,
                                 const std::vector<TWallPoints>& arcQuadsPx);

// Everything above in one go, for the drawing routine and for the parts that read the polygons.
TWallGeometry BuildWallGeometry(const TWallSizes& walls, const TPlanMapping& plan,
                                std::int32_t arcWidthPx, std::int32_t diameterOuterPx);

// How the wall pieces take their material: flood-filled from their seeds (the plan as it is
// drawn fitted, when the walls lie wholly on the layer), or as the region between the outlines
// (a magnified view, where a seed may lie off the layer and where moving the view must only
// move the pixels).
enum class TWallFill { FromSeeds, AsRegion };

// Paints the walls on a layer that is already white: outlines and openings in black on white,
// then every wall piece filled with the material picture tiled from the layer's (0, 0).
// A null picture leaves the pieces white.
void PaintWalls(QImage& layer, const TWallGeometry& geometry, const QImage& materialPattern,
                TWallFill fill = TWallFill::FromSeeds);

// The masonry of a view larger than the plan: the outer outline less the inner one and the
// openings.
QPainterPath MasonryPath(const TWallGeometry& geometry);
// The masonry filled with `fill` tiled from `patternOrigin` (no fill for Qt::NoBrush), every
// outline drawn over it: onto a white layer, or straight onto a magnified panel.
void PaintMasonry(QPainter& p, const QPainterPath& masonry, const TWallGeometry& geometry, const QBrush& fill,
                  QPoint patternOrigin);

// Where the walls painted on a layer of `canvas` may leave ink: the tiles the outer outline
// reaches, less those wholly inside the courtyard.
TInkTiles WallsInk(const TWallGeometry& geometry, const QRect& canvas);

// The whole layer as the walls leave it: cleared to white, painted only when visible. The
// polygons do not depend on visibility; other parts of the plan read them either way.
void RenderWallsLayer(QImage& layer, const TWallGeometry& geometry, const QImage& materialPattern,
                      bool visible, TWallFill fill = TWallFill::FromSeeds);
