#include "platform/layer.h"

#include <QPaintEvent>
#include <QPainter>

namespace {

// One pass from the 32-bit canvas into a premultiplied image with white keyed out, reusing
// `out`'s pixels when the size is unchanged: the plan redraws dozens of layers per edit, and a
// fresh 6 MB image per layer and edit costs more in page faults than the keying itself.
void KeyOutWhiteInto(const QImage& canvas, QImage& out) {
  const QImage src = canvas.format() == QImage::Format_RGB32 || canvas.format() == QImage::Format_ARGB32
                         ? canvas
                         : canvas.convertToFormat(QImage::Format_RGB32);
  if (out.size() != src.size() || out.format() != QImage::Format_ARGB32_Premultiplied)
    out = QImage(src.size(), QImage::Format_ARGB32_Premultiplied);
  if (out.isNull() || src.isNull()) {  // out of memory: show nothing rather than write through null
    out = QImage();
    return;
  }
  const int w = src.width();
  for (int y = 0; y < src.height(); ++y) {
    const QRgb* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < w; ++x) {
      const QRgb c = in[x] | 0xFF000000u;
      line[x] = c == 0xFFFFFFFFu ? 0u : c;  // opaque pixels are their own premultiplied value
    }
  }
}

}  // namespace

QImage KeyOutWhite(const QImage& image) {
  QImage out;
  KeyOutWhiteInto(image, out);
  return out;
}

TLayer::TLayer(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setAutoFillBackground(false);
}

void TLayer::ResetCanvas(int w, int h) {
  FCanvas = QImage(qMax(1, w), qMax(1, h), QImage::Format_RGB32);
  FCanvas.fill(Qt::white);
  CanvasChanged();
}

void TLayer::EnsureCanvas(int w, int h) {
  if (!FCanvas.isNull() && FCanvas.width() >= w && FCanvas.height() >= h) return;
  QImage grown(qMax(w, FCanvas.width()), qMax(h, FCanvas.height()), QImage::Format_RGB32);
  grown.fill(Qt::white);
  if (!FCanvas.isNull()) {
    QPainter p(&grown);
    p.drawImage(0, 0, FCanvas);
  }
  FCanvas = grown;
  CanvasChanged();
}

void TLayer::ClearCanvas() {
  FCanvas.fill(Qt::white);
  CanvasChanged();
}

void TLayer::CanvasChanged() {
  FKeyedDirty = true;
  FScaledFor = QSize();
  update();
}

void TLayer::SetStretch(bool on) {
  FStretch = on;
  CanvasChanged();
}

void TLayer::SetPicture(const QImage& picture) {
  FCanvas = picture.convertToFormat(QImage::Format_RGB32);
  CanvasChanged();
}

const QImage& TLayer::Keyed() const {
  if (FKeyedDirty) {
    if (FCanvas.isNull()) FKeyed = QImage();
    else KeyOutWhiteInto(FCanvas, FKeyed);
    FKeyedDirty = false;
  }
  return FKeyed;
}

void TLayer::RenderTo(QPainter& painter) const {
  const QImage& keyed = Keyed();
  if (keyed.isNull()) return;
  if (FStretch) {
    if (FScaledFor != size()) {
      FScaled = keyed.scaled(size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
      FScaledFor = size();
    }
    painter.drawImage(0, 0, FScaled);
  } else {
    painter.drawImage(FCanvasOffset, keyed);
  }
}

void TLayer::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  p.setClipRegion(event->region());
  RenderTo(p);
}
