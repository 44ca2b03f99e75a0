#include "document/recent_documents.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include "platform/atomic_file.h"
#include "platform/user_folders.h"

namespace {

// A path the list can hold: absolute, one line, no control characters, not too long.
bool IsStorablePath(const QString& path) {
  if (path.isEmpty() || path.size() > kMaxRecentPathChars || !QDir::isAbsolutePath(path))
    return false;
  for (const QChar c : path)
    if (c.category() == QChar::Other_Control || c.isNonCharacter()) return false;
  return true;
}

QString Cleaned(const QString& path) { return QDir::cleanPath(path); }

}  // namespace

QString RecentDocumentsPath() {
  return UserFolder(TUserFolder::Settings) + QStringLiteral("/recent.txt");
}

QStringList ParseRecentDocuments(QByteArrayView bytes) {
  QStringList list;
  qsizetype start = 0;
  while (start < bytes.size() && list.size() < kMaxRecentDocuments) {
    qsizetype end = bytes.indexOf('\n', start);
    if (end < 0) end = bytes.size();
    QByteArrayView line = bytes.sliced(start, end - start);
    start = end + 1;
    if (line.endsWith('\r')) line.chop(1);
    // A line of more bytes than four per character cannot be a path short enough.
    if (line.isEmpty() || line.size() > qsizetype{kMaxRecentPathChars} * 4) continue;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(line);
    if (decoder.hasError() || !IsStorablePath(text)) continue;
    const QString path = Cleaned(text);
    if (!list.contains(path)) list << path;
  }
  return list;
}

QStringList ReadRecentDocuments(const QString& file) {
  if (!QFileInfo(file).isFile()) return {};
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly)) return {};
  QByteArray bytes = f.read(kMaxRecentFileBytes);
  // A line cut at the end of the head read is not a whole path.
  if (bytes.size() == kMaxRecentFileBytes && !f.atEnd()) {
    const qsizetype lastBreak = bytes.lastIndexOf('\n');
    bytes.truncate(lastBreak < 0 ? 0 : lastBreak);
  }
  return ParseRecentDocuments(bytes);
}

QStringList AddRecentDocument(QStringList list, const QString& path) {
  if (path.isEmpty()) return list;
  const QString absolute = Cleaned(QFileInfo(path).absoluteFilePath());
  if (!IsStorablePath(absolute)) return list;
  list.removeAll(absolute);
  list.prepend(absolute);
  while (list.size() > kMaxRecentDocuments) list.removeLast();
  return list;
}

QStringList RemoveRecentDocument(QStringList list, const QString& path) {
  list.removeAll(Cleaned(path));
  return list;
}

QString WriteRecentDocuments(const QString& file, const QStringList& list) {
  const QString failed =
      QStringLiteral("Не удалось сохранить список последних документов в «%1».")
          .arg(QDir::toNativeSeparators(file));
  if (!QDir().mkpath(QFileInfo(file).absolutePath())) return failed;
  QByteArray bytes;
  int written = 0;
  for (const QString& path : list) {
    if (written == kMaxRecentDocuments) break;
    if (!IsStorablePath(path)) continue;
    bytes += Cleaned(path).toUtf8();
    bytes += '\n';
    ++written;
  }
  return WriteFileAtomically(file, bytes).isEmpty() ? QString() : failed;
}
