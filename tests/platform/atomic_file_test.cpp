#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <string>
#include <vector>

namespace {

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void Put(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ASSERT_EQ(f.write(bytes), bytes.size());
}

QStringList Entries(const QString& dir) {
  return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

TEST(AtomicFile, WritesANewFileAndLeavesNothingElse) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("plan.tarvosk"));
  EXPECT_EQ(WriteFileAtomically(path, "abc\r\n"), QString());
  EXPECT_EQ(ReadAll(path), QByteArray("abc\r\n"));
  EXPECT_EQ(Entries(dir.path()), QStringList{QStringLiteral("plan.tarvosk")});
}

QString WriteError(const QString& path) {
  return QStringLiteral("Unable to write to ") + QDir::toNativeSeparators(path);
}

#if defined(_WIN32)
// A document another program holds open without sharing it (as an editor or a virus scanner
// may): the save fails, the old file stays whole and nothing is left beside it.
TEST(AtomicFile, AFileAnotherProgramHoldsKeepsItsContent) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("план.tarvosk"));
  Put(path, "old");
  const HANDLE held = CreateFileW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(path).utf16()),
                                  GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const QString error = WriteFileAtomically(path, "new");
  CloseHandle(held);
  EXPECT_EQ(error, WriteError(path));
  EXPECT_EQ(ReadAll(path), QByteArray("old"));
  EXPECT_EQ(Entries(dir.path()), QStringList{QStringLiteral("план.tarvosk")});
  // once it is let go, the same save goes through
  EXPECT_EQ(WriteFileAtomically(path, "new"), QString());
  EXPECT_EQ(ReadAll(path), QByteArray("new"));
}
#else
TEST(AtomicFile, ReplacesAndKeepsPermissions) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("plan.tarvosk"));
  Put(path, "old content that is longer");
  ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
  EXPECT_EQ(WriteFileAtomically(path, "new"), QString());
  EXPECT_EQ(ReadAll(path), QByteArray("new"));
  struct stat st {};
  ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(Entries(dir.path()).size(), 1);
}

TEST(AtomicFile, FollowsASymbolicLink) {
  QTemporaryDir dir;
  const QString target = dir.filePath(QStringLiteral("real.tarvosk"));
  const QString link = dir.filePath(QStringLiteral("link.tarvosk"));
  Put(target, "old");
  ASSERT_TRUE(QFile::link(target, link));
  EXPECT_EQ(WriteFileAtomically(link, "new"), QString());
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  EXPECT_EQ(ReadAll(target), QByteArray("new"));
}

#endif

TEST(AtomicFile, FailuresNameThePathAndChangeNothing) {
  QTemporaryDir dir;
  const QString sub = dir.filePath(QStringLiteral("sub"));
  ASSERT_TRUE(QDir().mkpath(sub + QStringLiteral("/inner")));
  const QString missingDir = dir.filePath(QStringLiteral("none/plan.tarvosk"));
  EXPECT_EQ(WriteFileAtomically(missingDir, "x"), WriteError(missingDir));
  EXPECT_EQ(WriteFileAtomically(sub, "x"), WriteError(sub));  // a directory
  EXPECT_EQ(Entries(sub), QStringList{QStringLiteral("inner")});
  EXPECT_FALSE(WriteFileAtomically(QString(), "x").isEmpty());
}

#if !defined(_WIN32)
// The write itself fails half way (file size limit): the old file must survive whole.
TEST(AtomicFile, FailingWriteKeepsTheOldFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("plan.tarvosk"));
  const QByteArray old(3000, 'o');
  Put(path, old);
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const QString error = WriteFileAtomically(path, QByteArray(100000, 'n'));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(error, QStringLiteral("Unable to write to ") + path);
  EXPECT_EQ(ReadAll(path), old);
  EXPECT_EQ(Entries(dir.path()), QStringList{QStringLiteral("plan.tarvosk")});
}

// A folder the user may not write to. Root may write anywhere, so then the attempt is made by a
// child that has given up root.
TEST(AtomicFile, ReadOnlyFolderKeepsTheOldFile) {
  QTemporaryDir dir;
  ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
  const QString ro = dir.filePath(QStringLiteral("ro"));
  ASSERT_TRUE(QDir().mkpath(ro));
  const QString path = ro + QStringLiteral("/plan.tarvosk");
  Put(path, "old");
  ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0644), 0);
  ASSERT_EQ(::chmod(QFile::encodeName(ro).constData(), 0555), 0);

  QString error;
  if (::geteuid() != 0) {
    error = WriteFileAtomically(path, "new");
  } else {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
      const QString e = dropped ? WriteFileAtomically(path, "new") : QString();
      ::_exit(!dropped ? 3 : e == QStringLiteral("Unable to write to ") + path ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_NE(WEXITSTATUS(status), 3) << "could not give up root";
    error = WEXITSTATUS(status) == 0 ? QStringLiteral("Unable to write to ") + path
                                     : QStringLiteral("wrote");
  }
  ::chmod(QFile::encodeName(ro).constData(), 0755);
  EXPECT_EQ(error, QStringLiteral("Unable to write to ") + path);
  EXPECT_EQ(ReadAll(path), QByteArray("old"));
  EXPECT_EQ(Entries(ro), QStringList{QStringLiteral("plan.tarvosk")});
}

// What the steps saw, in order: "sync file <size>", "rename", "sync folder".
std::vector<std::string>& StepLog() {
  static std::vector<std::string> log;
  return log;
}

int WatchSync(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return -1;
  StepLog().push_back(S_ISDIR(st.st_mode) ? std::string("sync folder")
                                          : "sync file " + std::to_string(st.st_size));
  return ::fsync(fd);
}

int WatchRename(const char* from, const char* to) {
  StepLog().push_back("rename");
  return ::rename(from, to);
}

int FailingSync(int) { return -1; }

// Puts the watching steps in for one test and the system's back after it.
class TWatchedSteps {
 public:
  explicit TWatchedSteps(TAtomicFileSteps steps) : FSaved(AtomicFileSteps()) {
    StepLog().clear();
    AtomicFileSteps() = steps;
  }
  ~TWatchedSteps() { AtomicFileSteps() = FSaved; }
  TWatchedSteps(const TWatchedSteps&) = delete;
  TWatchedSteps& operator=(const TWatchedSteps&) = delete;

 private:
  TAtomicFileSteps FSaved;
};

// The data is on the disk before its name replaces the old file's, and the new name is on the
// disk before the save is reported done.
TEST(AtomicFile, WritesSyncsRenamesThenSyncsTheFolder) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("plan.tarvosk"));
  for (bool existed : {false, true}) {
    if (existed) Put(path, "an older and longer content");
    TWatchedSteps watch({WatchSync, WatchRename});
    ASSERT_EQ(WriteFileAtomically(path, "12345"), QString());
    EXPECT_EQ(StepLog(), (std::vector<std::string>{"sync file 5", "rename", "sync folder"}))
        << "existed " << existed;
    EXPECT_EQ(ReadAll(path), QByteArray("12345"));
  }
}

TEST(AtomicFile, AFailedSyncLeavesTheOldFileAndNoTemporary) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("plan.tarvosk"));
  Put(path, "old");
  TWatchedSteps watch({FailingSync, WatchRename});
  EXPECT_EQ(WriteFileAtomically(path, "new"), QStringLiteral("Unable to write to ") + path);
  EXPECT_TRUE(StepLog().empty()) << "renamed after a failed sync";
  EXPECT_EQ(ReadAll(path), QByteArray("old"));
  EXPECT_EQ(Entries(dir.path()), QStringList{QStringLiteral("plan.tarvosk")});
}

#endif

}  // namespace
