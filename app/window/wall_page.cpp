// The walls page of the inspector.
#include <QComboBox>
#include <QLabel>
#include <QStackedWidget>
#include <QLineEdit>

#include "controls/wall_page.h"
#include "app/tfm_main.h"
#include "controls/ac_number_edit.h"
#include "walls/wall_rules.h"

void TfmMain::BuildWallPage() {
  pnlWallProp = new TWallPage(FDocument);
  pnlInspPages->addWidget(pnlWallProp);
}

void TfmMain::ShowWallProps() {
  pnlWallProp->Show();
  ShowInspectorPage(pnlWallProp);
}
