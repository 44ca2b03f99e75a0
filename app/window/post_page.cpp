// The pedestal page of the inspector.
#include <QLabel>
#include <QStackedWidget>
#include <QLineEdit>

#include "controls/post_page.h"
#include "app/tfm_main.h"
#include "controls/ac_number_edit.h"

void TfmMain::BuildPostPage() {
  pnlPostProp = new TPostPage(FDocument);
  pnlInspPages->addWidget(pnlPostProp);
}

