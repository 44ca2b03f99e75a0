#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstring>

int RunMemoryProbe(const QStringList& arguments);

namespace {

// The offscreen platform's own screen is 800 x 800, which would leave most of a 1600 x 900
// drawing panel outside the window, unpainted. The figures are taken on a 1920 x 1080 work
// area instead; the variable is inherited by every process the benchmarks start.
void UseFullHdOffscreenScreen() {
  if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return;  // the caller's choice stands
  static QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("screen.json"));
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly) ||
      f.write(R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": 1920, "height": 1080,
                  "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})") < 0) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return;
  }
  qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + path).toLocal8Bit());
}

}  // namespace

int main(int argc, char** argv) {
  UseFullHdOffscreenScreen();
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  if (argc >= 2 && std::strcmp(argv[1], "--memory-probe") == 0)
    return RunMemoryProbe(QApplication::arguments().mid(2));
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::AddCustomContext("screen", qgetenv("QT_QPA_PLATFORM").toStdString());
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
