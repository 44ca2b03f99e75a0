#include "render/plan_renderer.h"

#include <QPainter>
#include <QStringList>

#include "beams/beem_geometry.h"
#include "beams/beem_paint.h"
#include "bells/annotation_paint.h"
#include "bells/bell_pictures.h"
#include "pedestal/post_geometry.h"
#include "pedestal/post_painting.h"
#include "pedestal/ringer.h"
#include "plan/rulers.h"
#include "platform/layer.h"
#include "platform/layer_stack.h"
#include "platform/pattern.h"
#include "platform/resource_picture.h"
#include "platform/unsplit_painting.h"
#include "walls/wall_geometry.h"
#include "walls/wall_rules.h"

TPlanRenderer::TPlanRenderer(TRecords& objects, std::function<QSize()> panelSize)
    : FObjects(objects), FPanelSize(std::move(panelSize)) {}

int TPlanRenderer::ClientWidth() const { return FPanelSize().width(); }
int TPlanRenderer::ClientHeight() const { return FPanelSize().height(); }

TViewFrame TPlanRenderer::ViewFrame() const {
  return MakeViewFrame(QSize(ClientWidth(), ClientHeight()), FObjects.empty() ? 0 : FObjects[0]->WallDiameterOuter);
}

TPlanScale TPlanRenderer::Scale() const {
  TPlanScale s;
  s.FScale = FScale;
  s.FOriginX = FOriginX;
  s.FOriginY = FOriginY;
  s.DiameterOuterPx = FObjects.empty() ? 0 : FObjects[0]->WallDiameterOuterPx;
  return s;
}

void TPlanRenderer::ComputeScale() {
  TPlanObject& w = *FObjects[0];
  // The view keeps its zoom and centre over a new panel size or walls size.
  const TViewFrame frame = ViewFrame();
  FView = ClampView(FView, frame);
  const TPlanScale s = ViewScale(FView, frame);
  FPatternAnchor = PatternAnchor(s, frame);
  FScale = s.FScale;
  FOriginX = s.FOriginX;
  FOriginY = s.FOriginY;
  w.WallWallWidthPx = s.LengthPx(w.WallWallWidth);
  w.WallDiameterInnerPx = s.LengthPx(w.WallDiameterInner);
  w.WallDiameterOuterPx = s.DiameterOuterPx;
  w.WallArcWidthPx = s.LengthPx(w.WallArcWidth);
}

void TPlanRenderer::CreateFixedLayers() {
  // Stacking bottom to top: annotations, rulers, weights; object layers go above them and the
  // ringer and selection layers are raised above every new object.
  const int order[] = {AnnotationLayer, RulerLayer, WeightLayer, RingerLayer, SelectionLayer};
  const int w = qMax(1, ClientWidth() - 8), h = qMax(1, ClientHeight() - 8);
  for (int index : order) {
    auto* layer = new TLayer(FStack);
    layer->setObjectName(QStringList{QStringLiteral("SelectionLayer"), QStringLiteral("RingerLayer"),
                                     QStringLiteral("AnnotationLayer"), QStringLiteral("RulerLayer"),
                                     QStringLiteral("WeightLayer")}[index]);
    layer->setGeometry(4, 4, w, h);
    layer->ResetCanvas(w, h);
    layer->SetShowInkOnly(true);  // plan-sized, with little drawn on it
    layer->show();
    FLayers[static_cast<size_t>(index)] = layer;
  }
  for (int index : order) FLayers[static_cast<size_t>(index)]->raise();
}

TLayer* TPlanRenderer::NewObjectLayer(TObjectKind kind) {
  auto* layer = new TLayer(FStack);
  if (kind == okWalls) layer->SetShowInkOnly(true);  // the walls' canvas is as large as the plan
  if (kind == okBell) layer->SetStretch(true);
  // Object layers start plan-sized; each kind re-bounds its layer when it draws.
  const int w = qMax(1, ClientWidth() - 8), h = qMax(1, ClientHeight() - 8);
  layer->setGeometry(4, 4, w, h);
  layer->show();
  layer->raise();  // a new layer lies above every layer already on the panel
  return layer;
}

void TPlanRenderer::ClearLayer(int index) {
  TLayer* layer = FObjects[static_cast<size_t>(index)]->Layer;
  if (layer) layer->ClearCanvas();
}

void TPlanRenderer::HideFixingLayers() {
  FLayers[AnnotationLayer]->hide();
  FLayers[WeightLayer]->hide();
}

TWallGeometry TPlanRenderer::WallGeometry() const {
  const TPlanObject& w = *FObjects[0];
  TPlanMapping m;
  m.Scale = FScale;
  m.OriginX = FOriginX;
  m.OriginY = FOriginY;
  return BuildWallGeometry(WallSizesOf(w), m, w.WallArcWidthPx, w.WallDiameterOuterPx);
}

void TPlanRenderer::DrawWalls() {
  HideFixingLayers();
  TPlanObject& w = *FObjects[0];
  const TWallGeometry g = WallGeometry();
  w.WallOuterPoints = g.Outlines.OuterMm;
  w.WallOuterPointsPx = g.Outlines.OuterPx;
  w.WallInnerPoints = g.Outlines.InnerMm;
  w.WallInnerPointsPx = g.Outlines.InnerPx;
  w.WallArcQuadsPx = g.ArcQuadsPx;
  const int cw = qMax(1, ClientWidth() - 8), ch = qMax(1, ClientHeight() - 8);
  TLayer* layer = w.Layer;
  const int material = qBound(0, w.WallMaterial, kMaterialCount - 1);
  if (!IsFitted(FView)) {
    // Magnified, the walls are painted straight onto the panel when composed: a panel-sized
    // canvas to whiten, fill and look through for ink at every step of a zoom cost more than
    // painting the part of the masonry that shows.
    layer->ResetCanvas(1, 1);
    layer->setGeometry(4, 4, cw, ch);
    if (!w.ObjVisible) return;
    const QImage& pattern = FMaterials.Keyed(static_cast<size_t>(material));
    layer->SetDrawing([g, masonry = MasonryPath(g), fill = pattern.isNull() ? QBrush() : QBrush(pattern),
                       origin = FPatternAnchor](QPainter& p) { PaintMasonry(p, masonry, g, fill, origin); });
    return;
  }
  // Whitened where the walls were, not all over: their courtyard is white already.
  if (layer->HasDrawing() || layer->CanvasSize() != QSize(cw, ch)) layer->ResetCanvas(cw, ch);
  else layer->ClearCanvas();
  // The pattern starts where the fitted plan's pixel (0, 0) lies, so it moves with the walls.
  TInkTiles ink = w.ObjVisible ? WallsInk(g, QRect(0, 0, cw, ch)) : layer->NewInk();
  if (w.ObjVisible)
    PaintWalls(layer->CanvasWithin(ink), g, ShiftedPattern(FMaterials[static_cast<size_t>(material)], -FPatternAnchor));
  layer->CanvasChanged(QRect(0, 0, cw, ch), std::move(ink));
  layer->setGeometry(4, 4, cw, ch);
}

void TPlanRenderer::ProjectBell(int index, bool fromPixels) {
  TPlanObject& b = *FObjects[static_cast<size_t>(index)];
  b.BellDiameterPx = MmToPx(b.BellDiameter, FScale);
  if (fromPixels) b.BellPosition = PlanToMm(b.BellPositionPx);
  else b.BellPositionPx = MmToPlan(b.BellPosition);
}

void TPlanRenderer::DrawBell(int index) {
  HideFixingLayers();
  TPlanObject& b = *FObjects[static_cast<size_t>(index)];
  TLayer* layer = b.Layer;
  const int d = qMax(0, b.BellDiameterPx);
  if (b.ObjVisible) {
    if (FBellPicture.isNull()) FBellPicture = ResourcePicture(QString::fromLatin1(kBellPictureResource));
    layer->SetPicture(FBellPicture);
    layer->setGeometry(b.BellPositionPx.x() - b.BellDiameterPx / 2,
                       b.BellPositionPx.y() - b.BellDiameterPx / 2, d, d);
  } else {
    layer->ResetCanvas(1, 1);  // blank: all white, so see-through
    layer->resize(d, d);
  }
}

void TPlanRenderer::ProjectBeem(int index, bool fromPixels) {
  ::ProjectBeem(*FObjects[static_cast<size_t>(index)], fromPixels, FScale, QPoint(FOriginX, FOriginY));
}

void TPlanRenderer::DrawBeem(int index) {
  HideFixingLayers();
  TPlanObject& b = *FObjects[static_cast<size_t>(index)];
  TLayer* layer = b.Layer;
  std::optional<std::vector<QPoint>> outline;
  if (b.ObjVisible) outline = BeemOutlinePx(b.BeemBeginPointPx, b.BeemEndPointPx, b.BeemWidthPx);
  if (!outline) {
    // Blank: hidden, or both ends on one pixel. The band's canvas covers only the band itself,
    // so dozens of beams stay cheap to keep and to compose.
    layer->ResetCanvas(1, 1);
    layer->setGeometry(4, 4, 1, 1);
    return;
  }
  b.BeemOutlinePx = *outline;
  QRect box;
  for (const QPoint& p : b.BeemOutlinePx) box |= QRect(p, QSize(1, 1));
  box.adjust(-1, -1, 1, 1);
  // The box before it is cut to the plan: a band wholly inside it is painted onto the panel
  // with the very pixels a canvas of its own would show.
  const QRect whole = box;
  // Only the part over the plan can be seen. A beam from a hand-edited document may reach far
  // beyond it or be metres wide, and a canvas of its whole extent would take gigabytes or fail
  // to allocate at all, losing the visible part with it.
  box &= QRect(-1, -1, qMax(1, ClientWidth() - 8) + 2, qMax(1, ClientHeight() - 8) + 2);
  if (box.isEmpty()) {
    layer->ResetCanvas(1, 1);
    layer->setGeometry(4, 4, 1, 1);
    return;
  }
  std::vector<QPoint> local;
  for (const QPoint& p : b.BeemOutlinePx) local.push_back(p - box.topLeft());
  // Any picture of the table draws; a document may name a walls material for a beam.
  const size_t material = static_cast<size_t>(
      b.BeemMaterial >= 0 && b.BeemMaterial < static_cast<int>(FMaterials.size()) ? b.BeemMaterial : kBeemMaterialDefault);
  // Every beam continues the one pattern, tiled from where the fitted plan's corner lies.
  const QPoint patternOrigin = FPatternAnchor - box.topLeft();
  if (box == whole || !IsFitted(FView)) {
    // A band is mostly a thin slant across its bounding box: painted straight onto the panel it
    // keeps no canvas to fill white, draw, key and compose. Cut by the plan's edge in the fitted
    // view, it keeps a canvas cut there, as the plan is specified; magnified, it is cut anyway.
    layer->ResetCanvas(1, 1);
    const QImage& pattern = FMaterials.Keyed(material);
    std::vector<QPoint> hull;
    if (!pattern.isNull() && !pattern.hasAlphaChannel()) hull = local;
    layer->SetDrawing([local = std::move(local), pattern, patternOrigin, cosmetic = IsFitted(FView)](QPainter& p) {
      PaintBeem(p, local, pattern, patternOrigin, cosmetic);
    }, std::move(hull));
  } else {
    layer->ResetCanvas(box.width(), box.height());
    PaintBeem(layer->Canvas(), local, FMaterials[material], patternOrigin);
    layer->CanvasChanged();
  }
  layer->setGeometry(QRect(box.topLeft() + QPoint(4, 4), box.size()));
}

void TPlanRenderer::ProjectPost() {
  TPlanObject& p = *FObjects[1];
  const pedestal::TPostPixels px = pedestal::ProjectPost(
      p.PostWidth, p.PostHeight, p.PostPosition, p.PostBoardDiameter, FScale, QPoint(FOriginX, FOriginY));
  p.PostWidthPx = px.PostWidthPx;
  p.PostHeightPx = px.PostHeightPx;
  p.PostPositionPx = px.PostPositionPx;
  p.PostBoardDiameterPx = px.PostBoardDiameterPx;
}

void TPlanRenderer::DrawPost() {
  if (FObjects.size() < 2) return;
  HideFixingLayers();
  TPlanObject& p = *FObjects[1];
  const pedestal::TPostOutline outline =
      pedestal::BuildPostOutline(p.PostWidth, p.PostHeight, p.PostAngle, FScale, QPoint(FOriginX, FOriginY));
  p.PostOutlineBase = outline.PostOutlineBase;
  p.PostOutline = outline.PostOutline;
  p.PostWidthPx = outline.PostWidthPx;
  p.PostHeightPx = outline.PostHeightPx;
  p.PostBoardCentre = outline.PostBoardCentre;

  TLayer* layer = p.Layer;
  const QRect bounds = pedestal::PostLayerBounds(p.PostPositionPx, outline.PostWidthPx, outline.PostHeightPx);
  // The canvas holds only what the panel can show of the pedestal: magnified, a pedestal may be
  // many times the panel's size.
  const QRect shown = bounds & QRect(0, 0, ClientWidth(), ClientHeight());
  FPostCanvasAt = shown.isEmpty() ? QPoint() : shown.topLeft() - bounds.topLeft();
  layer->ResetCanvas(shown.isEmpty() ? 1 : shown.width(), shown.isEmpty() ? 1 : shown.height());
  layer->SetCanvasOffset(FPostCanvasAt);
  layer->setGeometry(bounds);
  if (!p.ObjVisible) {
    // The ringer still stands there, unseen: the ringing lines go to the hand of this pedestal,
    // not to wherever the last pedestal shown had it.
    const pedestal::TRingerPlacement r = pedestal::PlaceRinger(p.PostAngle, p.PostPositionPx, FScale);
    FHandPoint = r.FHandPoint;
    FHandOffset = r.FHandOffset;
    FLayers[RingerLayer]->hide();
    layer->CanvasChanged();
    return;
  }
  if (!shown.isEmpty())
    pedestal::PaintPost(layer->Canvas(), p.PostOutline, p.PostBoardCentre, p.PostBoardDiameterPx, FPostCanvasAt);
  FLayers[RingerLayer]->show();
  PlaceRinger();
  const int heavy = CountHeavyBellObjects(FObjects);
  if (heavy > 0) DrawPedals(heavy);
  layer->CanvasChanged();
}

void TPlanRenderer::PlaceRinger() {
  const TPlanObject& p = *FObjects[1];
  const pedestal::TRingerPlacement r = pedestal::PlaceRinger(p.PostAngle, p.PostPositionPx, FScale);
  FHandPoint = r.FHandPoint;
  FHandOffset = r.FHandOffset;
  TLayer* ringer = FLayers[RingerLayer];
  ringer->setGeometry(r.Bounds);
  ringer->SetStretch(true);
  const QString resource = pedestal::RingerResource(r.Facing);
  if (resource != FRingerPicture) {
    FRingerPicture = resource;
    ringer->SetPicture(ResourcePicture(resource));
  }
}

void TPlanRenderer::DrawPedals(int heavyBells) {
  TPlanObject& p = *FObjects[1];
  p.PostPedals = pedestal::PedalOutlines(heavyBells, p.PostAngle, p.PostBoardDiameterPx,
                                         p.PostWidthPx, p.PostHeightPx, FScale);
  pedestal::PaintPedals(p.Layer->Canvas(), p.PostPedals, FPostCanvasAt);
}

void TPlanRenderer::ReprojectObject(int index) {
  const TPlanObject& o = *FObjects[static_cast<size_t>(index)];
  if (o.ObjType == okBell) {
    ProjectBell(index, false);
    DrawBell(index);
  } else if (o.ObjType == okBeam) {
    ProjectBeem(index, false);
    DrawBeem(index);
  }
}

void TPlanRenderer::DrawRulers() {
  const int w = ClientWidth(), h = ClientHeight();
  TLayer* layer = FLayers[RulerLayer];
  layer->setGeometry(0, 0, w, h);
  // The fitted view has the rulers as they always were, on a canvas of their own. A view's
  // rulers are only laid out here and painted when composed: they change at every step of a
  // zoom or pan, and a panel-sized canvas to whiten, draw, and look through for its ink each
  // time cost more than the rest of the plan.
  if (!IsFitted(FView)) {
    layer->ResetCanvas(1, 1);
    layer->SetDrawing([rulers = LayOutViewRulers(w, h, Scale())](QPainter& p) { PaintViewRulers(p, rulers); });
    return;
  }
  // Whitened along the edges only, where the last rulers were: the middle is white already.
  if (layer->HasDrawing() || layer->CanvasSize() != QSize(w, h)) layer->ResetCanvas(w, h);
  else layer->ClearCanvas();
  TInkTiles ink = RulerInk(w, h);
  PaintRulersOnWhite(layer->CanvasWithin(ink), w, h, Scale());
  layer->CanvasChanged(QRect(0, 0, w, h), std::move(ink));
}

void TPlanRenderer::DrawPlan() {
  ComputeScale();
  DrawWalls();
  ProjectPost();
  DrawPost();
  for (size_t i = 2; i < FObjects.size(); ++i) ReprojectObject(static_cast<int>(i));
  DrawRulers();
}

void TPlanRenderer::PrepareFixingLayer(TLayer* layer) {
  const int w = qMax(1, ClientWidth() - 8), h = qMax(1, ClientHeight() - 8);
  layer->setGeometry(4, 4, w, h);
  if (layer->CanvasSize() != QSize(w, h)) layer->ResetCanvas(w, h);
  else layer->ClearCanvas();
  layer->show();
}

void TPlanRenderer::DrawFixingLines(const TBellSlots& slots) {
  TLayer* layer = FLayers[AnnotationLayer];
  const int w = qMax(1, ClientWidth() - 8), h = qMax(1, ClientHeight() - 8);
  QRect area;
  if (layer->CanvasSize() == QSize(w, h) && !layer->CanvasBlank()) {
    // Nothing has cleared the canvas since the last lines were drawn, and they are all its ink:
    // they are taken off by drawing them again in white. At a high zoom they cross most of the
    // panel, and whitening every tile they cross cost more than drawing them.
    layer->setGeometry(4, 4, w, h);
    QImage& canvas = layer->Canvas();
    for (const TSegment& line : FFixingLines) area |= DrawSegment(canvas, line, 0xFFFFFFFFu);
    layer->show();
  } else {
    PrepareFixingLayer(layer);
  }
  FFixingLines.clear();
  TInkTiles ink = layer->NewInk();
  if (CountBellObjects(FObjects) > 4) {
    const std::vector<TBellMark> marks = BellMarksBySlot(FObjects, slots);
    FFixingLines = HandLines(marks, FHandPoint, FHandOffset, FObjects[1]->PostAngle);
    const std::vector<TSegment> post = PostLines(marks, FObjects[1]->PostPositionPx);
    FFixingLines.insert(FFixingLines.end(), post.begin(), post.end());
    area |= DrawSegments(layer->Canvas(), FFixingLines, &ink);
  }
  layer->CanvasChanged(area, std::move(ink));
}

void TPlanRenderer::RestackLayers() {
  FObjects[1]->Layer->raise();
  FLayers[AnnotationLayer]->raise();
  FLayers[RingerLayer]->raise();
  for (const TObjectKind kind : {okBell, okBeam}) {
    for (size_t i = 2; i < FObjects.size(); ++i) {
      const TPlanObject& o = *FObjects[i];
      if (o.ObjType == kind && o.ObjVisible) o.Layer->raise();
    }
  }
  FObjects[0]->Layer->raise();
  FLayers[WeightLayer]->raise();
  FLayers[SelectionLayer]->raise();
}

void TPlanRenderer::DrawWeights() {
  TLayer* layer = FLayers[WeightLayer];
  PrepareFixingLayer(layer);
  QImage& canvas = layer->Canvas();
  TInkTiles ink = layer->NewInk();
  QRect area;
  for (const TDimension& d : WallDimensions(*FObjects[0])) area |= DrawDimension(canvas, d, &ink);
  for (const TWeightText& text : WeightTexts(FObjects)) {
    const QRect drawn = DrawWeightText(canvas, text);
    ink.Add(drawn);
    area |= drawn;
  }
  layer->CanvasChanged(area, std::move(ink));
}

QImage TPlanRenderer::ComposePlanImage() const {
  // A canvas that could not be had (out of memory) counts as blank to the layer; for the
  // picture it is a part missing, and an incomplete picture is no picture.
  for (const TLayer* layer : FStack->Order())
    if (!layer->isHidden() && !layer->HasDrawing() && !layer->Stretch() && layer->CanvasSize().isEmpty()) return QImage();
  QImage image(QSize(ClientWidth(), ClientHeight()), QImage::Format_RGB32);
  if (image.isNull()) return image;
  image.fill(Qt::white);
  // Composed as the panel composes the fitted plan, the picture is the plan the user sees.
  PaintUnsplit([&] { FStack->Paint(image, image.rect()); });
  return image;
}
