#include "bells/annotation_paint.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>

#include "platform/canvas.h"

namespace {

QImage WhiteLayer(int w = 400, int h = 320) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

bool IsBlack(const QImage& image, int x, int y) { return image.pixel(x, y) == 0xFF000000u; }

// Bounding box of everything not white inside `area`.
QRect InkIn(const QImage& image, const QRect& area) {
  QRect ink;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (image.pixel(x, y) != 0xFFFFFFFFu) ink |= QRect(x, y, 1, 1);
    }
  }
  return ink;
}

class AnnotationPaint : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (const char* face : {"tahoma.ttf", "ms_sans_serif.ttf"}) {
      QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/") + face);
    }
  }
};

TEST_F(AnnotationPaint, SegmentLeavesOutItsLastPixel) {
  QImage layer = WhiteLayer(20, 20);
  DrawSegment(layer, {{2, 5}, {10, 5}});
  for (int x = 2; x < 10; ++x) EXPECT_TRUE(IsBlack(layer, x, 5)) << x;
  EXPECT_FALSE(IsBlack(layer, 10, 5));
  EXPECT_FALSE(IsBlack(layer, 1, 5));
  DrawSegment(layer, {{15, 15}, {12, 12}});
  EXPECT_TRUE(IsBlack(layer, 15, 15));
  EXPECT_TRUE(IsBlack(layer, 13, 13));
  EXPECT_FALSE(IsBlack(layer, 12, 12));
}

TEST_F(AnnotationPaint, SegmentsOffTheLayerAreClipped) {
  QImage layer = WhiteLayer(20, 20);
  DrawSegment(layer, {{-30, 10}, {50, 10}});
  DrawSegment(layer, {{-5, -5}, {-1, -100}});
  EXPECT_TRUE(IsBlack(layer, 0, 10));
  EXPECT_TRUE(IsBlack(layer, 19, 10));
  EXPECT_EQ(InkIn(layer, layer.rect()), QRect(0, 10, 20, 1));
}

TEST_F(AnnotationPaint, VerticalDimensionWithTurnedNumber) {
  QImage layer = WhiteLayer();
  DrawDimension(layer, {199, 65}, {199, 285}, false, 0, 5600);
  // Extension lines stop one pixel short of their ends at x = 174; the dimension line at x = 180.
  EXPECT_TRUE(IsBlack(layer, 175, 65));
  EXPECT_FALSE(IsBlack(layer, 174, 65));
  EXPECT_TRUE(IsBlack(layer, 180, 150));
  EXPECT_TRUE(IsBlack(layer, 199, 285));
  // The number reads upward from (164, 185): left of the line, about 20 pixels long, centred.
  const QRect text = InkIn(layer, QRect(150, 100, 22, 180));
  ASSERT_FALSE(text.isEmpty());
  EXPECT_GE(text.left(), 164);
  EXPECT_LE(text.right(), 176);
  EXPECT_GT(text.height(), text.width());
  EXPECT_LE(text.bottom(), 186);
  EXPECT_NEAR((text.top() + text.bottom()) / 2.0, 175.0, 4.0);
}

TEST_F(AnnotationPaint, ZeroLengthDimensionDrawsNothing) {
  QImage layer = WhiteLayer(50, 50);
  DrawDimension(layer, {25, 25}, {25, 25}, true, 10, 100);
  EXPECT_TRUE(InkIn(layer, layer.rect()).isEmpty());
}

TEST_F(AnnotationPaint, WeightTextOverTheBell) {
  QImage layer = WhiteLayer(200, 200);
  layer.fill(Qt::gray);  // something underneath, to see the white cells
  const TWeightText text{QStringLiteral("12200кг"), QPoint(75, 36)};
  DrawWeightText(layer, text);
  EXPECT_EQ(layer.pixel(75, 36), 0xFFFFFFFFu);  // the white brush behind the text
  int black = 0;
  for (int y = 36; y < 50; ++y) {
    for (int x = 75; x < 140; ++x) black += IsBlack(layer, x, y);
  }
  EXPECT_GT(black, 20);
  EXPECT_EQ(layer.pixel(74, 36), QColor(Qt::gray).rgb());
  EXPECT_EQ(layer.pixel(75, 35), QColor(Qt::gray).rgb());
}

}  // namespace

namespace {

// Ink bounding box and ink pixel count of `text` drawn in `font` on a white strip.
std::pair<QRect, int> InkOf(const QString& text, const QFont& font) {
  QImage layer = WhiteLayer(120, 30);
  DrawPlanText(layer, {4, 4}, text, font, 0, false);
  int count = 0;
  for (int y = 0; y < layer.height(); ++y)
    for (int x = 0; x < layer.width(); ++x) count += layer.pixel(x, y) != 0xFFFFFFFFu;
  return {InkIn(layer, layer.rect()), count};
}

}  // namespace

// The weights are written 11 pixels high and bold: no face may stand in at another size or
// without its bold cut.
TEST(WeightFont, IsElevenPixelsHighAndBold) {
  RegisterPlanFonts();
  const QFont font = WeightFont();
  const QFontInfo info(font);
  EXPECT_EQ(info.pixelSize(), 11);
  EXPECT_TRUE(info.bold());
  EXPECT_EQ(info.family(), QStringLiteral("Tahoma"));

  QFont regular = font;
  regular.setBold(false);
  const auto [boldInk, boldCount] = InkOf(QStringLiteral("1250кг"), font);
  const auto [regularInk, regularCount] = InkOf(QStringLiteral("1250кг"), regular);
  // Digits of an 11-pixel face stand 7 to 9 pixels tall; the whole line stays within the cell.
  EXPECT_GE(boldInk.height(), 7);
  EXPECT_LE(boldInk.height(), 11);
  EXPECT_GT(boldCount, regularCount * 5 / 4) << "bold strokes must be heavier";
}

// Every pixel a fixing's painter touches lies within the rectangle it returns: a cleared layer
// whitens only there, so a pixel outside would stay on the plan after the next change.
TEST(AnnotationInk, EveryInkedPixelLiesWithinTheReturnedRectangle) {
  const TSegment segments[] = {
      {QPoint(50, 50), QPoint(49, 50)},  {QPoint(50, 50), QPoint(50, 49)}, {QPoint(50, 50), QPoint(49, 49)},
      {QPoint(50, 50), QPoint(10, 90)},  {QPoint(90, 10), QPoint(10, 11)}, {QPoint(10, 10), QPoint(11, 90)},
      {QPoint(-20, 40), QPoint(60, 41)}, {QPoint(30, 30), QPoint(30, 30)},
  };
  for (const TSegment& s : segments) {
    QImage layer = WhiteLayer(120, 120);
    const QRect ink = DrawSegment(layer, s);
    const QRect drawn = InkIn(layer, layer.rect());
    EXPECT_TRUE(drawn.isEmpty() || ink.contains(drawn)) << s.From.x() << "," << s.From.y() << " -> " << s.To.x() << "," << s.To.y();
  }
  for (const int escapement : {0, 900, 450, -300}) {
    QImage layer = WhiteLayer(200, 200);
    const QRect ink = DrawPlanText(layer, QPoint(100, 100), QStringLiteral("4634 кг"), WeightFont(), escapement, true);
    EXPECT_TRUE(ink.contains(InkIn(layer, layer.rect()))) << escapement;
  }
}
