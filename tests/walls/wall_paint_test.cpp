#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>

#include "platform/white_key.h"
#include "walls/wall_geometry.h"

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF, kBlack = 0xFF000000;

// A 7 x 5 picture whose every pixel is distinct and none white, so a painted pixel tells where
// in the picture it came from.
QImage Probe() {
  QImage p(7, 5, QImage::Format_RGB32);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) p.setPixel(x, y, qRgb(10 + 20 * x, 20 + 30 * y, 99));
  return p;
}

QImage Layer() {
  QImage l(700, 700, QImage::Format_ARGB32_Premultiplied);
  l.fill(Qt::white);
  return l;
}

QPoint Centre(const TWallPoints& q) {
  QPoint s;
  for (const QPoint& p : q) s += p;
  return s / static_cast<int>(q.size());
}

TEST(WallPaint, DefaultFourSidedWalls) {
  const QImage probe = Probe();
  QImage layer = Layer();
  const TWallGeometry g = BuildWallGeometry({0, 5600, 4000, 800, 1500}, {0.1, 65, 65}, 150, 560);
  RenderWallsLayer(layer, g, probe, true);
  auto patternAt = [&](int x, int y) { return probe.pixel(x % 7, y % 5); };

  struct Spot {
    int x, y;
    QRgb colour;  // 0: the picture's pixel at this point of the tiling
  } const spots[] = {
      {65, 65, kBlack},   {625, 625, kBlack}, {145, 145, kBlack}, {545, 200, kBlack},
      {100, 100, 0},      {600, 600, 0},      {100, 269, 0},      {100, 270, kBlack},
      {100, 345, kWhite}, {345, 100, kWhite}, {345, 345, kWhite}, {10, 10, kWhite},
      {66, 66, 0},        {624, 66, 0},
  };
  for (const Spot& s : spots)
    EXPECT_EQ(layer.pixel(s.x, s.y), s.colour ? s.colour : patternAt(s.x, s.y))
        << s.x << "," << s.y;

  // Everything painted is outline, opening or the picture tiled from the layer's (0, 0).
  int painted = 0;
  for (int y = 0; y < layer.height(); ++y)
    for (int x = 0; x < layer.width(); ++x) {
      const QRgb c = layer.pixel(x, y);
      if (c == kWhite || c == kBlack) continue;
      ASSERT_EQ(c, patternAt(x, y)) << x << "," << y;
      ++painted;
    }
  EXPECT_GT(painted, 4 * 150 * 70);
}

TEST(WallPaint, HiddenWallsLeaveTheLayerWhite) {
  QImage layer = Layer();
  const TWallGeometry g = BuildWallGeometry({1, 5600, 4000, 800, 1500}, {0.1, 65, 65}, 150, 560);
  RenderWallsLayer(layer, g, Probe(), true);
  ASSERT_NE(layer.pixel(65, 345), kWhite);
  RenderWallsLayer(layer, g, Probe(), false);
  QImage white = Layer();
  EXPECT_EQ(layer, white);
}

// Over the range of shapes and scales the plan meets, every wall piece is filled, the fill
// never escapes into the courtyard or the outside, and the openings stay clear.
TEST(WallPaint, FillStaysInsideTheWallPieces) {
  const TWallSizes shapes[] = {
      {0, 5600, 4000, 800, 1500},   {1, 5600, 4000, 800, 1617},   {2, 5600, 4000, 800, 1320},
      {1, 16000, 8000, 4000, 4619}, {2, 16000, 8000, 4000, 3771}, {0, 1200, 1000, 100, 1000},
      {1, 1200, 1000, 100, 346},    {2, 1200, 1000, 100, 283},    {1, 7200, 5600, 800, 800},
      {2, 9000, 7000, 1000, 1000},  {1, 5600, 2000, 1800, 1800},  {2, 5600, 2000, 1800, 1800},
      {1, 8200, 8000, 100, 2367},   {2, 8200, 8000, 100, 1933}};
  const QImage probe = Probe();
  for (const TWallSizes& w : shapes)
    for (double px : {160.0, 220.0, 380.0, 560.0}) {
      SCOPED_TRACE(testing::Message() << int(w.Type) << " " << w.Outer << " at " << px);
      const double scale = px / w.Outer;
      const int outerPx = static_cast<int>(std::lround(w.Outer * scale));
      const TWallGeometry g = BuildWallGeometry(
          w, {scale, 65, 65}, static_cast<int>(std::lround(w.Arch * scale)), outerPx);
      QImage layer = Layer();
      RenderWallsLayer(layer, g, probe, true);
      EXPECT_EQ(layer.pixel(2, 2), kWhite);
      EXPECT_EQ(layer.pixel(65 + outerPx / 2, 65 + outerPx / 2), kWhite);
      if (w.Thickness * scale < 4) continue;  // no room inside the outlines to check
      for (const QPoint& s : g.FillSeeds) {
        const QRgb c = layer.pixel(s);
        EXPECT_TRUE(c != kWhite && c != kBlack) << s.x() << "," << s.y();
      }
      for (const TWallPoints& q : g.ArcQuadsPx) EXPECT_EQ(layer.pixel(Centre(q)), kWhite);
    }
}

// Thin walls on a small plan come down to a pixel or less; the fill must then stay out of the
// courtyard and the surroundings rather than find its way in through a seed.
TEST(WallPaint, ThinWallsNeverLeak) {
  const QImage probe = Probe();
  for (std::uint8_t type : {0, 1, 2})
    for (int outerPx = 20; outerPx <= 200; outerPx += 3) {
      const TWallSizes w{type, 8200, 8000, 100, 100};
      const double scale = static_cast<double>(outerPx) / w.Outer;
      QImage layer = Layer();
      RenderWallsLayer(layer,
                       BuildWallGeometry(w, {scale, 65, 65},
                                         static_cast<int>(std::lround(w.Arch * scale)), outerPx),
                       probe, true);
      EXPECT_EQ(layer.pixel(2, 2), kWhite) << int(type) << " " << outerPx;
      EXPECT_EQ(layer.pixel(65 + outerPx / 2, 65 + outerPx / 2), kWhite)
          << int(type) << " " << outerPx;
    }
}

TEST(WallPaint, MaterialPictureFromResources) {
  const QImage brick(QStringLiteral(":/Material1"));
  ASSERT_FALSE(brick.isNull());
  QImage layer = Layer();
  RenderWallsLayer(layer, BuildWallGeometry({0, 5600, 4000, 800, 1500}, {0.1, 65, 65}, 150, 560),
                   brick, true);
  for (QPoint p : {QPoint(100, 100), QPoint(250, 130), QPoint(600, 500)})
    EXPECT_EQ(layer.pixel(p), brick.pixel(p.x() % 120, p.y() % 111));
}


// Painted straight onto a magnified panel, the walls show the very pixels their layer of the
// region fill would: over any background, for every shape, reaching off the panel or not.
TEST(WallPaint, MasonryOnThePanelEqualsTheLayerOfIt) {
  const QImage probe = Probe();
  const TWallSizes shapes[] = {{0, 5600, 4000, 800, 1500}, {1, 5600, 4000, 800, 1617}, {2, 9000, 7000, 1000, 1000}};
  for (const TWallSizes& w : shapes)
    for (const double px : {500.0, 1800.0, 6000.0})
      for (const QPoint origin : {QPoint(65, 65), QPoint(-700, -300), QPoint(-2500, -2600)}) {
        SCOPED_TRACE(testing::Message() << int(w.Type) << " at " << px << " from " << origin.x());
        const double scale = px / w.Outer;
        const int outerPx = static_cast<int>(std::lround(px));
        const TWallGeometry g = BuildWallGeometry(w, {scale, origin.x(), origin.y()},
                                                  static_cast<int>(std::lround(w.Arch * scale)), outerPx);
        QImage layer(600, 400, QImage::Format_RGB32);
        RenderWallsLayer(layer, g, probe, true, TWallFill::AsRegion);
        QImage background(608, 408, QImage::Format_RGB32);
        for (int y = 0; y < background.height(); ++y)
          for (int x = 0; x < background.width(); ++x) background.setPixel(x, y, qRgb(x % 251, y % 241, 7));
        QImage viaLayer = background;
        CopyInk(viaLayer, QPoint(4, 4), layer, QRect(4, 4, 600, 400));
        QImage direct = background;
        {
          QPainter p(&direct);
          p.setClipRect(QRect(4, 4, 600, 400));
          p.translate(4, 4);
          PaintMasonry(p, MasonryPath(g), g, QBrush(probe), QPoint(0, 0));
        }
        ASSERT_EQ(direct, viaLayer);
      }
}

// Every pixel the walls paint lies in the tiles they say their ink is in, over the shapes and
// scales of the plan, and the middle of a courtyard wider than a few tiles is no ink.
TEST(WallPaint, EveryInkedPixelLiesInTheWallsTiles) {
  const TWallSizes shapes[] = {{0, 5600, 4000, 800, 1500}, {1, 5600, 4000, 800, 1617}, {2, 5600, 4000, 800, 1320},
                               {1, 16000, 8000, 4000, 4619}, {2, 1200, 1000, 100, 283}, {0, 8200, 8000, 100, 2367},
                               {2, 5600, 2000, 1800, 1800}};
  const QImage probe = Probe();
  for (const TWallSizes& w : shapes)
    for (const double px : {20.0, 160.0, 560.0, 900.0}) {
      SCOPED_TRACE(testing::Message() << int(w.Type) << " " << w.Outer << " at " << px);
      const double scale = px / w.Outer;
      const int outerPx = static_cast<int>(std::lround(px));
      const TWallGeometry g = BuildWallGeometry(w, {scale, 65, 65}, static_cast<int>(std::lround(w.Arch * scale)), outerPx);
      QImage layer = Layer();
      RenderWallsLayer(layer, g, probe, true);
      const TInkTiles ink = WallsInk(g, layer.rect());
      QImage outside = layer;
      for (const QRect& r : ink.Runs(layer.rect()))
        for (int y = r.top(); y <= r.bottom(); ++y)
          for (int x = r.left(); x <= r.right(); ++x) outside.setPixel(x, y, kWhite);
      ASSERT_TRUE(InkBounds(outside).isEmpty()) << InkBounds(outside).x() << "," << InkBounds(outside).y();
      const int centre = 65 + outerPx / 2;
      if (w.Inner * scale > 6 * TInkTiles::kTile) {
        EXPECT_TRUE(ink.Runs(QRect(centre, centre, 1, 1)).empty());
      }
    }
}

}  // namespace
