// The object list and combo box, selection, the selection frame and the list commands.
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QToolButton>
#include <QAction>
#include <memory>

#include "app/tfm_main.h"
#include "controls/object_list_panel.h"
#include "model/edit_scope.h"
#include "controls/plan_panel.h"
#include "platform/canvas.h"
#include "platform/layer.h"

void TfmMain::ShowInspectorPage(QWidget* page) {
  if (page && pnlInspPages->indexOf(page) >= 0) pnlInspPages->setCurrentWidget(page);
}

void TfmMain::SelectObject(int index) {
  if (index < 0 || index >= static_cast<int>(FObjects.size())) return;
  FCurIndex = index;
  FCurObject = FObjects[static_cast<size_t>(index)].get();
  {
    const QSignalBlocker b1(pnlObjView->clbObjects), b2(cbObjects);
    pnlObjView->clbObjects->setCurrentRow(index);
    cbObjects->setCurrentIndex(index);
  }
  switch (FCurObject->ObjType) {
    case okWalls: ShowWallProps(); break;
    case okBell: FillBellInspector(); break;
    case okPost: FillPostInspector(); break;
    case okBeam: FillBeemInspector(); break;
  }
  DrawSelectionFrame();
}

namespace {

// The pixels a frame of the 4-pixel pen touches.
QRect FrameArea(const TLtrb& r) { return QRect(QPoint(r.l, r.t), QPoint(r.r, r.b)).adjusted(-4, -4, 4, 4); }

// The tiles of a frame's four sides: the walls' frame of a magnified plan is larger than the
// panel, and its inside is no ink to look through.
TInkTiles FrameInk(const TLayer& layer, const TLtrb& r) {
  TInkTiles ink = layer.NewInk();
  ink.Add(QRect(QPoint(r.l - 4, r.t - 4), QPoint(r.r + 4, r.t + 4)));
  ink.Add(QRect(QPoint(r.l - 4, r.b - 4), QPoint(r.r + 4, r.b + 4)));
  ink.Add(QRect(QPoint(r.l - 4, r.t - 4), QPoint(r.l + 4, r.b + 4)));
  ink.Add(QRect(QPoint(r.r - 4, r.t - 4), QPoint(r.r + 4, r.b + 4)));
  return ink;
}

}  // namespace

void TfmMain::EraseSelectionFrame() {
  TLayer* layer = FRenderer.FLayers[SelectionLayer];
  if (layer->CanvasBlank()) return;  // no frame to erase
  Canvas c(layer->Canvas());
  c.SetPen(Qt::white, 4);
  // The frame is the only ink inside its rectangle unless a beam's outline is shown there: then
  // all of it is whitened, otherwise only the frame (a walls' frame holds the whole plan).
  if (FBeamOutlineShown) c.SetBrush(Qt::white);
  else c.SetBrushClear();
  c.Rectangle(FSelRect.l, FSelRect.t, FSelRect.r, FSelRect.b);
  // With no beam outline beside it the frame was all the ink there was.
  if (FBeamOutlineShown) layer->CanvasChanged(FrameArea(FSelRect));
  else layer->CanvasChanged(FrameArea(FSelRect), QRect());
}

void TfmMain::DrawSelectionFrame() {
  FRenderer.HideFixingLayers();
  TLayer* layer = FRenderer.FLayers[SelectionLayer];
  EraseSelectionFrame();
  if (FBeamOutlineShown) {
    FBeamOutlineShown = false;
    layer->ClearCanvas();
  }
  const int w = qMax(1, FRenderer.ClientWidth() - 8), h = qMax(1, FRenderer.ClientHeight() - 8);
  layer->setGeometry(4, 4, w, h);
  layer->EnsureCanvas(w, h);
  const TPlanObject& o = *FObjects[static_cast<size_t>(FCurIndex)];
  if (!o.ObjVisible) return;  // the old frame is erased, no new one is drawn
  // The canvas is asked for where the new frame's ink will lie: on a new plan-sized canvas only
  // those tiles are whitened. Inside the frame it is white already (erased or cleared above):
  // no fill.
  const auto pen = [](QImage& canvas) {
    Canvas c(canvas);
    c.SetPen(QColor(0xC0, 0xC0, 0xC0), 4);
    c.SetBrushClear();
    return c;
  };
  switch (o.ObjType) {
    case okBell: {
      const int r = o.BellDiameterPx / 2;
      const QPoint p = o.BellPositionPx;
      FSelRect = {p.x() - r - 6, p.y() - r - 6, p.x() + r, p.y() + r};
      break;
    }
    case okWalls: {
      const TPointsArr& P = o.WallOuterPointsPx;
      if (o.WallType == 1 && P.size() >= 6) {
        FSelRect = {P[5].x() - 2, P[0].y() - 2, P[2].x() + 4, P[3].y() + 4};
      } else {
        FSelRect = {FRenderer.FOriginX - 2, FRenderer.FOriginY - 2, FRenderer.FOriginX + o.WallDiameterOuterPx + 4,
                    FRenderer.FOriginY + o.WallDiameterOuterPx + 4};
      }
      break;
    }
    case okPost: {
      const QRect g = o.Layer->geometry();
      FSelRect = {g.left() - 6, g.top() - 6, g.left() + g.width() - 1, g.top() + g.height() - 1};
      break;
    }
    case okBeam: {
      FBeamOutlineShown = true;
      // The 4-pixel pen's mitred corners reach at most twice its width past the outline.
      QRect around;
      for (const QPoint& p : o.BeemOutlinePx) around |= QRect(p, QSize(1, 1));
      if (o.BeemOutlinePx.size() != 4) around = QRect();
      const QRect ink = around.adjusted(-9, -9, 9, 9);
      TInkTiles tiles = layer->NewInk();
      tiles.Add(ink);
      if (o.BeemOutlinePx.size() == 4) pen(layer->CanvasWithin(tiles)).Polygon(o.BeemOutlinePx);
      layer->CanvasChanged(ink, std::move(tiles));
      return;
    }
  }
  TInkTiles ink = FrameInk(*layer, FSelRect);
  pen(layer->CanvasWithin(ink)).Rectangle(FSelRect.l, FSelRect.t, FSelRect.r, FSelRect.b);
  layer->CanvasChanged(FrameArea(FSelRect), std::move(ink));
}

void TfmMain::RedrawObject(int index) {
  const TPlanObject& o = *FObjects[static_cast<size_t>(index)];
  switch (o.ObjType) {
    case okWalls: FRenderer.DrawWalls(); break;
    case okPost: FRenderer.DrawPost(); break;
    case okBell: FRenderer.DrawBell(index); break;
    case okBeam: FRenderer.DrawBeem(index); break;
  }
}

void TfmMain::DeleteObject(int index, bool bulk) {
  if (index <= 1 && !bulk) return;
  if (index < 0 || index >= static_cast<int>(FObjects.size())) return;
  if (!bulk) FDocument.NameStep(TStepVerb::Remove, index);
  FRemovingAll = bulk;
  FDocument.RemoveObject(index);  // the views follow in TakeObjectViews and ShowRemovedObject
  FRemovingAll = false;
}

void TfmMain::btnObjDelClick() {
  const TEditScope edit(FDocument);
  DeleteObject(pnlObjView->clbObjects->currentRow(), false);
  SelectObject(FCurIndex == 1 ? 1 : 0);
}

void TfmMain::btnPrevObjClick() {
  const int row = pnlObjView->clbObjects->currentRow();
  const int last = pnlObjView->clbObjects->count() - 1;
  {
    const QSignalBlocker b(pnlObjView->clbObjects);
    pnlObjView->clbObjects->setCurrentRow(row <= 0 ? last : row - 1);
  }
  SelectObject(pnlObjView->clbObjects->currentRow());
}

void TfmMain::btnNextObjClick() {
  const int row = pnlObjView->clbObjects->currentRow();
  const int last = pnlObjView->clbObjects->count() - 1;
  {
    const QSignalBlocker b(pnlObjView->clbObjects);
    pnlObjView->clbObjects->setCurrentRow(row >= 0 && row < last ? row + 1 : 0);
  }
  SelectObject(pnlObjView->clbObjects->currentRow());
}

void TfmMain::nBringToFrontClick() { RestackCurrent(true); }

void TfmMain::nSendToBackClick() { RestackCurrent(false); }

void TfmMain::clbObjectsClick() { SelectObject(pnlObjView->clbObjects->currentRow()); }

void TfmMain::cbObjectsChange(int index) { SelectObject(index); }

void TfmMain::clbObjectsClickCheck(QListWidgetItem* item) {
  const int row = pnlObjView->clbObjects->row(item);
  if (row < 0) return;
  {
    const QSignalBlocker b(pnlObjView->clbObjects);
    pnlObjView->clbObjects->setCurrentRow(row);
  }
  SelectObject(row);
  const bool checked = item->checkState() == Qt::Checked;
  if (!FDocument.SetObjectVisible(row, checked)) return;  // drawn in ShowObjectChanges
  if (checked) return;
  EraseSelectionFrame();
  // A beam is framed by its outline, which FSelRect does not cover; a hidden beam must not
  // leave it behind.
  if (FBeamOutlineShown) {
    FBeamOutlineShown = false;
    FRenderer.FLayers[SelectionLayer]->ClearCanvas();
  }
}

void TfmMain::clbObjectsMouseDown(QPoint pos) {
  QListWidgetItem* item = pnlObjView->clbObjects->itemAt(pos);
  if (!item) return;  // below the last entry: nothing changes
  {
    const QSignalBlocker b(pnlObjView->clbObjects);
    pnlObjView->clbObjects->setCurrentItem(item);
  }
  SelectObject(pnlObjView->clbObjects->row(item));
}

void TfmMain::WireObjectList() {
  connect(pnlObjView->btnObjDel, &QToolButton::clicked, this, &TfmMain::btnObjDelClick);
  connect(pnlObjView->btnBringToFront, &QToolButton::clicked, this, &TfmMain::nBringToFrontClick);
  connect(pnlObjView->btnSendToBack, &QToolButton::clicked, this, &TfmMain::nSendToBackClick);
  connect(pnlObjView->btnPrevObj, &QToolButton::clicked, this, &TfmMain::btnPrevObjClick);
  connect(pnlObjView->btnNextObj, &QToolButton::clicked, this, &TfmMain::btnNextObjClick);
  connect(Menu.nObjDel, &QAction::triggered, this, &TfmMain::btnObjDelClick);
  connect(Menu.nBringToFront, &QAction::triggered, this, &TfmMain::nBringToFrontClick);
  connect(Menu.nSendToBack, &QAction::triggered, this, &TfmMain::nSendToBackClick);
  connect(Menu.nPrevObj, &QAction::triggered, this, &TfmMain::btnPrevObjClick);
  connect(Menu.nNextObj, &QAction::triggered, this, &TfmMain::btnNextObjClick);
  // The shortcuts act while the list has the focus, as the popup menu's actions.
  for (QAction* a : {Menu.nObjDel, Menu.nBringToFront, Menu.nSendToBack, Menu.nPrevObj, Menu.nNextObj}) {
    a->setShortcutContext(Qt::WidgetShortcut);
    pnlObjView->clbObjects->addAction(a);
  }
  // A click on an entry's check box toggles the mark and nothing more: it must not also select
  // the object afresh, or an object shown again would get its frame before it is selected.
  // The list swallows a press on a check box without reporting it, so a click whose press was
  // reported is an ordinary click.
  auto pressed = std::make_shared<QListWidgetItem*>(nullptr);
  connect(pnlObjView->clbObjects, &QListWidget::itemPressed, this, [pressed](QListWidgetItem* item) { *pressed = item; });
  connect(pnlObjView->clbObjects, &QListWidget::itemClicked, this, [this, pressed](QListWidgetItem* item) {
    const bool ordinary = *pressed == item;
    *pressed = nullptr;
    if (ordinary) clbObjectsClick();
  });
  connect(pnlObjView->clbObjects, &QListWidget::itemChanged, this, &TfmMain::clbObjectsClickCheck);
  connect(pnlObjView->clbObjects, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0 && row != FCurIndex) SelectObject(row);  // keyboard navigation in the list
  });
  connect(cbObjects, &QComboBox::activated, this, &TfmMain::cbObjectsChange);
  connect(pnlObjView->clbObjects, &QListWidget::customContextMenuRequested, this,
          [this](QPoint pos) { Menu.pmObjMenu->popup(pnlObjView->clbObjects->viewport()->mapToGlobal(pos)); });
}

bool TfmMain::eventFilter(QObject* watched, QEvent* event) {
  if (pnlObjView->clbObjects && watched == pnlObjView->clbObjects->viewport() && event->type() == QEvent::MouseButtonPress) {
    auto* me = static_cast<QMouseEvent*>(event);
    if (me->button() == Qt::RightButton) clbObjectsMouseDown(me->position().toPoint());
  }
  return QMainWindow::eventFilter(watched, event);
}
