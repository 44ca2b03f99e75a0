#include "walls/flood_fill.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

bool IsDirect32(QImage::Format f) {
  return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
         f == QImage::Format_ARGB32_Premultiplied;
}

// The picture's pixels as the image stores them, worked out once rather than per pixel.
struct TStoredPattern {
  std::vector<QRgb> Pixels;
  int Width = 0, Height = 0;
  bool HoldsSurface = false;  // some pixel of it is the surface colour

  TStoredPattern(const QImage& tile, QImage::Format format, QRgb surface)
      : Pixels(static_cast<std::size_t>(tile.width()) * tile.height()), Width(tile.width()), Height(tile.height()) {
    for (int y = 0; y < Height; ++y) {
      const QRgb* in = reinterpret_cast<const QRgb*>(tile.constScanLine(y));
      for (int x = 0; x < Width; ++x) {
        const QRgb c = in[x];
        const QRgb stored = format == QImage::Format_RGB32                    ? c | 0xFF000000u
                            : format == QImage::Format_ARGB32_Premultiplied ? qPremultiply(c)
                                                                            : c;
        Pixels[static_cast<std::size_t>(y) * Width + x] = stored;
        HoldsSurface = HoldsSurface || stored == surface;
      }
    }
  }

  // Pixels l..r of image row y, tiled from the image's pixel (0, 0).
  void Paint(QRgb* row, int y, int l, int r) const {
    const QRgb* line = &Pixels[static_cast<std::size_t>(y % Height) * Width];
    for (int x = l, tx = l % Width; x <= r; tx = 0) {
      const int n = std::min(Width - tx, r - x + 1);
      std::copy_n(line + tx, n, row + x);
      x += n;
    }
  }
};

// A picture that closes every pixel it fills (none of its pixels is the surface colour: every
// material of the plan). Runs of a row are filled whole, and the rows beside a run are looked
// through only where the run that led to it did not cover them: each pixel is read about once.
void FillClosing(QImage& img, const std::vector<QPoint>& seeds, QRgb surface, const TStoredPattern& pattern) {
  const int w = img.width(), h = img.height();
  uchar* const bits = img.bits();
  const qsizetype bytesPerLine = img.bytesPerLine();
  const auto rowAt = [&](int y) { return reinterpret_cast<QRgb*>(bits + y * bytesPerLine); };
  // Row Y + Dy is to be looked through over Xl..Xr, beside the run Xl..Xr of row Y filled already.
  struct TSpan {
    int Y, Xl, Xr, Dy;
  };
  std::vector<TSpan> stack;
  const auto push = [&](int y, int xl, int xr, int dy) {
    if (y + dy >= 0 && y + dy < h) stack.push_back({y, xl, xr, dy});
  };
  for (const QPoint& seed : seeds) {
    if (!img.rect().contains(seed) || rowAt(seed.y())[seed.x()] != surface) continue;
    // The seed's row first, as if reached from the row beneath; then the row beneath itself.
    push(seed.y(), seed.x(), seed.x(), 1);
    push(seed.y() + 1, seed.x(), seed.x(), -1);
    while (!stack.empty()) {
      const TSpan s = stack.back();
      stack.pop_back();
      const int y = s.Y + s.Dy;
      QRgb* const row = rowAt(y);
      for (int x = s.Xl; x <= s.Xr;) {
        if (row[x] != surface) {
          ++x;
          continue;
        }
        int l = x, r = x;
        // Only the first run can reach back past the run beside it, round its left end.
        if (x == s.Xl) {
          while (l > 0 && row[l - 1] == surface) --l;
          if (l < s.Xl) push(y, l, s.Xl - 1, -s.Dy);
        }
        while (r + 1 < w && row[r + 1] == surface) ++r;
        pattern.Paint(row, y, l, r);
        push(y, l, r, s.Dy);
        if (r > s.Xr) push(y, s.Xr + 1, r, -s.Dy);  // round its right end
        x = r + 2;  // r + 1 is no surface
      }
    }
  }
}

// A picture that holds the surface colour would leave filled pixels open to be filled again
// for ever: visited marks, a byte for each pixel of the image, decide what is done.
void FillMarked(QImage& img, const std::vector<QPoint>& seeds, QRgb surface, const TStoredPattern& pattern) {
  const int w = img.width(), h = img.height();
  std::vector<std::uint8_t> done(static_cast<std::size_t>(w) * h, 0);
  auto open = [&](const QRgb* row, int x, int y) {
    return row[x] == surface && !done[static_cast<std::size_t>(y) * w + x];
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
    std::fill_n(done.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(p.y()) * w + left),
                right - left + 1, std::uint8_t{1});
    pattern.Paint(row, p.y(), left, right);
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

void Fill32(QImage& img, const std::vector<QPoint>& seeds, QRgb surface, const QImage& tile) {
  const TStoredPattern pattern(tile, img.format(), surface);
  if (pattern.HoldsSurface) FillMarked(img, seeds, surface, pattern);
  else FillClosing(img, seeds, surface, pattern);
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
