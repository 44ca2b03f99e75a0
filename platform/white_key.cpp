#include "platform/white_key.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

namespace {

constexpr QRgb kOpaque = 0xFF000000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;

bool IsInk(QRgb c) { return (c | kOpaque) != kWhite; }

// The 32-bit form the loops read; other formats are converted once.
QImage AsRgb32(const QImage& image) {
  if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32) return image;
  return image.convertToFormat(QImage::Format_RGB32);
}

// Plan canvases are mostly white, so the scans below look at blocks of pixels with a
// branch-free test the compiler vectorises, and only look closer inside a block with ink.
constexpr int kBlock = 16;

bool BlockHasInk(const QRgb* p) {
  // Two pixels a word: the block is white exactly when every word, alpha bytes set, is all ones.
  constexpr std::uint64_t kOpaquePair = 0xFF000000FF000000ull;
  std::uint64_t acc = ~std::uint64_t{0};
  for (int i = 0; i < kBlock; i += 2) {
    std::uint64_t pair;
    std::memcpy(&pair, p + i, sizeof pair);
    acc &= pair | kOpaquePair;
  }
  return acc != ~std::uint64_t{0};
}

// The first ink pixel of line[from, to), or `to` when there is none.
int FirstInk(const QRgb* line, int from, int to) {
  int x = from;
  while (x + kBlock <= to && !BlockHasInk(line + x)) x += kBlock;
  while (x < to && !IsInk(line[x])) ++x;
  return x;
}

// The last ink pixel of line[from, to), or from - 1 when there is none.
int LastInk(const QRgb* line, int from, int to) {
  int x = to;
  while (x - kBlock >= from && !BlockHasInk(line + x - kBlock)) x -= kBlock;
  while (x > from && !IsInk(line[x - 1])) --x;
  return x - 1;
}

}  // namespace

QRect InkBounds(const QImage& image) {
  const QImage src = AsRgb32(image);
  if (src.isNull()) return {};
  const int w = src.width();
  int left = w, right = -1, top = -1, bottom = -1;
  for (int y = 0; y < src.height(); ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    // Each pixel is looked at once at most: left of the box so far, right of it, and inside it
    // only while the row has shown no ink outside.
    bool inked = false;
    const int first = FirstInk(line, 0, left);
    if (first < left) {
      left = first;
      inked = true;
    }
    if (left == w) continue;  // no ink in this row or any before it
    const int from = std::max(right + 1, left);
    const int last = LastInk(line, from, w);
    if (last >= from) {
      right = last;
      inked = true;
    }
    if (!inked) inked = FirstInk(line, left, right + 1) <= right;
    if (inked) {
      if (top < 0) top = y;
      bottom = y;
    }
  }
  if (top < 0) return {};
  return QRect(QPoint(left, top), QPoint(right, bottom));
}

QImage KeyOutWhiteInto(const QImage& image, QRect rect, TPixelStore& store) {
  const QImage src = AsRgb32(image);
  rect &= src.rect();
  if (src.isNull() || rect.isEmpty()) return {};
  const std::size_t need = static_cast<std::size_t>(rect.width()) * static_cast<std::size_t>(rect.height());
  if (store.Size < need) {
    store.Data.reset();  // the old pixels are not kept: release them before asking for more
    store.Size = 0;
    store.Data.reset(new (std::nothrow) QRgb[need]);
    if (!store.Data) return {};  // out of memory: show nothing rather than write through null
    store.Size = need;
  }
  const int w = rect.width();
  for (int y = 0; y < rect.height(); ++y) {
    const QRgb* in = reinterpret_cast<const QRgb*>(src.constScanLine(rect.top() + y)) + rect.left();
    QRgb* out = store.Data.get() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w);
    for (int x = 0; x < w; ++x) {
      const QRgb c = in[x] | kOpaque;
      out[x] = c == kWhite ? 0u : c;  // opaque pixels are their own premultiplied value
    }
  }
  return QImage(reinterpret_cast<const uchar*>(store.Data.get()), w, rect.height(),
                static_cast<qsizetype>(w) * 4, QImage::Format_ARGB32_Premultiplied);
}


void CopyInk(QImage& target, QPoint at, const QImage& source, QRect clip) {
  const QImage src = AsRgb32(source);
  clip &= target.rect();
  clip &= QRect(at, src.size());
  if (src.isNull() || clip.isEmpty()) return;
  for (int y = clip.top(); y <= clip.bottom(); ++y) {
    const QRgb* in = reinterpret_cast<const QRgb*>(src.constScanLine(y - at.y()));
    QRgb* out = reinterpret_cast<QRgb*>(target.scanLine(y));
    // Mostly white: whole blocks of white are passed over.
    int x = clip.left();
    for (; x + kBlock <= clip.right() + 1; x += kBlock) {
      const QRgb* block = in + (x - at.x());
      if (!BlockHasInk(block)) continue;
      // Every pixel of the block written, white ones with what is there: a select the compiler
      // turns into vector blends, where a store under a branch went pixel by pixel.
      QRgb* to = out + x;
      for (int i = 0; i < kBlock; ++i) {
        const QRgb c = block[i] | kOpaque;
        to[i] = c != kWhite ? c : to[i];
      }
    }
    for (; x <= clip.right(); ++x) {
      const QRgb c = in[x - at.x()];
      if (IsInk(c)) out[x] = c | kOpaque;
    }
  }
}
