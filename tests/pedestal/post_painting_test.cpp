#include "pedestal/post_painting.h"

#include <gtest/gtest.h>

#include <QImage>
#include <set>
#include <vector>

#include "pedestal/post_geometry.h"
#include "pedestal/ringer.h"

using namespace pedestal;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;

QImage PaintedPost(const TPostOutline& o, int boardPx) {
  QImage layer(o.PostWidthPx, o.PostHeightPx, QImage::Format_RGB32);
  layer.fill(Qt::red);  // whatever was there before must go
  PaintPost(layer, o.PostOutline, o.PostBoardCentre, boardPx);
  return layer;
}

QRect BoundsOfColour(const QImage& img, QRgb colour, QRect within) {
  QRect r;
  for (int y = within.top(); y <= within.bottom(); ++y)
    for (int x = within.left(); x <= within.right(); ++x)
      if (img.pixel(x, y) == colour) r |= QRect(x, y, 1, 1);
  return r;
}

TEST(PaintPost, DeckIncludesItsOutlineAndFillsTheLayer) {
  const QImage img = PaintedPost(BuildPostOutline(1800, 800, 0, 0.1L, QPoint()), 25);
  ASSERT_EQ(img.size(), QSize(181, 81));
  for (QPoint corner : {QPoint(0, 0), QPoint(180, 0), QPoint(180, 80), QPoint(0, 80)})
    EXPECT_EQ(img.pixel(corner), kBlack) << corner.x() << "," << corner.y();
  EXPECT_EQ(img.pixel(90, 0), kBlack);
  EXPECT_EQ(img.pixel(0, 40), kBlack);
  EXPECT_EQ(img.pixel(1, 1), kPostColour);
  EXPECT_EQ(img.pixel(179, 79), kPostColour);
}

TEST(PaintPost, BoardBoxExcludesItsFarSides) {
  // r = 12 about (90, 40): the box (78, 28)-(102, 52) covers x 78..101 and y 28..51.
  const QImage img = PaintedPost(BuildPostOutline(1800, 800, 0, 0.1L, QPoint()), 25);
  const QRect around(60, 10, 60, 60);
  QRect board = BoundsOfColour(img, kBlack, around) | BoundsOfColour(img, kBoardColour, around);
  EXPECT_EQ(board, QRect(78, 28, 24, 24));
  EXPECT_EQ(img.pixel(90, 40), kBoardColour);
}

TEST(PaintPost, TurnedDeckLeavesTheCornersWhiteAndHasHardEdges) {
  const QImage img = PaintedPost(BuildPostOutline(1800, 800, 37, 0.1L, QPoint()), 25);
  EXPECT_EQ(img.pixel(0, 0), kWhite);
  EXPECT_EQ(img.pixel(img.width() - 1, img.height() - 1), kWhite);
  std::set<QRgb> colours;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) colours.insert(img.pixel(x, y));
  EXPECT_EQ(colours, (std::set<QRgb>{kWhite, kBlack, kPostColour, kBoardColour}));
}

TEST(PaintPost, TinyBoardDrawsNothing) {
  const QImage img = PaintedPost(BuildPostOutline(1800, 800, 0, 0.1L, QPoint()), 1);
  EXPECT_EQ(img.pixel(90, 40), kPostColour);
}

TEST(PaintPedals, FilledDarkAndOutlined) {
  const TPostOutline o = BuildPostOutline(1800, 800, 0, 0.1L, QPoint());
  QImage img = PaintedPost(o, 25);
  PaintPedals(img, PedalOutlines(2, 0, 25, o.PostWidthPx, o.PostHeightPx, 0.1L));
  EXPECT_EQ(img.pixel(115, 10), kBlack);
  EXPECT_EQ(img.pixel(125, 70), kBlack);
  EXPECT_EQ(img.pixel(120, 40), kBoardColour);
  EXPECT_EQ(img.pixel(126, 40), kPostColour);  // the gap between the pedals
  EXPECT_EQ(img.pixel(132, 40), kBoardColour);
}

TEST(PaintPedals, NothingToPaintLeavesTheLayer) {
  QImage img(20, 20, QImage::Format_RGB32);
  img.fill(Qt::white);
  PaintPedals(img, {});
  EXPECT_EQ(img.pixel(10, 10), kWhite);
  QImage null;
  PaintPedals(null, {{QPoint(0, 0), QPoint(5, 0), QPoint(5, 5), QPoint(0, 5)}});
  PaintPost(null, {}, QPoint(), 10);
  EXPECT_TRUE(null.isNull());
}

}  // namespace
