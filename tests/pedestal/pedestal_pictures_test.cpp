#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <vector>

#include "pedestal/ringer.h"

using namespace pedestal;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

// White pixels that cannot reach the picture's edge through white would show the plan through
// the figure once white is keyed out.
int EnclosedWhitePixels(const QImage& img) {
  const int w = img.width(), h = img.height();
  std::vector<char> seen(static_cast<std::size_t>(w * h), 0);
  std::vector<QPoint> stack;
  auto push = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    char& s = seen[static_cast<std::size_t>(y * w + x)];
    if (s || img.pixel(x, y) != kWhite) return;
    s = 1;
    stack.push_back(QPoint(x, y));
  };
  for (int x = 0; x < w; ++x) push(x, 0), push(x, h - 1);
  for (int y = 0; y < h; ++y) push(0, y), push(w - 1, y);
  while (!stack.empty()) {
    const QPoint p = stack.back();
    stack.pop_back();
    push(p.x() + 1, p.y());
    push(p.x() - 1, p.y());
    push(p.x(), p.y() + 1);
    push(p.x(), p.y() - 1);
  }
  int enclosed = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (img.pixel(x, y) == kWhite && !seen[static_cast<std::size_t>(y * w + x)]) ++enclosed;
  return enclosed;
}

TEST(RingerPictures, SizesFiguresAndRaisedHands) {
  struct Case {
    TRingerFacing facing;
    QSize size;
    QPoint handCorner;  // as a fraction of the picture: 0 or 1 on each axis
  };
  const Case cases[] = {
      {TRingerFacing::Up, QSize(177, 151), QPoint(1, 0)},
      {TRingerFacing::Right, QSize(151, 177), QPoint(1, 1)},
      {TRingerFacing::Down, QSize(177, 146), QPoint(0, 1)},
      {TRingerFacing::Left, QSize(151, 177), QPoint(0, 0)},
  };
  for (const Case& c : cases) {
    const QString name = RingerResource(c.facing);
    const QImage img(name);
    ASSERT_FALSE(img.isNull()) << qPrintable(name);
    EXPECT_EQ(img.size(), c.size) << qPrintable(name);
    EXPECT_EQ(img.pixel(img.width() / 2, img.height() - 1), kWhite) << qPrintable(name);
    EXPECT_EQ(EnclosedWhitePixels(img), 0) << qPrintable(name);

    // The hand reaches into the corner: something of the figure within a twelfth of the side.
    const int cx = c.handCorner.x() * (img.width() - 1);
    const int cy = c.handCorner.y() * (img.height() - 1);
    bool reached = false;
    for (int dy = 0; dy < img.height() / 12 && !reached; ++dy)
      for (int dx = 0; dx < img.width() / 12 && !reached; ++dx) {
        const int x = c.handCorner.x() ? cx - dx : cx + dx;
        const int y = c.handCorner.y() ? cy - dy : cy + dy;
        reached = img.pixel(x, y) != kWhite;
      }
    EXPECT_TRUE(reached) << qPrintable(name);
    // ...and the opposite corner is empty.
    EXPECT_EQ(img.pixel((img.width() - 1) - cx, (img.height() - 1) - cy), kWhite)
        << qPrintable(name);
  }
}

TEST(Cursors, HotSpotsAreOnTheShape) {
  const QImage bell(QStringLiteral(":/CurBell"));
  const QImage beem(QStringLiteral(":/CurBeem"));
  ASSERT_EQ(bell.size(), QSize(32, 32));
  ASSERT_EQ(beem.size(), QSize(32, 32));
  EXPECT_EQ(bell.pixel(15, 15), 0xFF000000u);
  EXPECT_EQ(beem.pixel(11, 20), 0xFF000000u);

  // Monochrome: black, white or see-through.
  for (const QImage* img : {&bell, &beem})
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const QRgb p = img->pixel(x, y);
        EXPECT_TRUE(qAlpha(p) == 0 || p == 0xFF000000u || p == 0xFFFFFFFFu) << x << "," << y;
      }

  // The rings are centred on the hot spot, and the pencil's tip is its lowest-left point.
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      EXPECT_EQ(bell.pixel(x, y), bell.pixel(30 - x < 0 ? x : 30 - x, y)) << x << "," << y;
      if (beem.pixel(x, y) == 0xFF000000u) {
        EXPECT_GE(x, 11) << y;
        EXPECT_LE(y, 20) << x;
      }
    }
}

}  // namespace
