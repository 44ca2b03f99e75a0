#include "bells/bell_pictures.h"

#include <gtest/gtest.h>

#include "bells/bell_catalogue.h"

namespace {

constexpr QRgb kSilver = 0xFFC0C0C0;

TEST(BellPictures, ButtonGlyphs) {
  const struct {
    QString resource;
    QSize size;
  } cases[] = {{BellGlyphResource(1), {32, 32}},
               {BellGlyphResource(2), {24, 22}},
               {QString::fromLatin1(kApplyGlyphResource), {16, 16}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.resource.toStdString());
    const QImage picture(c.resource);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), c.size);
    EXPECT_LE(picture.colorCount(), 16);
    EXPECT_EQ(picture.pixel(0, picture.height() - 1), kSilver);
    const QImage glyph = ButtonGlyph(c.resource);
    EXPECT_EQ(qAlpha(glyph.pixel(0, glyph.height() - 1)), 0);
    // The drawing itself stays: plenty of opaque pixels away from the edges.
    int opaque = 0;
    for (int y = 2; y < glyph.height() - 2; ++y) {
      for (int x = 2; x < glyph.width() - 2; ++x) opaque += qAlpha(glyph.pixel(x, y)) == 255;
    }
    EXPECT_GT(opaque, 40);
  }
}

TEST(BellPictures, BellFromAboveHasNoSeeThroughHoles) {
  const QImage bell(QString::fromLatin1(kBellPictureResource));
  ASSERT_FALSE(bell.isNull());
  EXPECT_EQ(bell.size(), QSize(101, 102));
  EXPECT_GT(bell.colorCount(), 16);
  EXPECT_LE(bell.colorCount(), 256);
  EXPECT_EQ(bell.pixel(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(bell.pixel(100, 101), 0xFFFFFFFFu);
  // White is keyed out on the plan, so nothing within the disc may be pure white.
  for (int y = 0; y < bell.height(); ++y) {
    for (int x = 0; x < bell.width(); ++x) {
      const double dx = x + 0.5 - 50.5, dy = y + 0.5 - 51.0;
      if (dx * dx + dy * dy < 49.0 * 49.0) {
        ASSERT_NE(bell.pixel(x, y), 0xFFFFFFFFu) << x << "," << y;
      }
    }
  }
}

TEST(BellPictures, MissingResourceGivesNullGlyph) {
  EXPECT_TRUE(ButtonGlyph(QStringLiteral(":/bells/none")).isNull());
}

}  // namespace
