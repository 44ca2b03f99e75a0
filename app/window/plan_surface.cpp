// The drawing surface: scale, fixed layers, rulers and the relayout of the whole plan.
#include "app/tfm_main.h"
#include "controls/plan_panel.h"
#include "plan/rulers.h"
#include "platform/layer.h"

void TfmMain::FormResize() {
  if (!FObjects.empty() && FResizeArmed) RelayoutPlan(true);
  FResizeArmed = true;
}

void TfmMain::RelayoutPlan(bool resized) {
  const int c = FCurIndex;
  if (resized) {
    FRenderer.ComputeScale();
    FRenderer.DrawWalls();
    SelectObject(0);
    for (size_t i = 2; i < FObjects.size(); ++i) FRenderer.ReprojectObject(static_cast<int>(i));
  }
  FCurIndex = 1;
  FRenderer.ProjectPost();
  if (resized) FRenderer.DrawPost();
  else MoveObjectsWithWalls();  // moves the pedestal too and draws it at its new place
  const int w = FRenderer.ClientWidth(), h = FRenderer.ClientHeight();
  FRenderer.FLayers[RulerLayer]->resize(qMax(1, w - 8), qMax(1, h - 8));
  FRenderer.DrawRulers();
  for (TFixedLayer which : {AnnotationLayer, SelectionLayer}) {
    FRenderer.FLayers[which]->setGeometry(4, 4, qMax(1, w - 8), qMax(1, h - 8));
    FRenderer.FLayers[which]->EnsureCanvas(qMax(1, w - 8), qMax(1, h - 8));
  }
  if (c >= 0 && c < static_cast<int>(FObjects.size())) SelectObject(c);
  UpdateViewControls();
}
