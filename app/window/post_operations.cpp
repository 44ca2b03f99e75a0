// The pedestal: its defaults and its page. Its edits are the document's; TPostPage applies them.
#include "app/tfm_main.h"
#include "controls/post_page.h"
#include "model/edit_scope.h"
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

void TfmMain::FillPostInspector() {
  EnsureObjectPages();
  FCurObject = FObjects[1].get();
  pnlPostProp->Show();
  ShowInspectorPage(pnlPostProp);
}
