#include "walls/flood_fill.h"

#include <gtest/gtest.h>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF, kBlack = 0xFF000000, kRed = 0xFFFF0000;

QImage Blank(QImage::Format format = QImage::Format_RGB32) {
  QImage img(12, 12, format);
  img.fill(Qt::white);
  return img;
}

QImage Checker() {
  QImage p(2, 3, QImage::Format_RGB32);
  const QRgb c[] = {0xFF102030, 0xFF405060, 0xFF708090, 0xFFA0B0C0, 0xFF112233, 0xFF445566};
  for (int i = 0; i < 6; ++i) p.setPixel(i % 2, i / 2, c[i]);
  return p;
}

TEST(FloodFill, FourConnectedStopsAtDiagonalWall) {
  QImage img = Blank();
  for (int i = 0; i < 12; ++i) img.setPixel(i, 11 - i, kBlack);  // anti-diagonal
  FloodFillPattern(img, {0, 0}, kWhite, Checker());
  EXPECT_NE(img.pixel(0, 0), kWhite);
  EXPECT_NE(img.pixel(10, 0), kWhite);  // last pixel above the line
  EXPECT_EQ(img.pixel(11, 1), kWhite);  // just below it, diagonal neighbours only
  EXPECT_EQ(img.pixel(11, 11), kWhite);
  EXPECT_EQ(img.pixel(5, 6), kBlack);
}

TEST(FloodFill, PatternTilesFromImageOrigin) {
  const QImage pattern = Checker();
  QImage img = Blank();
  FloodFillPattern(img, {7, 5}, kWhite, pattern);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) ASSERT_EQ(img.pixel(x, y), pattern.pixel(x % 2, y % 3));
}

TEST(FloodFill, NothingToFill) {
  QImage img = Blank();
  img.setPixel(3, 3, kRed);
  const QImage before = img;
  FloodFillPattern(img, {3, 3}, kWhite, Checker());   // seed not of the surface colour
  FloodFillPattern(img, {-1, 4}, kWhite, Checker());  // outside
  FloodFillPattern(img, {4, 12}, kWhite, Checker());
  FloodFillPattern(img, {4, 4}, kWhite, QImage());
  EXPECT_EQ(img, before);
}

TEST(FloodFill, PictureHoldingTheSurfaceColourStillEnds) {
  QImage pattern(2, 1, QImage::Format_RGB32);
  pattern.setPixel(0, 0, kWhite);
  pattern.setPixel(1, 0, kRed);
  QImage img = Blank();
  FloodFillPattern(img, {0, 0}, kWhite, pattern);
  EXPECT_EQ(img.pixel(0, 5), kWhite);
  EXPECT_EQ(img.pixel(1, 5), kRed);
  EXPECT_EQ(img.pixel(11, 11), kRed);
}

TEST(FloodFill, OtherFormats) {
  QImage palette(2, 1, QImage::Format_Indexed8);
  palette.setColorTable({kRed, 0xFF00FF00});
  palette.setPixel(0, 0, 0);
  palette.setPixel(1, 0, 1);
  for (QImage::Format f :
       {QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB888}) {
    QImage img = Blank(f);
    img.setPixel(6, 0, kBlack);
    for (int y = 0; y < 12; ++y) img.setPixel(6, y, kBlack);
    FloodFillPattern(img, {1, 1}, kWhite, palette);
    EXPECT_EQ(img.format(), f);
    EXPECT_EQ(img.pixel(2, 4), kRed);
    EXPECT_EQ(img.pixel(3, 4), 0xFF00FF00);
    EXPECT_EQ(img.pixel(8, 4), kWhite);
  }
}

// Seeds filled in one pass fill what each seed filled in turn does: regions apart, a seed in a
// region another has filled, a seed on a wall or off the image, with a picture that holds the
// surface colour and one that does not.
TEST(FloodFill, SeedsInOnePassFillAsEachInTurn) {
  QImage holding(2, 1, QImage::Format_RGB32);
  holding.setPixel(0, 0, kWhite);
  holding.setPixel(1, 0, kRed);
  for (const QImage& pattern : {Checker(), holding}) {
    QImage walls(40, 30, QImage::Format_RGB32);
    walls.fill(Qt::white);
    for (int i = 0; i < 30; ++i) {
      walls.setPixel(13, i, kBlack);
      walls.setPixel((i * 7) % 40, i, kBlack);
    }
    for (int x = 13; x < 40; ++x) walls.setPixel(x, 15, kBlack);
    const std::vector<QPoint> seeds = {{2, 2}, {20, 5}, {3, 25}, {20, 25}, {13, 3}, {-1, 4}, {39, 29}};
    QImage inTurn = walls, atOnce = walls;
    for (const QPoint& seed : seeds) FloodFillPattern(inTurn, seed, kWhite, pattern);
    FloodFillPattern(atOnce, seeds, kWhite, pattern);
    EXPECT_EQ(atOnce, inTurn);
    EXPECT_NE(atOnce, walls);
  }
}

}  // namespace
