#include "platform/resource_picture.h"

#include <QFile>
#include <QHash>
#include <QImageReader>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/jpeg_reader.h"

QByteArray PictureFormatOf(const QByteArray& head) {
  if (head.startsWith("\x89PNG\r\n\x1a\n")) return QByteArrayLiteral("png");
  if (head.startsWith("BM")) return QByteArrayLiteral("bmp");
  if (head.startsWith("\xFF\xD8\xFF")) return QByteArrayLiteral("jpeg");
  return {};
}

namespace {

QImage ReadPicture(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray format = PictureFormatOf(file.peek(8));
  if (format == "jpeg") return ReadJpegPicture(file.readAll());
  QImageReader reader(&file, format);
  // With its format known, only a plugin made for that format is asked.
  if (!format.isEmpty()) reader.setAutoDetectImageFormat(false);
  return reader.read();
}

class TPrefetch {
 public:
  ~TPrefetch() {
    if (FWorker.joinable()) FWorker.join();
  }
  void Start(const QStringList& paths) {
    std::unique_lock<std::mutex> lock(FMutex);
    for (const QString& path : paths)
      if (!FQueue.contains(path) && !FRead.contains(path) && path != FReading) FQueue.append(path);
    if (FWorking || FQueue.isEmpty()) return;
    FWorking = true;
    lock.unlock();
    if (FWorker.joinable()) FWorker.join();  // done with an earlier list
    FWorker = std::thread([this] { Work(); });
  }
  // The picture from the prefetch, or nothing when it was never asked for or is taken already.
  std::optional<QImage> Take(const QString& path) {
    std::unique_lock<std::mutex> lock(FMutex);
    FQueue.removeAll(path);  // not begun: read by the caller, who would wait for it otherwise
    FDone.wait(lock, [&] { return FReading != path; });
    const auto found = FRead.constFind(path);
    if (found == FRead.constEnd()) return std::nullopt;
    QImage picture = *found;
    FRead.erase(found);
    return picture;
  }

 private:
  void Work() {
    std::unique_lock<std::mutex> lock(FMutex);
    while (!FQueue.isEmpty()) {
      FReading = FQueue.takeFirst();
      lock.unlock();
      QImage picture = ReadPicture(FReading);
      lock.lock();
      FRead.insert(FReading, std::move(picture));
      FReading.clear();
      FDone.notify_all();
    }
    FWorking = false;
  }

  std::mutex FMutex;
  std::condition_variable FDone;
  QStringList FQueue;
  QString FReading;
  QHash<QString, QImage> FRead;
  bool FWorking = false;
  std::thread FWorker;
};

TPrefetch& Prefetch() {
  static TPrefetch prefetch;
  return prefetch;
}

}  // namespace

QImage ResourcePicture(const QString& path) {
  if (std::optional<QImage> prefetched = Prefetch().Take(path)) return *std::move(prefetched);
  return ReadPicture(path);
}

void PrefetchResourcePictures(const QStringList& paths) { Prefetch().Start(paths); }
