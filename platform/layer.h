#pragma once

#include <QImage>
#include <QObject>
#include <QRect>
#include <functional>
#include <optional>
#include <vector>

#include "platform/ink_tiles.h"
#include "platform/white_key.h"

class QPainter;
class TLayerStack;

// One transparent layer of the plan: a canvas shown with white keyed out, placed on the drawing
// panel by its bounds and painted by the panel in the order of its stack. A layer is no widget:
// one widget composes them all, so a change repaints one rectangle once, not every widget that
// overlaps it.
//
// The canvas need not cover the whole plan: `SetCanvasOffset` says which panel point its pixel
// (0, 0) lies on, so a small object keeps a small canvas while drawing in plan coordinates.
class TLayer : public QObject {
  // No signals: QObject for its name and for guarded pointers.
 public:
  // On top of `stack`; a layer of no stack is drawn only by whoever calls RenderTo.
  explicit TLayer(TLayerStack* stack);
  ~TLayer() override;

  // The canvas to draw on or read. A canvas reset or cleared is whitened only when first asked
  // for: most layers of a plan are blank at any time, and whitening millions of pixels nobody
  // looks at was a good part of start-up.
  QImage& Canvas() {
    Whiten();
    FPictureKey = 0;  // whatever is drawn now makes it another picture
    FInkHint.reset();  // until the drawing says where its ink is (CanvasChanged)
    return FCanvas;
  }
  const QImage& Canvas() const {
    Whiten();
    return FCanvas;
  }
  // The canvas to draw on when all the drawing's ink lies within `ink`. A canvas nothing has
  // been drawn on is whitened there only: rulers along the edges, walls or a frame on a new
  // panel-sized canvas need not touch every page of its memory before the window first shows.
  // The rest is whitened when the canvas is asked for whole.
  QImage& CanvasWithin(const TInkTiles& ink);
  // The canvas for a drawing that covers every pixel of it: no whitening first.
  QImage& CanvasToOverwrite() {
    FBlank = false;
    FWhitenOnly.reset();
    FValidOnly.reset();
    FInkHint.reset();
    FPictureKey = 0;
    return FCanvas;
  }
  QSize CanvasSize() const { return FCanvas.size(); }
  bool CanvasBlank() const { return FBlank; }  // reset or cleared, nothing drawn since
  // Makes the canvas exactly w x h (contents discarded) and fills it white.
  void ResetCanvas(int w, int h);
  // Grows the canvas to at least w x h, keeping what is drawn; new pixels are white.
  void EnsureCanvas(int w, int h);
  // Fills the canvas white: only where its ink is, when the drawing said (CanvasChanged with
  // `ink`), as a plan-sized canvas of a few lines and figures is cleared at every change.
  void ClearCanvas();
  // Call after drawing on the canvas so the keyed copy is rebuilt and the widget repainted.
  void CanvasChanged();
  // Only `area` of the canvas was drawn on: only that part of the panel is painted again, so the
  // layers under a small change are not all composed anew.
  void CanvasChanged(const QRect& area);
  // As above, and every non-white pixel of the canvas lies within `ink`: the canvas need not be
  // searched for its inked part (a frame on a plan-sized canvas).
  void CanvasChanged(const QRect& area, const QRect& ink);
  // As above, the ink in tiles (texts and lines spread over a plan-sized canvas): the canvas is
  // composed, and whitened when cleared, over those tiles only.
  void CanvasChanged(const QRect& area, TInkTiles ink);
  // Tiles for marking this canvas's ink.
  TInkTiles NewInk() const { return TInkTiles(FCanvas.rect()); }

  // A layer as large as the plan with little drawn on it keeps and shows only the inked part of
  // its canvas. Finding that part costs a look at every pixel, which a canvas already cut to its
  // drawing (a bell, a beam) is better without.
  void SetShowInkOnly(bool on) {
    FShowInkOnly = on;
    CanvasChanged();
  }

  // A layer drawn by `draw` onto the panel's painter, translated to the layer's origin, instead
  // of from a canvas: a beam seen magnified is a polygon, and a canvas of its bounding box would
  // be mostly white pixels to fill, key and compose. An empty function brings the canvas back.
  //
  // `opaqueHull`, when given, is a convex polygon in layer pixels inside which the drawing
  // leaves no pixel see-through: whatever lies beneath there is not composed at all (a beam
  // over a thicket of beams and bells).
  void SetDrawing(std::function<void(QPainter&)> draw, std::vector<QPoint> opaqueHull = {});
  bool HasDrawing() const { return static_cast<bool>(FDrawing); }
  const std::vector<QPoint>& OpaqueHull() const { return FOpaqueHull; }
  // Nothing to show: no drawing and a blank canvas.
  bool ShowsNothing() const { return !FDrawing && FBlank; }

  // Stretch: the canvas is shown scaled to the layer's bounds (bell pictures).
  void SetStretch(bool on);
  bool Stretch() const { return FStretch; }
  void SetPicture(const QImage& picture);  // a stretched picture; white is see-through

  // Panel coordinates of canvas pixel (0, 0) relative to the layer's own top-left corner.
  void SetCanvasOffset(QPoint offset) { FCanvasOffset = offset; update(); }
  QPoint CanvasOffset() const { return FCanvasOffset; }

  // Renders the layer as it is shown into `painter`, already translated to the layer's origin.
  // A magnified view scales stretched pictures smoothly straight onto the painter, clipped
  // there: a bell seen closely is no blocky picture, only its visible part is scaled, and it
  // keeps no copy of tens of megabytes.
  void RenderTo(QPainter& painter, bool magnified = false) const;
  // A canvas layer (no drawing; a stretched picture only unmagnified) drawn over `area` of the
  // panel only, its ink copied straight onto `target` (panel pixels): no painter state to set
  // per layer, no see-through copy of the canvas to make and keep, and no blending of pixels
  // that are either wholly there or not at all.
  bool ComposesByPart(bool magnified = false) const { return !FDrawing && (!FStretch || !magnified); }
  void RenderPart(QImage& target, const QRect& area) const;

  // Placement and stacking on the panel, named as a child widget's were: bounds in panel
  // pixels, shown or hidden, raised to the top, lowered to the bottom or put under another.
  void setGeometry(const QRect& bounds);
  void setGeometry(int x, int y, int w, int h) { setGeometry(QRect(x, y, w, h)); }
  void resize(int w, int h) { setGeometry(QRect(FBounds.topLeft(), QSize(w, h))); }
  void resize(QSize size) { resize(size.width(), size.height()); }
  QRect geometry() const { return FBounds; }
  QPoint pos() const { return FBounds.topLeft(); }
  QSize size() const { return FBounds.size(); }
  int width() const { return FBounds.width(); }
  int height() const { return FBounds.height(); }
  void show() { setVisible(true); }
  void hide() { setVisible(false); }
  void setVisible(bool visible);
  bool isHidden() const { return FHidden; }
  bool isVisible() const { return !FHidden; }
  void raise();
  void lower();
  void stackUnder(TLayer* above);
  // Asks the panel to paint the layer again: all of it, or `area` in layer pixels.
  void update() { update(QRect(QPoint(0, 0), FBounds.size())); }
  void update(const QRect& area);

 private:
  friend class TLayerStack;

  const QImage& Keyed() const;
  void WhitenBlank() const;  // a blank canvas whitened where it may hold anything
  const QImage& Scaled() const;  // the canvas scaled to the bounds, for an unmagnified picture
  void Whiten() const;

  mutable QImage FCanvas;
  mutable bool FBlank = false;  // the canvas is all white in meaning, its pixels not yet set
  mutable std::optional<TInkTiles> FWhitenOnly;  // while blank: the only pixels that may not be white
  // Only these tiles' pixels have been written (CanvasWithin); the rest are yet to be whitened.
  mutable std::optional<TInkTiles> FValidOnly;
  // The inked part of the canvas with white keyed out, at canvas pixel FKeyedAt; its pixels
  // live in FKeyedStore, reused from one drawing to the next.
  mutable QImage FKeyed;
  mutable QPoint FKeyedAt;
  mutable TPixelStore FKeyedStore;
  mutable bool FKeyedDirty = true;
  mutable QImage FScaled;
  mutable QSize FScaledFor;
  bool FStretch = false;
  bool FShowInkOnly = false;
  qint64 FPictureKey = 0;  // the picture last set, while the canvas still shows just that
  QPoint FCanvasOffset;
  std::optional<TInkTiles> FInkHint;  // where the ink is, when the drawing code knows it
  std::function<void(QPainter&)> FDrawing;
  std::vector<QPoint> FOpaqueHull;
  TLayerStack* FStack = nullptr;
  QRect FBounds;
  bool FHidden = false;
};

