// The pedestal page of the inspector.
#include <QLabel>
#include <QStackedWidget>
#include <QLineEdit>

#include "controls/post_page.h"
#include "app/tfm_main.h"
#include "controls/ac_number_edit.h"

void TfmMain::BuildPostPage() {
  pnlPostProp = new TPostPage;
  pnlInspPages->addWidget(pnlPostProp);

  connect(pnlPostProp->edPostObjName, &QLineEdit::returnPressed, this, [this] {
    FCurObject = FObjects[1].get();
    if (pnlPostProp->edPostObjName->text() != FObjects[1]->ObjName) MakeUniqueName(1, pnlPostProp->edPostObjName->text(), false);
  });
  auto onEnter = [this](TacNumberEdit* edit, std::int32_t (TfmMain::*apply)(std::int32_t),
                        std::int32_t (*stored)(const TPlanObject&)) {
    connect(edit, &TacNumberEdit::OnKeyDown, this, [this, edit, apply, stored](int key) {
      if (!IsEnterKey(key)) return;
      if (edit->Value() == stored(*FObjects[1])) return;
      edit->SetValue((this->*apply)(edit->Value()));
    });
  };
  onEnter(pnlPostProp->edPostWidth, &TfmMain::SetPostWidth, [](const TPlanObject& o) { return o.PostWidth; });
  onEnter(pnlPostProp->edPostHeight, &TfmMain::SetPostHeight, [](const TPlanObject& o) { return o.PostHeight; });
  onEnter(pnlPostProp->edPostAngle, &TfmMain::SetPostAngle, [](const TPlanObject& o) { return o.PostAngle; });
  onEnter(pnlPostProp->edPostPositionX, &TfmMain::SetPostPositionX, [](const TPlanObject& o) { return o.PostPosition.x(); });
  onEnter(pnlPostProp->edPostPositionY, &TfmMain::SetPostPositionY, [](const TPlanObject& o) { return o.PostPosition.y(); });
}

