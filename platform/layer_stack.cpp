#include "platform/layer_stack.h"

#include <QPainter>
#include <QRegion>
#include <algorithm>

#include "platform/layer.h"
#include "platform/occlusion.h"

TLayerStack::~TLayerStack() {
  const std::vector<TLayer*> held = std::move(FLayers);
  FLayers.clear();
  for (TLayer* layer : held) {
    layer->FStack = nullptr;
    delete layer;
  }
}

void TLayerStack::Add(TLayer* layer) {
  FLayers.push_back(layer);
  if (!layer->isHidden()) Damage(layer->geometry());
}

void TLayerStack::Remove(TLayer* layer) {
  const auto it = std::find(FLayers.begin(), FLayers.end(), layer);
  if (it == FLayers.end()) return;
  FLayers.erase(it);
  if (!layer->isHidden()) Damage(layer->geometry());
}

void TLayerStack::Raise(TLayer* layer) {
  const auto it = std::find(FLayers.begin(), FLayers.end(), layer);
  if (it == FLayers.end() || it + 1 == FLayers.end()) return;
  std::rotate(it, it + 1, FLayers.end());
  if (!layer->isHidden()) Damage(layer->geometry());
}

void TLayerStack::Lower(TLayer* layer) {
  const auto it = std::find(FLayers.begin(), FLayers.end(), layer);
  if (it == FLayers.end() || it == FLayers.begin()) return;
  std::rotate(FLayers.begin(), it, it + 1);
  if (!layer->isHidden()) Damage(layer->geometry());
}

void TLayerStack::StackUnder(TLayer* layer, TLayer* above) {
  if (layer == above) return;
  const auto from = std::find(FLayers.begin(), FLayers.end(), layer);
  if (from == FLayers.end() || std::find(FLayers.begin(), FLayers.end(), above) == FLayers.end()) return;
  FLayers.erase(from);
  FLayers.insert(std::find(FLayers.begin(), FLayers.end(), above), layer);
  if (!layer->isHidden()) Damage(layer->geometry());
}

void TLayerStack::Damage(const QRect& area) const {
  if (OnDamage && !area.isEmpty()) OnDamage(area);
}

void TLayerStack::PaintOne(QImage& target, QPainter& painter, const TLayer& layer, QRect area, bool magnified,
                           const QRect& outside) const {
  if (layer.isHidden() || layer.ShowsNothing()) return;
  area &= layer.geometry();
  if (area.isEmpty()) return;
  if (outside.isEmpty()) {
    PaintOpen(target, painter, layer, QRegion(area), magnified);
    return;
  }
  const QRegion part = QRegion(area).subtracted(QRegion(outside));
  if (part.isEmpty()) return;
  painter.save();
  painter.setClipRegion(part);
  painter.translate(layer.pos());
  layer.RenderTo(painter, magnified);
  painter.restore();
}

namespace {

qint64 RegionArea(const QRegion& region) {
  qint64 area = 0;
  for (const QRect& r : region) area += static_cast<qint64>(r.width()) * r.height();
  return area;
}

}  // namespace

void TLayerStack::PaintOpen(QImage& target, QPainter& painter, const TLayer& layer, const QRegion& open,
                            bool magnified) const {
  if (layer.ComposesByPart(magnified)) {
    // Straight into the pixels: the raster painter keeps nothing back, so what it painted is
    // there already and what is written here is there for it.
    for (const QRect& part : open) layer.RenderPart(target, part);
    return;
  }
  // The open tiles' bounding rectangle, not the tiles: a clip of many rectangles cost more to
  // set than the hidden pixels it spares, and what is painted beneath an opaque shape is
  // painted over by it anyway.
  painter.save();
  // A stretched picture seen magnified is scaled pixel by pixel: clipping it to the open tiles
  // themselves pays when many of its pixels lie under opaque shapes.
  const QRect around = open.boundingRect();
  if (magnified && layer.Stretch() && open.rectCount() > 1 && 2 * RegionArea(open) < static_cast<qint64>(around.width()) * around.height())
    painter.setClipRegion(open);
  else
    painter.setClipRect(around);
  painter.translate(layer.pos());
  layer.RenderTo(painter, magnified);
  painter.restore();
}

void TLayerStack::Paint(QImage& target, const QRect& area, const TPaintOrder& order) const {
  QPainter painter(&target);
  const QRect clipped = order.Clip.isEmpty() ? area : area & order.Clip;
  // From the top down: what each layer still shows once the opaque shapes above it are laid.
  struct TShown {
    const TLayer* Layer;
    QRegion Open;
  };
  std::vector<TShown> shown;
  TOcclusionGrid grid(clipped);
  std::vector<QPoint> hull;
  for (auto it = FLayers.rbegin(); it != FLayers.rend(); ++it) {
    const TLayer* layer = *it;
    if (layer == order.Last || layer->isHidden() || layer->ShowsNothing()) continue;
    const QRect bounds = layer->geometry() & clipped;
    if (bounds.isEmpty()) continue;
    hull.clear();
    for (const QPoint& p : layer->OpaqueHull()) hull.push_back(p + layer->pos());
    bool whole = false;
    QRegion open = grid.Open(bounds, hull, whole);
    if (open.isEmpty()) continue;
    shown.push_back({layer, whole ? QRegion(bounds) : std::move(open)});
    grid.Cover(hull, layer->geometry());  // a drawing is cut to its bounds: no cover beyond them
  }
  for (auto it = shown.rbegin(); it != shown.rend(); ++it) PaintOpen(target, painter, *it->Layer, it->Open, order.Magnified);
  // The last layer (the rulers) has its ink around the clip only, so it is composed there only.
  if (order.Last) PaintOne(target, painter, *order.Last, area, order.Magnified, order.Clip);
}
