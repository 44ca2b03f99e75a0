#include <gtest/gtest.h>

#include <QImage>

#include "platform/pattern.h"
#include "walls/material_pictures.h"
#include "walls/wall_rules.h"

namespace {

TEST(MaterialPictures, SizesDepthsAndNoWhite) {
  struct Case {
    int width, height, depth;
  } const cases[kMaterialCount] = {{120, 111, 32}, {120, 81, 32}, {120, 120, 32}, {120, 73, 8},
                                   {256, 241, 32}, {120, 90, 32}, {120, 81, 32},  {120, 90, 32}};
  for (int i = 0; i < kMaterialCount; ++i) {
    SCOPED_TRACE(i);
    const QImage img(MaterialResource(i));
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.size(), QSize(cases[i].width, cases[i].height));
    EXPECT_EQ(img.depth(), cases[i].depth);  // the 24-bit files load as 32-bit RGB
    const QImage rgb = img.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
      for (int x = 0; x < rgb.width(); ++x)
        ASSERT_NE(rgb.pixel(x, y) & 0xFFFFFF, 0xFFFFFFu) << x << "," << y;
  }
}

TEST(MaterialPictures, BoxAndChannelShareOnePicture) {
  EXPECT_EQ(QImage(MaterialResource(5)), QImage(MaterialResource(7)));
  EXPECT_NE(QImage(MaterialResource(5)), QImage(MaterialResource(6)));
}

// Read when first asked for, in any order, each picture is the one the table names, and the
// keyed one its own with white see-through; asked again, the same picture is handed out.
TEST(MaterialPictures, ReadWhenFirstAskedForAsTheTableNamesThem) {
  struct Order { const char* name; bool keyedFirst; int step; };
  for (const Order& order : {Order{"pictures first, forwards", false, 1}, Order{"keyed first, backwards", true, -1}}) {
    SCOPED_TRACE(order.name);
    const TMaterialPictures pictures;
    for (int n = 0; n < kMaterialCount; ++n) {
      const std::size_t m = static_cast<std::size_t>(order.step > 0 ? n : kMaterialCount - 1 - n);
      SCOPED_TRACE(m);
      const QImage expected = QImage(MaterialResource(static_cast<int>(m))).convertToFormat(QImage::Format_RGB32);
      const QImage* keyed = nullptr;
      if (order.keyedFirst) keyed = &pictures.Keyed(m);
      const QImage& picture = pictures[m];
      if (!order.keyedFirst) keyed = &pictures.Keyed(m);
      EXPECT_EQ(picture.format(), QImage::Format_RGB32);
      EXPECT_EQ(picture, expected);
      EXPECT_EQ(*keyed, KeyedPattern(expected));
      EXPECT_EQ(&pictures[m], &picture);
      EXPECT_EQ(&pictures.Keyed(m), keyed);
    }
  }
  EXPECT_EQ(TMaterialPictures::size(), static_cast<std::size_t>(kMaterialCount));
}

}  // namespace
