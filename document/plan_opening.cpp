#include "document/plan_opening.h"

#include <QHash>
#include <QSet>

#include "beams/chord_relay.h"
#include "beams/chords.h"
#include "document/document_file.h"
#include "plan/naming.h"
#include "walls/wall_geometry.h"
#include "walls/wall_rules.h"

namespace {

TOpenedPlan Settled(TDocumentContent content) {
  TOpenedPlan plan;
  plan.Error = std::move(content.Error);
  plan.Warnings = std::move(content.Warnings);
  if (!plan.Ok()) return plan;
  plan.Records = std::move(content.Objects);
  SettleNames(plan.Records);
  RelayChordBeems(plan.Records);
  return plan;
}

}  // namespace

TPlanModel TOpenedPlan::Model() const {
  std::vector<TStoredObject> stored;
  stored.reserve(Records.size());
  for (const TPlanObject& o : Records) stored.push_back(StoredPart(o));
  return TPlanModel::FromStored(stored);
}

TOpenedPlan OpenPlanBytes(QByteArrayView bytes, std::span<const std::int32_t> bellDiameters) {
  return Settled(ParseDocument(bytes, bellDiameters));
}

TOpenedPlan OpenPlanFile(const QString& path, std::span<const std::int32_t> bellDiameters) {
  return Settled(ReadDocumentFile(path, bellDiameters));
}

// The record being created counts as holding the empty name, so a nameless one starts at "1".
// Settled in one pass, each name is already free when its object is created; left to the rule
// object by object, every taken number is tried against every object made so far, and a
// document of a few thousand beams sharing one name would take hours to open.
void SettleNames(std::vector<TPlanObject>& objects) {
  QSet<QString> taken{QString()};
  QHash<QString, long long> lastTaken;  // per stored name: it and every lower number are taken
  for (TPlanObject& o : objects) {
    if ((o.ObjType == okBell || o.ObjType == okBeam) && taken.contains(o.ObjName)) {
      const QString base = o.ObjName;
      long long& n = lastTaken[base];
      do {
        o.ObjName = NumberedName(base, ++n);
      } while (taken.contains(o.ObjName));
    }
    taken.insert(o.ObjName);
  }
}

void RelayChordBeems(std::vector<TPlanObject>& objects) {
  if (objects.empty() || objects[0].ObjType != okWalls) return;
  const TPlanObject& w = objects[0];
  const TComputedChordWalls chords(w);
  const TChordWalls& walls = chords.Walls();
  for (int i : ChordBeemIndices(objects)) {
    TPlanObject& b = objects[static_cast<size_t>(i)];
    if (const auto points = ChordBeemPoints(walls, b.BeemOrientation, b.BeemWidth)) {
      b.BeemBeginPoint = points->Begin;
      b.BeemEndPoint = points->End;
    }
  }
}
