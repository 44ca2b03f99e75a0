#include "document/recent_documents.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "support/test_files.h"

namespace {

QStringList Paths(int count, const QString& prefix = QStringLiteral("/plans/")) {
  QStringList list;
  for (int i = 0; i < count; ++i) list << prefix + QString::number(i) + QStringLiteral(".tarvosk");
  return list;
}

// A path as the list keeps it: absolute on this system ("/plans" is "Z:/plans" on Windows).
QString Abs(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }

struct TParseCase {
  const char* Name;
  QByteArray Bytes;
  QStringList Expected;
};

TEST(RecentDocuments, ParseKeepsOnlyCleanAbsolutePaths) {
  const QString atLimit = QLatin1Char('/') + QString(kMaxRecentPathChars - 1, u'a');
  const TParseCase cases[] = {
      {"empty", "", {}},
      {"blank lines and CRLF", "\n\n/a/b.tarvosk\r\n\r\n\n/c\n", {"/a/b.tarvosk", "/c"}},
      {"no final newline", "/a\n/b", {"/a", "/b"}},
      {"relative", "plans/x.tarvosk\n./y\n~/z\n/abs\n", {"/abs"}},
      {"duplicates after cleaning", "/a/./b/../c.tarvosk\n/a//c.tarvosk\n/a/c.tarvosk/\n",
       {"/a/c.tarvosk"}},
      {"case kept apart", "/A.tarvosk\n/a.tarvosk\n/A.tarvosk\n", {"/A.tarvosk", "/a.tarvosk"}},
      {"invalid UTF-8", "/bad\xff\xfe\n/\xed\xa0\x80surrogate\n/ok\n", {"/ok"}},
      {"control characters", QByteArray("/nul\0x\n/tab\tx\n/ok\n", 18), {"/ok"}},
      {"Cyrillic", "/дом/план.tarvosk\n", {QStringLiteral("/дом/план.tarvosk")}},
      {"length limit", (atLimit + "\n" + atLimit + "b\n").toUtf8(), {atLimit}},
  };
  for (const TParseCase& c : cases)
    EXPECT_EQ(ParseRecentDocuments(c.Bytes), c.Expected) << c.Name;
}

TEST(RecentDocuments, ParseStopsAtTen) {
  const QByteArray bytes = (Paths(15).join(u'\n') + u'\n').toUtf8();
  EXPECT_EQ(ParseRecentDocuments(bytes), Paths(10));
}

TEST(RecentDocuments, ReadingSurvivesWhatIsNoList) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  EXPECT_TRUE(ReadRecentDocuments(dir.filePath("missing.txt")).isEmpty());
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder.txt"));
  EXPECT_TRUE(ReadRecentDocuments(dir.filePath("folder.txt")).isEmpty());

  // 10,000 lines of rubbish before the paths: read on, keep the paths.
  QByteArray many;
  for (int i = 0; i < 10000; ++i) many += "rubbish \xff line " + QByteArray::number(i) + '\n';
  many += "/late/a.tarvosk\n/late/b.tarvosk\n";
  ASSERT_TRUE(WriteAll(dir.filePath("many.txt"), many));
  EXPECT_EQ(ReadRecentDocuments(dir.filePath("many.txt")),
            QStringList({"/late/a.tarvosk", "/late/b.tarvosk"}));

  // Past the first megabyte nothing is read, and a path cut there is no path.
  QByteArray big(kMaxRecentFileBytes - 12, 'x');
  big += "\n/first\n/cut/in/two.tarvosk\n/beyond\n";
  ASSERT_TRUE(WriteAll(dir.filePath("big.txt"), big));
  EXPECT_EQ(ReadRecentDocuments(dir.filePath("big.txt")), QStringList({"/first"}));
}

TEST(RecentDocuments, AddPutsNewestFirstOnceAndKeepsTen) {
  QStringList list;
  for (const QString& p : Paths(12)) list = AddRecentDocument(list, p);
  ASSERT_EQ(list.size(), kMaxRecentDocuments);
  EXPECT_EQ(list.first(), Abs("/plans/11.tarvosk"));
  EXPECT_EQ(list.last(), Abs("/plans/2.tarvosk"));

  list = AddRecentDocument(list, QStringLiteral("/plans/./x/../5.tarvosk"));
  EXPECT_EQ(list.first(), Abs("/plans/5.tarvosk"));
  EXPECT_EQ(list.count(Abs("/plans/5.tarvosk")), 1);
  EXPECT_EQ(list.size(), kMaxRecentDocuments);

  EXPECT_EQ(AddRecentDocument({}, QStringLiteral("rel.tarvosk")),
            QStringList({QDir::cleanPath(QDir::current().filePath("rel.tarvosk"))}));
  EXPECT_EQ(AddRecentDocument({"/a"}, QStringLiteral("/line\nbreak")), QStringList({"/a"}));

  EXPECT_EQ(RemoveRecentDocument({"/a", "/b/c", "/d"}, QStringLiteral("/b/./c")),
            QStringList({"/a", "/d"}));
}

TEST(RecentDocuments, WriteCreatesTheFolderAndReadsBack) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString file = dir.filePath("config/tarvosk/recent.txt");
  const QStringList list = {QStringLiteral("/дом/план.tarvosk"), "/b.tarvosk"};
  EXPECT_EQ(WriteRecentDocuments(file, list), QString());
  EXPECT_EQ(ReadAll(file), QStringLiteral("/дом/план.tarvosk\n/b.tarvosk\n").toUtf8());
  EXPECT_EQ(ReadRecentDocuments(file), list);
}

TEST(RecentDocuments, FailedWriteKeepsTheOldFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString folder = dir.filePath("locked");
  const QString file = folder + "/recent.txt";
  ASSERT_EQ(WriteRecentDocuments(file, {"/old.tarvosk"}), QString());
  if (!LockFolder(folder, true)) GTEST_SKIP() << "this file system lets the process write anywhere";
  const QString error = WriteRecentDocuments(file, {"/new.tarvosk"});
  LockFolder(folder, false);
  EXPECT_TRUE(error.contains(QStringLiteral("Не удалось"))) << error.toStdString();
  EXPECT_EQ(ReadAll(file), QByteArray("/old.tarvosk\n"));
}

TEST(RecentDocuments, PathFollowsXdgConfigHome) {
  // without the variable: the desktop's folder under the home, or Windows' roaming settings
#if defined(Q_OS_WIN)
  const QString own = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/recent.txt";
#else
  const QString own = QDir::homePath() + "/.config/tarvosk/recent.txt";
#endif
  const struct {
    QByteArray Value;
    QString Expected;
  } cases[] = {{"/tmp/cfg", "/tmp/cfg/tarvosk/recent.txt"}, {"relative/cfg", own}, {"", own}};
  for (const auto& c : cases) {
    TEnv env("XDG_CONFIG_HOME", c.Value);
    EXPECT_EQ(RecentDocumentsPath(), QDir::cleanPath(c.Expected)) << c.Value.constData();
  }
}

}  // namespace
