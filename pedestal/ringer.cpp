#include "pedestal/ringer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <utility>

#include "pedestal/post_geometry.h"

namespace pedestal {

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

// The figure's square side and the pedal sizes, in millimetres.
constexpr std::int32_t kFigureSide = 600;
constexpr std::int32_t kPedalLength = 600;
constexpr std::int32_t kPedalWidth = 100;
constexpr std::int32_t kPedalGap = 20;
// Group 3 can never hold more than the whole catalogue.
constexpr std::int32_t kMaxPedals = 42;

// The sine term alone leaves the first pedal off the turned pedestal at larger angles; these
// steps, each in half board diameters, bring it back. Every row whose angle is exceeded applies.
struct TPedalStep {
  std::int32_t above;
  std::int32_t dx;
  std::int32_t dy;
};
constexpr std::array<TPedalStep, 11> kPedalSteps{{
    {120, -1, +1},
    {145, -1, +1},
    {160, -1, +1},
    {175, -1, 0},
    {190, -1, 0},
    {220, +1, 0},
    {265, 0, -1},
    {280, +1, -1},
    {295, 0, -1},
    {310, +1, -1},
    {340, +1, -1},
}};

}  // namespace

QString RingerResource(TRingerFacing facing) {
  switch (facing) {
    case TRingerFacing::Up:
      return QStringLiteral(":/UpRinger");
    case TRingerFacing::Right:
      return QStringLiteral(":/RightRinger");
    case TRingerFacing::Down:
      return QStringLiteral(":/DownRinger");
    case TRingerFacing::Left:
      return QStringLiteral(":/LeftRinger");
  }
  return QStringLiteral(":/UpRinger");
}

TRingerFacing RingerFacing(std::int32_t postAngle) {
  const std::int32_t a = EffectivePostAngle(postAngle);
  if (a >= 45 && a <= 134) return TRingerFacing::Right;
  if (a >= 135 && a <= 224) return TRingerFacing::Down;
  if (a >= 225 && a <= 314) return TRingerFacing::Left;
  return TRingerFacing::Up;
}

TRingerPlacement PlaceRinger(std::int32_t postAngle, QPoint postPositionPx, long double scale) {
  const std::int32_t cx = postPositionPx.x();
  const std::int32_t cy = postPositionPx.y();
  const std::int32_t w = RoundPlan(scale * kFigureSide);
  const std::int32_t h = RoundPlan(scale * kFigureSide);

  TRingerPlacement r;
  r.Facing = RingerFacing(postAngle);
  r.FHandOffset = ((w + h) / 2) / 6;

  // The figure stands a quarter of its side behind the pedestal's centre, so that it faces
  // the board; the hand is the corner of the square the arm is raised toward.
  std::int32_t x = 0, y = 0;
  switch (r.Facing) {
    case TRingerFacing::Up:
      x = cx - w / 2;
      y = cy - h / 4;
      r.FHandPoint = QPoint(x + w, y);
      break;
    case TRingerFacing::Right:
      x = cx - w / 2 - h / 4;
      y = cy - h / 2;
      r.FHandPoint = QPoint(x + w - 1, y + h - 1);
      break;
    case TRingerFacing::Down:
      x = cx - w / 2;
      y = cy - h / 2 - h / 4;
      r.FHandPoint = QPoint(x + 1, y + h - 1);
      break;
    case TRingerFacing::Left:
      x = cx - h / 4;
      y = cy - h / 2;
      r.FHandPoint = QPoint(x + 1, y + 1);
      break;
  }
  r.Bounds = QRect(x, y, w, h);
  return r;
}

std::vector<std::vector<QPoint>> PedalOutlines(std::int32_t heavyBells, std::int32_t postAngle,
                                               std::int32_t postBoardDiameterPx,
                                               std::int32_t layerWidth, std::int32_t layerHeight,
                                               long double scale) {
  std::vector<std::vector<QPoint>> pedals;
  if (heavyBells <= 0) return pedals;
  heavyBells = std::min(heavyBells, kMaxPedals);

  const std::int32_t l = RoundPlan(scale * kPedalLength);
  const std::int32_t p = RoundPlan(scale * kPedalWidth);
  const std::int32_t g = RoundPlan(scale * kPedalGap);
  const std::int32_t a = EffectivePostAngle(postAngle);
  const std::int32_t b = postBoardDiameterPx;
  const std::int32_t hb = b / 2;
  const long double f = a * kPi / 180;
  const long double s = std::sin(f);
  const long double c = std::cos(f);

  const std::int32_t t = RoundPlan(s * l) / 2;
  std::int32_t x = layerWidth / 2 + b - t;
  std::int32_t y = layerHeight / 2 - l / 2;
  if (a > 90) y += b;
  for (const TPedalStep& step : kPedalSteps) {
    if (a > step.above) {
      x += step.dx * hb;
      y += step.dy * hb;
    }
  }

  // Turning about the first corner swings the far end of a pedal round; the shift by the sine
  // of its half length and width pulls it roughly back to where a turn about its middle would.
  const std::int32_t k = RoundPlan(s * ((l + p) / 2));
  const std::int32_t stepX = RoundPlan(c * (p + g));
  const std::int32_t stepY = RoundPlan(s * (p + g));

  pedals.reserve(static_cast<std::size_t>(heavyBells));
  for (std::int32_t i = 0; i < heavyBells; ++i) {
    std::vector<QPoint> quad{QPoint(x, y), QPoint(x + p, y), QPoint(x + p, y + l),
                             QPoint(x, y + l)};
    RotateQuad(quad, a);
    for (QPoint& q : quad) q += QPoint(k, k);
    pedals.push_back(std::move(quad));
    x += stepX;
    y += stepY;
  }
  return pedals;
}

}  // namespace pedestal
