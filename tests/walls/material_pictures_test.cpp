#include <gtest/gtest.h>

#include <QImage>

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

}  // namespace
