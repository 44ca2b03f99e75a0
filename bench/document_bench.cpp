// Opening a document whose thousands of beams share one name: naming them one by one against
// every beam before them took over half a minute; the figure shows whether that comes back.
#include <QFile>

#include "app/tfm_main.h"
#include "bench/bench_support.h"

namespace {

void BM_OpenTwoThousandBeamsOfOneName(benchmark::State& state) {
  // "Балка" in code page 1251
  const QByteArray name = state.range(0) ? QByteArray("\xC1\xE0\xEB\xEA\xE0") : QByteArray();
  const QString path = WriteBenchFile(QStringLiteral("beams.tarvosk"), SameNameBeemsDocument(2000, name));
  auto w = MakeBenchWindow();
  std::vector<double> samples;
  for (auto _ : state) {
    samples.push_back(TimeOf([&] {
      if (!w->OpenDocument(path)) state.SkipWithError("the document did not open");
    }));
  }
  ReportSamples(state, samples);
}
BENCHMARK(BM_OpenTwoThousandBeamsOfOneName)->Arg(1)->Arg(0)->Iterations(3)->Unit(benchmark::kMillisecond);

// A file far larger than any plan is refused by its size alone, without being read.
void BM_RefuseHundredMegabyteFile(benchmark::State& state) {
  const QString path = BenchTempPath(QStringLiteral("large.tarvosk"));
  {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || !f.resize(100 * 1024 * 1024))
      state.SkipWithError("could not make the sparse file");
  }
  auto w = MakeBenchWindow();
  QString refusal;  // the refusal is the point here, not a failure of the bench
  w->FErrorReport = [&refusal](const QString& m) { refusal = m; };
  std::vector<double> samples;
  for (auto _ : state) {
    samples.push_back(TimeOf([&] {
      if (w->OpenDocument(path)) state.SkipWithError("a 100 MB file opened");
    }));
  }
  ReportSamples(state, samples);
}
BENCHMARK(BM_RefuseHundredMegabyteFile)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
