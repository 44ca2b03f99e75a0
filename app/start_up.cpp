// The catalogue and list steps of start-up, in the order the later steps rely on, and the steps
// left until the window has been painted.
#include "app/tfm_main.h"
#include "bells/bell_groups.h"
#include "document/file_association.h"
#include "platform/resource_picture.h"

void TfmMain::FormCreateCatalogues() {
  BuildOrientationNamesList();
  LoadGroupTable(FGroupTable, FBellSlots);
  BuildBellPalette();
  FillWallTypes();
  FillMaterialLists();
  FillOrientationList();
  WireChordBoxes();
}

void TfmMain::FinishStartUp() {
  if (FStartUpFinished) return;
  FStartUpFinished = true;
  // The desktop learns of the document type: files written under the user's data folder, which
  // no one looks at while the window comes up.
  if (FOptions.RegisterFileType) RegisterFileType(ResourcePicture(QStringLiteral(":/AppIcon")));
}
