#pragma once

#include <QImage>
#include <QRect>
#include <cstddef>
#include <memory>

// White is the plan's "nothing here": every layer is drawn on white and shown with white keyed
// out. These are the pixel loops behind that, free of widgets.

// The smallest rectangle holding every pixel of `image` that is not white (#FFFFFF, the alpha
// byte ignored); empty when the image is all white or null.
QRect InkBounds(const QImage& image);

// Pixel memory kept from one keying to the next. It is left uninitialised when it grows: every
// pixel is written before it is read, and zeroing megabytes first would touch them twice.
struct TPixelStore {
  std::unique_ptr<QRgb[]> Data;
  std::size_t Size = 0;
};

// The part `rect` of `image` keyed: white pixels become fully transparent, everything else stays
// opaque, written into `store` (grown when too small, never
// shrunk) and returned as a premultiplied image over that memory: the plan keys dozens of layers
// per edit, and fresh memory for each costs more in page faults than the keying itself. The
// result is valid while `store` is neither changed nor destroyed; null when memory ran out.
QImage KeyOutWhiteInto(const QImage& image, QRect rect, TPixelStore& store);

// Copies every pixel of `source` that is not white onto `target`, source pixel (0, 0) landing on
// target point `at`, touching only target pixels inside `clip`. Both are 32-bit xRGB images.
void CopyInk(QImage& target, QPoint at, const QImage& source, QRect clip);
