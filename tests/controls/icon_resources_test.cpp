#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include "platform/resource_picture.h"

namespace {

struct Picture {
  const char* path;
  QSize size;
  bool transparent;  // drawn on a transparent ground
};

void PrintTo(const Picture& p, std::ostream* os) { *os << p.path; }

class IconResourceTest : public ::testing::TestWithParam<Picture> {};

TEST_P(IconResourceTest, LoadsWithItsSize) {
  const Picture& p = GetParam();
  const QImage img = ResourcePicture(QString::fromLatin1(p.path));  // as the program reads it
  ASSERT_FALSE(img.isNull()) << p.path;
  EXPECT_EQ(img.size(), p.size);
  EXPECT_EQ(img.hasAlphaChannel(), p.transparent);
  if (p.transparent) {
    // A flat button shows its face through the corners; something must be drawn in between.
    EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
    int opaque = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) opaque += qAlpha(img.pixel(x, y)) == 255;
    EXPECT_GE(opaque, 24);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Main, IconResourceTest,
    ::testing::Values(
        Picture{":/icons/new", {16, 16}, true}, Picture{":/icons/open", {16, 16}, true},
        Picture{":/icons/save", {16, 16}, true}, Picture{":/icons/delete", {16, 16}, true},
        Picture{":/icons/front", {16, 16}, true}, Picture{":/icons/back", {16, 16}, true},
        Picture{":/icons/prev", {16, 16}, true}, Picture{":/icons/next", {16, 16}, true},
        Picture{":/icons/close", {16, 16}, true}, Picture{":/icons/beem", {60, 10}, true},
        Picture{":/AppIcon", {64, 64}, true}, Picture{":/About", {450, 302}, false}));

}  // namespace
