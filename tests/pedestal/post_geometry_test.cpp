#include "pedestal/post_geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

using namespace pedestal;

namespace {

using Quad = std::vector<QPoint>;

TEST(PostDefaults, StandsInFrontOfTheBottomWall) {
  struct Case {
    int outer, wall;
    QPoint position;
  };
  const Case cases[] = {
      {5600, 800, QPoint(2800, 4200)},  // the default walls
      {7200, 1000, QPoint(3600, 5600)},
      {3001, 700, QPoint(1500, 1701)},  // odd diameter: the centre truncates
  };
  for (const Case& c : cases) {
    const TPostDefaults d = PostDefaults(c.outer, c.wall);
    EXPECT_EQ(d.PostPosition, c.position) << c.outer;
    EXPECT_EQ(d.PostWidth, 1800);
    EXPECT_EQ(d.PostHeight, 800);
    EXPECT_EQ(d.PostAngle, 0);
    EXPECT_EQ(d.PostBoardDiameter, 250);
  }
}

TEST(ProjectPost, ScalesLengthsAndPlacesTheCentre) {
  const TPostPixels p = ProjectPost(1800, 800, QPoint(2800, 4200), 250, 0.1L, QPoint(10, 20));
  EXPECT_EQ(p.PostWidthPx, 180);
  EXPECT_EQ(p.PostHeightPx, 80);
  EXPECT_EQ(p.PostPositionPx, QPoint(290, 440));
  EXPECT_EQ(p.PostBoardDiameterPx, 25);
}

TEST(BuildPostOutline, DefaultPedestalAtTenthScale) {
  const TPostOutline o = BuildPostOutline(1800, 800, 0, 0.1L, QPoint(0, 0));
  EXPECT_EQ(o.PostOutlineBase, (Quad{{2546, 2546}, {4346, 2546}, {4346, 3346}, {2546, 3346}}));
  EXPECT_EQ(o.PostOutline, (Quad{{0, 0}, {180, 0}, {180, 80}, {0, 80}}));
  EXPECT_EQ(o.MaxX, 180);
  EXPECT_EQ(o.MaxY, 80);
  EXPECT_EQ(o.PostWidthPx, 181);
  EXPECT_EQ(o.PostHeightPx, 81);
  EXPECT_EQ(o.PostBoardCentre, QPoint(90, 40));
}

TEST(BuildPostOutline, LayerSizeFollowsTheAngle) {
  struct Case {
    int angle;
    int width, height;
    Quad outline;
  };
  const Case cases[] = {
      {0, 181, 81, {{0, 0}, {180, 0}, {180, 80}, {0, 80}}},
      {45, 185, 185, {{57, 0}, {184, 127}, {128, 184}, {0, 57}}},
      {90, 81, 181, {{80, 0}, {80, 180}, {0, 180}, {0, 0}}},
      {180, 181, 81, {{180, 80}, {0, 80}, {0, 0}, {180, 0}}},
      {270, 81, 181, {{0, 180}, {0, 0}, {80, 0}, {80, 180}}},
      {200, 197, 138, {{169, 137}, {0, 75}, {27, 0}, {196, 62}}},
  };
  for (const Case& c : cases) {
    const TPostOutline o = BuildPostOutline(1800, 800, c.angle, 0.1L, QPoint(0, 0));
    EXPECT_EQ(o.PostWidthPx, c.width) << c.angle;
    EXPECT_EQ(o.PostHeightPx, c.height) << c.angle;
    EXPECT_EQ(o.PostOutline, c.outline) << c.angle;
    EXPECT_EQ(o.PostBoardCentre, QPoint(c.width / 2, c.height / 2)) << c.angle;
  }
}

TEST(BuildPostOutline, LongerSideGivesTheMargin) {
  // Height 2500 exceeds width 700: margin Round(1.41421... * 2500) = 3536.
  const TPostOutline o = BuildPostOutline(700, 2500, 0, 0.1L, QPoint(0, 0));
  EXPECT_EQ(o.PostOutlineBase[0], QPoint(3536, 3536));
  EXPECT_EQ(o.PostOutlineBase[2], QPoint(3536 + 700, 3536 + 2500));
  EXPECT_EQ(o.PostWidthPx, 71);
  EXPECT_EQ(o.PostHeightPx, 251);
}

TEST(BuildPostOutline, AnglesOnlyADocumentCanHold) {
  const TPostOutline unturned = BuildPostOutline(1800, 800, 0, 0.1L, QPoint(0, 0));
  const TPostOutline quarter = BuildPostOutline(1800, 800, 90, 0.1L, QPoint(0, 0));
  EXPECT_EQ(BuildPostOutline(1800, 800, -90, 0.1L, QPoint()).PostOutline, unturned.PostOutline);
  EXPECT_EQ(BuildPostOutline(1800, 800, 360, 0.1L, QPoint()).PostOutline, unturned.PostOutline);
  EXPECT_EQ(BuildPostOutline(1800, 800, 450, 0.1L, QPoint()).PostOutline, quarter.PostOutline);
  EXPECT_EQ(BuildPostOutline(1800, 800, INT_MIN, 0.1L, QPoint()).PostOutline, unturned.PostOutline);
  EXPECT_EQ(BuildPostOutline(1800, 800, INT_MAX, 0.1L, QPoint()).PostOutline.size(), 4u);
}

TEST(BuildPostOutline, ExtremeSidesFromADocumentStayDefined) {
  // Only checks that nothing overflows (UBSan) and the layer is still a box.
  for (int side : {INT_MAX, INT_MIN, 0, -800}) {
    const TPostOutline o = BuildPostOutline(side, 800, 30, 0.0628L, QPoint(4, 4));
    EXPECT_GE(o.PostWidthPx, 1) << side;
    EXPECT_GE(o.PostHeightPx, 1) << side;
  }
}

TEST(PostLayerBounds, CentresTheLayerOnThePedestal) {
  EXPECT_EQ(PostLayerBounds(QPoint(290, 440), 181, 81), QRect(200, 400, 181, 81));
  EXPECT_EQ(PostLayerBounds(QPoint(290, 440), 81, 181), QRect(250, 350, 81, 181));
}

TEST(RotateQuad, TurnsAboutTheFirstPoint) {
  struct Case {
    int angle;
    Quad expected;
  };
  const Quad rect{{0, 0}, {100, 0}, {100, 50}, {0, 50}};
  const Case cases[] = {
      {0, rect},
      {90, {{0, 0}, {0, 100}, {-50, 100}, {-50, 0}}},  // clockwise on the screen
      {180, {{0, 0}, {-100, 0}, {-100, -50}, {0, -50}}},
      {270, {{0, 0}, {0, -100}, {50, -100}, {50, 0}}},
      {-90, {{0, 0}, {0, -100}, {50, -100}, {50, 0}}},
      {360, rect},
      {45, {{0, 0}, {71, 71}, {35, 106}, {-35, 35}}},
  };
  for (const Case& c : cases) {
    Quad q = rect;
    RotateQuad(q, c.angle);
    EXPECT_EQ(q, c.expected) << c.angle;
  }
}

TEST(RotateQuad, ExactHalvesGoToTheEvenNeighbour) {
  // sin 30 degrees * 103 is 51.5 exactly, which must round to 52, not fall to 51 through a
  // sine a hair below one half.
  Quad q{{10, 20}, {113, 20}, {113, 70}, {10, 70}};
  RotateQuad(q, 30);
  EXPECT_EQ(q, (Quad{{10, 20}, {99, 72}, {74, 115}, {-15, 63}}));
}

TEST(RotateQuad, TakesSidesFromTheInputNotTheOutput) {
  // dy is P2.Y - P1.Y of the unturned input; a skewed input is taken at its word.
  Quad q{{0, 0}, {10, 5}, {10, 25}, {0, 30}};
  RotateQuad(q, 90);
  EXPECT_EQ(q, (Quad{{0, 0}, {0, 10}, {-20, 10}, {-20, 0}}));
}

TEST(RotateQuad, LeavesShortListsAlone) {
  Quad three{{1, 2}, {3, 4}, {5, 6}};
  RotateQuad(three, 90);
  EXPECT_EQ(three, (Quad{{1, 2}, {3, 4}, {5, 6}}));
  Quad none;
  RotateQuad(none, 45);
  EXPECT_TRUE(none.empty());
}

TEST(PostClamps, SidesStayWithin700And2500) {
  const std::pair<int, int> cases[] = {{2600, 2500}, {650, 700},      {700, 700},
                                       {2500, 2500}, {1800, 1800},    {0, 700},
                                       {-5, 700},    {INT_MAX, 2500}, {INT_MIN, 700}};
  for (auto [in, out] : cases) {
    EXPECT_EQ(ClampPostWidth(in), out) << in;
    EXPECT_EQ(ClampPostHeight(in), out) << in;
  }
}

TEST(PostClamps, AngleIsNotTakenModulo360) {
  const std::pair<int, int> cases[] = {{0, 0},   {359, 359}, {360, 0},     {370, 0},
                                       {-10, 0}, {-1, 0},    {INT_MAX, 0}, {INT_MIN, 0}};
  for (auto [in, out] : cases) EXPECT_EQ(ClampPostAngle(in), out) << in;
}

TEST(PostClamps, PositionStaysInsideTheWallsSquare) {
  const std::pair<int, int> cases[] = {{-1, 0},      {0, 0},       {2800, 2800},   {5600, 5600},
                                       {5601, 5600}, {INT_MIN, 0}, {INT_MAX, 5600}};
  for (auto [in, out] : cases) EXPECT_EQ(ClampPostPosition(in, 5600), out) << in;
}

TEST(EffectivePostAngle, DropsWholeTurnsAndNegativeAngles) {
  const std::pair<int, int> cases[] = {{0, 0},    {359, 359}, {360, 0},     {370, 10},
                                       {450, 90}, {-10, 0},   {INT_MIN, 0}, {INT_MAX, 127}};
  for (auto [in, out] : cases) EXPECT_EQ(EffectivePostAngle(in), out) << in;
}

}  // namespace
