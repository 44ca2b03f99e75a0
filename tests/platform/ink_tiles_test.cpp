#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <random>
#include <utility>

#include "bells/annotation_paint.h"
#include "platform/ink_tiles.h"
#include "platform/layer.h"
#include "platform/white_key.h"

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

TEST(InkTiles, GapsAreTheUnmarkedTilesAndContainsComparesMarks) {
  const int t = TInkTiles::kTile;
  TInkTiles ink(QRect(0, 0, 100, 70));  // 4 x 3 tiles, the last column and row cut short
  ink.Add(QRect(t, 0, 1, 1));
  ink.Add(QRect(0, 2 * t, 100, 1));
  EXPECT_EQ(ink.Gaps(QRect(0, 0, 100, 70)),
            (std::vector<QRect>{QRect(0, 0, t, t), QRect(2 * t, 0, 100 - 2 * t, t), QRect(0, t, 100, t)}));
  EXPECT_EQ(ink.Gaps(QRect(40, 10, 5, 5)), std::vector<QRect>{});
  EXPECT_EQ(ink.Gaps(QRect(70, 10, 5, 5)), std::vector<QRect>{QRect(70, 10, 5, 5)});
  TInkTiles part(QRect(0, 0, 100, 70));
  part.Add(QRect(t + 3, 5, 2, 2));
  part.Add(QRect(90, 2 * t + 1, 1, 1));
  EXPECT_TRUE(ink.Contains(part));
  EXPECT_TRUE(ink.Contains(TInkTiles(QRect(0, 0, 100, 70))));
  part.Add(QRect(0, t, 1, 1));
  EXPECT_FALSE(ink.Contains(part));
  EXPECT_FALSE(TInkTiles(QRect(0, 0, 100, 70)).Contains(ink));
}

// A new canvas drawn on within tiles shows, composed and whole, what a canvas whitened all over
// shows: the first drawing, one told of ink beyond the whitened tiles, a clear and a drawing
// within, and one beyond them. A large canvas's fresh memory reads as black, so any pixel never
// whitened would show.
TEST(InkTiles, ACanvasWhitenedOnlyWhereItIsDrawnShowsAsOneWhitenedAllOver) {
  struct TStep {
    const char* Name;
    bool Clear;
    QRect Within, Drawn, Told;
  } const steps[] = {
      {"first frame", false, QRect(0, 0, 600, 40), QRect(10, 10, 500, 20), QRect(0, 0, 600, 40)},
      {"told beyond", false, QRect(0, 0, 600, 40), QRect(20, 12, 30, 5), QRect(0, 0, 600, 340)},
      {"cleared, within", true, QRect(0, 0, 200, 40), QRect(30, 5, 100, 10), QRect(0, 0, 200, 40)},
      {"cleared, beyond", true, QRect(300, 200, 200, 100), QRect(310, 210, 50, 50), QRect(300, 200, 200, 100)},
  };
  for (size_t fresh = 0; fresh < std::size(steps); ++fresh) {
    TLayer layer(nullptr);
    layer.setGeometry(0, 0, 600, 400);
    layer.ResetCanvas(600, 400);
    QImage reference(600, 400, QImage::Format_RGB32);
    reference.fill(Qt::white);
    for (size_t i = fresh; i < std::size(steps); ++i) {
      const TStep& step = steps[i];
      if (step.Clear) {
        layer.ClearCanvas();
        reference.fill(Qt::white);
      }
      TInkTiles within = layer.NewInk(), told = layer.NewInk();
      within.Add(step.Within);
      told.Add(step.Told);
      QPainter(&layer.CanvasWithin(within)).fillRect(step.Drawn, Qt::blue);
      QPainter(&reference).fillRect(step.Drawn, Qt::blue);
      layer.CanvasChanged(step.Told, std::move(told));
      QImage composed(600, 400, QImage::Format_RGB32), expected(600, 400, QImage::Format_RGB32);
      composed.fill(Qt::gray);
      expected.fill(Qt::gray);
      layer.RenderPart(composed, composed.rect());
      CopyInk(expected, QPoint(0, 0), reference, expected.rect());
      ASSERT_EQ(composed, expected) << step.Name << " from " << steps[fresh].Name;
    }
    ASSERT_EQ(std::as_const(layer).Canvas(), reference) << "whole, from " << steps[fresh].Name;
  }
}

}  // namespace
