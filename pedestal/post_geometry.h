#pragma once

#include <QPoint>
#include <QRect>
#include <cstdint>
#include <vector>

// Millimetre and pixel arithmetic of the pedestal, free of widgets so that it can be checked
// with plain numbers. TfmMain keeps the fields; these functions only compute them. The namespace
// keeps them apart from TfmMain's methods of the same names, which store what these return.
namespace pedestal {

// Float-to-pixel conversion of the pedestal's arithmetic. Products are formed in extended
// precision and go through Round (half to even) from there, so that a product that is a half in
// exact arithmetic, such as sin 30 degrees times 103, stays a half instead of falling a hair below
// it. Results saturate far outside any plan, because documents may carry any number.
std::int32_t RoundPlan(long double value);

// Limits of the inspector's edits.
inline constexpr std::int32_t kPostSideMin = 700;
inline constexpr std::int32_t kPostSideMax = 2500;

struct TPostDefaults {
  std::int32_t PostWidth = 0;
  std::int32_t PostHeight = 0;
  std::int32_t PostAngle = 0;
  std::int32_t PostBoardDiameter = 0;
  QPoint PostPosition;
};

// A fresh pedestal stands centred across the plan, 200 mm in front of the inner face of the
// bottom wall.
TPostDefaults PostDefaults(std::int32_t wallDiameterOuter, std::int32_t wallWallWidth);

struct TPostPixels {
  std::int32_t PostWidthPx = 0;
  std::int32_t PostHeightPx = 0;
  QPoint PostPositionPx;
  std::int32_t PostBoardDiameterPx = 0;
};

// `scale` is FScale (plan pixels per millimetre), `origin` is (FOriginX, FOriginY).
TPostPixels ProjectPost(std::int32_t postWidth, std::int32_t postHeight, QPoint postPosition,
                        std::int32_t postBoardDiameter, long double scale, QPoint origin);

struct TPostOutline {
  std::vector<QPoint> PostOutlineBase;  // millimetres, unturned, moved off the origin
  std::vector<QPoint> PostOutline;      // layer pixels, turned, touching 0 on both axes
  std::int32_t MaxX = 0;
  std::int32_t MaxY = 0;
  std::int32_t PostWidthPx = 0;   // layer width, MaxX + 1
  std::int32_t PostHeightPx = 0;  // layer height, MaxY + 1
  QPoint PostBoardCentre;
};

TPostOutline BuildPostOutline(std::int32_t postWidth, std::int32_t postHeight,
                              std::int32_t postAngle, long double scale, QPoint origin);

// Where the pedestal's layer goes on the plan: centred on the pedestal's centre.
QRect PostLayerBounds(QPoint postPositionPx, std::int32_t layerWidth, std::int32_t layerHeight);

// Turns the rectangle P0..P3 (assumed unturned) about P0; positive angles turn clockwise on the
// screen because plan Y grows downwards. Fewer than four points are left alone.
void RotateQuad(std::vector<QPoint>& points, std::int32_t angle);

// The angle the pedestal is actually drawn at. A document may hold any angle: negative ones
// leave the pedestal unturned, and whole turns are dropped so that 370 looks like 10.
std::int32_t EffectivePostAngle(std::int32_t postAngle);

// Clamps of the inspector's edits; each returns the value to store.
std::int32_t ClampPostWidth(std::int32_t value);
std::int32_t ClampPostHeight(std::int32_t value);
std::int32_t ClampPostAngle(std::int32_t value);
std::int32_t ClampPostPosition(std::int32_t value, std::int32_t wallDiameterOuter);

}  // namespace pedestal
