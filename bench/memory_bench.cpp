// Peak resident memory of the editor with the full plan beside the empty editor, each in a
// process of its own so that neither inherits the other's heap.
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QToolButton>
#include <cstdio>

#include "app/tfm_main.h"
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
  std::vector<double> empty, full;
  int i = 0;
  for (auto _ : state) {
    const bool withPlan = i++ % 2 == 1;
    long kb = -1;
    const double s = TimeOf([&] {
      kb = withPlan ? ProbePeak({QStringLiteral("full"), path}) : ProbePeak({QStringLiteral("empty")});
    });
    if (kb < 0) {
      state.SkipWithError("a memory probe failed");
      break;
    }
    (withPlan ? full : empty).push_back(static_cast<double>(kb) / 1024.0);
    state.SetIterationTime(s);
  }
  if (empty.empty() || full.empty()) return;
  state.counters["empty_MB"] = Median(empty);
  state.counters["full_MB"] = Median(full);
  state.counters["delta_MB"] = Median(full) - Median(empty);
}
BENCHMARK(BM_PeakMemory)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(6);

}  // namespace

int RunMemoryProbe(const QStringList& arguments) {
  auto w = MakeBenchWindow();
  if (arguments.value(0) == QLatin1String("full")) {
    if (!w->OpenDocument(arguments.value(1))) return 1;
    Settle();
    w->btnApply->click();
  }
  Settle();
  w->repaint();  // the whole window once, as when it is uncovered
  std::printf("VmHWM %ld\n", PeakResidentKb());
  return 0;
}
