#include "document/recovery_store.h"

#include <gtest/gtest.h>
#if defined(_WIN32)
#include <windows.h>
#endif

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "platform/cp1251.h"
#include "support/test_files.h"

namespace {

// A small plan as saving writes it, with names outside ASCII.
QByteArray PlanBytes() {
  const QByteArray text = StringToCp1251(QStringLiteral(
      "[Object0]\r\nObjName=Стены\r\nObjType=0\r\nWallDiameterOuter_R=7000\r\n[Object1]\r\nObjType=3\r\n"
      "[Object2]\r\nObjName=Колокол\r\nObjType=1\r\nBellDiameter_R=500\r\n"));
  const TDocumentContent plan = ParseDocument(text);
  EXPECT_TRUE(plan.Ok()) << plan.Error.toStdString();
  return DocumentToBytes(plan.Objects);
}

QStringList Ids(const std::vector<TRecoveryEntry>& entries) {
  QStringList ids;
  for (const TRecoveryEntry& e : entries) ids << e.Id;
  return ids;
}

// Sets the modification time of a file an hour back, also of a lock file its holder keeps open
// (on Windows only for its attributes, which no sharing mode withholds).
void AgeFile(const QString& path) {
#if defined(Q_OS_WIN)
  const HANDLE h = CreateFileW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(path).utf16()),
                               FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << path.toStdString();
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER t{{now.dwLowDateTime, now.dwHighDateTime}};
  t.QuadPart -= 3600ULL * 10000000ULL;  // in 100-nanosecond steps
  const FILETIME back{t.LowPart, t.HighPart};
  const bool set = SetFileTime(h, nullptr, &back, &back);
  CloseHandle(h);
  ASSERT_TRUE(set);
#else
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                            QFileDevice::FileModificationTime));
#endif
}

class RecoveryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(FDir.isValid()); }
  QString Folder() const { return FDir.filePath(QStringLiteral("state/tarvosk/recovery")); }
  QString In(const QString& name) const { return QDir(Folder()).filePath(name); }
  QTemporaryDir FDir;
};

TEST_F(RecoveryStoreTest, FolderFollowsXdgStateHome) {
  // without the variable: the desktop's state folder, or Windows' local application data
#if defined(Q_OS_WIN)
  const QString own = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + "/recovery";
#else
  const QString own = QDir::homePath() + "/.local/state/tarvosk/recovery";
#endif
  const struct {
    QByteArray Value;
    QString Expected;
  } cases[] = {{"/tmp/st", "/tmp/st/tarvosk/recovery"}, {"relative/st", own}, {"", own}};
  for (const auto& c : cases) {
    TEnv env("XDG_STATE_HOME", c.Value);
    EXPECT_EQ(RecoveryFolder(), QDir::cleanPath(c.Expected)) << c.Value.constData();
  }
}

TEST_F(RecoveryStoreTest, AnEditorThatEndedWithoutRemovingIsOfferedByteForByte) {
  const QByteArray bytes = PlanBytes();
  QString id;
  {
    TRecoveryStore store;
    ASSERT_TRUE(store.Open(Folder()));
    id = store.Id();
    EXPECT_EQ(store.Write("older", QStringLiteral("/old.tarvosk")), QString());
    EXPECT_EQ(store.Write(bytes, QStringLiteral("/дом/план.tarvosk")), QString());
    EXPECT_EQ(ReadAll(store.DocumentPath()), bytes);
  }
  std::vector<TRecoveryEntry> found = FindAbandoned(Folder());
  ASSERT_EQ(Ids(found), QStringList{id});
  EXPECT_EQ(found[0].OriginalPath, QStringLiteral("/дом/план.tarvosk"));
  const TRecoveryRead read = ReadRecovery(found[0]);
  EXPECT_EQ(read.Error, QString());
  EXPECT_EQ(read.Bytes, bytes);
  EXPECT_EQ(read.Content.Objects.size(), 3u);

  // While one editor offers it, another starting editor does not.
  EXPECT_TRUE(FindAbandoned(Folder()).empty());
  EXPECT_TRUE(DiscardRecovery(found[0]));
  found.clear();
  EXPECT_TRUE(QDir(Folder()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(RecoveryStoreTest, RemoveKeepsTheLockAndLeavesNothingToOffer) {
  TRecoveryStore store;
  ASSERT_TRUE(store.Open(Folder()));
  ASSERT_EQ(store.Write(PlanBytes(), QString()), QString());
  store.Remove();
  EXPECT_EQ(QDir(Folder()).entryList(QDir::Files | QDir::Hidden),
            QStringList{store.Id() + ".lock"});
  EXPECT_TRUE(FindAbandoned(Folder()).empty());
}

TEST_F(RecoveryStoreTest, LiveStoresOfThisProcessAreNeverAbandoned) {
  TRecoveryStore first;
  TRecoveryStore second;
  ASSERT_TRUE(first.Open(Folder()));
  ASSERT_TRUE(second.Open(Folder()));
  ASSERT_NE(first.Id(), second.Id());
  ASSERT_EQ(first.Write(PlanBytes(), QString()), QString());
  ASSERT_EQ(second.Write(PlanBytes(), QString()), QString());
  EXPECT_TRUE(FindAbandoned(Folder()).empty());
  // An editor that has run for an hour still holds its entry.
  AgeFile(In(first.Id() + ".lock"));
  EXPECT_TRUE(FindAbandoned(Folder()).empty());
  EXPECT_EQ(ReadAll(first.DocumentPath()), PlanBytes());
}

TEST_F(RecoveryStoreTest, AnotherRunningEditorIsLeftAloneUntilItIsKilled) {
  const QByteArray bytes = PlanBytes();
  const QString document = FDir.filePath(QStringLiteral("plan.tarvosk"));
  ASSERT_TRUE(WriteAll(document, bytes));
  QProcess holder;
  holder.start(QStringLiteral(TARVOSK_RECOVERY_HOLDER), {Folder(), document, document});
  ASSERT_TRUE(holder.waitForStarted(10000));
  ASSERT_TRUE(holder.waitForReadyRead(10000)) << holder.readAllStandardError().toStdString();
  const QString id = QString::fromUtf8(holder.readLine()).trimmed();
  ASSERT_FALSE(id.isEmpty());

  EXPECT_TRUE(FindAbandoned(Folder()).empty());
  AgeFile(In(id + ".lock"));
  EXPECT_TRUE(FindAbandoned(Folder()).empty());

  holder.kill();  // SIGKILL: no destructor, the lock file stays with a dead pid
  ASSERT_TRUE(holder.waitForFinished(10000));
  ASSERT_TRUE(QFileInfo::exists(In(id + ".lock")));
  const std::vector<TRecoveryEntry> found = FindAbandoned(Folder());
  ASSERT_EQ(Ids(found), QStringList{id});
  EXPECT_EQ(found[0].OriginalPath, document);
  EXPECT_EQ(ReadRecovery(found[0]).Bytes, bytes);
  EXPECT_EQ(ReadAll(document), bytes);
}

TEST_F(RecoveryStoreTest, ALockNoProcessCanBeNamedByGoesStale) {
  ASSERT_TRUE(QDir().mkpath(Folder()));
  ASSERT_TRUE(WriteAll(In("x.tarvosk"), PlanBytes()));
  ASSERT_TRUE(WriteAll(In("x.lock"), "\xff\xfe rubbish"));
  AgeFile(In("x.lock"));
  EXPECT_EQ(Ids(FindAbandoned(Folder())), QStringList{"x"});
}

TEST_F(RecoveryStoreTest, OrphansAreCleanedOrOfferedAndStrangersLeftAlone) {
  ASSERT_TRUE(QDir().mkpath(Folder() + "/folder.tarvosk"));
  ASSERT_TRUE(WriteAll(In("origin-only.origin"), "/a.tarvosk"));
  ASSERT_TRUE(WriteAll(In("lock-only.lock"), ""));
  AgeFile(In("lock-only.lock"));
  ASSERT_TRUE(WriteAll(In("notes.txt"), "keep"));
  ASSERT_TRUE(WriteAll(In("document-only.tarvosk"), PlanBytes()));
  ASSERT_TRUE(WriteAll(In("bad-origin.tarvosk"), PlanBytes()));
  ASSERT_TRUE(WriteAll(In("bad-origin.origin"), "relative/path.tarvosk"));

  const std::vector<TRecoveryEntry> found = FindAbandoned(Folder());
  QStringList ids = Ids(found);
  ids.sort();
  EXPECT_EQ(ids, QStringList({"bad-origin", "document-only"}));
  for (const TRecoveryEntry& e : found) EXPECT_EQ(e.OriginalPath, QString()) << e.Id.toStdString();
  QStringList left = QDir(Folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
  left.sort();
  EXPECT_EQ(left, QStringList({"bad-origin.lock", "bad-origin.origin", "bad-origin.tarvosk",
                               "document-only.lock", "document-only.tarvosk", "folder.tarvosk",
                               "notes.txt"}));
}

TEST_F(RecoveryStoreTest, BrokenFilesGiveTheMessageAndNoBytes) {
  const QByteArray good = PlanBytes();
  const qsizetype lastLine = good.lastIndexOf("\r\n", good.size() - 3) + 2;
  const struct {
    const char* Name;
    QByteArray Bytes;
  } cases[] = {
      {"empty", ""},
      {"cut inside a line", good.left(good.size() - 5)},
      {"cut at a line end", good.left(lastLine)},
      {"cut before the pedestal", good.left(good.indexOf("[Object1]") + 4)},
      {"foreign", "\x89PNG\r\n\x1a\n not a plan"},
      {"a key missing", QByteArray(good).replace("PostAngle=0\r\n", "")},
      {"oversized", good + QByteArray(kMaxDocumentBytes, ';')},
  };
  ASSERT_TRUE(QDir().mkpath(Folder()));
  for (const auto& c : cases) {
    ASSERT_TRUE(WriteAll(In("e.tarvosk"), c.Bytes));
    std::vector<TRecoveryEntry> found = FindAbandoned(Folder());
    ASSERT_EQ(found.size(), 1u) << c.Name;
    const TRecoveryRead read = ReadRecovery(found[0]);
    EXPECT_TRUE(read.Error.startsWith(QStringLiteral("Файл восстановления «%1» повреждён: ")
                                          .arg(QDir::toNativeSeparators(In("e.tarvosk")))))
        << c.Name << ": " << read.Error.toStdString();
    EXPECT_TRUE(read.Bytes.isEmpty()) << c.Name;
    EXPECT_FALSE(read.Ok()) << c.Name;
  }
  // A dangling link reads as nothing; discarding removes the link and the lock.
  ASSERT_TRUE(QFile::remove(In("e.tarvosk")));
  ASSERT_TRUE(QFile::link(In("gone"), In("e.tarvosk")));
  std::vector<TRecoveryEntry> found = FindAbandoned(Folder());
  ASSERT_EQ(found.size(), 1u);
  EXPECT_FALSE(ReadRecovery(found[0]).Ok());
  EXPECT_TRUE(DiscardRecovery(found[0]));
  EXPECT_TRUE(QDir(Folder()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
                  .isEmpty());
}

}  // namespace
