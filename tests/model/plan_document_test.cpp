// The document without a window: each operation stores, announces what it changed in one
// typed signal and makes one step that undo and redo really take back and do again.
#include <QUndoStack>
#include <gtest/gtest.h>

#include "beams/chord_relay.h"
#include "bells/bell_catalogue.h"
#include "document/document_file.h"
#include "document/plan_opening.h"
#include "model/edit_scope.h"
#include "model/plan_document.h"
#include "support/sample_plans.h"
#include "walls/wall_geometry.h"
#include "walls/wall_rules.h"

namespace {

// Every signal the document sent, in order, as text a failure can show.
struct TSignalLog {
  QObject Context;  // the connections end with the log
  QStringList Events;
  std::vector<TObjectChanges> Batches;
  explicit TSignalLog(TPlanDocument& d) {
    QObject::connect(&d, &TPlanDocument::ObjectsChanged, &Context, [this](const TObjectChanges& c) {
      Batches.push_back(c);
      Events << QStringLiteral("changed");
    });
    QObject::connect(&d, &TPlanDocument::ObjectInserted, &Context, [this](int i) { Events << QStringLiteral("inserted %1").arg(i); });
    QObject::connect(&d, &TPlanDocument::ObjectAboutToBeRemoved, &Context,
                     [this](int i) { Events << QStringLiteral("removing %1").arg(i); });
    QObject::connect(&d, &TPlanDocument::ObjectRemoved, &Context,
                     [this](int i, TObjectKind) { Events << QStringLiteral("removed %1").arg(i); });
    QObject::connect(&d, &TPlanDocument::PlanReset, &Context, [this] { Events << QStringLiteral("reset"); });
  }
  void Clear() { Events.clear(), Batches.clear(); }
};

class PlanDocumentTest : public ::testing::Test {
 public:
  // Walls, pedestal, five bells, two chord beams (2..6: bells, 7, 8: chords), two free beams.
  void SetUp() override {
    const TOpenedPlan plan = OpenPlanBytes(PlanDocumentBytes(5, 2, 2), LoadBellDiameters());
    ASSERT_TRUE(plan.Ok()) << plan.Error.toStdString();
    D.ResetObjects(plan.Records);
    D.ResetHistory();
  }
  QByteArray Bytes() const { return DocumentToBytes(D.Model()); }
  int FirstOf(TObjectKind kind, bool chord = false) const {
    for (int i = 0; i < D.Count(); ++i)
      if (D.At(i).ObjType == kind && (kind != okBeam || (D.At(i).BeemOrientation > 0) == chord)) return i;
    return -1;
  }
  TPlanDocument D;
};

TEST_F(PlanDocumentTest, EachOperationIsOneNamedStepThatUndoAndRedoTakeBackAndDoAgain) {
  struct TRow {
    const char* name;
    std::function<int(PlanDocumentTest&)> target;  // the object the operation changes
    std::function<void(TPlanDocument&, int)> act;
    TPlanFields fields;  // among what the batch says of that object
    const char* caption;
  };
  const auto walls = [](PlanDocumentTest&) { return 0; };
  const auto post = [](PlanDocumentTest&) { return 1; };
  const auto bell = [](PlanDocumentTest& t) { return t.FirstOf(okBell); };
  const auto freeBeem = [](PlanDocumentTest& t) { return t.FirstOf(okBeam, false); };
  const auto chordBeem = [](PlanDocumentTest& t) { return t.FirstOf(okBeam, true); };
  const TRow rows[] = {
      {"outer diameter", walls, [](TPlanDocument& d, int) { d.SetWallDiameterOuter(7200); }, pfWallSizes, "изменение «Стены»"},
      {"inner diameter", walls, [](TPlanDocument& d, int) { d.SetWallDiameterInner(3000); }, pfWallSizes, "изменение «Стены»"},
      {"thickness", walls, [](TPlanDocument& d, int) { d.SetWallWidth(1000); }, pfWallSizes, "изменение «Стены»"},
      {"arches", walls, [](TPlanDocument& d, int) { d.SetWallArcWidth(900); }, pfWallArch, "изменение «Стены»"},
      {"eight sides", walls, [](TPlanDocument& d, int) { d.SetWallType(2); }, pfWallType, "изменение «Стены»"},
      {"material", walls, [](TPlanDocument& d, int) { d.SetWallMaterial(3); }, pfWallMaterial, "изменение «Стены»"},
      {"pedestal length", post, [](TPlanDocument& d, int) { d.SetPostWidth(1500); }, pfPostSize, "изменение «Постамент»"},
      {"pedestal angle", post, [](TPlanDocument& d, int) { d.SetPostAngle(90); }, pfPostAngle, "изменение «Постамент»"},
      {"pedestal place", post, [](TPlanDocument& d, int) { d.SetPostPositionY(1800); }, pfPostPosition, "перемещение «Постамент»"},
      {"bell place", bell, [](TPlanDocument& d, int i) { d.SetBellPosition(i, true, 1234); }, pfBellPosition, "перемещение «%1»"},
      {"bell diameter", bell, [](TPlanDocument& d, int i) { d.SetBellDiameter(i, 195); }, pfBellDiameter, "изменение «%1»"},
      {"beam width", freeBeem, [](TPlanDocument& d, int i) { d.SetBeemWidth(i, 250); }, pfBeemWidth, "изменение «%1»"},
      {"beam material", freeBeem, [](TPlanDocument& d, int i) { d.SetBeemMaterial(i, 5); }, pfBeemMaterial, "изменение «%1»"},
      {"free end", freeBeem, [](TPlanDocument& d, int i) { d.SetBeemPoint(i, 2, 3000); }, pfBeemPoints, "перемещение «%1»"},
      {"chord end", chordBeem, [](TPlanDocument& d, int i) { d.SetBeemPoint(i, 1, 1000); }, pfBeemPoints | pfBeemOrientation, "изменение «%1»"},
      {"onto a chord", freeBeem, [](TPlanDocument& d, int i) { d.LayBeemOnChord(i, 13); }, pfBeemOrientation | pfBeemPoints, "изменение «%1»"},
      {"hidden", bell, [](TPlanDocument& d, int i) { d.SetObjectVisible(i, false); }, pfVisible, "скрытие «%1»"},
      {"renamed", freeBeem, [](TPlanDocument& d, int i) { d.RenameObject(i, QStringLiteral("Прогон")); }, pfName, "переименование «%1»"},
  };
  for (const TRow& r : rows) {
    SCOPED_TRACE(r.name);
    SetUp();
    const int target = r.target(*this);
    ASSERT_GE(target, 0);
    const QString name = D.At(target).ObjName;
    const QByteArray before = Bytes();
    TSignalLog log(D);
    r.act(D, target);
    const QByteArray after = Bytes();
    ASSERT_NE(after, before);
    ASSERT_EQ(log.Batches.size(), 1u) << "one change, one signal";
    TPlanFields said = 0;
    for (const TObjectChange& c : log.Batches[0])
      if (c.Index == target) said |= c.Fields;
    EXPECT_EQ(said & r.fields, r.fields);
    EXPECT_EQ(D.History().count(), 1);
    EXPECT_EQ(D.History().undoText(), QString::fromUtf8(r.caption).replace(QStringLiteral("%1"), name));
    EXPECT_TRUE(D.IsModified());
    log.Clear();
    D.History().undo();
    EXPECT_EQ(Bytes(), before);
    ASSERT_EQ(log.Batches.size(), 1u) << "undo says what it changed back, as an operation does";
    TPlanFields undone = 0;
    for (const TObjectChange& c : log.Batches[0])
      if (c.Index == target) undone |= c.Fields;
    EXPECT_EQ(undone & r.fields, r.fields) << "undo names the fields it put back";
    EXPECT_FALSE(D.IsModified());
    D.History().redo();
    EXPECT_EQ(Bytes(), after);
  }
}

TEST_F(PlanDocumentTest, AnOperationThatChangesNothingSaysNothingAndMakesNoStep) {
  const int bell = FirstOf(okBell), other = FirstOf(okBell) + 1;
  const std::function<void()> acts[] = {
      [&] { D.SetPostWidth(D.At(1).PostWidth); },
      [&] { D.SetObjectVisible(bell, true); },
      [&] { EXPECT_EQ(D.SetBellDiameter(bell, D.At(other).BellDiameter), D.At(bell).BellDiameter); },
      [&] { D.SetWallMaterial(D.At(0).WallMaterial); },
  };
  for (const auto& act : acts) {
    TSignalLog log(D);
    act();
    EXPECT_TRUE(log.Events.isEmpty()) << log.Events.join(u',').toStdString();
    EXPECT_EQ(D.History().count(), 0);
  }
}

TEST_F(PlanDocumentTest, AnEditOfManyOperationsIsOneStepNamedByTheFirst) {
  {
    const TEditScope edit(D);
    D.SetPostAngle(45);
    D.SetWallDiameterOuter(6400);
    D.SetBellPosition(FirstOf(okBell), false, 900);
    EXPECT_EQ(D.History().count(), 0) << "nothing is pushed while the edit is open";
  }
  EXPECT_EQ(D.History().count(), 1);
  EXPECT_EQ(D.History().undoText(), QStringLiteral("изменение «Постамент»"));
}

// A walls edit carries every object along, in millimetres: positions scale about the centre,
// chord beams lie on the new walls' chords, and one batch names every object it moved.
TEST_F(PlanDocumentTest, AWallsEditCarriesThePlanAlongInOneBatch) {
  const int bell = FirstOf(okBell), chord = FirstOf(okBeam, true);
  D.SetBellPosition(bell, true, 2800);  // on the centre line: stays on it
  D.SetBellPosition(bell, false, 1000);
  TSignalLog log(D);
  ASSERT_EQ(D.SetWallDiameterOuter(7200), 7200);
  EXPECT_EQ(D.At(0).WallDiameterInner + 2 * D.At(0).WallWallWidth, 7200);
  // half diameters 2800 -> 3600: y = 3600 - (2800 - 1000) * 3600 / 2800 = 1285.7
  EXPECT_EQ(D.At(bell).BellPosition, QPoint(3600, 1286));
  const TWallOutlines outlines = ComputeWallGeometry(WallSizesOf(D.At(0)), TPlanMapping{});
  const auto laid = ChordBeemPoints(ChordWallsOf(D.At(0), outlines.InnerMm), D.At(chord).BeemOrientation, D.At(chord).BeemWidth);
  ASSERT_TRUE(laid);
  EXPECT_EQ(D.At(chord).BeemBeginPoint, laid->Begin);
  EXPECT_EQ(D.At(chord).BeemEndPoint, laid->End);
  ASSERT_EQ(log.Batches.size(), 1u);
  std::vector<bool> named(static_cast<std::size_t>(D.Count()), false);
  for (const TObjectChange& c : log.Batches[0]) named[static_cast<std::size_t>(c.Index)] = true;
  EXPECT_EQ(std::count(named.begin(), named.end(), false), 0) << "every object is in the batch";
  EXPECT_TRUE(ChangesWallGeometry(log.Batches[0]));
}

// Steps that add or take away an object are shown back through insertion and removal at the
// object's own place, not a rebuild; a change of kinds is a reset.
TEST_F(PlanDocumentTest, StructuralStepsInsertRemoveOrReset) {
  const int victim = FirstOf(okBell) + 1;
  const TStoredObject kept = D.At(victim);
  {
    const TEditScope edit(D);
    D.NameStep(TStepVerb::Remove, victim);
    D.RemoveObject(victim);
  }
  EXPECT_EQ(D.History().undoText(), QStringLiteral("удаление «%1»").arg(kept.ObjName));
  TSignalLog log(D);
  D.History().undo();
  EXPECT_EQ(log.Events, QStringList{QStringLiteral("inserted %1").arg(victim)});
  EXPECT_EQ(static_cast<const TStoredObject&>(D.At(victim)), kept);
  log.Clear();
  D.History().redo();
  EXPECT_EQ(log.Events, (QStringList{QStringLiteral("removing %1").arg(victim), QStringLiteral("removed %1").arg(victim)}));

  std::vector<TPlanObject> two(2);
  ApplyStored(two[0], D.At(0));
  ApplyStored(two[1], D.At(1));
  log.Clear();
  D.ResetObjects(two);
  EXPECT_EQ(log.Events, QStringList{QStringLiteral("reset")});
  EXPECT_EQ(D.Count(), 2);
  EXPECT_EQ(D.At(1).CreateIndex, 1);
}

}  // namespace
