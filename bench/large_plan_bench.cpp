// Plans of 1,000, 3,000 and 10,000 objects (the reader's cap) opened, drawn and exported with no
// window, as `tarvosk --export` does: the whole cost must grow in proportion to the objects.
#include "bells/bell_catalogue.h"
#include "bench/bench_support.h"
#include "document/image_writers.h"
#include "document/plan_opening.h"
#include "render/plan_picture.h"

namespace {

// The export's own default panel.
constexpr QSize kExportPanel(1280, 800);

void BM_LargePlanExport(benchmark::State& state) {
  const int objects = static_cast<int>(state.range(0));
  // Every bell, every chord and the rest free beams scattered over the walls.
  const QByteArray bytes = PlanDocumentBytes(kBellCount, 24, objects - 2 - kBellCount - 24);
  const QString picture = BenchTempPath(QStringLiteral("large.png"));
  std::vector<double> open, draw, write, total;
  for (auto _ : state) {
    TOpenedPlan plan;
    QImage image;
    QString error;
    const double o = TimeOf([&] { plan = OpenPlanBytes(bytes, FBellDiameters); });
    if (!plan.Ok() || static_cast<int>(plan.Records.size()) != objects) state.SkipWithError("the plan did not open whole");
    const double d = TimeOf([&] {
      TPlanPicture drawn(plan.Records, kExportPanel);
      image = drawn.Fixed();
    });
    const double w = TimeOf([&] { error = WriteImage(image, picture, TExportFormat::Png); });
    if (!error.isEmpty()) state.SkipWithError(qPrintable(error));
    open.push_back(o);
    draw.push_back(d);
    write.push_back(w);
    total.push_back(o + d + w);
    state.SetIterationTime(o + d + w);
  }
  ReportSamples(state, total);
  ReportSamples(state, open, "open_");
  ReportSamples(state, draw, "draw_");
  ReportSamples(state, write, "write_");
  state.counters["objects"] = objects;
  state.counters["per_object_us"] = Median(total) * 1e6 / objects;
}
BENCHMARK(BM_LargePlanExport)->Arg(1000)->Arg(3000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);

}  // namespace
