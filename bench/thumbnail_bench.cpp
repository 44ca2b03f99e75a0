// The thumbnailer: the full plan drawn and written in-process, and the built program run on the
// worst inputs a downloads folder can hold, each in a process of its own with its wall-clock
// time and peak resident memory.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <chrono>

#include "app/thumbnail.h"
#include "bench/bench_support.h"
#include "document/document_file.h"

namespace {

void BM_Thumbnail(benchmark::State& state) {
  const QString doc = WriteBenchFile(QStringLiteral("thumbnail.tarvosk"), FullDocumentBytes());
  const TThumbnailJob job{doc, BenchTempPath(QStringLiteral("thumbnail.png")), static_cast<int>(state.range(0))};
  std::vector<double> samples;
  for (auto _ : state) {
    QString error;
    const double s = TimeOf([&] { error = RunThumbnail(job); });
    if (!error.isEmpty()) {
      state.SkipWithError(qPrintable(error));
      break;
    }
    samples.push_back(s);
    state.SetIterationTime(s);
  }
  ReportSamples(state, samples);
}
BENCHMARK(BM_Thumbnail)->Arg(128)->Arg(256)->Arg(1024)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);

struct TChild {
  double Seconds = -1;
  long PeakKb = -1;
  int Status = -1;
};

// The program run as a file manager runs it, with its own rusage.
TChild RunProgram(const QStringList& arguments) {
  std::vector<QByteArray> bytes{QByteArray(TARVOSK_PROGRAM)};
  for (const QString& a : arguments) bytes.push_back(a.toLocal8Bit());
  std::vector<char*> argv;
  for (QByteArray& b : bytes) argv.push_back(b.data());
  argv.push_back(nullptr);
  TChild child;
  const auto t0 = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("QT_QPA_PLATFORM");
    execv(argv[0], argv.data());
    _exit(127);
  }
  if (pid < 0) return child;
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return child;
  child.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  child.PeakKb = usage.ru_maxrss;
  child.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return child;
}

QString SparseFile(const QString& name, qint64 size) {
  const QString path = BenchTempPath(name);
  QFile f(path);
  if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.resize(size);
  return path;
}

void BM_ThumbnailWorstInputs(benchmark::State& state) {
  const QByteArray head = "[Object0]\r\nObjType=0\r\n[Object1]\r\nObjType=3\r\n";
  QByteArray lines = head;
  while (lines.size() < kMaxDocumentBytes - 64) lines += "[Section]\r\nKey=Value\r\n";
  QByteArray sections = head;
  for (int i = 2; sections.size() < kMaxDocumentBytes - 64 && i < 9999; ++i)
    sections += "[Object" + QByteArray::number(i) + "]\r\nObjType=1\r\nBellDiameter_R=" + QByteArray::number(i) + "\r\n";
  QByteArray megabyte = head;
  for (int i = 0; megabyte.size() < kMaxThumbnailDocumentBytes - 64; ++i) megabyte += "[Section]\r\nKey=Value\r\n";
  const std::pair<const char*, QString> inputs[] = {
      {"most objects drawn", WriteBenchFile(QStringLiteral("w_drawn.tarvosk"),
                                            SameNameBeemsDocument(static_cast<int>(kMaxThumbnailObjects) - 2, "B"))},
      {"1 MB of sections", WriteBenchFile(QStringLiteral("w_mb.tarvosk"), megabyte)},
      {"full plan", WriteBenchFile(QStringLiteral("w_full.tarvosk"), FullDocumentBytes())},
      {"most beams", WriteBenchFile(QStringLiteral("w_beams.tarvosk"),
                                    SameNameBeemsDocument(static_cast<int>(kMaxDocumentObjects) - 2, "B"))},
      {"most bells", WriteBenchFile(QStringLiteral("w_bells.tarvosk"), sections)},
      {"16 MB of sections", WriteBenchFile(QStringLiteral("w_lines.tarvosk"), lines)},
      {"16 MB of zeros", SparseFile(QStringLiteral("w_zeros.tarvosk"), kMaxDocumentBytes)},
      {"largest pedestal", WriteBenchFile(QStringLiteral("w_post.tarvosk"),
                                          head + "PostWidth_R=2147483647\r\nPostHeight_R=2147483647\r\n"
                                                 "PostBoardDiameter_R=2147483647\r\n")},
  };
  double worstSeconds = 0;
  long worstKb = 0;
  for (auto _ : state) {
    double total = 0;
    for (const auto& [name, path] : inputs) {
      const TChild c = RunProgram({QStringLiteral("--thumbnail"), path, BenchTempPath(QStringLiteral("w.png")),
                                   QStringLiteral("256")});
      if (c.Seconds < 0 || (c.Status != 0 && c.Status != 1)) {
        state.SkipWithError((std::string("the thumbnailer failed badly on ") + name).c_str());
        return;
      }
      worstSeconds = std::max(worstSeconds, c.Seconds);
      worstKb = std::max(worstKb, c.PeakKb);
      state.counters[std::string(name) + "_ms"] = c.Seconds * 1000;
      total += c.Seconds;
    }
    state.SetIterationTime(total);
  }
  state.counters["worst_ms"] = worstSeconds * 1000;
  state.counters["worst_MB"] = static_cast<double>(worstKb) / 1024.0;
}
BENCHMARK(BM_ThumbnailWorstInputs)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
