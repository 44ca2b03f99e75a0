#include "document/recovery_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStringDecoder>
#include <QUuid>
#include <algorithm>
#include <map>

#include "platform/atomic_file.h"
#include "platform/user_folders.h"

namespace {

constexpr char kDocumentSuffix[] = ".tarvosk";
constexpr char kOriginSuffix[] = ".origin";
constexpr char kLockSuffix[] = ".lock";
constexpr qint64 kMaxOriginBytes = 64 * 1024;

QString EntryFile(const QString& folder, const QString& id, const char* suffix) {
  return QDir(folder).filePath(id + QLatin1String(suffix));
}

std::shared_ptr<QLockFile> TakeLock(const QString& path) {
  auto lock = std::make_shared<QLockFile>(path);
  // A live editor's lock is kept by the pid it names and by its flock, whatever its age; the
  // age only lets a lock file without a readable pid go stale in the end.
  if (!lock->tryLock(0)) return nullptr;
  return lock;
}

// The user's document path of an .origin file: one absolute path in UTF-8, else empty.
QString ReadOrigin(const QString& path) {
  QFile f(path);
  if (!QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = f.read(kMaxOriginBytes + 1);
  if (bytes.size() > kMaxOriginBytes) return {};
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString text = decoder.decode(bytes);
  if (decoder.hasError() || !QDir::isAbsolutePath(text)) return {};
  for (const QChar c : text)
    if (c.category() == QChar::Other_Control) return {};
  return QDir::cleanPath(text);
}

QString Broken(const QString& path, const QString& why) {
  return QStringLiteral("Файл восстановления «%1» повреждён: %2")
      .arg(QDir::toNativeSeparators(path), why);
}

}  // namespace

QString RecoveryFolder() {
  return UserFolder(TUserFolder::State) + QStringLiteral("/recovery");
}

TRecoveryStore::TRecoveryStore() = default;
TRecoveryStore::~TRecoveryStore() = default;  // QLockFile's destructor unlocks

bool TRecoveryStore::Open(const QString& folder) {
  FLock.reset();
  FId.clear();
  FOriginWritten = false;
  if (folder.isEmpty() || !QDir().mkpath(folder)) return false;
  QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  FFolder = folder;
  for (int attempt = 0; attempt < 4; ++attempt) {
    const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    // A fresh id never has files; one that has (a clash, or a copy of another machine's
    // folder) is left to its owner.
    if (QFileInfo::exists(EntryFile(folder, id, kDocumentSuffix)) ||
        QFileInfo::exists(EntryFile(folder, id, kOriginSuffix)))
      continue;
    auto lock = std::make_unique<QLockFile>(EntryFile(folder, id, kLockSuffix));
    if (lock->tryLock(0)) {
      FLock = std::move(lock);
      FId = id;
      return true;
    }
  }
  return false;
}

bool TRecoveryStore::IsOpen() const { return FLock != nullptr; }

QString TRecoveryStore::FilePath(const char* suffix) const {
  return EntryFile(FFolder, FId, suffix);
}

QString TRecoveryStore::DocumentPath() const {
  return IsOpen() ? FilePath(kDocumentSuffix) : QString();
}

QString TRecoveryStore::Write(QByteArrayView documentBytes, const QString& originalPath) {
  if (!IsOpen()) return QStringLiteral("Папка файлов восстановления недоступна.");
  const QString failed = QStringLiteral("Не удалось записать файл восстановления «%1».");
  if (!FOriginWritten || originalPath != FLastOrigin) {
    const QString origin = FilePath(kOriginSuffix);
    if (!WriteFileAtomically(origin, originalPath.toUtf8()).isEmpty())
      return failed.arg(QDir::toNativeSeparators(origin));
    FOriginWritten = true;
    FLastOrigin = originalPath;
  }
  const QString document = FilePath(kDocumentSuffix);
  if (!WriteFileAtomically(document, documentBytes).isEmpty())
    return failed.arg(QDir::toNativeSeparators(document));
  return {};
}

void TRecoveryStore::Remove() {
  if (!IsOpen()) return;
  // The document first: an origin left alone by a crash here is only cleaned up later.
  QFile::remove(FilePath(kDocumentSuffix));
  QFile::remove(FilePath(kOriginSuffix));
  FOriginWritten = false;
}

std::vector<TRecoveryEntry> FindAbandoned(const QString& folder) {
  std::vector<TRecoveryEntry> entries;
  const QDir dir(folder);
  if (folder.isEmpty() || !dir.exists()) return entries;
  // Every id named by any of the three files; folders and other names are not ours.
  std::map<QString, bool> ids;  // id -> has a document file
  const QFileInfoList files =
      dir.entryInfoList(QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
  for (const QFileInfo& info : files) {
    const QString name = info.fileName();
    for (const char* suffix : {kDocumentSuffix, kOriginSuffix, kLockSuffix}) {
      const QLatin1String s(suffix);
      if (name.size() > s.size() && name.endsWith(s)) {
        bool& hasDocument = ids[name.chopped(s.size())];
        hasDocument = hasDocument || suffix == kDocumentSuffix;
      }
    }
  }
  for (const auto& [id, hasDocument] : ids) {
    std::shared_ptr<QLockFile> lock = TakeLock(EntryFile(folder, id, kLockSuffix));
    if (!lock) continue;  // a running editor's, or one being offered by another editor
    TRecoveryEntry entry;
    entry.Id = id;
    entry.DocumentPath = EntryFile(folder, id, kDocumentSuffix);
    entry.Lock = std::move(lock);
    if (!hasDocument) {
      DiscardRecovery(entry);  // nothing to restore
      continue;
    }
    entry.OriginalPath = ReadOrigin(EntryFile(folder, id, kOriginSuffix));
    entry.Modified = QFileInfo(entry.DocumentPath).lastModified();
    entries.push_back(std::move(entry));
  }
  std::stable_sort(entries.begin(), entries.end(),
                   [](const TRecoveryEntry& a, const TRecoveryEntry& b) {
                     return a.Modified > b.Modified;
                   });
  return entries;
}

TRecoveryRead ReadRecovery(const TRecoveryEntry& entry,
                           std::span<const std::int32_t> bellDiameters) {
  TRecoveryRead result;
  const QString& path = entry.DocumentPath;
  const QFileInfo info(path);
  QFile f(path);
  if (!info.isFile() || !f.open(QIODevice::ReadOnly)) {
    result.Error = Broken(path, QStringLiteral("файл не читается."));
    return result;
  }
  if (f.size() > kMaxDocumentBytes) {
    result.Error = Broken(path, QStringLiteral("файл больше %1 МБ.")
                                    .arg(kMaxDocumentBytes / (1024 * 1024)));
    return result;
  }
  const qint64 size = f.size();
  QByteArray bytes = f.read(kMaxDocumentBytes + 1);
  if (bytes.size() != size || bytes.size() > kMaxDocumentBytes) {
    result.Error = Broken(path, QStringLiteral("файл прочитан не полностью."));
    return result;
  }
  if (bytes.isEmpty()) {
    result.Error = Broken(path, QStringLiteral("файл пуст."));
    return result;
  }
  // The file was written by DocumentToBytes, so its objects written again give it back byte for
  // byte; a file cut short at a line end, or changed by hand, would still parse, but not that.
  const TDocumentContent plain = ParseDocument(bytes);
  if (!plain.Ok()) {
    result.Error = Broken(path, QStringLiteral("в нём нет плана."));
    return result;
  }
  if (DocumentToBytes(plain.Objects) != bytes) {
    result.Error = Broken(path, QStringLiteral("план в нём оборван или изменён."));
    return result;
  }
  result.Content = bellDiameters.empty() ? plain : ParseDocument(bytes, bellDiameters);
  if (!result.Content.Ok()) {
    result.Error = Broken(path, QStringLiteral("в нём нет плана."));
    return result;
  }
  result.Bytes = std::move(bytes);
  return result;
}

bool DiscardRecovery(const TRecoveryEntry& entry) {
  if (entry.Id.isEmpty() || entry.DocumentPath.isEmpty()) return false;
  const QFileInfo document(entry.DocumentPath);
  const QString folder = document.absolutePath();
  QFile::remove(entry.DocumentPath);
  QFile::remove(EntryFile(folder, entry.Id, kOriginSuffix));
  if (entry.Lock) entry.Lock->unlock();  // removes the lock file
  return !QFileInfo::exists(entry.DocumentPath) && !QFileInfo(entry.DocumentPath).isSymLink();
}
