#include "beams/beem_geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "plan/plan_object.h"

namespace {

TEST(BeemClamps, WidthAndCoordinates) {
  for (auto [typed, stored] : {std::pair{20, 50}, {400, 350}, {50, 50}, {350, 350}, {-5, 50}})
    EXPECT_EQ(ClampBeemWidth(typed), stored) << typed;
  for (auto [typed, stored] : {std::pair{-5, 0}, {6000, 5600}, {5600, 5600}, {900, 900}})
    EXPECT_EQ(ClampBeemCoordinate(typed, 5600), stored) << typed;
  EXPECT_EQ(ShownBeemCoordinate(6000, 5600), 5600);
  EXPECT_EQ(ShownBeemCoordinate(-50, 5600), -50);  // pushed chord ends show as stored
}

struct OutlineCase {
  QPoint b, e;
  int w;
  std::vector<QPoint> outline;
};

class BeemOutline : public testing::TestWithParam<OutlineCase> {};

TEST_P(BeemOutline, Corners) {
  const OutlineCase& c = GetParam();
  const auto o = BeemOutlinePx(c.b, c.e, c.w);
  ASSERT_TRUE(o);
  EXPECT_EQ(*o, c.outline);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, BeemOutline,
    testing::Values(
        OutlineCase{{100, 100}, {200, 100}, 10, {{100, 95}, {100, 105}, {200, 105}, {200, 95}}},
        OutlineCase{{100, 100}, {100, 200}, 10, {{95, 100}, {105, 100}, {105, 200}, {95, 200}}},
        OutlineCase{{0, 0}, {100, 100}, 10, {{3, -3}, {-3, 3}, {97, 103}, {103, 97}}},
        // the reverse directions
        OutlineCase{{200, 100}, {100, 100}, 10, {{200, 95}, {200, 105}, {100, 105}, {100, 95}}},
        OutlineCase{{0, 100}, {100, 0}, 10, {{3, 103}, {-3, 97}, {97, -3}, {103, 3}}},
        // an odd width loses its odd pixel; zero width collapses onto the segment
        OutlineCase{{0, 0}, {50, 0}, 11, {{0, -5}, {0, 5}, {50, 5}, {50, -5}}},
        OutlineCase{{0, 0}, {30, 40}, 0, {{0, 0}, {0, 0}, {30, 40}, {30, 40}}}));

TEST(BeemOutline, SamePixelDrawsNothing) { EXPECT_FALSE(BeemOutlinePx({50, 60}, {50, 60}, 10)); }

// In every direction the end edges cross the segment square and are about the width long.
TEST(BeemOutline, EndsAreSquareInEveryDirection) {
  const int w = 40;
  for (int deg = 0; deg < 360; deg += 7) {
    const double a = deg * M_PI / 180;
    const QPoint b(500, 500),
        e(500 + std::lround(300 * std::cos(a)), 500 + std::lround(300 * std::sin(a)));
    const auto o = BeemOutlinePx(b, e, w);
    ASSERT_TRUE(o) << deg;
    const QPoint across = (*o)[1] - (*o)[0], along = e - b;
    const double len = std::hypot(along.x(), along.y());
    EXPECT_NEAR((across.x() * along.x() + across.y() * along.y()) / len, 0.0, 2.0) << deg;
    EXPECT_NEAR(std::hypot(across.x(), across.y()), w, 2.0) << deg;
    EXPECT_EQ((*o)[2] - (*o)[3], across) << deg;
  }
}

TEST(ProjectBeem, BothWays) {
  // A 618 x 352 panel with 5600 mm walls.
  const long double scale = 232.0L / 5600 * 0.95L;
  EXPECT_EQ(ProjectBeemFromMm(100, {1800, 750}, {3800, 4850}, scale, {199, 65}),
            (TBeemProjection{4, {270, 95}, {349, 256}}));
  EXPECT_EQ(ProjectBeemFromPixels(100, {270, 95}, {199, 65}, scale, {199, 65}),
            (TBeemProjection{4, {1804, 762}, {0, 0}}));
  // halves go to the even neighbour
  EXPECT_EQ(ProjectBeemFromMm(5, {5, 7}, {-5, -7}, 0.5L, {0, 0}),
            (TBeemProjection{2, {2, 4}, {-2, -4}}));
  EXPECT_EQ(ProjectBeemFromPixels(7, {5, 7}, {-1, 0}, 2.0L, {0, 0}),
            (TBeemProjection{14, {2, 4}, {0, 0}}));
}

TEST(ProjectBeem, OnTheRecord) {
  TPlanObject beem;
  beem.BeemWidth = 200;
  beem.BeemBeginPoint = {800, 800};
  ProjectBeem(beem, false, 0.1L, {65, 65});
  EXPECT_EQ(beem.BeemBeginPointPx, QPoint(145, 145));
  beem.BeemEndPointPx = {166, 66};
  ProjectBeem(beem, true, 0.1L, {65, 65});
  EXPECT_EQ(beem.BeemWidthPx, 20);
  EXPECT_EQ(beem.BeemBeginPoint, QPoint(800, 800));
  EXPECT_EQ(beem.BeemEndPoint, QPoint(1010, 10));
}

TEST(ProjectBeem, ExtremeValuesStayInRange) {
  EXPECT_EQ(ProjectBeemFromMm(INT_MAX, {INT_MAX, INT_MIN}, {0, 0}, 10.0L, {100, 100}),
            (TBeemProjection{INT_MAX, {INT_MAX, INT_MIN + 100}, {100, 100}}));
  // A scale of zero (walls of no size) gives nothing to divide by.
  EXPECT_EQ(ProjectBeemFromPixels(100, {10, 0}, {-10, 0}, 0.0L, {0, 0}),
            (TBeemProjection{0, {INT_MAX, 0}, {INT_MIN, 0}}));
}

TEST(RelayoutBeem, MovesWithTheInnerFaces) {
  const TWallsResize grow{5600, 4000, 7200, 5600};
  EXPECT_EQ(RelayoutBeemPoint({900, 4700}, grow), QPoint(929, 6271));
  EXPECT_EQ(RelayoutBeemPoint({800, 4800}, grow), QPoint(800, 6400));  // faces stay faces
  // the centre counts to the far half
  EXPECT_EQ(RelayoutBeemCoordinate(2799, grow), 3370);
  EXPECT_EQ(RelayoutBeemCoordinate(2800, grow), 3829);
  EXPECT_EQ(RelayoutBeemPoint({929, 6271}, TWallsResize{7200, 5600, 5600, 4000}),
            QPoint(900, 4700));
  const TWallsResize same{5600, 4000, 5600, 4000};
  for (int c = -200; c <= 5800; c += 37) EXPECT_EQ(RelayoutBeemCoordinate(c, same), c);
  EXPECT_EQ(RelayoutBeemCoordinate(1234, TWallsResize{0, 0, 5600, 4000}), 1234);
}

}  // namespace
