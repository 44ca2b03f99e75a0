// The catalogue and list steps of start-up, in the order the later steps rely on, and the steps
// left until the window has been painted.
#include "app/tfm_main.h"
#include "controls/bell_page.h"
#include "controls/post_page.h"
#include "controls/beem_page.h"
#include "bells/bell_groups.h"
#include "document/file_association.h"
#include "platform/resource_picture.h"

void TfmMain::FormCreateCatalogues() {
  BuildOrientationNamesList();
  LoadGroupTable(FGroupTable, FBellSlots);
  BuildBellPalette();
  FillWallTypes();
  FillMaterialLists();
  WireChordBoxes();
}

void TfmMain::EnsureObjectPages() {
  if (pnlBellProp) return;
  BuildBellPage();
  BuildPostPage();
  BuildBeemPage();
  pnlBellProp->ApplyCaptions();
  pnlPostProp->ApplyCaptions();
  pnlBeemProp->ApplyCaptions();
  FillBellDiameterList();
  FillBeemMaterialList();
  FillOrientationList();
}

QStringList TfmMain::StartUpPictures() {
  QStringList paths{QStringLiteral(":/AppIcon")};
  for (const char* icon : {"new", "open", "save", "undo", "redo", "delete", "front", "back", "prev", "next", "close",
                           "apply", "beem"})
    paths << QStringLiteral(":/icons/") + QLatin1String(icon);
  paths << QStringLiteral(":/bells/series1") << QStringLiteral(":/bells/series2")
        << QStringLiteral(":/Material1") << QStringLiteral(":/UpRinger");
  return paths;
}

void TfmMain::FinishStartUp() {
  if (FStartUpFinished) return;
  FStartUpFinished = true;
  // Ready before anyone selects a bell, the pedestal or a beam.
  EnsureObjectPages();
  // The desktop learns of the document type: files written under the user's data folder, which
  // no one looks at while the window comes up.
  if (FOptions.RegisterFileType) RegisterFileType(ResourcePicture(QStringLiteral(":/AppIcon")));
}
