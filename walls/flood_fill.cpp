#include "walls/flood_fill.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

bool IsDirect32(QImage::Format f) {
  return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
         f == QImage::Format_ARGB32_Premultiplied;
}

void Fill32(QImage& img, QPoint seed, QRgb surface, const QImage& tile) {
  const int w = img.width(), h = img.height();
  const int tw = tile.width(), th = tile.height();
  const QImage::Format format = img.format();
  // The picture's pixels as the image stores them, worked out once rather than per pixel.
  std::vector<QRgb> pattern(static_cast<std::size_t>(tw) * th);
  for (int y = 0; y < th; ++y) {
    const QRgb* in = reinterpret_cast<const QRgb*>(tile.constScanLine(y));
    for (int x = 0; x < tw; ++x) {
      const QRgb c = in[x];
      pattern[static_cast<std::size_t>(y) * tw + x] = format == QImage::Format_RGB32                    ? c | 0xFF000000u
                                                      : format == QImage::Format_ARGB32_Premultiplied ? qPremultiply(c)
                                                                                                      : c;
    }
  }

  // Visited marks rather than colour tests decide what is done, so a picture that itself holds
  // the surface colour cannot make the fill run forever.
  std::vector<std::uint8_t> done(static_cast<std::size_t>(w) * h, 0);
  auto open = [&](const QRgb* row, int x, int y) {
    return row[x] == surface && !done[static_cast<std::size_t>(y) * w + x];
  };

  std::vector<QPoint> stack{seed};
  while (!stack.empty()) {
    const QPoint p = stack.back();
    stack.pop_back();
    QRgb* row = reinterpret_cast<QRgb*>(img.scanLine(p.y()));
    if (!open(row, p.x(), p.y())) continue;
    int left = p.x(), right = p.x();
    while (left > 0 && open(row, left - 1, p.y())) --left;
    while (right + 1 < w && open(row, right + 1, p.y())) ++right;
    std::fill_n(done.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(p.y()) * w + left), right - left + 1,
                std::uint8_t{1});
    const QRgb* line = &pattern[static_cast<std::size_t>(p.y() % th) * tw];
    for (int x = left, tx = left % tw; x <= right; ++x) {
      row[x] = line[tx];
      if (++tx == tw) tx = 0;
    }
    for (int ny : {p.y() - 1, p.y() + 1}) {
      if (ny < 0 || ny >= h) continue;
      const QRgb* nrow = reinterpret_cast<const QRgb*>(img.constScanLine(ny));
      bool inRun = false;
      for (int x = left; x <= right; ++x) {
        const bool o = open(nrow, x, ny);
        if (o && !inRun) stack.emplace_back(x, ny);
        inRun = o;
      }
    }
  }
}

}  // namespace

void FloodFillPattern(QImage& img, QPoint seed, QRgb surface, const QImage& pattern) {
  if (img.isNull() || pattern.isNull() || !img.rect().contains(seed)) return;
  const QImage tile = pattern.convertToFormat(QImage::Format_ARGB32);
  if (IsDirect32(img.format())) {
    Fill32(img, seed, surface, tile);
    return;
  }
  const QImage::Format original = img.format();
  QImage work = img.convertToFormat(QImage::Format_ARGB32);
  Fill32(work, seed, surface, tile);
  img = work.convertToFormat(original);
}
