#include "controls/findings_panel.h"

#include <QListWidget>

namespace {

QString RowText(const TFinding& f) { return f.Message; }

}  // namespace

TFindingsPanel::TFindingsPanel(QWidget* parent) : QDockWidget(QStringLiteral("Замечания"), parent) {
  setObjectName(QStringLiteral("dckFindings"));
  setAllowedAreas(Qt::BottomDockWidgetArea | Qt::RightDockWidgetArea | Qt::LeftDockWidgetArea);
  lstFindings = new QListWidget(this);
  lstFindings->setObjectName(QStringLiteral("lstFindings"));
  lstFindings->setUniformItemSizes(true);
  lstFindings->setWordWrap(false);
  setWidget(lstFindings);
  connect(lstFindings, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const int row = lstFindings->row(item);
    if (row >= 0 && row < static_cast<int>(FFindings.size()) && OnFindingClicked)
      OnFindingClicked(FFindings[static_cast<std::size_t>(row)]);
  });
  // The keyboard leads to the place as a click does.
  connect(lstFindings, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    const int row = lstFindings->row(item);
    if (row >= 0 && row < static_cast<int>(FFindings.size()) && OnFindingClicked)
      OnFindingClicked(FFindings[static_cast<std::size_t>(row)]);
  });
  SetFindings({});
}

void TFindingsPanel::SetFindings(const std::vector<TFinding>& findings) {
  if (FShown && findings == FFindings) return;
  FShown = true;
  FFindings = findings;
  const int row = lstFindings->currentRow();
  lstFindings->clear();
  if (FFindings.empty()) {
    auto* none = new QListWidgetItem(QStringLiteral("Замечаний нет"), lstFindings);
    none->setFlags(Qt::NoItemFlags);
  }
  for (const TFinding& f : FFindings) {
    auto* item = new QListWidgetItem(RowText(f), lstFindings);
    item->setToolTip(CheckRuleId(f.Rule));
  }
  if (row >= 0 && row < static_cast<int>(FFindings.size())) {
    const QSignalBlocker block(lstFindings);
    lstFindings->setCurrentRow(row);
  }
  setWindowTitle(FFindings.empty() ? QStringLiteral("Замечания")
                                   : QStringLiteral("Замечания (%1)").arg(FFindings.size()));
}
