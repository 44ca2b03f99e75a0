#include "platform/image_memory.h"

#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

#if defined(__linux__)
constexpr std::size_t kLargePage = 2u << 20;

void FreeLargePages(void* data) { std::free(data); }
#endif

}  // namespace

QImage NewRgb32Image(QSize size) {
  if (size.isEmpty()) return QImage();
#if defined(__linux__)
  const qsizetype bytesPerLine = static_cast<qsizetype>(size.width()) * 4;
  const std::size_t bytes = static_cast<std::size_t>(bytesPerLine) * static_cast<std::size_t>(size.height());
  if (size.width() <= (1 << 24) && bytes >= kLargePage) {
    const std::size_t rounded = (bytes + kLargePage - 1) / kLargePage * kLargePage;
    void* data = nullptr;
    if (posix_memalign(&data, kLargePage, rounded) == 0) {
      madvise(data, rounded, MADV_HUGEPAGE);  // advice only: without large pages all still works
      return QImage(static_cast<uchar*>(data), size.width(), size.height(), bytesPerLine, QImage::Format_RGB32,
                    FreeLargePages, data);
    }
  }
#endif
  return QImage(size, QImage::Format_RGB32);
}
