#include "platform/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#else
#include <QSaveFile>
#endif

namespace {

QString WriteError(const QString& path) {
  return QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(path));
}

}  // namespace

#if defined(Q_OS_UNIX)

TAtomicFileSteps& AtomicFileSteps() {
  static TAtomicFileSteps steps{::fsync, ::rename};
  return steps;
}

namespace {

bool WriteAll(int fd, const char* p, qsizetype n) {
  while (n > 0) {
    const ssize_t w = ::write(fd, p, static_cast<size_t>(n));
    if (w < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += w;
    n -= w;
  }
  return true;
}

// The directory entry of the rename must reach the disk too, or a crash can bring back the old
// file after a save was reported done. Some file systems refuse to sync a directory; that is no
// reason to fail a write whose data is already safe.
void SyncDirectory(const QByteArray& dir) {
  const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  AtomicFileSteps().Sync(fd);
  ::close(fd);
}

}  // namespace

QString WriteFileAtomically(const QString& path, QByteArrayView data) {
  if (path.isEmpty()) return WriteError(path);
  QString target = path;
  const QFileInfo info(path);
  if (info.isSymLink()) {
    const QString resolved = info.canonicalFilePath();  // empty for a dangling link
    if (!resolved.isEmpty()) target = resolved;
  }
  const QFileInfo targetInfo(target);
  const QByteArray finalName = QFile::encodeName(target);
  const QByteArray dirName = QFile::encodeName(targetInfo.absolutePath());

  struct stat old {};
  const bool existed = ::stat(finalName.constData(), &old) == 0;
  if (existed && !S_ISREG(old.st_mode)) return WriteError(path);

  // A name of our own with O_EXCL rather than mkstemp: mkstemp creates mode 0600, and a new
  // document should get the usual permissions the umask gives.
  QByteArray tempName;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    // The name is cut so that a target name near the length limit still leaves room.
    tempName =
        QFile::encodeName(QStringLiteral("%1/.%2.%3.tmp")
                              .arg(targetInfo.absolutePath(), targetInfo.fileName().left(64),
                                   QString::number(QRandomGenerator::global()->generate(), 36)));
    fd = ::open(tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return WriteError(path);

  bool ok = true;
  if (existed) ok = ::fchmod(fd, old.st_mode & 07777) == 0;
  ok = ok && WriteAll(fd, data.data(), data.size());
  ok = ok && AtomicFileSteps().Sync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && AtomicFileSteps().Rename(tempName.constData(), finalName.constData()) == 0;
  if (!ok) {
    ::unlink(tempName.constData());
    return WriteError(path);
  }
  SyncDirectory(dirName);
  return {};
}

#else

TAtomicFileSteps& AtomicFileSteps() {
  // QSaveFile syncs and renames by itself; nothing here is called.
  static TAtomicFileSteps steps{nullptr, nullptr};
  return steps;
}

QString WriteFileAtomically(const QString& path, QByteArrayView data) {
  QSaveFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write(data.data(), data.size()) != data.size() ||
      !f.commit()) {
    return WriteError(path);
  }
  return {};
}

#endif
