// The catalogue and list steps of start-up, in the order the later steps rely on.
#include "app/tfm_main.h"
#include "bells/bell_groups.h"

void TfmMain::FormCreateCatalogues() {
  BuildOrientationNamesList();
  LoadGroupTable(FGroupTable, FBellSlots);
  BuildBellPalette();
  FillWallTypes();
  FillMaterialLists();
  FillOrientationList();
  WireChordBoxes();
}
