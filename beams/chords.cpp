#include "beams/chords.h"

#include <cstdint>

#include "beams/beem_math.h"
#include "beams/orientations.h"

namespace {

using L = std::int64_t;

struct P {
  L x, y;
};

struct Seg {
  P b, e;
};

// Truncating division makes the argument order matter when b - a is odd; the tables below
// fix that order per chord.
L Half(L a, L b) { return a + (b - a) / 2; }
L Quarter(L a, L b) { return a + (b - a) / 4; }

// clang-format off
Seg FourSided(int k, L D, L d, L t, L h) {
  const L M = D / 2, A = t, B = D - t, Q = d / 4;
  switch (k) {
    case 1: return {{M, A}, {M, B}};
    case 2: return {{A, M}, {B, M}};
    case 3: return {{A, A}, {B, B}};
    case 4: return {{A, B}, {B, A}};
    case 5: return {{A + Q, A - h}, {B - Q, B + h}};
    case 6: return {{B - Q, A - h}, {A + Q, B + h}};
    case 7: return {{B + h, A + Q}, {A - h, B - Q}};
    case 8: return {{A - h, A + Q}, {B + h, B - Q}};
    case 9: return {{A, A + Q}, {B, A + Q}};
    case 10: return {{A, B - Q}, {B, B - Q}};
    case 11: return {{A + Q, A}, {A + Q, B}};
    case 12: return {{B - Q, A}, {B - Q, B}};
    case 13: return {{B - Q, A - h}, {B + h, B - Q}};
    case 14: return {{B + h, B - Q}, {A + Q, B + h}};
    case 15: return {{A + Q, B + h}, {A - h, A + Q}};
    case 16: return {{A - h, A + Q}, {B - Q, A - h}};
    case 17: return {{B - Q, B + h}, {A - h, B - Q}};
    case 18: return {{A - h, B - Q}, {A + Q, A - h}};
    case 19: return {{A + Q, A - h}, {B + h, A + Q}};
    case 20: return {{B + h, A + Q}, {B - Q, B + h}};
    case 21: return {{B - Q, A - h}, {A - h, B - Q}};
    case 22: return {{B + h, A + Q}, {A + Q, B + h}};
    case 23: return {{B + h, B - Q}, {A + Q, A - h}};
    default: return {{B - Q, B + h}, {A - h, A + Q}};  // 24
  }
}

// The hexagon's corners are rounded one by one, so corners that agree in exact arithmetic may
// differ by a millimetre; each chord reads the very corner the table names.
Seg SixSided(int k, const P V[6], L D, L t, L h) {
  const L M = D / 2, A = t, B = D - t;
  // Middles of the four slanting edges: the points SSW, NNW, NNE and SSE.
  const P ssw{Half(V[0].x, V[5].x), Half(V[0].y, V[5].y)};
  const P nnw{Half(V[1].x, V[2].x), Half(V[1].y, V[2].y)};
  const L nneX = Half(V[3].x, V[2].x), nneY = Half(V[2].y, V[3].y);
  const P sse{Half(V[4].x, V[5].x), Half(V[4].y, V[5].y)};
  switch (k) {
    case 1: return {{M, V[0].y}, {M, V[3].y}};
    case 2: return {{A, M}, {B, M}};
    case 3: return {V[0], V[3]};
    case 4: return {V[1], V[4]};
    case 5: return {{Quarter(V[0].x, V[1].x), V[0].y - h}, {Quarter(V[3].x, V[4].x), V[3].y + h}};
    case 6: return {{Quarter(V[1].x, V[0].x), V[0].y - h}, {Quarter(V[4].x, V[3].x), V[3].y + h}};
    case 7: return {nnw, sse};
    case 8: return {{sse.x, nnw.y}, {nnw.x, nneY}};
    case 9: return {{ssw.x - h, ssw.y}, {nnw.x + h, nnw.y}};
    case 10: return {{sse.x - h, sse.y}, {nneX + h, nneY}};
    case 11: return {{Quarter(V[0].x, V[1].x), V[0].y}, {Quarter(V[4].x, V[3].x), V[4].y}};
    case 12: return {{Quarter(V[1].x, V[0].x), V[1].y}, {Quarter(V[3].x, V[4].x), V[3].y}};
    case 13: return {{Quarter(V[1].x, V[0].x), V[1].y - h}, {nneX + h, nneY}};
    case 14: return {{nneX + h, nneY + h}, {Quarter(V[4].x, V[3].x), V[3].y + h}};
    case 15: return {{Quarter(V[4].x, V[3].x), V[3].y + h}, {ssw.x - h, ssw.y}};
    case 16: return {{ssw.x - h, ssw.y}, {Quarter(V[1].x, V[0].x), V[1].y - h}};
    case 17: return {{Quarter(V[3].x, V[4].x), V[3].y}, {sse.x - h, sse.y}};
    case 18: return {{sse.x - h, sse.y}, {Quarter(V[0].x, V[1].x), V[0].y}};
    case 19: return {{Quarter(V[0].x, V[1].x), V[0].y}, {nnw.x + h, nnw.y}};
    case 20: return {{nnw.x + h, nnw.y}, {Quarter(V[3].x, V[4].x), V[3].y}};
    case 21: return {{Quarter(V[1].x, V[0].x), V[1].y - h}, {sse.x - h, sse.y}};
    case 22: return {{nnw.x + h, nnw.y}, {Quarter(V[4].x, V[3].x), V[3].y + h}};
    case 23: return {{nneX + h, nneY + h}, {Quarter(V[0].x, V[1].x), V[0].y - h}};
    default: return {{Quarter(V[3].x, V[4].x), V[3].y + h}, {ssw.x - h, ssw.y}};  // 24
  }
}

// The octagon's corners are the quarter points themselves: WSW V0, WNW V1, NNW V2, NNE V3,
// ENE V4, ESE V5, SSE V6, SSW V7. Only the diagonals 3 and 4 end on a slanting side's middle.
Seg EightSided(int k, const P V[8], L D, L t, L h) {
  const L M = D / 2, A = t, B = D - t;
  switch (k) {
    case 1: return {{M, A}, {M, B}};
    case 2: return {{A, M}, {B, M}};
    case 3:
      return {{Half(V[7].x, V[0].x) - h, Half(V[0].y, V[7].y)},
              {Half(V[3].x, V[4].x) + h, Half(V[3].y, V[4].y)}};
    case 4:
      return {{Half(V[1].x, V[2].x) + h, Half(V[1].y, V[2].y)},
              {Half(V[6].x, V[5].x) - h, Half(V[6].y, V[5].y)}};
    case 5: return {V[0], V[4]};
    case 6: return {V[1], V[5]};
    case 7: return {V[2], V[6]};
    case 8: return {V[7], V[3]};
    case 9: return {V[7], V[2]};
    case 10: return {V[6], V[3]};
    case 11: return {V[0], V[5]};
    case 12: return {V[1], V[4]};
    case 13: return {V[1], V[3]};
    case 14: return {V[3], V[5]};
    case 15: return {V[5], V[7]};
    case 16: return {V[7], V[1]};
    case 17: return {V[4], V[6]};
    case 18: return {V[6], V[0]};
    case 19: return {V[0], V[2]};
    case 20: return {V[2], V[4]};
    case 21: return {V[1], V[6]};
    case 22: return {V[2], V[5]};
    case 23: return {V[3], V[0]};
    default: return {V[4], V[7]};  // 24
  }
}
// clang-format on

QPoint ToPoint(P p) { return QPoint(beem_math::Saturate(p.x), beem_math::Saturate(p.y)); }

}  // namespace

std::optional<TBeemSegment> ChordBeemPoints(const TChordWalls& walls, int k, int beemWidth) {
  if (!IsChordOrientation(k)) return std::nullopt;
  const L D = walls.DiameterOuter, d = walls.DiameterInner, t = walls.WallWidth;
  const L h = beemWidth / 2;
  const size_t corners = walls.WallType == 1 ? 6 : walls.WallType == 2 ? 8 : 0;
  // A walls object whose outline has not been built for its type yet cannot place a chord; the
  // beam is better left where it is than laid from corners of another shape.
  if (walls.InnerPoints.size() < corners) return std::nullopt;
  P V[8] = {};
  for (size_t i = 0; i < corners; ++i) V[i] = {walls.InnerPoints[i].x(), walls.InnerPoints[i].y()};

  Seg s;
  if (corners == 6)
    s = SixSided(k, V, D, t, h);
  else if (corners == 8)
    s = EightSided(k, V, D, t, h);
  else
    s = FourSided(k, D, d, t, h);
  return TBeemSegment{ToPoint(s.b), ToPoint(s.e)};
}
