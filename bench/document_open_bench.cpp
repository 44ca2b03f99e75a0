// Opening a document's bytes as every caller opens them (OpenPlanBytes: read, checked, names
// settled, chord beams laid), and the INI reading alone, for a plan of the usual size and for
// the full plan; then what the document fuzz target does with each input: open, save, open the
// saved bytes and save them again. Nothing here needs a window: the executable links the
// headless library alone.
#include <benchmark/benchmark.h>

#include "bells/bell_catalogue.h"
#include "document/document_file.h"
#include "document/plan_opening.h"
#include "platform/ini_file.h"
#include "support/sample_plans.h"

namespace {

// 0: six bells, three beams on chords and six free beams, as most plans are; 1: the full plan.
QByteArray DocumentOfSize(std::int64_t which) {
  return which == 0 ? PlanDocumentBytes(6, 3, 6) : FullDocumentBytes();
}

void SetCounters(benchmark::State& state, const QByteArray& bytes) {
  state.SetBytesProcessed(state.iterations() * bytes.size());
  state.counters["document_kB"] = static_cast<double>(bytes.size()) / 1024;
  state.counters["documents_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_OpenDocumentBytes(benchmark::State& state) {
  const QByteArray bytes = DocumentOfSize(state.range(0));
  for (auto _ : state) {
    const TOpenedPlan plan = OpenPlanBytes(bytes, FBellDiameters);
    if (!plan.Ok() || !plan.Warnings.isEmpty()) state.SkipWithError("the document did not open cleanly");
    benchmark::DoNotOptimize(plan.Records.data());
  }
  SetCounters(state, bytes);
}
BENCHMARK(BM_OpenDocumentBytes)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_ReadDocumentIni(benchmark::State& state) {
  const QByteArray bytes = DocumentOfSize(state.range(0));
  for (auto _ : state) {
    const TIniFile ini(bytes);
    benchmark::DoNotOptimize(ini.SectionExists(u"Object1"));
  }
  SetCounters(state, bytes);
}
BENCHMARK(BM_ReadDocumentIni)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_OpenSaveReopenSave(benchmark::State& state) {
  const QByteArray bytes = DocumentOfSize(state.range(0));
  for (auto _ : state) {
    const TOpenedPlan plan = OpenPlanBytes(bytes, FBellDiameters);
    const QByteArray saved = DocumentToBytes(plan.Model());
    const TOpenedPlan again = OpenPlanBytes(saved, FBellDiameters);
    if (DocumentToBytes(again.Model()) != saved) state.SkipWithError("the saved plan did not open as saved");
  }
  SetCounters(state, bytes);
}
BENCHMARK(BM_OpenSaveReopenSave)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
