// Start-up to the first painted main window: the editor with "-ns" and a bare QMainWindow
// program, each a whole process from exec to its first paint, taken in turn.
#include <QProcess>
#include <QProcessEnvironment>

#include "bench/bench_support.h"

namespace {

// Seconds from starting `program` to its exit right after the first paint, or a negative value
// when it did not get there.
double TimeFirstPaint(const QString& program, const QStringList& arguments) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(TARVOSK_FIRST_PAINT_HOOK));
  env.insert(QStringLiteral("TARVOSK_FIRST_PAINT_EXIT"), QStringLiteral("1"));
  // The editor registers its document type at every start; keep that in the bench folder. The
  // first start writes the files, later ones find them in place, as on a user's machine.
  env.insert(QStringLiteral("XDG_DATA_HOME"), BenchTempPath(QStringLiteral("xdg-data")));
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), BenchTempPath(QStringLiteral("xdg-config")));
  QProcess p;
  p.setProcessEnvironment(env);
  p.setProcessChannelMode(QProcess::SeparateChannels);
  const double s = TimeOf([&] {
    p.start(program, arguments);
    p.waitForFinished(60000);
  });
  const bool painted = p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 &&
                       p.readAllStandardOutput().contains("first-paint");
  return painted ? s : -1;
}

void BM_StartUp(benchmark::State& state) {
  // One start of each before timing: the libraries and fonts are then in the page cache for
  // both, as they are for a user who has started any Qt program today.
  TimeFirstPaint(QStringLiteral(TARVOSK_BARE_WINDOW), {});
  TimeFirstPaint(QStringLiteral(TARVOSK_PROGRAM), {QStringLiteral("-ns")});
  std::vector<double> editor, bare;
  int i = 0;
  for (auto _ : state) {
    const bool mine = i++ % 2 == 1;
    const double s = mine ? TimeFirstPaint(QStringLiteral(TARVOSK_PROGRAM), {QStringLiteral("-ns")})
                          : TimeFirstPaint(QStringLiteral(TARVOSK_BARE_WINDOW), {});
    if (s < 0) {
      state.SkipWithError(mine ? "the editor did not paint its window"
                               : "the bare window did not paint");
      break;
    }
    (mine ? editor : bare).push_back(s);
    state.SetIterationTime(s);
  }
  ReportSamples(state, editor, "tarvosk_");
  ReportSamples(state, bare, "bare_");
  if (!bare.empty() && Median(bare) > 0) state.counters["ratio"] = Median(editor) / Median(bare);
}
BENCHMARK(BM_StartUp)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(40);

}  // namespace
