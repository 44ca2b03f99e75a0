#include "walls/flood_fill.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

bool IsDirect32(QImage::Format f) {
  return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
         f == QImage::Format_ARGB32_Premultiplied;
}

void Fill32(QImage& img, const std::vector<QPoint>& seeds, QRgb surface, const QImage& tile) {
  const int w = img.width(), h = img.height();
  const int tw = tile.width(), th = tile.height();
  const QImage::Format format = img.format();
  // The picture's pixels as the image stores them, worked out once rather than per pixel.
  std::vector<QRgb> pattern(static_cast<std::size_t>(tw) * th);
  bool holdsSurface = false;
  for (int y = 0; y < th; ++y) {
    const QRgb* in = reinterpret_cast<const QRgb*>(tile.constScanLine(y));
    for (int x = 0; x < tw; ++x) {
      const QRgb c = in[x];
      const QRgb stored = format == QImage::Format_RGB32                    ? c | 0xFF000000u
                          : format == QImage::Format_ARGB32_Premultiplied ? qPremultiply(c)
                                                                          : c;
      pattern[static_cast<std::size_t>(y) * tw + x] = stored;
      holdsSurface = holdsSurface || stored == surface;
    }
  }

  // A picture that itself holds the surface colour would leave filled pixels open to be filled
  // again for ever: visited marks then decide what is done. Any other picture (every material
  // of the plan) closes each pixel it fills, and the marks, a byte for each pixel of the image
  // to clear at every fill, are not needed.
  std::vector<std::uint8_t> done(holdsSurface ? static_cast<std::size_t>(w) * h : 0, 0);
  auto open = [&](const QRgb* row, int x, int y) {
    return row[x] == surface && (!holdsSurface || !done[static_cast<std::size_t>(y) * w + x]);
  };

  std::vector<QPoint> stack;
  for (const QPoint& seed : seeds)
    if (img.rect().contains(seed)) stack.push_back(seed);
  std::reverse(stack.begin(), stack.end());  // the first seed first
  while (!stack.empty()) {
    const QPoint p = stack.back();
    stack.pop_back();
    QRgb* row = reinterpret_cast<QRgb*>(img.scanLine(p.y()));
    if (!open(row, p.x(), p.y())) continue;
    int left = p.x(), right = p.x();
    while (left > 0 && open(row, left - 1, p.y())) --left;
    while (right + 1 < w && open(row, right + 1, p.y())) ++right;
    if (holdsSurface)
      std::fill_n(done.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(p.y()) * w + left),
                  right - left + 1, std::uint8_t{1});
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
  FloodFillPattern(img, std::vector<QPoint>{seed}, surface, pattern);
}

void FloodFillPattern(QImage& img, const std::vector<QPoint>& seeds, QRgb surface, const QImage& pattern) {
  if (img.isNull() || pattern.isNull() ||
      std::none_of(seeds.begin(), seeds.end(), [&](QPoint p) { return img.rect().contains(p); }))
    return;
  const QImage tile = pattern.convertToFormat(QImage::Format_ARGB32);
  if (IsDirect32(img.format())) {
    Fill32(img, seeds, surface, tile);
    return;
  }
  const QImage::Format original = img.format();
  QImage work = img.convertToFormat(QImage::Format_ARGB32);
  Fill32(work, seeds, surface, tile);
  img = work.convertToFormat(original);
}
