// Paper and scale as typed and as remembered.
#include "sheet/sheet_settings.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "support/test_files.h"

namespace {

TEST(SheetSettings, ScalesAsTyped) {
  const struct {
    const char* text;
    std::optional<int> scale;
  } cases[] = {
      {"1:50", 50},
      {"1 : 20", 20},
      {" 1:100 ", 100},
      {"25", 25},
      {"fit", 0},
      {"FIT", 0},
      {"По размеру листа", 0},
      {"1:0", std::nullopt},
      {"0", std::nullopt},
      {"2:50", std::nullopt},
      {"1:", std::nullopt},
      {"", std::nullopt},
      {"1:-5", std::nullopt},
      {"1:50.5", std::nullopt},
      {"1:100001", std::nullopt},
      {"1:100000", 100000},
      {"abc", std::nullopt},
      {"1:5e2", std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ParseSheetScale(QString::fromUtf8(c.text)), c.scale) << c.text;
  EXPECT_EQ(SheetScaleText(50), QStringLiteral("1:50"));
  EXPECT_EQ(SheetScaleText(kSheetFitScale), QStringLiteral("По размеру листа"));
}

TEST(SheetSettings, Papers) {
  EXPECT_EQ(SheetPaperSize(QStringLiteral("A4")), QSizeF(210, 297));
  EXPECT_EQ(SheetPaperSize(QStringLiteral("a3")), QSizeF(297, 420));
  for (const char* bad : {"A5", "", "A", "Letter", "A33"})
    EXPECT_FALSE(SheetPaperSize(QString::fromLatin1(bad))) << bad;
  TSheetSettings s;
  s.PaperSizeMm = QSizeF(297, 420);
  s.Landscape = true;
  EXPECT_EQ(s.PageSizeMm(), QSizeF(420, 297));
  s.Landscape = false;
  EXPECT_EQ(s.PageSizeMm(), QSizeF(297, 420));
}

TEST(SheetSettings, RememberedAndReadBack) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("tarvosk/sheet.ini"));
  EXPECT_EQ(ReadSheetSettings(path), TSheetSettings());  // no file: the defaults
  TSheetSettings s;
  s.Paper = QStringLiteral("A3");
  s.PaperSizeMm = QSizeF(297, 420);
  s.Landscape = true;
  s.Scale = kSheetFitScale;
  EXPECT_EQ(WriteSheetSettings(path, s), QString());
  EXPECT_EQ(ReadSheetSettings(path), s);
}

TEST(SheetSettings, ValuesNotOfferedGiveTheDefaults) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("sheet.ini"));
  ASSERT_TRUE(WriteAll(path, "[Sheet]\r\nPaper=A5\r\nLandscape=1\r\nScale=37\r\n"));
  const TSheetSettings s = ReadSheetSettings(path);
  EXPECT_EQ(s.Paper, QStringLiteral("A4"));
  EXPECT_EQ(s.PaperSizeMm, QSizeF(210, 297));
  EXPECT_TRUE(s.Landscape);
  EXPECT_EQ(s.Scale, 50);
}

TEST(SheetSettings, AnUnwritableFileIsSaid) {
  QTemporaryDir dir;
  ASSERT_TRUE(WriteAll(dir.filePath(QStringLiteral("file")), "x"));
  EXPECT_FALSE(WriteSheetSettings(dir.filePath(QStringLiteral("file/sheet.ini")), TSheetSettings())
                   .isEmpty());
}

}  // namespace
