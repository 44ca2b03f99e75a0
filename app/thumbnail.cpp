#include "app/thumbnail.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>

#if defined(Q_OS_WIN)
#include <windows.h>
#endif

#include "app/headless_opening.h"
#include "document/image_writers.h"
#include "render/plan_picture.h"

namespace {

// Renames `from` over `to`, replacing a file there, as one step of the file system.
bool RenameOver(const QString& from, const QString& to) {
#if defined(Q_OS_WIN)
  return MoveFileExW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(from).utf16()),
                     reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(to).utf16()),
                     MOVEFILE_REPLACE_EXISTING) != 0;
#else
  return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

// A thumbnail is a cache that the file manager can make again: it is written whole beside its
// place and renamed over it, so no reader ever sees half a picture and a failure leaves an old
// file alone, but it is not synced to the disk, which would cost more than drawing it. For
// the same reason it is deflated quickly rather than tightly: at the largest size the
// export's tighter deflate took three quarters of the whole thumbnail's time.
QString WriteThumbnailFile(const QImage& image, const QString& path) {
  QString error;
  const QString failed = QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(path));
  const QByteArray png = MakeQuickPng(image, &error);
  if (png.isEmpty()) return error.isEmpty() ? failed : error;
  // A name of our own beside it, made only if new, readable by its owner alone as a cache
  // of someone's documents should be. Not QTemporaryFile: on Windows it keeps its handle open
  // after close(), and an open file cannot be renamed there.
  QFile file;
  for (int attempt = 0; attempt < 16 && !file.isOpen(); ++attempt) {
    file.setFileName(QStringLiteral("%1.%2.tmp").arg(path).arg(QRandomGenerator::global()->generate(), 0, 36));
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner) &&
        !file.exists())
      break;  // not a name taken by chance: the folder cannot be written
  }
  if (!file.isOpen()) return failed;
  const bool written = file.write(png) == png.size() && file.flush();
  file.close();
  if (!written || !RenameOver(file.fileName(), path)) {
    file.remove();
    return failed;
  }
  return {};
}

}  // namespace

int ThumbnailPanelSide(int size) { return std::clamp(2 * size, 512, 1024); }

QString RunThumbnail(const TThumbnailJob& job) {
  const QFileInfo file(job.Document);
  if (!file.isFile()) return QStringLiteral("«%1»: такого документа нет").arg(job.Document);
  if (file.size() > kMaxThumbnailDocumentBytes) {
    return QStringLiteral("«%1»: документ слишком велик для миниатюры (больше %2 КБ)")
        .arg(job.Document)
        .arg(kMaxThumbnailDocumentBytes / 1024);
  }
  // Counted before any object is built: building is what costs memory and time.
  QString error;
  const std::optional<TOpenedPlan> content = OpenHeadlessDocument(job.Document, job.Strict, &error);
  if (!content) return error;
  if (content->Records.size() > kMaxThumbnailObjects) {
    return QStringLiteral("«%1»: в документе слишком много объектов для миниатюры (больше %2)")
        .arg(job.Document)
        .arg(kMaxThumbnailObjects);
  }
  const int side = ThumbnailPanelSide(job.Size);
  TPlanPicture drawn(content->Records, QSize(side, side));
  const QImage plan = drawn.Fixed();
  if (plan.isNull()) return NoPictureMessage(QSize(side, side));
  const QImage thumbnail =
      job.Size == side ? plan
                       : plan.scaled(job.Size, job.Size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  if (thumbnail.isNull()) return QStringLiteral("Не хватает памяти для миниатюры");
  return WriteThumbnailFile(thumbnail, job.Picture);
}
