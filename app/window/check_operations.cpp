// The design checks in the window: the "Проверка" command, the findings panel that follows the
// plan, and a finding's object brought into view.
#include <QAction>
#include <QListWidget>
#include <cmath>

#include "app/tfm_main.h"
#include "app/window/design_check_view.h"
#include "controls/check_settings_dialog.h"
#include "controls/findings_panel.h"
#include "controls/plan_panel.h"

namespace {

// A finding is shown with about this much of the plan around it across the panel's short side.
constexpr double kShownAcrossMm = 2500;

}  // namespace

QString TfmMain::CheckSettingsFile() const {
  if (!FOptions.CheckSettingsFile.isEmpty()) return FOptions.CheckSettingsFile;
  return FOptions.KeepsUserState ? CheckSettingsPath() : QString();
}

TCheckSettings TfmMain::CheckSettings() const {
  if (FChecks) return FChecks->Settings();
  const QString file = CheckSettingsFile();
  return file.isEmpty() ? TCheckSettings{} : ReadCheckSettings(file);
}

TDesignCheckView& TfmMain::Checks() {
  if (!FChecks) {
    TDesignCheckView::THost host;
    host.Plan = [this] { return TPlanModel::Capture(FObjects, &FDocument.Committed()); };
    host.ToPanel = [this](QPointF mm) {
      return FRenderer.MmToPlan(mm.toPoint()) + QPoint(4, 4);
    };
    host.Show = [this](const TFinding& f) { ShowFinding(f); };
    FChecks = new TDesignCheckView(this, pnlImg, std::move(host), CheckSettingsFile());
    connect(FChecks->Panel(), &QDockWidget::visibilityChanged, this, [this](bool) {
      Menu.nFindings->setChecked(!FChecks->Panel()->isHidden());
      // Docked, the panel takes its room from the plan, which is fitted to what is left.
      Panels.RelayoutAfterPanels();
    });
  }
  return *FChecks;
}

void TfmMain::PlanChangedForChecks(bool moving) {
  if (FChecks) FChecks->PlanChanged(moving);
}

void TfmMain::ViewChangedForChecks() {
  if (FChecks) FChecks->ViewChanged();
}

void TfmMain::nCheckClick() {
  Checks().CheckNow();
  Menu.nFindings->setChecked(true);
}

void TfmMain::nCheckSettingsClick() {
  TCheckSettingsDialog dialog(Checks().Settings(), this);
  if (dialog.exec() == QDialog::Accepted) Checks().SetSettings(dialog.Settings());
}

void TfmMain::ShowFinding(const TFinding& finding) {
  if (!finding.Objects.empty()) {
    const int index = finding.Objects.front();
    if (index >= 0 && index < static_cast<int>(FObjects.size())) SelectObject(index);
  }
  if (FObjects.size() < 2) return;
  // Magnified until the stretch around the finding fills the panel, never less than the user
  // had it; centred on the finding.
  const TViewFrame frame = FRenderer.ViewFrame();
  const int shortSide = std::max(1, std::min(frame.Panel.width(), frame.Panel.height()));
  const long double fit = frame.Fit.FScale > 0 ? frame.Fit.FScale : 1.0L;
  const long double wanted = static_cast<long double>(shortSide) / kShownAcrossMm;
  int steps = static_cast<int>(std::ceil(std::log(static_cast<double>(wanted / fit)) / std::log(1.25)));
  steps = std::clamp(std::max(steps, FRenderer.FView.Steps), 1, kMaxZoomSteps);
  TPlanView view;
  view.Steps = steps;
  view.Centred = false;
  view.CentreX = finding.At.x();
  view.CentreY = finding.At.y();
  ViewControl.SetView(view);
  ViewChangedForChecks();
}
