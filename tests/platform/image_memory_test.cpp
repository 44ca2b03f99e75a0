#include "platform/image_memory.h"

#include <gtest/gtest.h>

#include <QPainter>

namespace {

// Small and panel-sized images alike are ordinary 32-bit images: writable, copied on write,
// drawn on, converted and let go (a leak or a double free shows under the sanitizers).
TEST(ImageMemory, NewImagesBehaveAsOrdinaryOnesAtEverySize) {
  for (const QSize size : {QSize(1, 1), QSize(7, 3), QSize(1592, 892), QSize(1920, 1080), QSize(3000, 2)}) {
    QImage image = NewRgb32Image(size);
    ASSERT_FALSE(image.isNull()) << size.width();
    EXPECT_EQ(image.size(), size);
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QImage copy = image;
    copy.setPixel(0, 0, qRgb(1, 2, 3));  // the copy detaches; the first stays as it was
    EXPECT_EQ(image.pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(copy.pixel(0, 0), qRgb(1, 2, 3));
    {
      QPainter p(&image);
      p.fillRect(QRect(QPoint(size.width() - 1, size.height() - 1), QSize(1, 1)), Qt::red);
    }
    EXPECT_EQ(image.pixel(size.width() - 1, size.height() - 1), qRgb(255, 0, 0));
    EXPECT_EQ(image.convertToFormat(QImage::Format_ARGB32).pixel(size.width() - 1, size.height() - 1), qRgb(255, 0, 0));
  }
  EXPECT_TRUE(NewRgb32Image(QSize(0, 5)).isNull());
}

}  // namespace
