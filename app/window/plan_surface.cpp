// The drawing surface: scale, fixed layers, rulers and the plan laid out again for a new size.
#include "app/tfm_main.h"
#include "controls/plan_panel.h"
#include "plan/rulers.h"
#include "platform/layer.h"

void TfmMain::FormResize() {
  if (!FObjects.empty() && FResizeArmed) RelayoutPlan();
  FResizeArmed = true;
}

void TfmMain::RelayoutPlan() {
  const int c = FCurIndex;
  FRenderer.ComputeScale();
  FRenderer.DrawWalls();
  SelectObject(0);
  for (size_t i = 2; i < FObjects.size(); ++i) FRenderer.ReprojectObject(static_cast<int>(i));
  FCurIndex = 1;
  FRenderer.ProjectPost();
  FRenderer.DrawPost();
  const int w = FRenderer.ClientWidth(), h = FRenderer.ClientHeight();
  FRenderer.FLayers[RulerLayer]->resize(qMax(1, w - 8), qMax(1, h - 8));
  FRenderer.DrawRulers();
  for (TFixedLayer which : {AnnotationLayer, SelectionLayer}) {
    FRenderer.FLayers[which]->setGeometry(4, 4, qMax(1, w - 8), qMax(1, h - 8));
    FRenderer.FLayers[which]->EnsureCanvas(qMax(1, w - 8), qMax(1, h - 8));
  }
  if (c >= 0 && c < static_cast<int>(FObjects.size())) SelectObject(c);
  ViewControl.UpdateViewControls();
}
