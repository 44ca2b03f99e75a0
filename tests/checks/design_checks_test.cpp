// The design checks on plans built to show each problem, the same plans mended, and plans a
// designer would lay out, which must give no finding at all.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cmath>

#include "checks/beam_loads.h"
#include "checks/design_checks.h"
#include "sheet/sheet_fixtures.h"

namespace {

TStoredObject Beem(const QString& name, QPoint begin, QPoint end, int width = 200) {
  TStoredObject b;
  b.ObjName = name;
  b.ObjType = okBeam;
  b.BeemMaterial = 2;
  b.BeemWidth = width;
  b.BeemBeginPoint = begin;
  b.BeemEndPoint = end;
  return b;
}

// Five bells in a row on one beam across a four-sided tower: the pedestal's two (696, 620) on
// the left, the pedal bell (800) in the middle, the hand's two (552, 480) on the right, so no
// rope crosses another or passes over a bell. Indices: walls 0, pedestal 1, bells 2 to 6, beam 7.
std::vector<TStoredObject> FiveBellPlan() {
  std::vector<TStoredObject> o = DefaultPlan();
  o.push_back(Bell(QStringLiteral("Б696"), 696, QPoint(1250, 1600)));
  o.push_back(Bell(QStringLiteral("Б620"), 620, QPoint(2050, 1600)));
  o.push_back(Bell(QStringLiteral("Б800"), 800, QPoint(2850, 1600)));
  o.push_back(Bell(QStringLiteral("Б552"), 552, QPoint(3650, 1600)));
  o.push_back(Bell(QStringLiteral("Б480"), 480, QPoint(4300, 1600)));
  o.push_back(Beem(QStringLiteral("Балка"), QPoint(400, 1600), QPoint(5200, 1600)));
  return o;
}

// The same row in a six-sided tower, on a beam from corner to corner where the side walls meet
// between their openings, with the pedestal set inside the smaller courtyard.
std::vector<TStoredObject> SixSidedPlan() {
  std::vector<TStoredObject> o = DefaultPlan();
  o[0].WallType = 1;
  o[1].PostPosition = QPoint(2800, 4000);
  const int x[5] = {1300, 2100, 2900, 3700, 4350};
  const int d[5] = {696, 620, 800, 552, 480};
  for (int i = 0; i < 5; ++i) o.push_back(Bell(QStringLiteral("Б%1").arg(d[i]), d[i], QPoint(x[i], 2800)));
  o.push_back(Beem(QStringLiteral("Балка"), QPoint(400, 2800), QPoint(5200, 2800)));
  return o;
}

// An eight-sided tower: the beam rests on the corner pieces between the openings, the bells
// hang near its lower edge, clear of the slanting walls.
std::vector<TStoredObject> EightSidedPlan() {
  std::vector<TStoredObject> o = DefaultPlan();
  o[0].WallType = 2;
  const int x[5] = {1300, 2100, 2900, 3700, 4350};
  const int d[5] = {696, 620, 800, 552, 480};
  for (int i = 0; i < 5; ++i) o.push_back(Bell(QStringLiteral("Б%1").arg(d[i]), d[i], QPoint(x[i], 2080)));
  o.push_back(Beem(QStringLiteral("Балка"), QPoint(400, 1950), QPoint(5200, 1950), 300));
  return o;
}

std::vector<TFinding> Check(const std::vector<TStoredObject>& o, TCheckSettings s = {}) {
  return CheckPlan(TPlanModel::FromStored(o), s);
}

std::vector<TFinding> OfRule(const std::vector<TFinding>& all, TCheckRule rule) {
  std::vector<TFinding> some;
  for (const TFinding& f : all)
    if (f.Rule == rule) some.push_back(f);
  return some;
}

QString Describe(const std::vector<TFinding>& all) {
  QStringList lines;
  for (const TFinding& f : all) lines << FindingLine(f);
  return lines.join(u'\n');
}

// Distance from a point to the segment a-b, worked out apart from the checks' own geometry.
double PointToSegment(QPointF p, QPointF a, QPointF b) {
  const double dx = b.x() - a.x(), dy = b.y() - a.y();
  const double t = std::clamp(((p.x() - a.x()) * dx + (p.y() - a.y()) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return std::hypot(p.x() - (a.x() + t * dx), p.y() - (a.y() + t * dy));
}

}  // namespace

TEST(DesignChecks, PlansLaidOutAsADesignerWouldHaveNoFinding) {
  const struct {
    const char* name;
    std::vector<TStoredObject> plan;
  } cases[] = {
      {"five bells, four sides", FiveBellPlan()},
      {"five bells, six sides", SixSidedPlan()},
      {"five bells, eight sides", EightSidedPlan()},
      {"the walls and pedestal alone", DefaultPlan()},
  };
  for (const auto& c : cases) {
    const std::vector<TFinding> found = Check(c.plan);
    EXPECT_TRUE(found.empty()) << c.name << ":\n" << Describe(found).toStdString();
  }
}

TEST(DesignChecks, EachProblemFoundOnceAndNotWhenMended) {
  using Edit = std::function<void(std::vector<TStoredObject>&)>;
  const QPointF post(2800, 4200);
  const struct {
    const char* name;
    TCheckRule rule;
    Edit broken, mended;
    QStringList objects;
    std::optional<double> distance;
  } cases[] = {
      {"rims 40 mm apart; 50 mm is the clearance itself", TCheckRule::BellsTooClose,
       [](auto& o) { o[3].BellPosition.setX(1250 + 348 + 310 + 40); },
       [](auto& o) { o[3].BellPosition.setX(1250 + 348 + 310 + 50); },
       {"Б696", "Б620"}, 40.0},
      {"rims overlapping", TCheckRule::BellsTooClose,
       [](auto& o) { o[3].BellPosition.setX(1700); }, [](auto&) {},
       {"Б696", "Б620"}, 450.0 - 348 - 310},
      {"40 mm from the masonry; 50 mm is the clearance itself", TCheckRule::BellHitsWall,
       [](auto& o) { o[6].BellPosition.setX(4800 - 240 - 40); },
       [](auto& o) { o[6].BellPosition.setX(4800 - 240 - 50); },
       {"Б480"}, 40.0},
      {"into the masonry, and hung in the arch opening instead", TCheckRule::BellHitsWall,
       [](auto& o) { o[6].BellPosition = QPoint(4900, 1600); },
       // 10 mm from the corner of the opening, which is no finding for a bell hung in it
       [](auto& o) { o[6].BellPosition = QPoint(5200, 2300); },
       {"Б480"}, -(240.0 + 100)},
      {"outside the walls", TCheckRule::BellHitsWall,
       [](auto& o) { o[6].BellPosition = QPoint(6300, 1600); }, [](auto&) {},
       {"Б480"}, 700.0 - 240},
      {"150 mm off the beam; on its edge", TCheckRule::BellOnNoBeam,
       [](auto& o) { o[4].BellPosition.setY(1850); },
       [](auto& o) { o[4].BellPosition.setY(1700); },
       {"Б800"}, 150.0},
      {"no beam at all", TCheckRule::BellOnNoBeam,
       [](auto& o) {
         o.pop_back();
         for (int i = 2; i <= 5; ++i) o[i].ObjVisible = false;
       },
       [](auto&) {}, {"Б480"}, std::nullopt},
      {"a beam ending in the courtyard; on the inner face", TCheckRule::BeamEndUnsupported,
       [](auto& o) { o[7].BeemBeginPoint = QPoint(1000, 1600); },
       [](auto& o) { o[7].BeemBeginPoint = QPoint(800, 1600); },
       {"Балка"}, 200.0},
      {"a beam ending in an arch opening", TCheckRule::BeamEndUnsupported,
       [](auto& o) { o[7].BeemEndPoint = QPoint(5200, 2800); }, [](auto&) {},
       {"Балка"}, 750.0},
      {"a beam ending outside the walls", TCheckRule::BeamEndUnsupported,
       [](auto& o) { o[7].BeemEndPoint = QPoint(6000, 1600); }, [](auto&) {},
       {"Балка"}, 400.0},
      {"the pedal bell under a pedestal rope; moved aside", TCheckRule::LineOverBell,
       [](auto& o) { o[4].BellPosition = QPoint(2500, 2600); },
       [](auto& o) { o[4].BellPosition = QPoint(2850, 2600); },
       {"Б620", "Б800"},
       PointToSegment(QPointF(2500, 2600), QPointF(2050, 1600), post) - 400},
      {"a hand bell over the pedestal's corner; moved aside", TCheckRule::BellOverRinger,
       [](auto& o) { o[6].BellPosition = QPoint(3800, 3700); },
       [](auto& o) { o[6].BellPosition = QPoint(4000, 3700); },
       {"Б480", "Постамент"}, std::hypot(100.0, 100.0) - 240},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<TStoredObject> broken = FiveBellPlan(), mended = FiveBellPlan();
    c.broken(broken);
    c.mended(mended);
    const std::vector<TFinding> found = OfRule(Check(broken), c.rule);
    ASSERT_EQ(found.size(), 1u) << Describe(Check(broken)).toStdString();
    EXPECT_EQ(found[0].Names, c.objects);
    EXPECT_TRUE(found[0].Message.contains(u'«' + c.objects[0] + u'»')) << found[0].Message.toStdString();
    ASSERT_EQ(found[0].DistanceMm.has_value(), c.distance.has_value());
    if (c.distance) {
      EXPECT_NEAR(*found[0].DistanceMm, *c.distance, 1.0);
    }
    EXPECT_TRUE(OfRule(Check(mended), c.rule).empty()) << Describe(Check(mended)).toStdString();
  }
}

TEST(DesignChecks, CrossingRopesAreFoundWhereTheyCrossAndNotAtThePedestal) {
  // A hand rope from (3200, 1600) to the hand at (3000, 4050) and a pedestal rope from
  // (3400, 1000) to the pedestal's centre cross high above the pedestal.
  std::vector<TStoredObject> o = FiveBellPlan();
  o[6].ObjVisible = false;  // the small hand bell is out of the way
  o[5].BellPosition = QPoint(3200, 1600);
  o[2].BellPosition = QPoint(3400, 1000);
  const std::vector<TFinding> found = OfRule(Check(o), TCheckRule::LineCrossesLine);
  ASSERT_EQ(found.size(), 1u) << Describe(Check(o)).toStdString();
  EXPECT_EQ(found[0].Names, (QStringList{"Б696", "Б552"}));
  // Worked by hand: s = 87.5 / 259.375 along the hand rope.
  const double s = 87.5 / (600.0 * 2450 / 3200 - 200);
  EXPECT_NEAR(found[0].At.x(), 3200 - 200 * s, 1.0);
  EXPECT_NEAR(found[0].At.y(), 1600 + 2450 * s, 1.0);
  EXPECT_LT(found[0].At.y(), 3800);

  o[2].BellPosition = QPoint(2600, 1000);  // now the ropes run side by side
  EXPECT_TRUE(OfRule(Check(o), TCheckRule::LineCrossesLine).empty());
  // Ropes that reach the ringer from both sides meet inside the pedestal: no finding.
  EXPECT_TRUE(OfRule(Check(FiveBellPlan()), TCheckRule::LineCrossesLine).empty());
}

TEST(DesignChecks, ClearancesComeFromTheSettingsAndTouchingRimsAreNoFinding) {
  std::vector<TStoredObject> o = FiveBellPlan();
  o[3].BellPosition.setX(1250 + 348 + 310);  // the rims touch
  EXPECT_EQ(OfRule(Check(o, {0, 50}), TCheckRule::BellsTooClose).size(), 0u);
  EXPECT_EQ(OfRule(Check(o, {1, 50}), TCheckRule::BellsTooClose).size(), 1u);
  o[3].BellPosition.setX(1250 + 348 + 310 - 1);  // overlapping by a millimetre: always found
  EXPECT_EQ(OfRule(Check(o, {0, 50}), TCheckRule::BellsTooClose).size(), 1u);
  // The wall clearance: the bell nearest the masonry is 102 mm from the left face.
  EXPECT_EQ(OfRule(Check(FiveBellPlan(), {50, 102}), TCheckRule::BellHitsWall).size(), 0u);
  const std::vector<TFinding> near = OfRule(Check(FiveBellPlan(), {50, 103}), TCheckRule::BellHitsWall);
  ASSERT_EQ(near.size(), 1u);
  EXPECT_EQ(near[0].Names, QStringList{"Б696"});
  EXPECT_TRUE(near[0].Message.contains(QStringLiteral("102 мм")));
}

TEST(DesignChecks, HiddenBellsAndBeamsAreNotChecked) {
  std::vector<TStoredObject> o = FiveBellPlan();
  o[3].BellPosition = QPoint(1250, 1600);  // on top of its neighbour
  o[3].ObjVisible = false;
  EXPECT_TRUE(OfRule(Check(o), TCheckRule::BellsTooClose).empty());
  o[7].ObjVisible = false;  // the beam hidden: every visible bell hangs on nothing
  EXPECT_EQ(OfRule(Check(o), TCheckRule::BellOnNoBeam).size(), 4u);
  EXPECT_TRUE(OfRule(Check(o), TCheckRule::BeamEndUnsupported).empty());
}

TEST(DesignChecks, FindingsAsLinesAndJsonReadBack) {
  std::vector<TStoredObject> o = FiveBellPlan();
  o[3].BellPosition.setX(1700);
  o[7].BeemBeginPoint = QPoint(1000, 1600);
  const std::vector<TFinding> found = Check(o);
  ASSERT_EQ(found.size(), 2u) << Describe(found).toStdString();
  EXPECT_TRUE(FindingLine(found[0]).startsWith(QStringLiteral("bells-too-close: Колокола «Б696» и «Б620»")));
  const QJsonArray all = QJsonDocument::fromJson(FindingsToJson(found)).array();
  ASSERT_EQ(all.size(), 2);
  const QJsonObject beam = all[1].toObject();
  EXPECT_EQ(beam["rule"].toString(), QStringLiteral("beam-end-unsupported"));
  EXPECT_EQ(beam["objects"].toArray().toVariantList(), QVariantList{QStringLiteral("Балка")});
  EXPECT_EQ(beam["message"].toString(), found[1].Message);
  EXPECT_DOUBLE_EQ(beam["at"].toObject()["x"].toDouble(), 1000);
  EXPECT_DOUBLE_EQ(beam["at"].toObject()["y"].toDouble(), 1600);
  EXPECT_NEAR(beam["distance_mm"].toDouble(), 200, 1e-9);
  EXPECT_EQ(QJsonDocument::fromJson(FindingsToJson({})).array().size(), 0);
}

TEST(DesignChecks, BeamLoadsShareABellHungOnTwoBeams) {
  std::vector<TStoredObject> o = FiveBellPlan();
  TSheetPlan plan = BuildSheetPlan(TPlanModel::FromStored(o));
  TBeamLoads loads = ComputeBeamLoads(plan);
  ASSERT_EQ(loads.Kg.size(), 1u);
  EXPECT_DOUBLE_EQ(loads.Kg[0], 192 + 136 + 330 + 96 + 62);
  EXPECT_DOUBLE_EQ(loads.TotalKg, 816);

  // A second beam under the pedal bell takes half of it; a hidden bell weighs on nothing.
  o.push_back(Beem(QStringLiteral("Поперечная"), QPoint(2850, 400), QPoint(2850, 5200)));
  o[6].ObjVisible = false;
  plan = BuildSheetPlan(TPlanModel::FromStored(o));
  loads = ComputeBeamLoads(plan);
  ASSERT_EQ(loads.Kg.size(), 2u);
  EXPECT_DOUBLE_EQ(loads.Kg[0], 192 + 136 + 165 + 96);
  EXPECT_DOUBLE_EQ(loads.Kg[1], 165);
  EXPECT_DOUBLE_EQ(loads.TotalKg, 816 - 62);
}

TEST(DesignChecks, ClearancesAreRememberedAndOddValuesGiveTheDefaults) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("sub/checks.ini"));
  EXPECT_EQ(ReadCheckSettings(path), TCheckSettings{});
  ASSERT_EQ(WriteCheckSettings(path, {120, 0}), QString());
  EXPECT_EQ(ReadCheckSettings(path), (TCheckSettings{120, 0}));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("[Checks]\nBellClearance=-5\nWallClearance=abc\n");
  f.close();
  EXPECT_EQ(ReadCheckSettings(path), TCheckSettings{});
}
