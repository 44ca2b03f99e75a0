#include "controls/tools_panel.h"

#include <QToolButton>
#include <QVBoxLayout>

#include "controls/flat_button.h"
#include "controls/panel_title.h"

TToolsPanel::TToolsPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("pnlTools"));
  setFixedHeight(52);
  pnlToolsTitle = new TPanelTitle(QStringLiteral("pnlToolsTitle"), QStringLiteral("btnToolsClose"), this);
  pnlToolsTitle->setGeometry(0, 0, 4000, 23);
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(0, 0, 0, 0);
  v->addWidget(pnlToolsTitle);
  v->addStretch(1);
  btnNewDoc = FlatButton(this, QStringLiteral("btnNewDoc"), QStringLiteral(":/icons/new"), 4, 26);
  btnOpenDoc = FlatButton(this, QStringLiteral("btnOpenDoc"), QStringLiteral(":/icons/open"), 28, 26);
  btnSaveDoc = FlatButton(this, QStringLiteral("btnSaveDoc"), QStringLiteral(":/icons/save"), 52, 26);
  btnExport = FlatButton(this, QStringLiteral("btnExport"), QStringLiteral(":/icons/save"), 76, 26);
  btnApply = FlatButton(this, QStringLiteral("btnApply"), QStringLiteral(":/icons/apply"), 116, 26);
  btnUndo = FlatButton(this, QStringLiteral("btnUndo"), QStringLiteral(":/icons/undo"), 156, 26);
  btnRedo = FlatButton(this, QStringLiteral("btnRedo"), QStringLiteral(":/icons/redo"), 180, 26);
}
