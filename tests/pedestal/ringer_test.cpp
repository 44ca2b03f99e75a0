#include "pedestal/ringer.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

using namespace pedestal;

namespace {

using Quad = std::vector<QPoint>;
using F = TRingerFacing;

TEST(RingerFacing, FollowsTheAngleRanges) {
  const std::pair<int, F> cases[] = {
      {0, F::Up},
      {44, F::Up},
      {45, F::Right},
      {90, F::Right},
      {134, F::Right},
      {135, F::Down},
      {180, F::Down},
      {224, F::Down},
      {225, F::Left},
      {270, F::Left},
      {314, F::Left},
      {315, F::Up},
      {359, F::Up},
      {360, F::Up},
      // Only a document can hold these; they face as the pedestal is drawn.
      {-10, F::Up},
      {-90, F::Up},
      {405, F::Right},
      {540, F::Down},
      {720, F::Up},
      {INT_MIN, F::Up},
      {INT_MAX, F::Right},
  };
  for (auto [angle, facing] : cases) EXPECT_EQ(RingerFacing(angle), facing) << angle;
}

TEST(PlaceRinger, StandsBehindTheCentreWithTheHandInTheCorner) {
  struct Case {
    int angle;
    F facing;
    QRect bounds;
    QPoint hand;
  };
  // Scale 0.1: the figure is 60 px square, a quarter of it 15 px; pedestal centre (300, 200).
  const Case cases[] = {
      {0, F::Up, QRect(270, 185, 60, 60), QPoint(330, 185)},
      {90, F::Right, QRect(255, 170, 60, 60), QPoint(314, 229)},
      {180, F::Down, QRect(270, 155, 60, 60), QPoint(271, 214)},
      {270, F::Left, QRect(285, 170, 60, 60), QPoint(286, 171)},
  };
  for (const Case& c : cases) {
    const TRingerPlacement r = PlaceRinger(c.angle, QPoint(300, 200), 0.1L);
    EXPECT_EQ(r.Facing, c.facing) << c.angle;
    EXPECT_EQ(r.Bounds, c.bounds) << c.angle;
    EXPECT_EQ(r.FHandPoint, c.hand) << c.angle;
    EXPECT_EQ(r.FHandOffset, 10) << c.angle;
  }
}

TEST(PlaceRinger, HandOffsetIsASixthOfTheFigure) {
  const std::pair<long double, int> cases[] = {{0.1L, 10}, {0.0628L, 6}, {0.2L, 20}, {0.001L, 0}};
  for (auto [scale, offset] : cases)
    EXPECT_EQ(PlaceRinger(0, QPoint(0, 0), scale).FHandOffset, offset) << double(scale);
}

TEST(PlaceRinger, OutOfRangeAngleStillShowsAFigure) {
  const TRingerPlacement r = PlaceRinger(-45, QPoint(300, 200), 0.1L);
  EXPECT_EQ(r.Facing, F::Up);
  EXPECT_EQ(r.Bounds, QRect(270, 185, 60, 60));
}

// Scale 0.1 and the default board of 25 px throughout: pedals 10 x 60 px, 2 px apart.
TEST(PedalOutlines, OnePerHeavyBellAtMostTheCatalogue) {
  EXPECT_TRUE(PedalOutlines(0, 0, 25, 181, 81, 0.1L).empty());
  EXPECT_TRUE(PedalOutlines(-3, 0, 25, 181, 81, 0.1L).empty());
  EXPECT_EQ(PedalOutlines(INT_MAX, 0, 25, 181, 81, 0.1L).size(), 42u);
}

TEST(PedalOutlines, SideBySideRightOfTheBoardWhenUnturned) {
  const auto pedals = PedalOutlines(3, 0, 25, 181, 81, 0.1L);
  ASSERT_EQ(pedals.size(), 3u);
  // The first begins a board diameter right of the layer's centre (90), the next 10 + 2 later.
  EXPECT_EQ(pedals[0], (Quad{{115, 10}, {125, 10}, {125, 70}, {115, 70}}));
  EXPECT_EQ(pedals[1], (Quad{{127, 10}, {137, 10}, {137, 70}, {127, 70}}));
  EXPECT_EQ(pedals[2], (Quad{{139, 10}, {149, 10}, {149, 70}, {139, 70}}));
}

TEST(PedalOutlines, TurnedWithThePedestal) {
  struct Case {
    int angle;
    int width, height;  // the pedestal layer at this angle
    Quad first, second;
  };
  const Case cases[] = {
      {45,
       185,
       185,
       {{121, 87}, {128, 94}, {86, 136}, {79, 129}},
       {{129, 95}, {136, 102}, {94, 144}, {87, 137}}},
      {90,
       81,
       181,
       {{70, 95}, {70, 105}, {10, 105}, {10, 95}},
       {{70, 107}, {70, 117}, {10, 117}, {10, 107}}},
      {135,
       185,
       185,
       {{109, 124}, {102, 131}, {60, 89}, {67, 82}},
       {{101, 132}, {94, 139}, {52, 97}, {59, 90}}},
      {200,
       197,
       138,
       {{61, 88}, {52, 85}, {72, 28}, {82, 32}},
       {{50, 84}, {41, 81}, {61, 24}, {71, 28}}},
      {300,
       160,
       197,
       {{65, 63}, {70, 54}, {122, 84}, {117, 93}},
       {{71, 53}, {76, 44}, {128, 74}, {123, 83}}},
      {350,
       192,
       111,
       {{108, 20}, {118, 18}, {128, 77}, {118, 79}},
       {{120, 18}, {130, 16}, {140, 75}, {130, 77}}},
  };
  for (const Case& c : cases) {
    const auto pedals = PedalOutlines(2, c.angle, 25, c.width, c.height, 0.1L);
    ASSERT_EQ(pedals.size(), 2u) << c.angle;
    EXPECT_EQ(pedals[0], c.first) << c.angle;
    EXPECT_EQ(pedals[1], c.second) << c.angle;
  }
}

TEST(PedalOutlines, StepCorrectionsEngageAboveTheirAngles) {
  struct Case {
    int angle;
    int width, height;
    QPoint firstCorner;
  };
  // Each pair straddles one row of the correction steps (half a board, 12 px).
  const Case cases[] = {
      {120, 160, 197, {109, 123}}, {121, 162, 196, {99, 135}},  {145, 194, 170, {113, 112}},
      {146, 195, 168, {101, 123}}, {160, 198, 138, {102, 100}}, {161, 197, 136, {88, 110}},
      {175, 187, 97, {83, 82}},    {176, 186, 94, {70, 80}},    {190, 192, 111, {72, 80}},
      {191, 193, 114, {59, 81}},   {220, 190, 178, {57, 98}},   {221, 189, 179, {67, 97}},
      {265, 97, 187, {20, 89}},    {266, 94, 186, {19, 77}},    {280, 111, 192, {27, 81}},
      {281, 114, 193, {41, 69}},   {295, 150, 198, {59, 74}},   {296, 152, 198, {61, 63}},
      {310, 178, 190, {74, 63}},   {311, 179, 189, {86, 51}},   {340, 198, 138, {98, 40}},
      {341, 197, 136, {110, 28}},
  };
  for (const Case& c : cases) {
    const auto pedals = PedalOutlines(1, c.angle, 25, c.width, c.height, 0.1L);
    ASSERT_EQ(pedals.size(), 1u) << c.angle;
    EXPECT_EQ(pedals[0][0], c.firstCorner) << c.angle;
  }
}

TEST(PedalOutlines, AnglesOnlyADocumentCanHoldLayOutAsDrawn) {
  const auto unturned = PedalOutlines(2, 0, 25, 181, 81, 0.1L);
  const auto quarter = PedalOutlines(2, 90, 25, 81, 181, 0.1L);
  EXPECT_EQ(PedalOutlines(2, -30, 25, 181, 81, 0.1L), unturned);
  EXPECT_EQ(PedalOutlines(2, INT_MIN, 25, 181, 81, 0.1L), unturned);
  EXPECT_EQ(PedalOutlines(2, 360, 25, 181, 81, 0.1L), unturned);
  EXPECT_EQ(PedalOutlines(2, 450, 25, 81, 181, 0.1L), quarter);
  EXPECT_EQ(PedalOutlines(2, INT_MAX, 25, 190, 190, 0.1L).size(), 2u);
}

TEST(PedalOutlines, EveryPedalIsTheSameTurnedRectangle) {
  // Whatever the angle, consecutive pedals are one step apart and keep their size.
  for (int angle = 0; angle < 360; angle += 7) {
    const auto pedals = PedalOutlines(4, angle, 25, 190, 190, 0.1L);
    ASSERT_EQ(pedals.size(), 4u);
    for (std::size_t i = 1; i < pedals.size(); ++i) {
      const QPoint shift = pedals[i][0] - pedals[i - 1][0];
      for (std::size_t k = 0; k < 4; ++k)
        EXPECT_EQ(pedals[i][k] - pedals[i - 1][k], shift) << angle << " pedal " << i;
      EXPECT_NEAR(std::hypot(shift.x(), shift.y()), 12.0, 1.0) << angle;
    }
  }
}

}  // namespace
