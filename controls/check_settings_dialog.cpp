#include "controls/check_settings_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QSpinBox* ClearanceBox(const QString& name, int value, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(name);
  box->setRange(0, kCheckClearanceMax);
  box->setSingleStep(10);
  box->setSuffix(QStringLiteral(" мм"));
  box->setValue(value);
  return box;
}

}  // namespace

TCheckSettingsDialog::TCheckSettingsDialog(const TCheckSettings& settings, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("dlgCheckSettings"));
  setWindowTitle(QStringLiteral("Параметры проверки"));
  auto* form = new QFormLayout;
  edBellClearance = ClearanceBox(QStringLiteral("edBellClearance"), settings.BellClearance, this);
  edWallClearance = ClearanceBox(QStringLiteral("edWallClearance"), settings.WallClearance, this);
  form->addRow(QStringLiteral("Зазор между колоколами:"), edBellClearance);
  form->addRow(QStringLiteral("Зазор до стен:"), edWallClearance);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("ОК"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* v = new QVBoxLayout(this);
  v->addLayout(form);
  v->addWidget(buttons);
}

TCheckSettings TCheckSettingsDialog::Settings() const {
  return {edBellClearance->value(), edWallClearance->value()};
}
