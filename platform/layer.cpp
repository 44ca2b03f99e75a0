#include "platform/layer.h"

#include <QPainter>
#include <algorithm>

#include "platform/image_memory.h"
#include "platform/layer_stack.h"
#include "platform/white_key.h"

namespace {

// The largest bounds a layer takes, as for a widget.
constexpr int kMaxLayerSide = 16777215;

}  // namespace

TLayer::TLayer(TLayerStack* stack) : FStack(stack) {
  if (FStack) FStack->Add(this);
}

TLayer::~TLayer() {
  if (FStack) FStack->Remove(this);
}

void TLayer::setGeometry(const QRect& bounds) {
  const QRect next(bounds.topLeft(), QSize(qBound(0, bounds.width(), kMaxLayerSide), qBound(0, bounds.height(), kMaxLayerSide)));
  if (next == FBounds) return;
  if (FStack && !FHidden) FStack->Damage(FBounds);
  if (next.size() != FBounds.size() && FStretch) {  // a copy scaled for the old size is no use
    FScaled = QImage();
    FScaledFor = QSize();
  }
  FBounds = next;
  if (FStack && !FHidden) FStack->Damage(FBounds);
}

void TLayer::setVisible(bool visible) {
  if (FHidden == !visible) return;
  FHidden = !visible;
  if (FStack) FStack->Damage(FBounds);
}

void TLayer::raise() {
  if (FStack) FStack->Raise(this);
}

void TLayer::lower() {
  if (FStack) FStack->Lower(this);
}

void TLayer::stackUnder(TLayer* above) {
  if (FStack) FStack->StackUnder(this, above);
}

void TLayer::update(const QRect& area) {
  if (FStack && !FHidden) FStack->Damage(area.translated(FBounds.topLeft()) & FBounds);
}

namespace {

void FillWhite(QImage& canvas, const std::vector<QRect>& parts) {
  for (const QRect& part : parts)
    for (int y = part.top(); y <= part.bottom(); ++y)
      std::fill_n(reinterpret_cast<QRgb*>(canvas.scanLine(y)) + part.left(), part.width(), QRgb(0xFFFFFFFFu));
}

}  // namespace

void TLayer::WhitenBlank() const {
  if (!FBlank) return;
  // Where earlier ink was, or, of a canvas written only in part, that part: the rest is to be
  // whitened anyway when the whole canvas is asked for.
  if (FWhitenOnly) FillWhite(FCanvas, FWhitenOnly->Runs(FCanvas.rect()));
  else if (FValidOnly) FillWhite(FCanvas, FValidOnly->Runs(FCanvas.rect()));
  else FCanvas.fill(Qt::white);
  FWhitenOnly.reset();
  FBlank = false;
}

void TLayer::Whiten() const {
  WhitenBlank();
  if (FValidOnly) {
    FillWhite(FCanvas, FValidOnly->Gaps(FCanvas.rect()));
    FValidOnly.reset();
  }
}

QImage& TLayer::CanvasWithin(const TInkTiles& ink) {
  if (FBlank && !FWhitenOnly && !FValidOnly) FValidOnly = ink;  // nothing written yet
  if (FValidOnly && !FValidOnly->Contains(ink)) Whiten();
  else WhitenBlank();
  FPictureKey = 0;
  FInkHint.reset();
  return FCanvas;
}

void TLayer::ResetCanvas(int w, int h) {
  FDrawing = nullptr;  // a canvas again
  FOpaqueHull.clear();
  FPictureKey = 0;
  FCanvas = NewRgb32Image(QSize(qMax(1, w), qMax(1, h)));
  FBlank = true;
  FWhitenOnly.reset();
  FValidOnly.reset();
  CanvasChanged();
}

void TLayer::EnsureCanvas(int w, int h) {
  if (!FCanvas.isNull() && FCanvas.width() >= w && FCanvas.height() >= h) return;
  QImage grown = NewRgb32Image(QSize(qMax(w, FCanvas.width()), qMax(h, FCanvas.height())));
  if (FValidOnly) Whiten();  // what is kept must be whole
  if (!FCanvas.isNull() && !FBlank) {
    grown.fill(Qt::white);
    QPainter p(&grown);
    p.drawImage(0, 0, FCanvas);
  } else {
    FBlank = true;
  }
  FCanvas = grown;
  FWhitenOnly.reset();  // new pixels: all of them to whiten
  FPictureKey = 0;
  CanvasChanged();
}

void TLayer::ClearCanvas() {
  FPictureKey = 0;
  // Cleared twice without drawing in between: the first one's part still stands.
  if (!FBlank) FWhitenOnly = FInkHint;
  FBlank = true;
  CanvasChanged();
}

void TLayer::CanvasChanged() {
  FInkHint.reset();
  FKeyedDirty = true;
  FScaledFor = QSize();
  update();
}

void TLayer::CanvasChanged(const QRect& area, const QRect& ink) {
  TInkTiles tiles = NewInk();
  tiles.Add(ink);
  CanvasChanged(area, std::move(tiles));
}

void TLayer::CanvasChanged(const QRect& area, TInkTiles ink) {
  CanvasChanged(area);
  // Ink said to lie where the canvas was never whitened: it is whitened all over now rather
  // than composed from unwritten pixels.
  if (FValidOnly && !FValidOnly->Contains(ink)) Whiten();
  FInkHint = std::move(ink);
}

void TLayer::CanvasChanged(const QRect& area) {
  FInkHint.reset();
  FKeyedDirty = true;
  FScaledFor = QSize();
  if (FStretch) update();
  else update(area.translated(FCanvasOffset));
}

void TLayer::SetDrawing(std::function<void(QPainter&)> draw, std::vector<QPoint> opaqueHull) {
  if (!draw && !FDrawing) return;
  FDrawing = std::move(draw);
  FOpaqueHull = FDrawing ? std::move(opaqueHull) : std::vector<QPoint>();
  update();
}

void TLayer::SetStretch(bool on) {
  FStretch = on;
  CanvasChanged();
}

void TLayer::SetPicture(const QImage& picture) {
  // A bell redrawn at a new place or size sets the same picture again: its keyed copy stands,
  // and only the copy scaled to the layer's size follows the new size.
  if (FPictureKey != 0 && picture.cacheKey() == FPictureKey) return;
  FCanvas = picture.convertToFormat(QImage::Format_RGB32);
  FBlank = false;
  FValidOnly.reset();
  CanvasChanged();
  FPictureKey = picture.cacheKey();
}

const QImage& TLayer::Keyed() const {
  if (FKeyedDirty) {
    if (FValidOnly && !FBlank) Whiten();  // the search and the keying read every pixel
    // A stretched picture is scaled whole.
    const QRect part = FBlank || FCanvas.isNull()  ? QRect()
                       : FShowInkOnly && !FStretch ? (FInkHint ? FInkHint->Bounds() : InkBounds(FCanvas))
                                                   : FCanvas.rect();
    FKeyed = KeyOutWhiteInto(FCanvas, part, FKeyedStore);
    FKeyedAt = part.topLeft();
    FKeyedDirty = false;
  }
  return FKeyed;
}

const QImage& TLayer::Scaled() const {
  // Scaled pixel for pixel, as the fitted plan's pictures always were: white stays exactly
  // white, so the copy is keyed as any canvas is, by skipping white.
  if (FScaledFor != size()) {
    FScaled = FCanvas.scaled(size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    FScaledFor = size();
  }
  return FScaled;
}

void TLayer::RenderPart(QImage& target, const QRect& area) const {
  if (FBlank || FCanvas.isNull()) return;
  if (FValidOnly && !FInkHint) Whiten();  // read all over
  if (FStretch) {
    CopyInk(target, FBounds.topLeft(), Scaled(), area & FBounds);
    return;
  }
  const QPoint at = FBounds.topLeft() + FCanvasOffset;
  const QRect part = area & FBounds;
  if (!FInkHint) {
    CopyInk(target, at, FCanvas, part);
    return;
  }
  // Where the drawing code knows its ink to be, the rest of the canvas is not looked at.
  for (const QRect& inked : FInkHint->Runs(part.translated(-at))) CopyInk(target, at, FCanvas, inked.translated(at));
}

void TLayer::RenderTo(QPainter& painter, bool magnified) const {
  if (FDrawing) {
    FDrawing(painter);
    return;
  }
  const QImage& keyed = Keyed();
  if (keyed.isNull()) return;
  if (FStretch) {
    // Magnified, a picture is drawn scaled straight onto the panel, clipped there: only what is
    // shown is scaled, and a bell seen closely keeps no copy of tens of megabytes.
    if (magnified) {
      FScaled = QImage();
      FScaledFor = QSize();
      painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
      painter.drawImage(QRect(QPoint(0, 0), size()), keyed);
      return;
    }
    TPixelStore store;
    painter.drawImage(0, 0, KeyOutWhiteInto(Scaled(), Scaled().rect(), store));
  } else {
    painter.drawImage(FCanvasOffset + FKeyedAt, keyed);
  }
}
