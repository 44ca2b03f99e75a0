#include "platform/resource_picture.h"

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

}  // namespace
