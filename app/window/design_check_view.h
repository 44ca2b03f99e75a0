#pragma once

#include <QObject>
#include <QPointF>
#include <QTimer>
#include <functional>
#include <vector>

#include "checks/design_checks.h"
#include "plan/plan_model.h"

class QMainWindow;
class TFindingMarkers;
class TFindingsPanel;

// The design checks in the editor: the "Замечания" panel, the markers over the plan and the
// clearances the user keeps. While the panel is shown the findings follow every change of the
// plan, checked once the change is done (a burst of changes, such as the moves of one drag,
// checks once); hidden, nothing is checked and nothing is drawn.
class TDesignCheckView : public QObject {
 public:
  struct THost {
    std::function<TPlanModel()> Plan;            // the plan as it stands
    std::function<QPoint(QPointF mm)> ToPanel;   // a millimetre point's panel pixel
    std::function<void(const TFinding&)> Show;   // select the finding's object, bring it into view
  };
  // The clearances are read from `settingsFile` and kept there; empty, nothing is remembered.
  TDesignCheckView(QMainWindow* window, QWidget* planPanel, THost host, QString settingsFile);
  // Takes the panel with it, quietly: hidden as it goes, it must not tell anyone.
  ~TDesignCheckView() override;

  TFindingsPanel* Panel() const { return FPanel; }
  TFindingMarkers* Markers() const { return FMarkers; }
  bool Shown() const;

  // "Проверка": the panel shown and the plan checked now.
  void CheckNow();
  // The plan changed: checked again once control returns to the event loop. While a drag is
  // under way (`moving`), at most every kMovingCheckMs, so each step stays cheap; its release
  // is a change like any other and checks at once.
  void PlanChanged(bool moving = false);
  static constexpr int kMovingCheckMs = 100;
  // The view moved or was magnified: the markers are placed again.
  void ViewChanged();
  // The clearances, from the user's settings at first and then as the dialog sets them.
  const TCheckSettings& Settings() const { return FSettings; }
  void SetSettings(const TCheckSettings& settings);  // remembered, and the plan checked again
  const std::vector<TFinding>& Findings() const;

 private:
  void Refresh();
  void PlaceMarkers();

  THost FHost;
  TFindingsPanel* FPanel = nullptr;
  TFindingMarkers* FMarkers = nullptr;
  QString FSettingsFile;
  TCheckSettings FSettings;
  QTimer FPending;
  int FChosen = -1;
};
