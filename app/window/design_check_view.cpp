#include "app/window/design_check_view.h"

#include <QAction>
#include <QListWidget>
#include <QMainWindow>

#include "controls/finding_markers.h"
#include "controls/findings_panel.h"

namespace {

constexpr int kPanelHeight = 130;  // a handful of rows; the plan keeps most of the window

}  // namespace

TDesignCheckView::TDesignCheckView(QMainWindow* window, QWidget* planPanel, THost host,
                                   QString settingsFile)
    : QObject(window),
      FHost(std::move(host)),
      FSettingsFile(std::move(settingsFile)),
      FSettings(FSettingsFile.isEmpty() ? TCheckSettings{} : ReadCheckSettings(FSettingsFile)) {
  FPanel = new TFindingsPanel(window);
  window->addDockWidget(Qt::BottomDockWidgetArea, FPanel);
  window->resizeDocks({FPanel}, {kPanelHeight}, Qt::Vertical);
  FPanel->hide();
  FMarkers = new TFindingMarkers(planPanel);
  FMarkers->hide();
  FPending.setSingleShot(true);
  connect(&FPending, &QTimer::timeout, this, [this] { Refresh(); });
  connect(FPanel, &QDockWidget::visibilityChanged, this, [this](bool) {
    // A panel closed by its own button leaves no markers behind; shown again, it is up to date.
    if (Shown()) {
      Refresh();
    } else if (FPanel->isHidden()) {
      FMarkers->hide();
    }
  });
  FPanel->OnFindingClicked = [this](const TFinding& f) {
    FChosen = FPanel->lstFindings->currentRow();
    if (FHost.Show) FHost.Show(f);
    PlaceMarkers();
  };
}

TDesignCheckView::~TDesignCheckView() {
  FPanel->disconnect();
  delete FPanel;
}

bool TDesignCheckView::Shown() const { return !FPanel->isHidden(); }

const std::vector<TFinding>& TDesignCheckView::Findings() const { return FPanel->Findings(); }

void TDesignCheckView::CheckNow() {
  FPanel->show();
  FPanel->raise();
  Refresh();
}

void TDesignCheckView::PlanChanged(bool moving) {
  if (!Shown()) return;
  if (!moving) {
    FPending.start(0);
  } else if (!FPending.isActive()) {
    FPending.start(kMovingCheckMs);
  }
}

void TDesignCheckView::ViewChanged() {
  if (Shown()) PlaceMarkers();
}

void TDesignCheckView::SetSettings(const TCheckSettings& settings) {
  FSettings = settings;
  // Clearances that cannot be kept still hold for this session.
  if (!FSettingsFile.isEmpty()) WriteCheckSettings(FSettingsFile, settings);
  if (Shown()) Refresh();
}

void TDesignCheckView::Refresh() {
  FPending.stop();
  if (!Shown()) return;
  if (FPanel->SetFindings(CheckPlan(FHost.Plan(), FSettings))) FChosen = -1;
  if (FMarkers->isHidden()) {
    FMarkers->show();
    FMarkers->raise();
  }
  PlaceMarkers();
}

void TDesignCheckView::PlaceMarkers() {
  std::vector<QPoint> places;
  for (const TFinding& f : FPanel->Findings()) places.push_back(FHost.ToPanel(f.At));
  FMarkers->SetMarkers(std::move(places), FChosen);
}
