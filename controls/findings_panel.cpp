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
  const auto lead = [this](QListWidgetItem* item) {
    const int row = lstFindings->row(item);
    if (row >= 0 && row < static_cast<int>(FFindings.size()) && OnFindingClicked)
      OnFindingClicked(FFindings[static_cast<std::size_t>(row)]);
  };
  connect(lstFindings, &QListWidget::itemClicked, this, lead);
  // The keyboard (Enter on a row) leads to the place as a click does.
  connect(lstFindings, &QListWidget::itemActivated, this, lead);
  SetFindings({});
}

bool TFindingsPanel::SetFindings(const std::vector<TFinding>& findings) {
  if (FShown && findings == FFindings) return false;
  const bool wasEmpty = !FShown || FFindings.empty();
  FShown = true;
  FFindings = findings;
  const QSignalBlocker block(lstFindings);
  if (FFindings.empty()) {
    lstFindings->clear();
    auto* none = new QListWidgetItem(QStringLiteral("Замечаний нет"), lstFindings);
    none->setFlags(Qt::NoItemFlags);
  } else {
    if (wasEmpty) lstFindings->clear();
    // Rows kept and their texts set where they changed: a drag that moves one bell changes a few
    // of hundreds, and the row the user is on stays where it is.
    const int n = static_cast<int>(FFindings.size());
    while (lstFindings->count() > n) delete lstFindings->takeItem(lstFindings->count() - 1);
    for (int i = 0; i < n; ++i) {
      const TFinding& f = FFindings[static_cast<std::size_t>(i)];
      QListWidgetItem* item = lstFindings->item(i);
      if (!item) item = new QListWidgetItem(lstFindings);
      const QString text = RowText(f);
      if (item->text() != text) item->setText(text);
      const QString rule = CheckRuleId(f.Rule);
      if (item->toolTip() != rule) item->setToolTip(rule);
    }
  }
  setWindowTitle(FFindings.empty() ? QStringLiteral("Замечания")
                                   : QStringLiteral("Замечания (%1)").arg(FFindings.size()));
  return true;
}
