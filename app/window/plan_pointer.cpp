// Pointer interaction on the plan: placing bells and beams, dragging bells and the pedestal.
#include <QComboBox>
#include <QListWidget>
#include <QPixmap>

#include "app/tfm_main.h"
#include "controls/object_list_panel.h"
#include "controls/bell_page.h"
#include "controls/post_page.h"
#include "controls/ac_number_edit.h"
#include "controls/plan_panel.h"
#include "platform/layer.h"
#include "platform/resource_picture.h"

QCursor TfmMain::PlanCursor(TPointerMode mode) const {
  // The hot spots are the bell cursor's centre and the pencil's tip: they locate the placed point.
  if (mode == pmPlaceBell) return QCursor(QPixmap::fromImage(ResourcePicture(QStringLiteral(":/CurBell"))), 15, 15);
  if (mode == pmPlaceBeam) return QCursor(QPixmap::fromImage(ResourcePicture(QStringLiteral(":/CurBeem"))), 11, 20);
  return QCursor(Qt::ArrowCursor);
}

int TfmMain::HitTest(int x, int y) const {
  for (int i = static_cast<int>(FObjects.size()) - 1; i >= 1; --i) {
    const TPlanObject& o = *FObjects[static_cast<size_t>(i)];
    if (!o.ObjVisible) continue;
    if (o.ObjType == okBell) {
      const int r = o.BellDiameterPx / 2;
      const QPoint p = o.BellPositionPx;
      if (p.x() - r < x && x < p.x() + r && p.y() - r < y && y < p.y() + r) return i;
    } else if (o.ObjType == okPost) {
      const QRect g = o.Layer->geometry();
      if (g.left() - 6 < x && x < g.left() + g.width() - 1 && g.top() - 6 < y &&
          y < g.top() + g.height() - 1)
        return i;
    }
  }
  return 0;
}

void TfmMain::PlanMouseDown(Qt::MouseButton, QPoint at) {
  // The press opens the edit its release closes: whatever the drag does between is one step.
  if (FPressEdit) FDocument.EndEdit();
  FDocument.BeginEdit();
  FPressEdit = true;
  if (FPointerMode == pmPlaceBell) {
    // Arming reserves nothing: since the palette click the inspector may have given another
    // bell this diameter, or a document may have brought it. One catalogue bell stands on the
    // plan once, so the press then takes the bell that is there, as the palette would.
    const int existing = FDocument.FindBell(FPendingBellDiameter);
    if (existing >= 0) FCurIndex = existing;
    else CreateObject(QStringLiteral("Колокол"), okBell, at, FPendingBellDiameter, true);
  } else if (FPointerMode == pmPlaceBeam) {
    CreateObject(QStringLiteral("Балка"), okBeam, at, 0, true);
    FPointerMode = pmDragBeamEnd;
  } else if (FPointerMode == pmIdle) {
    const int i = HitTest(at.x(), at.y());
    FCurIndex = i;
    FCurObject = FObjects[static_cast<size_t>(i)].get();
    if (FCurObject->Layer) FCurObject->Layer->raise();
    EnsureObjectPages();  // the drag writes the position into the object's page
    FPointerMode = pmDragObject;
    EraseSelectionFrame();
  }
}

void TfmMain::PlanMouseMove(QPoint at) {
  if (FCurIndex < 0 || FCurIndex >= static_cast<int>(FObjects.size())) return;
  TPlanObject& o = *FObjects[static_cast<size_t>(FCurIndex)];
  const std::int32_t d = FObjects[0]->WallDiameterOuter;
  if (FPointerMode == pmDragObject || FPointerMode == pmDragBeamEnd) FDocument.NameStep(TStepVerb::Move, FCurIndex);
  if (FPointerMode == pmDragObject) {
    if (o.ObjType == okBell) {
      o.BellPositionPx = at;
      FRenderer.ProjectBell(FCurIndex, true);
      FRenderer.DrawBell(FCurIndex);
      pnlBellProp->edBPositionX->SetValue(qMin(o.BellPosition.x(), d));
      pnlBellProp->edBPositionY->SetValue(qMin(o.BellPosition.y(), d));
    } else if (o.ObjType == okPost) {
      o.PostPositionPx = at;
      o.PostPosition = FRenderer.PlanToMm(at);
      FRenderer.ProjectPost();
      FRenderer.DrawPost();
      pnlPostProp->edPostPositionX->SetValue(qMin(o.PostPosition.x(), d));
      pnlPostProp->edPostPositionY->SetValue(qMin(o.PostPosition.y(), d));
    }
  } else if (FPointerMode == pmDragBeamEnd && o.ObjType == okBeam) {
    o.BeemEndPointPx = at;
    o.BeemEndPoint = FRenderer.PlanToMm(at);
    FRenderer.DrawBeem(FCurIndex);
  }
  if (FPointerMode == pmDragObject || FPointerMode == pmDragBeamEnd) PlanChangedForChecks(true);
}

void TfmMain::PlanMouseUp(Qt::MouseButton, QPoint) {
  FPointerMode = pmIdle;
  pnlImg->unsetCursor();
  FRenderer.FLayers[RingerLayer]->raise();
  FRenderer.FLayers[SelectionLayer]->raise();
  SelectObject(FCurIndex);
  if (pnlObjView->clbObjects->isVisibleTo(this) && pnlObjView->clbObjects->isEnabled()) pnlObjView->clbObjects->setFocus(Qt::OtherFocusReason);
  if (FPressEdit) {
    FPressEdit = false;
    FDocument.EndEdit();
  }
}

void TfmMain::WirePlanPointer() {
  // The middle button drags the view, unless a bell or beam from the palette waits to be
  // placed: any button places it.
  pnlImg->OnMouseDown = [this](Qt::MouseButton b, QPoint p) {
    if (b == Qt::MiddleButton && FPointerMode == pmIdle) {
      ViewControl.FPanning = true;
      ViewControl.FPanFrom = p;
      pnlImg->setCursor(Qt::ClosedHandCursor);
      return;
    }
    PlanMouseDown(b, p);
  };
  pnlImg->OnMouseMove = [this](QPoint p) {
    ViewControl.ShowPointerPosition(p);
    if (ViewControl.FPanning) {
      ViewControl.PanView(ViewControl.FPanFrom - p);
      ViewControl.FPanFrom = p;
      return;
    }
    if (FPointerMode == pmDragObject || FPointerMode == pmDragBeamEnd) PlanMouseMove(p);
  };
  pnlImg->OnMouseUp = [this](Qt::MouseButton b, QPoint p) {
    if (b == Qt::MiddleButton && ViewControl.FPanning) {
      pnlImg->unsetCursor();
      ViewControl.FPanning = false;
      return;
    }
    PlanMouseUp(b, p);
  };
}
