// The design checks on the full plan: 42 bells, 24 chord beams and 200 free beams, the fixing
// worked out and every rule run, as the findings panel does after each change.
#include "bench/bench_support.h"
#include "bells/bell_catalogue.h"
#include "checks/design_checks.h"
#include "document/plan_opening.h"
#include "support/sample_plans.h"

namespace {

void BM_DesignChecks(benchmark::State& state) {
  const TOpenedPlan opened = OpenPlanBytes(PlanDocumentBytes(42, 24, 200), FBellDiameters);
  if (!opened.Ok()) {
    state.SkipWithError("the plan did not open");
    return;
  }
  const TPlanModel model = opened.Model();
  std::vector<double> samples;
  std::size_t findings = 0;
  for (auto _ : state) {
    const double s = TimeOf([&] { findings = CheckPlan(model, {}).size(); });
    state.SetIterationTime(s);
    samples.push_back(s);
  }
  state.counters["objects"] = static_cast<double>(model.Size());
  state.counters["findings"] = static_cast<double>(findings);
  ReportSamples(state, samples);
}
BENCHMARK(BM_DesignChecks)->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(2.0);

}  // namespace
