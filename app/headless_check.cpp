#include "app/headless_check.h"

#include "app/console.h"
#include "app/headless_opening.h"
#include "checks/design_checks.h"

int RunHeadlessCheck(const TCheckJob& job, QString* error) {
  const std::optional<TOpenedPlan> plan = OpenHeadlessDocument(job.Document, job.Strict, error);
  if (!plan) return 1;
  const std::vector<TFinding> findings =
      CheckPlan(plan->Model(), ReadCheckSettings(CheckSettingsPath()));
  if (job.Json) {
    PrintOut(QString::fromUtf8(FindingsToJson(findings)) + QLatin1Char('\n'));
  } else {
    QString lines;
    for (const TFinding& f : findings) lines += FindingLine(f) + QLatin1Char('\n');
    PrintOut(lines);
  }
  return findings.empty() ? 0 : kFindingsExitCode;
}
