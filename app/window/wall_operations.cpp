// The walls: their defaults and the lists of their page. Their edits are the document's
// (model/wall_edits.cpp); TWallPage applies them.
#include <QComboBox>
#include <QPainter>

#include "app/tfm_main.h"
#include "controls/wall_page.h"
#include "controls/beem_page.h"
#include "model/edit_scope.h"
#include "platform/pattern.h"
#include "controls/ac_number_edit.h"
#include "platform/layer.h"
#include "walls/wall_geometry.h"
#include "walls/wall_rules.h"

void TfmMain::SetWallDefaults(TPlanObject& o) {
  o.WallType = 0;
  o.WallMaterial = 0;
  o.WallDiameterInner = 4000;
  o.WallWallWidth = 800;
  o.WallDiameterOuter = o.WallDiameterInner + 2 * o.WallWallWidth;
  o.WallArcWidth = 1500;
}

void TfmMain::FillWallTypes() {
  const QSignalBlocker b(pnlWallProp->cbWallType);
  pnlWallProp->cbWallType->clear();
  for (int i = 0; i < 3; ++i) pnlWallProp->cbWallType->addItem(WallTypeName(i));
  pnlWallProp->cbWallType->setCurrentIndex(0);
}

void TfmMain::FillMaterialLists() {
  const QSignalBlocker b1(pnlWallProp->cbWallMaterials);
  pnlWallProp->cbWallMaterials->clear();
  for (int i = 0; i < kWallMaterialCount; ++i) pnlWallProp->cbWallMaterials->addItem(MaterialName(i).value_or(QString()));
  pnlWallProp->cbWallMaterials->setCurrentIndex(0);
}

void TfmMain::FillBeemMaterialList() {
  const QSignalBlocker b(pnlBeemProp->cbBeemMaterials);
  pnlBeemProp->cbBeemMaterials->clear();
  for (int i = kBeemMaterialFirst; i < kMaterialCount; ++i)
    pnlBeemProp->cbBeemMaterials->addItem(MaterialName(i).value_or(QString()));
  pnlBeemProp->cbBeemMaterials->setCurrentIndex(0);
}
