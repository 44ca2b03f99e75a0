#include "walls/flood_fill.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <deque>

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

// The plain way: every 4-connected pixel of the surface colour reached from a seed, one by one.
QImage FilledOneByOne(QImage img, const std::vector<QPoint>& seeds, QRgb surface, const QImage& pattern) {
  const QImage walls = img;
  std::vector<bool> seen(static_cast<std::size_t>(img.width()) * img.height());
  std::deque<QPoint> open;
  for (const QPoint& seed : seeds) open.push_back(seed);
  while (!open.empty()) {
    const QPoint p = open.front();
    open.pop_front();
    if (!img.rect().contains(p) || walls.pixel(p) != surface) continue;
    const std::size_t at = static_cast<std::size_t>(p.y()) * img.width() + p.x();
    if (seen[at]) continue;
    seen[at] = true;
    img.setPixel(p, pattern.pixel(p.x() % pattern.width(), p.y() % pattern.height()));
    for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) open.push_back(p + d);
  }
  return img;
}

// Random walls of every shape a run-by-run fill can stumble on: runs that reach past the run
// beside them on either side, pockets behind them, regions touching the image's edges, and
// seeds in walls, in a filled region or off the image.
TEST(FloodFill, FillsWhatAPixelByPixelFillReaches) {
  QRandomGenerator rng(17);
  for (int round = 0; round < 60; ++round) {
    const int w = rng.bounded(1, 70), h = rng.bounded(1, 50);
    QImage walls(w, h, QImage::Format_RGB32);
    walls.fill(Qt::white);
    const int density = rng.bounded(5, 60);  // percent of wall pixels
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (static_cast<int>(rng.bounded(100)) < density) walls.setPixel(x, y, kBlack);
    std::vector<QPoint> seeds;
    for (int i = rng.bounded(1, 6); i > 0; --i) seeds.emplace_back(rng.bounded(-2, w + 2), rng.bounded(-2, h + 2));
    QImage filled = walls;
    FloodFillPattern(filled, seeds, kWhite, Checker());
    ASSERT_EQ(filled, FilledOneByOne(walls, seeds, kWhite, Checker())) << "round " << round << ", " << w << " x " << h;
  }
}

}  // namespace
