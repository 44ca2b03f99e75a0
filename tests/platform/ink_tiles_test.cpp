#include <gtest/gtest.h>

#include <QImage>
#include <random>

#include "bells/annotation_paint.h"
#include "platform/ink_tiles.h"
#include "platform/layer.h"

namespace {

bool Covered(const TInkTiles& ink, QPoint p) {
  for (const QRect& r : ink.Runs(QRect(p, QSize(1, 1))))
    if (r.contains(p)) return true;
  return false;
}

// Every pixel a line puts on the canvas lies in a tile it marked: slanting, steep, flat, one
// pixel long, either way round, and running off the canvas on any side.
TEST(InkTiles, ASegmentMarksEveryPixelItDraws) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coordinate(-300, 700);
  std::vector<TSegment> segments = {{{10, 10}, {11, 11}}, {{11, 10}, {10, 11}}, {{5, 5}, {5, 5}},
                                    {{0, 100}, {399, 100}}, {{200, 0}, {200, 299}}, {{-50, -70}, {450, 370}},
                                    {{399, 0}, {0, 299}}, {{31, 31}, {32, 95}}, {{63, 0}, {64, 299}}};
  for (int i = 0; i < 300; ++i)
    segments.push_back({{coordinate(random), coordinate(random)}, {coordinate(random), coordinate(random)}});
  for (const TSegment& s : segments) {
    QImage canvas(400, 300, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    TInkTiles ink(canvas.rect());
    DrawSegments(canvas, {s}, &ink);
    for (int y = 0; y < canvas.height(); ++y)
      for (int x = 0; x < canvas.width(); ++x)
        if (canvas.pixel(x, y) != 0xFFFFFFFFu) {
          ASSERT_TRUE(Covered(ink, {x, y})) << s.From.x() << "," << s.From.y() << " - " << s.To.x() << ","
                                            << s.To.y() << " at " << x << "," << y;
        }
  }
}

// A slanting line across the canvas marks its course, not its bounding box.
TEST(InkTiles, ASlantingLineMarksFarFewerTilesThanItsBox) {
  TInkTiles ink(QRect(0, 0, 1600, 900));
  ink.AddSegment({0, 0}, {1599, 899});
  qint64 area = 0;
  for (const QRect& r : ink.Runs(QRect(0, 0, 1600, 900))) area += qint64(r.width()) * r.height();
  EXPECT_LT(area, 1600 * 900 / 8);
  EXPECT_EQ(ink.Bounds(), QRect(0, 0, 1600, 900));
}

struct RunsCase {
  const char* Name;
  std::vector<QRect> Marks;
  QRect Clip;
  std::vector<QRect> Runs;
};

TEST(InkTiles, RunsAreMergedAlongARowAndCutToTheClipAndCanvas) {
  const int t = TInkTiles::kTile;
  const RunsCase cases[] = {
      {"nothing marked", {}, QRect(0, 0, 200, 200), {}},
      {"one pixel", {QRect(40, 40, 1, 1)}, QRect(0, 0, 200, 200), {QRect(t, t, t, t)}},
      {"neighbours join", {QRect(0, 0, 1, 1), QRect(t, 0, 1, 1)}, QRect(0, 0, 200, 200), {QRect(0, 0, 2 * t, t)}},
      {"overlaps join", {QRect(0, 0, 3 * t, 1), QRect(t, 0, 3 * t, 1)}, QRect(0, 0, 200, 200), {QRect(0, 0, 4 * t, t)}},
      {"a gap stays", {QRect(0, 0, 1, 1), QRect(2 * t, 0, 1, 1)}, QRect(0, 0, 200, 200),
       {QRect(0, 0, t, t), QRect(2 * t, 0, t, t)}},
      {"rows top to bottom", {QRect(0, 2 * t, 1, 1), QRect(0, 0, 1, 1)}, QRect(0, 0, 200, 200),
       {QRect(0, 0, t, t), QRect(0, 2 * t, t, t)}},
      {"cut to the clip", {QRect(0, 0, 200, 200)}, QRect(10, 20, 5, 6), {QRect(10, 20, 5, 6)}},
      {"cut to the canvas", {QRect(-500, -500, 5000, 1)}, QRect(-100, -100, 1000, 1000), {}},
      {"off the canvas", {QRect(150, 150, 100, 100)}, QRect(0, 0, 500, 500), {QRect(4 * t, 4 * t, 200 - 4 * t, t), QRect(4 * t, 5 * t, 200 - 4 * t, t), QRect(4 * t, 6 * t, 200 - 4 * t, 200 - 6 * t)}},
      {"outside the clip", {QRect(0, 0, 10, 10)}, QRect(100, 100, 10, 10), {}},
  };
  for (const RunsCase& c : cases) {
    TInkTiles ink(QRect(0, 0, 200, 200));
    for (const QRect& r : c.Marks) ink.Add(r);
    EXPECT_EQ(ink.Runs(c.Clip), c.Runs) << c.Name;
    EXPECT_EQ(ink.IsEmpty(), c.Marks.empty() || c.Name == std::string("cut to the canvas")) << c.Name;
  }
}

// A layer told its ink in tiles composes, and whitens when cleared, exactly as one that looks
// at every pixel.
TEST(InkTiles, ALayerComposesAndClearsByItsTilesAsByItsPixels) {
  std::mt19937 random(3);
  std::uniform_int_distribution<int> x(-40, 340), y(-40, 240);
  for (int round = 0; round < 20; ++round) {
    TLayer tiled(nullptr), plain(nullptr);
    for (TLayer* layer : {&tiled, &plain}) {
      layer->setGeometry(4, 4, 300, 200);
      layer->ResetCanvas(300, 200);
    }
    for (int pass = 0; pass < 2; ++pass) {  // drawn, cleared and drawn again
      tiled.ClearCanvas();
      plain.ClearCanvas();
      TInkTiles ink = tiled.NewInk();
      std::vector<TSegment> lines;
      for (int i = 0; i < 6; ++i) lines.push_back({{x(random), y(random)}, {x(random), y(random)}});
      DrawSegments(tiled.Canvas(), lines, &ink);
      DrawSegments(plain.Canvas(), lines);
      tiled.CanvasChanged(QRect(0, 0, 300, 200), std::move(ink));
      plain.CanvasChanged();
    }
    QImage a(310, 210, QImage::Format_RGB32), b(310, 210, QImage::Format_RGB32);
    a.fill(Qt::gray);
    b.fill(Qt::gray);
    tiled.RenderPart(a, a.rect());
    plain.RenderPart(b, b.rect());
    ASSERT_EQ(a, b) << round;
    ASSERT_EQ(tiled.Canvas(), plain.Canvas()) << round;
  }
}

}  // namespace
