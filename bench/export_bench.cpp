// Picture export of the full plan beside the libraries encoding the same pixels directly. The
// three are taken in turn, step by step, so that load from elsewhere falls on all of them.
#include <QToolButton>

#include "app/tfm_main.h"
#include "controls/tools_panel.h"
#include "bench/bare_encoders.h"
#include "bench/bench_support.h"
#include "document/image_writers.h"

namespace {

void BM_Export(benchmark::State& state, TExportFormat format) {
  const QString path = WriteBenchFile(QStringLiteral("export.tarvosk"), FullDocumentBytes());
  auto w = MakeBenchWindow();
  if (!w->OpenDocument(path)) state.SkipWithError("the document did not open");
  w->pnlTools->btnApply->click();
  Settle();
  const QImage image = w->FRenderer.ComposePlanImage();
  if (image.format() != QImage::Format_RGB32) state.SkipWithError("the plan is not xRGB");
  const QString picture = BenchTempPath(format == TExportFormat::Png ? QStringLiteral("plan.png")
                                                                      : QStringLiteral("plan.jpg"));
  std::vector<double> make, bare, command;
  std::size_t makeBytes = 0, bareBytes = 0;
  int phase = 0;
  for (auto _ : state) {
    double s = 0;
    switch (phase++ % 3) {
      case 0:
        s = TimeOf([&] {
          const QByteArray b = format == TExportFormat::Png ? MakePng(image) : MakeJpeg(image, 75);
          makeBytes = static_cast<std::size_t>(b.size());
        });
        make.push_back(s);
        break;
      case 1:
        s = TimeOf([&] {
          const auto b = format == TExportFormat::Png ? BarePng(image) : BareJpeg(image);
          bareBytes = b.size();
        });
        bare.push_back(s);
        break;
      default:
        s = TimeOf([&] {
          const QString error = w->ExportPlanAs(picture, format);
          if (!error.isEmpty()) state.SkipWithError(qPrintable(error));
        });
        command.push_back(s);
        break;
    }
    state.SetIterationTime(s);
  }
  ReportSamples(state, make, "writer_");
  ReportSamples(state, bare, "bare_");
  ReportSamples(state, command, "command_");
  state.counters["writer_bytes"] = static_cast<double>(makeBytes);
  state.counters["bare_bytes"] = static_cast<double>(bareBytes);
  if (!bare.empty() && Median(bare) > 0) {
    state.counters["ratio"] = Median(make) / Median(bare);
    state.counters["command_ratio"] = Median(command) / Median(bare);
  }
}
BENCHMARK_CAPTURE(BM_Export, png, TExportFormat::Png)
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(90);
BENCHMARK_CAPTURE(BM_Export, jpeg, TExportFormat::Jpeg)
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(90);

}  // namespace
