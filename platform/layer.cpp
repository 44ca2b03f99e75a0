#include "platform/layer.h"

#include <QPaintEvent>
#include <QPainter>

QImage KeyOutWhite(const QImage& image) {
  QImage out = image.convertToFormat(QImage::Format_ARGB32);
  const int w = out.width();
  for (int y = 0; y < out.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < w; ++x) {
      if ((line[x] & 0xFFFFFFu) == 0xFFFFFFu) line[x] = 0;
      else line[x] |= 0xFF000000u;
    }
  }
  return out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
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
    FKeyed = FCanvas.isNull() ? QImage() : KeyOutWhite(FCanvas);
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
