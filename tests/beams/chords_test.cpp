#include "beams/chords.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <map>
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
                             // width 51 pushes 25 mm, 101 pushes 50
                             ChordCase{0, 5, 51, {1800, 775}, {3800, 4825}},
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
QPointF Anchor(int type, TCompassPoint p) {
  const double M = 2800, A = 800, B = 4800, Q = 1000;
  const auto& V = type == 1 ? kHexagon : kOctagon;
  auto mid = [&](int a, int b) { return (QPointF(V[a]) + QPointF(V[b])) / 2; };
  auto quarter = [&](int a, int b) { return QPointF(V[a]) + (QPointF(V[b]) - QPointF(V[a])) / 4; };
  std::map<TCompassPoint, QPointF> at;
  if (type == 0) {
    at = {{cpSW, {A, A}},      {cpNW, {B, A}},      {cpSE, {A, B}},      {cpNE, {B, B}},
          {cpWSW, {A + Q, A}}, {cpWNW, {B - Q, A}}, {cpESE, {A + Q, B}}, {cpENE, {B - Q, B}},
          {cpSSW, {A, A + Q}}, {cpSSE, {A, B - Q}}, {cpNNW, {B, A + Q}}, {cpNNE, {B, B - Q}}};
  } else if (type == 1) {
    // clang-format off
    at = {{cpW, mid(0, 1)}, {cpE, mid(3, 4)}, {cpS, V[5]}, {cpN, V[2]},
          {cpSW, V[0]}, {cpNW, V[1]}, {cpNE, V[3]}, {cpSE, V[4]},
          {cpWSW, quarter(0, 1)}, {cpWNW, quarter(1, 0)},
          {cpESE, quarter(4, 3)}, {cpENE, quarter(3, 4)},
          {cpSSW, mid(0, 5)}, {cpNNW, mid(1, 2)}, {cpNNE, mid(2, 3)}, {cpSSE, mid(4, 5)}};
    // clang-format on
  } else {
    at = {{cpSW, mid(7, 0)}, {cpNW, mid(1, 2)}, {cpNE, mid(3, 4)}, {cpSE, mid(6, 5)},
          {cpWSW, V[0]},     {cpWNW, V[1]},     {cpNNW, V[2]},     {cpNNE, V[3]},
          {cpENE, V[4]},     {cpESE, V[5]},     {cpSSE, V[6]},     {cpSSW, V[7]}};
  }
  at.insert({{cpW, {M, A}}, {cpE, {M, B}}, {cpS, {A, M}}, {cpN, {B, M}}});  // where not given
  return at.at(p);
}

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
