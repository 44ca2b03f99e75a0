// Fixing the arrangement: the bells' groups, then the ringing lines, the stacking and the
// written weights on the renderer's layers.
#include "app/tfm_main.h"

void TfmMain::FixArrangement() {
  if (CountBellsNow() > 4) AssignGroupsNow();
  FRenderer.DrawFixingLines(FBellSlots);
  FRenderer.RestackLayers();
}

void TfmMain::btnApplyClick() {
  FixArrangement();
  FRenderer.DrawWeights();
}
