#include "bench/bench_support.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

#include "app/tfm_main.h"
#include "bells/bell_catalogue.h"
#include "document/document_file.h"
#include "pedestal/post_geometry.h"

namespace {

constexpr std::int32_t kOuter = 5600;
constexpr std::int32_t kInner = 4000;
constexpr std::int32_t kThickness = 800;

// A fixed sequence, so every run lays the same free beams.
class TLcg {
 public:
  std::int32_t Next(std::int32_t lo, std::int32_t hi) {
    FState = FState * 6364136223846793005ULL + 1442695040888963407ULL;
    return lo + static_cast<std::int32_t>((FState >> 33) % static_cast<std::uint64_t>(hi - lo + 1));
  }

 private:
  std::uint64_t FState = 20240601;
};

QTemporaryDir& BenchDir() {
  static QTemporaryDir dir;
  return dir;
}

}  // namespace

QByteArray PlanDocumentBytes(int bells, int chordBeems, int freeBeems) {
  std::vector<TPlanObject> objects;
  TPlanObject walls;
  walls.ObjName = QStringLiteral("Стены");
  walls.ObjType = okWalls;
  walls.WallDiameterOuter = kOuter;
  walls.WallDiameterInner = kInner;
  walls.WallWallWidth = kThickness;
  walls.WallArcWidth = 1500;
  objects.push_back(walls);

  TPlanObject post;
  post.ObjName = QStringLiteral("Постамент");
  post.ObjType = okPost;
  const pedestal::TPostDefaults d = pedestal::PostDefaults(kOuter, kThickness);
  post.PostWidth = d.PostWidth;
  post.PostHeight = d.PostHeight;
  post.PostAngle = d.PostAngle;
  post.PostBoardDiameter = d.PostBoardDiameter;
  post.PostPosition = d.PostPosition;
  objects.push_back(post);

  // The last `bells` catalogue slots, seven a row over the inner square, each at the place of
  // its slot, so the last bell stands in the same spot whatever the count; big ones overlap, as
  // on a crowded real tier.
  const int first = kBellCount - std::clamp(bells, 0, kBellCount);
  for (int slot = first; slot < kBellCount; ++slot) {
    TPlanObject b;
    const int n = slot - first;
    b.ObjName = n == 0 ? QStringLiteral("Колокол") : QStringLiteral("Колокол%1").arg(n);
    b.ObjType = okBell;
    b.BellDiameter = FBellDiameters[static_cast<size_t>(slot)];
    b.BellPosition =
        QPoint(kThickness + 300 + (slot % 7) * 570, kThickness + 300 + (slot / 7) * 640);
    objects.push_back(b);
  }
  int beem = 0;
  auto beemName = [&beem] {
    const int n = beem++;
    return n == 0 ? QStringLiteral("Балка") : QStringLiteral("Балка%1").arg(n);
  };
  for (int k = 1; k <= std::min(chordBeems, 24); ++k) {
    TPlanObject b;
    b.ObjName = beemName();
    b.ObjType = okBeam;
    b.BeemMaterial = 2 + k % 6;
    b.BeemWidth = 200;
    b.BeemOrientation = k;  // laid back on its chord when the document opens
    objects.push_back(b);
  }
  TLcg rnd;
  for (int i = 0; i < freeBeems; ++i) {
    TPlanObject b;
    b.ObjName = beemName();
    b.ObjType = okBeam;
    b.BeemMaterial = rnd.Next(2, 7);
    b.BeemWidth = rnd.Next(80, 300);
    b.BeemBeginPoint = QPoint(rnd.Next(kThickness, kOuter - kThickness), rnd.Next(kThickness, kOuter - kThickness));
    b.BeemEndPoint = QPoint(rnd.Next(kThickness, kOuter - kThickness), rnd.Next(kThickness, kOuter - kThickness));
    objects.push_back(b);
  }
  return DocumentToBytes(objects);
}

QByteArray FullDocumentBytes() { return PlanDocumentBytes(42, 24, 200); }

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
