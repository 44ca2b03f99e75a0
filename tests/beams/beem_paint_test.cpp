#include "beams/beem_paint.h"
#include "platform/pattern.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QRandomGenerator>
#include <set>

#include "beams/beem_geometry.h"
#include "platform/white_key.h"

namespace {

// A 3 x 3 picture of nine distinct colours shows exactly where the tiling starts.
QImage Pattern() {
  QImage p(3, 3, QImage::Format_RGB32);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) p.setPixel(x, y, qRgb(40 + 20 * x, 100 + 20 * y, 7));
  return p;
}

QImage Layer() {
  QImage img(60, 60, QImage::Format_RGB32);
  img.fill(Qt::white);
  return img;
}

const QRgb kWhite = qRgb(255, 255, 255), kBlack = qRgb(0, 0, 0);

TEST(PaintBeem, HorizontalBandIsPatternInsideABlackOutline) {
  QImage img = Layer();
  const QImage pat = Pattern();
  const auto outline = BeemOutlinePx({10, 30}, {50, 30}, 10);  // (10,25) (10,35) (50,35) (50,25)
  ASSERT_TRUE(outline);
  PaintBeem(img, *outline, pat);
  for (QPoint edge : {QPoint(10, 25), QPoint(50, 35), QPoint(30, 25), QPoint(30, 35),
                      QPoint(10, 30), QPoint(50, 30)})
    EXPECT_EQ(img.pixel(edge), kBlack) << edge.x() << "," << edge.y();
  for (int y = 26; y <= 34; ++y)
    for (int x = 11; x <= 49; ++x)
      ASSERT_EQ(img.pixel(x, y), pat.pixel(x % 3, y % 3)) << x << "," << y;
  for (QPoint out : {QPoint(30, 24), QPoint(30, 36), QPoint(9, 30), QPoint(51, 30)})
    EXPECT_EQ(img.pixel(out), kWhite) << out.x() << "," << out.y();
}

TEST(PaintBeem, DiagonalEdgesAreNotBlended) {
  QImage img = Layer();
  const QImage pat = Pattern();
  PaintBeem(img, *BeemOutlinePx({8, 12}, {47, 51}, 14), pat);
  std::set<QRgb> allowed{kWhite, kBlack};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) allowed.insert(pat.pixel(x, y));
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      ASSERT_TRUE(allowed.count(img.pixel(x, y))) << x << "," << y;
  EXPECT_EQ(img.pixel(28, 31), pat.pixel(28 % 3, 31 % 3));
  EXPECT_EQ(img.pixel(5, 50), kWhite);
}

TEST(PaintBeem, WithoutAPictureTheBandStaysWhite) {
  QImage img = Layer();
  PaintBeem(img, *BeemOutlinePx({10, 30}, {50, 30}, 10), QImage());
  EXPECT_EQ(img.pixel(30, 30), kWhite);
  EXPECT_EQ(img.pixel(30, 25), kBlack);
}

TEST(PaintBeem, NoOutlineNoPaint) {
  QImage img = Layer();
  const QImage before = img;
  PaintBeem(img, {}, Pattern());
  EXPECT_EQ(img, before);
}

// A band painted straight onto the panel, with the picture keyed and a cosmetic pen, shows the
// very pixels its own canvas shows with white keyed out, over whatever lies beneath.
TEST(PaintBeem, OnThePanelShowsWhatItsCanvasShows) {
  struct TBand {
    const char* Name;
    QPoint Begin, End;
    int Width;
  } const bands[] = {
      {"horizontal", {5, 20}, {70, 20}, 9},        {"vertical", {30, 4}, {30, 70}, 8},
      {"diagonal", {4, 6}, {66, 68}, 14},          {"near horizontal", {3, 30}, {72, 33}, 11},
      {"near vertical", {40, 2}, {44, 73}, 10},    {"steep, leaning back", {60, 5}, {20, 70}, 17},
      {"one pixel wide", {6, 60}, {70, 12}, 1},    {"two pixels wide", {8, 8}, {70, 40}, 2},
      {"short and wide", {30, 30}, {33, 31}, 21},  {"right to left", {70, 50}, {6, 44}, 6},
  };
  QImage spotted(5, 4, QImage::Format_RGB32);  // pure white see-through, near-white not
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) spotted.setPixel(x, y, (x + y) % 3 == 0 ? 0xFFFFFFFFu : qRgb(30 * x, 250, 40 * y + 100));
  spotted.setPixel(4, 0, 0xFFFFFEFFu);
  struct TPattern {
    const char* Name;
    QImage Picture;
    bool SeeThrough;
  } const patterns[] = {{"opaque", Pattern(), false}, {"white spots", spotted, true}, {"none", QImage(), true}};
  QImage background(110, 100, QImage::Format_RGB32);
  QRandomGenerator rng(5);
  for (int y = 0; y < background.height(); ++y)
    for (int x = 0; x < background.width(); ++x)
      background.setPixel(x, y, rng.bounded(4) ? 0xFF000000u | rng.bounded(0x1000000u) : 0xFFFFFFFFu);
  const QPoint layerAt(13, 9), patternOrigin(-5, 7);
  for (const TPattern& pat : patterns) {
    const QImage keyed = KeyedPattern(pat.Picture);
    // What the beam promises to hide beneath it follows from this.
    EXPECT_EQ(!keyed.isNull() && !keyed.hasAlphaChannel(), !pat.SeeThrough) << pat.Name;
    for (const TBand& band : bands) {
      const auto outline = BeemOutlinePx(band.Begin, band.End, band.Width);
      ASSERT_TRUE(outline) << band.Name;
      // The band's own canvas: its bounding box and a pixel around, as a beam's layer has.
      QRect box;
      for (const QPoint& p : *outline) box |= QRect(p, QSize(1, 1));
      box.adjust(-1, -1, 1, 1);
      std::vector<QPoint> local;
      for (const QPoint& p : *outline) local.push_back(p - box.topLeft());
      QImage canvas(box.size(), QImage::Format_RGB32);
      canvas.fill(Qt::white);
      PaintBeem(canvas, local, pat.Picture, patternOrigin);
      QImage expected = background;
      CopyInk(expected, layerAt + box.topLeft(), canvas, expected.rect());
      ASSERT_NE(expected, background) << band.Name;

      QImage painted = background;
      {
        QPainter p(&painted);
        p.translate(layerAt + box.topLeft());
        PaintBeem(p, local, keyed, patternOrigin, true);
      }
      EXPECT_TRUE(painted == expected) << band.Name << ", " << pat.Name;
    }
  }
}

}  // namespace
