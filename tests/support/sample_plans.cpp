#include "support/sample_plans.h"

#include <algorithm>
#include <cstdint>

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


QByteArray SameNameBeemsDocument(int beams, const QByteArray& name) {
  QByteArray doc = "[Object0]\r\nObjType=0\r\n[Object1]\r\nObjType=3\r\n";
  doc.reserve(beams * 90);
  for (int i = 0; i < beams; ++i) {
    doc += "[Object" + QByteArray::number(i + 2) + "]\r\nObjType=2\r\n";
    if (!name.isEmpty()) doc += "ObjName=" + name + "\r\n";
    doc +=
        "BeemBeginPoint_R=" + QByteArray::number(i % 5600) + ",100\r\nBeemEndPoint_R=2800,5000\r\n";
  }
  return doc;
}
