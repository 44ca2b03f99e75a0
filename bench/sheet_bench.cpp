// The true-scale sheet of the full plan: the PDF with its bill and the SVG, each as the export
// command makes it (fixing, the model, the bill, the layout, the file written whole).
#include <QFile>
#include <QFileInfo>

#include "app/tfm_main.h"
#include "bench/bench_support.h"

namespace {

void BM_Sheet(benchmark::State& state, TSheetFormat format) {
  const QString path = WriteBenchFile(QStringLiteral("sheet.tarvosk"), FullDocumentBytes());
  auto w = MakeBenchWindow();
  if (!w->OpenDocument(path)) state.SkipWithError("the document did not open");
  TSheetSettings settings;
  settings.Paper = QStringLiteral("A3");
  settings.PaperSizeMm = QSizeF(297, 420);
  settings.Landscape = true;
  settings.Scale = 50;
  w->Sheet.FSheetSettings = settings;
  w->Sheet.FSheetSettingsRead = true;
  const QString out = BenchTempPath(format == TSheetFormat::Pdf ? QStringLiteral("plan.pdf")
                                                                : QStringLiteral("plan.svg"));
  std::vector<double> samples;
  for (auto _ : state) {
    const double s = TimeOf([&] {
      const QString error = w->Sheet.ExportSheetAs(out, format);
      if (!error.isEmpty()) state.SkipWithError(qPrintable(error));
    });
    samples.push_back(s);
    state.SetIterationTime(s);
  }
  ReportSamples(state, samples);
  std::vector<double> fix;
  for (int i = 0; i < 5; ++i) fix.push_back(TimeOf([&] { w->FixArrangement(); }));
  state.counters["fix_ms"] = Median(fix) * 1000;
  state.counters["bytes"] = static_cast<double>(QFileInfo(out).size());
  // To be looked at: TARVOSK_SHEET_OUT=folder keeps a copy of the last file there.
  const QString keep = qEnvironmentVariable("TARVOSK_SHEET_OUT");
  if (!keep.isEmpty()) {
    const QString copy = keep + u'/' + QFileInfo(out).fileName();
    QFile::remove(copy);
    QFile::copy(out, copy);
  }
}
BENCHMARK_CAPTURE(BM_Sheet, pdf, TSheetFormat::Pdf)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK_CAPTURE(BM_Sheet, svg, TSheetFormat::Svg)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

}  // namespace
