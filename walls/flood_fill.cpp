#include "walls/flood_fill.h"

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
  auto patternAt = [&](int x, int y) {
    QRgb c = reinterpret_cast<const QRgb*>(tile.constScanLine(y % th))[x % tw];
    if (format == QImage::Format_RGB32) return c | 0xFF000000u;
    if (format == QImage::Format_ARGB32_Premultiplied) return qPremultiply(c);
    return c;
  };

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
    for (int x = left; x <= right; ++x) {
      done[static_cast<std::size_t>(p.y()) * w + x] = 1;
      row[x] = patternAt(x, p.y());
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
