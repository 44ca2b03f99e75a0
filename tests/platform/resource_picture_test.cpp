#include "platform/resource_picture.h"

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/jpeg_reader.h"

namespace {

TEST(ResourcePicture, FormatFromTheFirstBytes) {
  struct Case { QByteArray head; QByteArray format; };
  for (const Case& c : {Case{QByteArray("\x89PNG\r\n\x1a\n\0\0", 10), "png"},
                        Case{"BM6\x04\0\0", "bmp"}, Case{"\xFF\xD8\xFF\xE0", "jpeg"},
                        Case{"GIF89a", ""}, Case{"\x89PNG", ""}, Case{"B", ""}, Case{"", ""}}) {
    SCOPED_TRACE(c.head.toHex().toStdString());
    EXPECT_EQ(PictureFormatOf(c.head), c.format);
  }
}

// Every picture the program carries reads exactly as Qt's own guess reads it.
TEST(ResourcePicture, EveryResourceReadsAsQtGuessesIt) {
  int pictures = 0;
  QDirIterator it(QStringLiteral(":/"), QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    if (path.startsWith(QStringLiteral(":/qt-project.org"))) continue;
    const QImage guessed(path);
    if (guessed.isNull()) continue;  // not a picture
    SCOPED_TRACE(path.toStdString());
    const QImage read = ResourcePicture(path);
    EXPECT_EQ(read.format(), guessed.format());
    EXPECT_EQ(read, guessed);
    ++pictures;
  }
  // the icons, materials, bells and pedestal pictures
  EXPECT_GE(pictures, 30);
}

// Read ahead on another thread, every picture is handed out once as it reads, a missing one as
// nothing, and a picture asked for again is read again; asking while the reading goes on, from
// the first picture to the last, neither waits forever nor gets another's picture.
TEST(ResourcePicture, PrefetchedPicturesReadAsTheyDo) {
  const QStringList paths{QStringLiteral(":/AppIcon"), QStringLiteral(":/UpRinger"), QStringLiteral(":/nowhere"),
                          QStringLiteral(":/Material1"), QStringLiteral(":/bells/series1")};
  for (int round = 0; round < 20; ++round) {
    SCOPED_TRACE(round);
    PrefetchResourcePictures(paths);
    // In an order of its own each round: some not begun yet, one being read, some read.
    for (int i = 0; i < paths.size(); ++i) {
      const QString& path = paths[(i + round) % paths.size()];
      EXPECT_EQ(ResourcePicture(path), QImage(path)) << path.toStdString();
    }
  }
  PrefetchResourcePictures(paths);
  EXPECT_EQ(ResourcePicture(paths[1]), QImage(paths[1]));
  EXPECT_EQ(ResourcePicture(paths[1]), QImage(paths[1]));  // taken once, then read again
}

TEST(ResourcePicture, MissingOrUnknownFilesGiveNoPicture) {
  EXPECT_TRUE(ResourcePicture(QStringLiteral(":/no-such-picture")).isNull());
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("text"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("BM not a bitmap at all");
  file.close();
  EXPECT_TRUE(ResourcePicture(path).isNull());
}

// What the JPEG reader makes of bytes that are not a whole picture: nothing, with a reason, for
// what holds no image; a picture cut short still shows its top, as a viewer would show it.
TEST(JpegPicture, DamagedBytesGiveAReasonOrWhatCanBeShown) {
  QFile about(QStringLiteral(":/About"));
  ASSERT_TRUE(about.open(QIODevice::ReadOnly));
  const QByteArray whole = about.readAll();
  const QImage full = ReadJpegPicture(whole);
  ASSERT_EQ(full.size(), QSize(450, 302));
  EXPECT_EQ(full.format(), QImage::Format_RGB32);
  struct Case {
    const char* Name;
    QByteArray Bytes;
    bool Picture;
  } cases[] = {
      {"empty", QByteArray(), false},
      {"only the start marker", QByteArray("\xFF\xD8\xFF"), false},
      {"garbage after the marker", QByteArray("\xFF\xD8\xFF") + QByteArray(500, 'x'), false},
      {"the header cut", whole.left(100), false},
      {"cut in the middle", whole.left(whole.size() / 2), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    QString error;
    const QImage image = ReadJpegPicture(c.Bytes, &error);
    EXPECT_EQ(!image.isNull(), c.Picture);
    EXPECT_EQ(error.isEmpty(), c.Picture) << error.toStdString();
    if (c.Picture) {
      EXPECT_EQ(image.size(), full.size());
      // the first rows came before the cut
      EXPECT_EQ(image.copy(0, 0, 450, 20), full.copy(0, 0, 450, 20));
    }
  }
}

}  // namespace
