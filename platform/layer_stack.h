#pragma once

#include <QRect>
#include <QRegion>
#include <functional>
#include <vector>

class QImage;
class QPainter;
class TLayer;

// The layers of the drawing panel, bottom to top, and their composition. The stack owns the
// layers it still holds when it goes; a layer deleted earlier leaves it by itself.
class TLayerStack {
 public:
  TLayerStack() = default;
  TLayerStack(const TLayerStack&) = delete;
  TLayerStack& operator=(const TLayerStack&) = delete;
  ~TLayerStack();

  // Panel pixels that must be painted again; the panel asks for a repaint of them.
  std::function<void(const QRect&)> OnDamage;

  const std::vector<TLayer*>& Order() const { return FLayers; }  // bottom to top

  // How the layers are painted. `Last`, when set, is painted above all others however it is
  // stacked and only outside `Clip`, and every other layer only within `Clip` (when not
  // empty): the rulers of a magnified plan stay readable over the objects that reach under them.
  struct TPaintOrder {
    const TLayer* Last = nullptr;
    QRect Clip;
    bool Magnified = false;  // stretched pictures scaled smoothly
  };
  // Paints the visible layers over `area` (panel pixels) onto `target` (a 32-bit xRGB image
  // of panel pixels), in stacking order with white keyed out. What a layer's opaque hull covers
  // of the layers beneath is not composed for them.
  void Paint(QImage& target, const QRect& area, const TPaintOrder& order) const;
  void Paint(QImage& target, const QRect& area) const { Paint(target, area, TPaintOrder{}); }

 private:
  friend class TLayer;
  void Add(TLayer* layer);
  void Remove(TLayer* layer);
  void Raise(TLayer* layer);
  void Lower(TLayer* layer);
  void StackUnder(TLayer* layer, TLayer* above);
  void Damage(const QRect& area) const;
  // `outside`, when not empty, is left unpainted.
  void PaintOne(QImage& target, QPainter& painter, const TLayer& layer, QRect area, bool magnified,
                const QRect& outside) const;
  // Paints `layer` over `open` (panel pixels, within its bounds) only.
  void PaintOpen(QImage& target, QPainter& painter, const TLayer& layer, const QRegion& open, bool magnified) const;

  std::vector<TLayer*> FLayers;
};
