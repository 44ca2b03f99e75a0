#include "beams/beem_paint.h"

#include <gtest/gtest.h>

#include <set>

#include "beams/beem_geometry.h"

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

}  // namespace
