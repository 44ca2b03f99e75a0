#include "beams/chords.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "beams/orientations.h"

namespace {

const std::vector<QPoint> kHexagon = {{1800, 1068}, {3800, 1068}, {4800, 2800},
                                      {3800, 4532}, {1800, 4532}, {800, 2800}};
const std::vector<QPoint> kOctagon = {{1954, 800},  {3646, 800},  {4800, 1954}, {4800, 3646},
                                      {3646, 4800}, {1954, 4800}, {800, 3646},  {800, 1954}};

TChordWalls DefaultWalls(int type) {
  TChordWalls w{type, 5600, 4000, 800, {}};
  if (type == 1) w.InnerPoints = kHexagon;
  if (type == 2) w.InnerPoints = kOctagon;
  return w;
}

struct ChordCase {
  int type, k, width;
  QPoint begin, end;
};

class ChordPoints : public testing::TestWithParam<ChordCase> {};

TEST_P(ChordPoints, OnDefaultWalls) {
  const ChordCase& c = GetParam();
  const auto s = ChordBeemPoints(DefaultWalls(c.type), c.k, c.width);
  ASSERT_TRUE(s.has_value());
  EXPECT_EQ(s->Begin, c.begin);
  EXPECT_EQ(s->End, c.end);
}

INSTANTIATE_TEST_SUITE_P(Walls, ChordPoints,
                         testing::Values(
                             // four-sided
                             ChordCase{0, 1, 100, {2800, 800}, {2800, 4800}},
                             ChordCase{0, 4, 100, {800, 4800}, {4800, 800}},
                             ChordCase{0, 5, 100, {1800, 750}, {3800, 4850}},
                             ChordCase{0, 9, 100, {800, 1800}, {4800, 1800}},
                             ChordCase{0, 13, 100, {3800, 750}, {4850, 3800}},
                             // any type other than 1 and 2 is four-sided
                             ChordCase{7, 5, 100, {1800, 750}, {3800, 4850}},
                             // width 51 pushes 25 mm, like 50; 101 pushes 50, like 100
                             ChordCase{0, 5, 51, {1800, 775}, {3800, 4825}},
                             ChordCase{0, 5, 50, {1800, 775}, {3800, 4825}},
                             ChordCase{0, 5, 101, {1800, 750}, {3800, 4850}},
                             // six-sided
                             ChordCase{1, 1, 100, {2800, 1068}, {2800, 4532}},
                             ChordCase{1, 5, 100, {2300, 1018}, {3300, 4582}},
                             ChordCase{1, 7, 100, {4300, 1934}, {1300, 3666}},
                             ChordCase{1, 14, 100, {4350, 3716}, {2300, 4582}},
                             // eight-sided
                             ChordCase{2, 3, 100, {1327, 1377}, {4273, 4223}},
                             ChordCase{2, 5, 100, {1954, 800}, {3646, 4800}},
                             ChordCase{2, 5, 350, {1954, 800}, {3646, 4800}}));

TEST(ChordPoints, NoChordKeepsThePoints) {
  for (int type : {0, 1, 2})
    for (int k : {0, -1, 25, INT_MIN}) EXPECT_FALSE(ChordBeemPoints(DefaultWalls(type), k, 100));
}

TEST(ChordPoints, OutlineTooShortForTheTypeLaysNothing) {
  TChordWalls w = DefaultWalls(2);
  w.InnerPoints = kHexagon;  // an octagon's chords would read past six corners
  EXPECT_FALSE(ChordBeemPoints(w, 24, 100));
  w = DefaultWalls(1);
  w.InnerPoints = std::span<const QPoint>(kHexagon).first(4);
  EXPECT_FALSE(ChordBeemPoints(w, 7, 100));
  EXPECT_TRUE(ChordBeemPoints(DefaultWalls(0), 7, 100));  // the square needs no outline
}

TEST(ChordPoints, ValuesOutOfRangeSaturate) {
  TChordWalls w{0, INT_MAX, INT_MAX, INT_MIN, {}};
  const auto s = ChordBeemPoints(w, 14, INT_MAX);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->Begin.x(), INT_MAX);  // B + h is far beyond the range
}

// Where each compass point lies on the default walls, worked out from where the points sit on
// each shape rather than from the chord tables.
// clang-format off
QPointF Anchor(int type, TCompassPoint p) {
  const double M = 2800, A = 800, B = 4800, Q = 1000;
  auto mid = [](QPoint a, QPoint b) { return (QPointF(a) + QPointF(b)) / 2; };
  auto along = [](QPoint a, QPoint b) { return QPointF(a) + (QPointF(b) - QPointF(a)) / 4; };
  if (type == 0) {
    switch (p) {
      case cpW: return {M, A};
      case cpE: return {M, B};
      case cpS: return {A, M};
      case cpN: return {B, M};
      case cpSW: return {A, A};
      case cpNW: return {B, A};
      case cpSE: return {A, B};
      case cpNE: return {B, B};
      case cpWSW: return {A + Q, A};
      case cpWNW: return {B - Q, A};
      case cpESE: return {A + Q, B};
      case cpENE: return {B - Q, B};
      case cpSSW: return {A, A + Q};
      case cpSSE: return {A, B - Q};
      case cpNNW: return {B, A + Q};
      case cpNNE: return {B, B - Q};
      default:
        break;
    }
  } else if (type == 1) {
    const std::vector<QPoint>& V = kHexagon;
    switch (p) {
      case cpW: return mid(V[0], V[1]);
      case cpE: return mid(V[3], V[4]);
      case cpS: return V[5];
      case cpN: return V[2];
      case cpSW: return V[0];
      case cpNW: return V[1];
      case cpNE: return V[3];
      case cpSE: return V[4];
      case cpWSW: return along(V[0], V[1]);
      case cpWNW: return along(V[1], V[0]);
      case cpESE: return along(V[4], V[3]);
      case cpENE: return along(V[3], V[4]);
      case cpSSW: return mid(V[0], V[5]);
      case cpNNW: return mid(V[1], V[2]);
      case cpNNE: return mid(V[2], V[3]);
      case cpSSE: return mid(V[4], V[5]);
      default:
        break;
    }
  } else {
    const std::vector<QPoint>& V = kOctagon;
    switch (p) {
      case cpW: return {M, A};
      case cpE: return {M, B};
      case cpS: return {A, M};
      case cpN: return {B, M};
      case cpSW: return mid(V[7], V[0]);
      case cpNW: return mid(V[1], V[2]);
      case cpNE: return mid(V[3], V[4]);
      case cpSE: return mid(V[6], V[5]);
      case cpWSW: return V[0];
      case cpWNW: return V[1];
      case cpNNW: return V[2];
      case cpNNE: return V[3];
      case cpENE: return V[4];
      case cpESE: return V[5];
      case cpSSE: return V[6];
      case cpSSW: return V[7];
      default:
        break;
    }
  }
  ADD_FAILURE() << "no anchor";
  return {};
}
// clang-format on

// With a zero width nothing is pushed, so every chord must run between its two compass points
// (to within the millimetre that truncating halves and quarters may lose).
TEST(ChordPoints, UnpushedChordsRunBetweenTheirCompassPoints) {
  for (int type : {0, 1, 2}) {
    for (int k = 1; k <= kChordCount; ++k) {
      const auto s = ChordBeemPoints(DefaultWalls(type), k, 0);
      ASSERT_TRUE(s);
      const TChordCompass c = ChordCompass(k, type);
      const QPointF b = Anchor(type, c.Begin), e = Anchor(type, c.End);
      EXPECT_LE(std::abs(s->Begin.x() - b.x()), 1) << type << " chord " << k;
      EXPECT_LE(std::abs(s->Begin.y() - b.y()), 1) << type << " chord " << k;
      EXPECT_LE(std::abs(s->End.x() - e.x()), 1) << type << " chord " << k;
      EXPECT_LE(std::abs(s->End.y() - e.y()), 1) << type << " chord " << k;
    }
  }
}

// A push moves an end half the width outward from the centre, into the wall, and never inward.
// Four-sided walls push every chord but 1-4 and 9-12; eight-sided walls only the diagonals 3, 4.
TEST(ChordPoints, PushesGoOutwardIntoTheWall) {
  for (int type : {0, 1, 2}) {
    for (int k = 1; k <= kChordCount; ++k) {
      const auto flat = ChordBeemPoints(DefaultWalls(type), k, 0);
      const auto wide = ChordBeemPoints(DefaultWalls(type), k, 100);
      ASSERT_TRUE(flat && wide);
      bool pushed = false;
      auto check = [&](QPoint f, QPoint w) {
        for (auto [from, to] : {std::pair{f.x(), w.x()}, std::pair{f.y(), w.y()}}) {
          const int d = to - from;
          if (d == 0) continue;
          pushed = true;
          EXPECT_EQ(std::abs(d), 50) << type << " chord " << k;
          EXPECT_EQ(d > 0, from > 2800) << type << " chord " << k;
        }
      };
      check(flat->Begin, wide->Begin);
      check(flat->End, wide->End);
      if (type == 0) {
        EXPECT_EQ(pushed, !(k <= 4 || (k >= 9 && k <= 12))) << k;
      } else if (type == 2) {
        EXPECT_EQ(pushed, k == 3 || k == 4) << k;
      }
    }
  }
}

}  // namespace
