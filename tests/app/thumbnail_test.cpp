// `tarvosk --thumbnail` run as a file manager runs it: the built program, no display, on any file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

#include "app/thumbnail.h"
#include "document/document_file.h"
#include "support/sample_plans.h"
#include "support/test_files.h"

#ifndef TARVOSK_PROGRAM
#error "TARVOSK_PROGRAM must name the built program"
#endif

#include "support/program_run.h"

namespace {

class ThumbnailTest : public ::testing::Test {
 protected:
  QString TempPath(const QString& name) const { return FDir.filePath(name); }

  TRun Run(const QStringList& arguments) { return RunProgram(arguments, TempPath(QString())); }

  TRun Thumbnail(const QString& document, const QString& picture, int size) {
    return Run({QStringLiteral("--thumbnail"), document, picture, QString::number(size)});
  }

  QString WriteDocument(const QString& name, const QByteArray& bytes) {
    const QString path = TempPath(name);
    EXPECT_TRUE(WriteAll(path, bytes));
    return path;
  }

  // Either a thumbnail of the asked size, or a failure that left no file: nothing between.
  void ExpectAnsweredCleanly(const QString& document, const QString& what) {
    SCOPED_TRACE(what.toStdString());
    const QString picture = TempPath(QStringLiteral("answer.png"));
    QFile::remove(picture);
    const TRun run = Thumbnail(document, picture, 128);
    ASSERT_NE(run.ExitCode, -1) << "crashed or hung";
    if (run.ExitCode == 0) {
      EXPECT_EQ(QImage(picture).size(), QSize(128, 128));
    } else {
      EXPECT_EQ(run.ExitCode, 1);
      EXPECT_FALSE(QFile::exists(picture));
      EXPECT_TRUE(run.Err.contains(QLatin1String("tarvosk: "))) << run.Err.toStdString();
    }
    // the program leaves nothing behind in the folder it wrote to
    EXPECT_EQ(QDir(FDir.path()).entryList({QStringLiteral("answer.png.*")}, QDir::Files | QDir::Hidden),
              QStringList());
  }

  QTemporaryDir FDir;
};

TEST_F(ThumbnailTest, IsTheExportOfASquarePanelScaledDown) {
  const QString doc = WriteDocument(QStringLiteral("колокольня.tarvosk"), PlanDocumentBytes(12, 4, 6));
  for (const int size : {128, 256, 700, 1024}) {
    SCOPED_TRACE(size);
    const QString thumb = TempPath(QStringLiteral("thumb%1.png").arg(size));
    const TRun run = Thumbnail(doc, thumb, size);
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    EXPECT_FALSE(run.Err.contains(QLatin1String("tarvosk:"))) << run.Err.toStdString();
    QImageReader reader(thumb);
    EXPECT_EQ(reader.format(), QByteArray("png"));
    const QImage image = reader.read().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(image.size(), QSize(size, size));

    const int side = ThumbnailPanelSide(size);
    const QString full = TempPath(QStringLiteral("full%1.png").arg(size));
    const TRun exported = Run({QStringLiteral("--export"), full, doc, QStringLiteral("--size"),
                               QStringLiteral("%1x%1").arg(side)});
    ASSERT_EQ(exported.ExitCode, 0) << exported.Err.toStdString();
    const QImage expected = QImage(full)
                                .convertToFormat(QImage::Format_RGB32)
                                .scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    int differing = 0;
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) differing += image.pixel(x, y) != expected.pixel(x, y);
    EXPECT_EQ(differing, 0);
    // and it is a plan, not a blank: ink in the middle, where the walls and bells are
    int inked = 0;
    for (int y = size / 4; y < 3 * size / 4; ++y)
      for (int x = size / 4; x < 3 * size / 4; ++x) inked += qGray(image.pixel(x, y)) < 200;
    EXPECT_GT(inked, size * size / 100);
  }
}

TEST_F(ThumbnailTest, ThePanelIsTwiceTheThumbnailWithinBounds) {
  const std::pair<int, int> rows[] = {{8, 512}, {128, 512}, {256, 512}, {300, 600}, {512, 1024}, {1024, 1024}};
  for (const auto& [size, side] : rows) EXPECT_EQ(ThumbnailPanelSide(size), side) << size;
}

TEST_F(ThumbnailTest, ADocumentThatCannotBeReadWritesNothing) {
  QByteArray garbage(4096, '\0');
  for (int i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>((i * 7919) % 251);
  struct Row {
    const char* name;
    QString document;
    const char* says;
  };
  const Row rows[] = {
      {"missing", TempPath(QStringLiteral("none.tarvosk")), "none.tarvosk"},
      {"empty", WriteDocument(QStringLiteral("empty.tarvosk"), {}), "это не документ плана"},
      {"garbage", WriteDocument(QStringLiteral("garbage.tarvosk"), garbage), "это не документ плана"},
      {"a picture", WriteDocument(QStringLiteral("picture.tarvosk"), QByteArray("\x89PNG\r\n\x1a\n", 8) + garbage),
       "это не документ плана"},
      {"a broken value", WriteDocument(QStringLiteral("broken.tarvosk"),
                                       "[Object0]\r\nObjType=0\r\n[Object1]\r\nObjType=3\r\nPostPosition_R=12\r\n"),
       "is not a valid integer value"},
      {"a folder", FDir.path(), "такого документа нет"},
      {"more objects than a thumbnail draws",
       WriteDocument(QStringLiteral("many.tarvosk"), SameNameBeemsDocument(static_cast<int>(kMaxThumbnailObjects) - 1, "B")),
       "слишком много объектов для миниатюры (больше 600)"},
      {"over a megabyte", WriteDocument(QStringLiteral("big.tarvosk"),
                                        SameNameBeemsDocument(2, "B") + QByteArray(kMaxThumbnailDocumentBytes, ';')),
       "слишком велик для миниатюры"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const QString picture = TempPath(QStringLiteral("out.png"));
    const TRun run = Thumbnail(r.document, picture, 256);
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_TRUE(run.Err.contains(QString::fromUtf8(r.says))) << run.Err.toStdString();
    EXPECT_FALSE(QFile::exists(picture));
  }
}

TEST_F(ThumbnailTest, AsManyObjectsAsAThumbnailDrawsAndAMegabyteAreDrawn) {
  const QByteArray most = SameNameBeemsDocument(static_cast<int>(kMaxThumbnailObjects) - 2, "B");
  QByteArray padded = SameNameBeemsDocument(2, "B");
  padded += QByteArray(kMaxThumbnailDocumentBytes - padded.size(), ';');
  for (const QByteArray& bytes : {most, padded}) {
    const QString picture = TempPath(QStringLiteral("most.png"));
    const TRun run = Thumbnail(WriteDocument(QStringLiteral("most.tarvosk"), bytes), picture, 128);
    EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    EXPECT_EQ(QImage(picture).size(), QSize(128, 128));
  }
}

TEST_F(ThumbnailTest, AFailedThumbnailLeavesAnOldFileAlone) {
  const QString picture = TempPath(QStringLiteral("old.png"));
  ASSERT_TRUE(WriteAll(picture, "old"));
  const TRun run = Thumbnail(WriteDocument(QStringLiteral("bad.tarvosk"), "nonsense"), picture, 128);
  EXPECT_EQ(run.ExitCode, 1);
  QFile f(picture);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("old"));
}

// File managers hand it whatever lies in a downloads folder.
TEST_F(ThumbnailTest, TheFuzzCorporaAndBadDocumentsAreAnsweredCleanly) {
  int replayed = 0;
  for (const char* folder : {"/fuzz/corpus/document", "/fuzz/corpus/ini", "/tests/data/fuzz/fuzz_document_open"}) {
    const QDir dir(QStringLiteral(TARVOSK_SOURCE_DIR) + QLatin1String(folder));
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
      ExpectAnsweredCleanly(dir.filePath(name), name);
      ++replayed;
    }
  }
  EXPECT_GE(replayed, 8);
  const QByteArray walls = "[Object0]\r\nObjType=0\r\n";
  const QByteArray post = "[Object1]\r\nObjType=3\r\n";
  struct Row {
    const char* name;
    QByteArray bytes;
  };
  const Row rows[] = {
      {"the largest walls", walls + "WallDiameterOuter_R=2147483647\r\nWallDiameterInner_R=2147483647\r\n" + post},
      {"negative walls", walls + "WallDiameterOuter_R=-2147483648\r\n" + post},
      {"a pedestal as large as it gets", walls + post + "PostWidth_R=2147483647\r\nPostHeight_R=2147483647\r\n"},
      {"no pedestal", walls},
      {"the pedestal first", post + walls},
      {"an unknown kind", walls + post + "[Object2]\r\nObjType=9\r\n"},
      {"a bell of no catalogue", walls + post + "[Object2]\r\nObjType=1\r\nBellDiameter_R=1\r\n"},
      {"two thousand beams", SameNameBeemsDocument(2000, "B")},
      {"the most sections", SameNameBeemsDocument(static_cast<int>(kMaxDocumentObjects) - 2, "B")},
      {"a line without end", walls + post + QByteArray(100000, 'x')},
      {"the full plan", FullDocumentBytes()},
  };
  for (const Row& r : rows) ExpectAnsweredCleanly(WriteDocument(QStringLiteral("bad.tarvosk"), r.bytes), QLatin1String(r.name));
  // Files at and beyond the size cap are refused without being read whole.
  for (const qint64 size : {kMaxDocumentBytes, kMaxDocumentBytes + 1}) {
    const QString path = TempPath(QStringLiteral("large.tarvosk"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_TRUE(f.resize(size));
    f.close();
    ExpectAnsweredCleanly(path, QStringLiteral("%1 bytes").arg(size));
  }
}

TEST_F(ThumbnailTest, VersionHelpAndUnknownOptions) {
  const TRun version = Run({QStringLiteral("--version")});
  EXPECT_EQ(version.ExitCode, 0);
  EXPECT_EQ(version.Out, VersionText());
  EXPECT_TRUE(version.Out.startsWith(QLatin1String("tarvosk 1.")));

  const TRun help = Run({QStringLiteral("--help")});
  EXPECT_EQ(help.ExitCode, 0);
  EXPECT_EQ(help.Out, UsageText());
  EXPECT_TRUE(help.Out.contains(QStringLiteral("--thumbnail ДОКУМЕНТ ВЫХОД.png РАЗМЕР")));

  for (const QStringList& arguments : {QStringList{QStringLiteral("--frobnicate")},
                                       QStringList{QStringLiteral("plan.tarvosk"), QStringLiteral("--verbose")},
                                       QStringList{QStringLiteral("--size"), QStringLiteral("800x600")},
                                       QStringList{QStringLiteral("--thumbnail"), QStringLiteral("a.tarvosk")}}) {
    SCOPED_TRACE(arguments.join(u' ').toStdString());
    const TRun run = Run(arguments);
    EXPECT_EQ(run.ExitCode, kMisuseExitCode);
    EXPECT_TRUE(run.Err.contains(QLatin1String("tarvosk: "))) << run.Err.toStdString();
    EXPECT_TRUE(run.Err.contains(QLatin1String("--help"))) << run.Err.toStdString();
    EXPECT_TRUE(run.Out.isEmpty());
  }
}

}  // namespace
