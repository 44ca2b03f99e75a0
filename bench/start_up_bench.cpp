// Start-up to the first painted main window: the editor with "-ns" and a bare QMainWindow
// program, each a whole process from exec to its first paint, taken in turn.
#include <QProcess>
#include <QProcessEnvironment>

#include <array>

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
  const QString editor = QStringLiteral(TARVOSK_PROGRAM);
  const QString bare = QStringLiteral(TARVOSK_BARE_WINDOW);
  // The three in turn: the editor, the bare window, and the bare window with a menu and a
  // status line (the fonts loaded, as in any window that shows a word).
  const std::array<std::pair<QString, QStringList>, 3> programs = {
      {{editor, {QStringLiteral("-ns")}}, {bare, {}}, {bare, {QStringLiteral("--text")}}}};
  // One start of each before timing: the libraries and fonts are then in the page cache for
  // all, as they are for a user who has started any Qt program today.
  for (const auto& [program, arguments] : programs) TimeFirstPaint(program, arguments);
  std::array<std::vector<double>, 3> samples;
  std::size_t i = 0;
  for (auto _ : state) {
    const std::size_t which = i++ % programs.size();
    const double s = TimeFirstPaint(programs[which].first, programs[which].second);
    if (s < 0) {
      state.SkipWithError(which == 0 ? "the editor did not paint its window"
                                     : "a bare window did not paint");
      break;
    }
    samples[which].push_back(s);
    state.SetIterationTime(s);
  }
  ReportSamples(state, samples[0], "tarvosk_");
  ReportSamples(state, samples[1], "bare_");
  ReportSamples(state, samples[2], "bare_text_");
  if (!samples[1].empty() && Median(samples[1]) > 0)
    state.counters["ratio"] = Median(samples[0]) / Median(samples[1]);
  if (!samples[2].empty() && Median(samples[2]) > 0)
    state.counters["text_ratio"] = Median(samples[0]) / Median(samples[2]);
}
BENCHMARK(BM_StartUp)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(60);

}  // namespace
