#pragma once

#include <QDockWidget>
#include <functional>
#include <vector>

#include "checks/design_checks.h"

class QListWidget;

// The dockable "Замечания" panel: the design checks' findings of the plan, one a row, in the
// order the checks give them. A click on a row hands its finding to OnFindingClicked; the window
// selects the object and brings it into view.
class TFindingsPanel : public QDockWidget {
 public:
  explicit TFindingsPanel(QWidget* parent);

  // Rows rebuilt only when the findings differ, so a drag that changes nothing keeps the list
  // (and the row the user is on) as it is; true when they differed.
  bool SetFindings(const std::vector<TFinding>& findings);
  const std::vector<TFinding>& Findings() const { return FFindings; }

  std::function<void(const TFinding&)> OnFindingClicked;

  QListWidget* lstFindings = nullptr;

 private:
  std::vector<TFinding> FFindings;
  bool FShown = false;  // rows built at least once
};
