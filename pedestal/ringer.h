#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <cstdint>
#include <vector>

// Where the ringer figure stands and where the pedals lie, free of widgets.
namespace pedestal {

enum class TRingerFacing : std::uint8_t { Up, Right, Down, Left };

// Resource path of the figure's picture: ":/UpRinger", ":/RightRinger", ":/DownRinger",
// ":/LeftRinger".
QString RingerResource(TRingerFacing facing);

// The figure faces the way the pedestal is turned. Angles outside 0..360, which only a document
// can hold, are taken as the pedestal is drawn (EffectivePostAngle), so a figure is always shown.
TRingerFacing RingerFacing(std::int32_t postAngle);

struct TRingerPlacement {
  TRingerFacing Facing = TRingerFacing::Up;
  QRect Bounds;                  // RingerLayer's bounds, plan pixels; the picture is stretched
  QPoint FHandPoint;             // the raised hand, plan pixels
  std::int32_t FHandOffset = 0;  // how far the hand lines stop short of the hand
};

// `postPositionPx` is the pedestal's centre on the plan, `scale` is FScale.
TRingerPlacement PlaceRinger(std::int32_t postAngle, QPoint postPositionPx, long double scale);

// One outline of four points per bell of group 3, in pedestal-layer pixels. `layerWidth` and
// `layerHeight` are the layer's size as BuildPostOutline gives it. No bells, no pedals.
std::vector<std::vector<QPoint>> PedalOutlines(std::int32_t heavyBells, std::int32_t postAngle,
                                               std::int32_t postBoardDiameterPx,
                                               std::int32_t layerWidth, std::int32_t layerHeight,
                                               long double scale);

}  // namespace pedestal
