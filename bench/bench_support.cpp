#include "bench/bench_support.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

#include "app/tfm_main.h"

namespace {

QTemporaryDir& BenchDir() {
  static QTemporaryDir dir;
  return dir;
}

}  // namespace

QString BenchTempPath(const QString& name) { return BenchDir().filePath(name); }

QString WriteBenchFile(const QString& name, const QByteArray& bytes) {
  const QString path = BenchTempPath(name);
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
    qFatal("cannot write %s", qPrintable(path));
  }
  return path;
}

std::unique_ptr<TfmMain> MakeBenchWindow() {
  TStartOptions options;
  options.ViewIniRead = BenchTempPath(QStringLiteral("view.ini"));
  options.ViewIniWrite = options.ViewIniRead;
  options.RegisterFileType = false;
  auto w = std::make_unique<TfmMain>(options);
  w->FErrorReport = [](const QString& m) { qFatal("the editor reported: %s", qPrintable(m)); };
  // The offscreen screen is 800 x 600; the scenarios are set on a 1920 x 1080 work area, so the
  // window is given that size and the plan panel its 1600 x 900 before anything is measured.
  w->setGeometry(0, 0, 1920, 1080);
  w->show();
  w->SetPlanClientSize(kPlanSize);
  Settle();
  return w;
}

void Settle() { QCoreApplication::processEvents(); }

double Median(std::vector<double> samples) {
  if (samples.empty()) return 0;
  const auto mid = samples.begin() + static_cast<std::ptrdiff_t>(samples.size() / 2);
  std::nth_element(samples.begin(), mid, samples.end());
  return *mid;
}

void ReportSamples(benchmark::State& state, const std::vector<double>& seconds, const char* prefix) {
  if (seconds.empty()) return;
  std::vector<double> s = seconds;
  std::sort(s.begin(), s.end());
  const std::string p(prefix);
  state.counters[p + "median_ms"] = s[s.size() / 2] * 1e3;
  state.counters[p + "p90_ms"] = s[std::min(s.size() - 1, s.size() * 9 / 10)] * 1e3;
}
