// Peak resident memory of the editor with the full plan beside the empty editor, each in a
// process of its own so that neither inherits the other's heap.
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QToolButton>
#include <cstdio>

#include "app/tfm_main.h"
#include "controls/tools_panel.h"
#include "bench/bench_support.h"

namespace {

// VmHWM of /proc/self/status in kB, 0 when unknown.
long PeakResidentKb() {
  QFile f(QStringLiteral("/proc/self/status"));
  if (!f.open(QIODevice::ReadOnly)) return 0;
  static const QRegularExpression re(QStringLiteral("VmHWM:\\s*(\\d+)\\s*kB"));
  const QRegularExpressionMatch m = re.match(QString::fromLatin1(f.readAll()));
  return m.hasMatch() ? m.captured(1).toLong() : 0;
}

// Peak kB of a probe process, or -1.
long ProbePeak(const QStringList& arguments) {
  QProcess p;
  p.start(QCoreApplication::applicationFilePath(), QStringList{QStringLiteral("--memory-probe")} + arguments);
  if (!p.waitForFinished(120000) || p.exitCode() != 0) return -1;
  static const QRegularExpression re(QStringLiteral("VmHWM (\\d+)"));
  const QRegularExpressionMatch m = re.match(QString::fromLatin1(p.readAllStandardOutput()));
  return m.hasMatch() ? m.captured(1).toLong() : -1;
}

void BM_PeakMemory(benchmark::State& state) {
  const QString path = WriteBenchFile(QStringLiteral("memory.tarvosk"), FullDocumentBytes());
  std::vector<double> empty, full, magnified;
  int i = 0;
  for (auto _ : state) {
    const int which = i++ % 3;
    long kb = -1;
    const double s = TimeOf([&] {
      kb = which == 0   ? ProbePeak({QStringLiteral("empty")})
           : which == 1 ? ProbePeak({QStringLiteral("full"), path})
                        : ProbePeak({QStringLiteral("magnified"), path});
    });
    if (kb < 0) {
      state.SkipWithError("a memory probe failed");
      break;
    }
    (which == 0 ? empty : which == 1 ? full : magnified).push_back(static_cast<double>(kb) / 1024.0);
    state.SetIterationTime(s);
  }
  if (empty.empty() || full.empty() || magnified.empty()) return;
  state.counters["empty_MB"] = Median(empty);
  state.counters["full_MB"] = Median(full);
  state.counters["delta_MB"] = Median(full) - Median(empty);
  state.counters["magnified_MB"] = Median(magnified);
  state.counters["magnified_delta_MB"] = Median(magnified) - Median(full);
}
BENCHMARK(BM_PeakMemory)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(6);

}  // namespace

int RunMemoryProbe(const QStringList& arguments) {
  auto w = MakeBenchWindow();
  const QString mode = arguments.value(0);
  if (mode == QLatin1String("full") || mode == QLatin1String("magnified")) {
    if (!w->OpenDocument(arguments.value(1))) return 1;
    Settle();
    w->pnlTools->btnApply->click();
  }
  Settle();
  w->repaint();  // the whole window once, as when it is uncovered
  if (mode == QLatin1String("magnified")) {
    // The greatest zoom, moved across the plan: every part of it is drawn at some time.
    const QPoint centre(w->FRenderer.ClientWidth() / 2, w->FRenderer.ClientHeight() / 2);
    for (int i = 0; i < kMaxZoomSteps; ++i) w->ViewControl.ZoomBy(1, centre);
    for (int i = 0; i < 8; ++i) {
      w->ViewControl.PanView(QPoint(i % 2 ? -3000 : 3000, i < 4 ? 3000 : -3000));
      Settle();
      w->repaint();
    }
  }
  std::printf("VmHWM %ld\n", PeakResidentKb());
  return 0;
}
