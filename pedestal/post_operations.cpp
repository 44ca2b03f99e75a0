// The pedestal: its projection, drawing with the ringer figure and pedals, and its edits.
#include "app/tfm_main.h"
#include "controls/ac_number_edit.h"
#include "pedestal/post_geometry.h"
#include "pedestal/post_painting.h"
#include "pedestal/ringer.h"
#include "platform/layer.h"
#include "platform/resource_picture.h"

void TfmMain::SetPostDefaults(TPlanObject& o) {
  const TPlanObject& w = *FObjects[0];
  const pedestal::TPostDefaults d = pedestal::PostDefaults(w.WallDiameterOuter, w.WallWallWidth);
  o.PostWidth = d.PostWidth;
  o.PostHeight = d.PostHeight;
  o.PostAngle = d.PostAngle;
  o.PostBoardDiameter = d.PostBoardDiameter;
  o.PostPosition = d.PostPosition;
}

void TfmMain::ProjectPost() {
  TPlanObject& p = *FObjects[1];
  const pedestal::TPostPixels px = pedestal::ProjectPost(
      p.PostWidth, p.PostHeight, p.PostPosition, p.PostBoardDiameter, FScale, QPoint(FOriginX, FOriginY));
  p.PostWidthPx = px.PostWidthPx;
  p.PostHeightPx = px.PostHeightPx;
  p.PostPositionPx = px.PostPositionPx;
  p.PostBoardDiameterPx = px.PostBoardDiameterPx;
}

void TfmMain::DrawPost() {
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
    FLayers[RingerLayer]->hide();
    layer->CanvasChanged();
    return;
  }
  if (!shown.isEmpty())
    pedestal::PaintPost(layer->Canvas(), p.PostOutline, p.PostBoardCentre, p.PostBoardDiameterPx, FPostCanvasAt);
  FLayers[RingerLayer]->show();
  PlaceRinger();
  const int heavy = CountHeavyBellsNow();
  if (heavy > 0) DrawPedals(heavy);
  layer->CanvasChanged();
}

void TfmMain::PlaceRinger() {
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

void TfmMain::DrawPedals(int heavyBells) {
  TPlanObject& p = *FObjects[1];
  p.PostPedals = pedestal::PedalOutlines(heavyBells, p.PostAngle, p.PostBoardDiameterPx,
                                         p.PostWidthPx, p.PostHeightPx, FScale);
  pedestal::PaintPedals(p.Layer->Canvas(), p.PostPedals, FPostCanvasAt);
}

void TfmMain::FillPostInspector() {
  EnsureObjectPages();
  FCurObject = FObjects[1].get();
  const TPlanObject& p = *FObjects[1];
  const std::int32_t d = FObjects[0]->WallDiameterOuter;
  edPostObjName->setText(p.ObjName);
  edPostWidth->SetValue(p.PostWidth);
  edPostHeight->SetValue(p.PostHeight);
  edPostAngle->SetValue(p.PostAngle);
  edPostPositionX->SetValue(qBound(0, p.PostPosition.x(), qMax(0, d)));
  edPostPositionY->SetValue(qBound(0, p.PostPosition.y(), qMax(0, d)));
  ShowInspectorPage(pnlPostProp);
}

void TfmMain::FinishPostEdit() {
  ProjectPost();
  DrawPost();
  DrawSelectionFrame();
}

std::int32_t TfmMain::SetPostWidth(std::int32_t v) {
  FObjects[1]->PostWidth = pedestal::ClampPostWidth(v);
  FinishPostEdit();
  return FObjects[1]->PostWidth;
}

std::int32_t TfmMain::SetPostHeight(std::int32_t v) {
  FObjects[1]->PostHeight = pedestal::ClampPostHeight(v);
  FinishPostEdit();
  return FObjects[1]->PostHeight;
}

std::int32_t TfmMain::SetPostAngle(std::int32_t v) {
  FObjects[1]->PostAngle = pedestal::ClampPostAngle(v);
  FinishPostEdit();
  return FObjects[1]->PostAngle;
}

std::int32_t TfmMain::SetPostPositionX(std::int32_t v) {
  FObjects[1]->PostPosition.setX(pedestal::ClampPostPosition(v, FObjects[0]->WallDiameterOuter));
  FinishPostEdit();
  return FObjects[1]->PostPosition.x();
}

std::int32_t TfmMain::SetPostPositionY(std::int32_t v) {
  FObjects[1]->PostPosition.setY(pedestal::ClampPostPosition(v, FObjects[0]->WallDiameterOuter));
  FinishPostEdit();
  return FObjects[1]->PostPosition.y();
}
