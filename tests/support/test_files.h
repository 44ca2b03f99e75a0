#pragma once
// Files, folders and environment variables as the tests set them up.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QtGlobal>

#if defined(Q_OS_LINUX)
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

inline bool WriteAll(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

inline QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Sets an environment variable for one test and puts the old value back.
class TEnv {
 public:
  TEnv(const char* name, const QByteArray& value)
      : FName(name), FHad(qEnvironmentVariableIsSet(name)), FOld(qgetenv(name)) {
    qputenv(name, value);
  }
  ~TEnv() {
    if (FHad) {
      qputenv(FName, FOld);
    } else {
      qunsetenv(FName);
    }
  }
  TEnv(const TEnv&) = delete;
  TEnv& operator=(const TEnv&) = delete;

 private:
  const char* FName;
  bool FHad;
  QByteArray FOld;
};

// A folder in which no new file can be made, also for root (immutable flag); false when the
// file system or the process cannot do that.
inline bool LockFolder(const QString& dir, bool on) {
  bool ok = false;
#if defined(Q_OS_LINUX)
  const int fd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return false;
  int flags = 0;
  ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  if (ok) {
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  }
  ::close(fd);
#endif
  QFile::setPermissions(dir, on ? QFile::ReadOwner | QFile::ExeOwner
                                : QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  if (!on) return ok;
  QFile probe(QDir(dir).filePath(QStringLiteral("probe")));
  if (probe.open(QIODevice::WriteOnly)) {
    probe.close();
    probe.remove();
    return false;
  }
  return true;
}
