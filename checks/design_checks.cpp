#include "checks/design_checks.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>

#include "checks/plan_geometry.h"
#include "sheet/bill.h"
#include "platform/ini_file.h"
#include "platform/user_folders.h"

using namespace plan_geometry;

namespace {

QString Quoted(const QString& name) { return u'«' + name + u'»'; }
QString Mm(double mm) { return MillimetreText(mm) + QStringLiteral(" мм"); }

struct TCircle {
  const TSheetBell* Bell;
  QPointF Centre;
  double Radius;
};

std::vector<TCircle> VisibleBells(const TSheetPlan& plan) {
  // List order: findings name their objects as the object list shows them.
  std::vector<TCircle> bells;
  for (const TSheetBell& b : plan.Bells)
    if (b.Visible) bells.push_back({&b, QPointF(b.Centre), std::max(b.Diameter, 0) / 2.0});
  std::sort(bells.begin(), bells.end(),
            [](const TCircle& a, const TCircle& b) { return a.Bell->Index < b.Bell->Index; });
  return bells;
}

// A ringing line as the fixing draws it: from a bell of the hand or pedestal group to where its
// rope goes.
struct TRope {
  const TSheetBell* Bell;
  QLineF Line;
};

std::vector<TRope> Ropes(const std::vector<TCircle>& bells) {
  std::vector<TRope> ropes;
  for (const TCircle& c : bells) {
    const TSheetBell& b = *c.Bell;
    if (b.LineEnd && (b.Group == 1 || b.Group == 2)) ropes.push_back({&b, QLineF(c.Centre, QPointF(*b.LineEnd))});
  }
  return ropes;
}

class TChecker {
 public:
  TChecker(const TSheetPlan& plan, const TCheckSettings& settings)
      : FPlan(plan), FSettings(settings), FBells(VisibleBells(plan)), FMasonry(plan.Walls) {}

  std::vector<TFinding> Run() {
    BellsTooClose();
    BellsHitWalls();
    BellsOnNoBeam();
    BeamEnds();
    const std::vector<TRope> ropes = Ropes(FBells);
    LinesCross(ropes);
    LinesOverBells(ropes);
    BellsOverRinger();
    return std::move(FFindings);
  }

 private:
  void Add(TCheckRule rule, std::vector<std::pair<int, QString>> objects, QString message, QPointF at,
           std::optional<double> distance) {
    TFinding f;
    f.Rule = rule;
    for (auto& [index, name] : objects) {
      f.Objects.push_back(index);
      f.Names << name;
    }
    f.Message = std::move(message);
    f.At = at;
    f.DistanceMm = distance;
    FFindings.push_back(std::move(f));
  }

  void BellsTooClose() {
    const double clearance = FSettings.BellClearance;
    for (std::size_t i = 0; i < FBells.size(); ++i) {
      for (std::size_t j = i + 1; j < FBells.size(); ++j) {
        const TCircle &a = FBells[i], &b = FBells[j];
        const QPointF d = b.Centre - a.Centre;
        const double between = std::hypot(d.x(), d.y());
        const double gap = between - a.Radius - b.Radius;
        if (gap >= clearance && gap >= 0) continue;
        // Halfway between the rims on the line of the centres.
        const QPointF along = between > 0 ? d / between : QPointF(1, 0);
        const QPointF at = a.Centre + along * (a.Radius + gap / 2);
        const QString names = Quoted(a.Bell->Name) + QStringLiteral(" и ") + Quoted(b.Bell->Name);
        const QString message =
            gap < 0 ? QStringLiteral("Колокола %1 перекрываются на %2").arg(names, Mm(-gap))
                    : QStringLiteral("Колокола %1: между краями %2, нужно не меньше %3")
                          .arg(names, Mm(gap), Mm(clearance));
        Add(TCheckRule::BellsTooClose, {{a.Bell->Index, a.Bell->Name}, {b.Bell->Index, b.Bell->Name}},
            message, at, gap);
      }
    }
  }

  void BellsHitWalls() {
    if (FMasonry.Empty()) return;
    const double clearance = FSettings.WallClearance;
    for (const TCircle& c : FBells) {
      // A bell hung in an arch opening is meant to be there.
      if (FMasonry.InOpening(c.Centre)) continue;
      const double gap = FMasonry.SignedDistance(c.Centre) - c.Radius;
      const bool outside = !FMasonry.InsideOuter(c.Centre);
      if (!outside && gap >= clearance) continue;
      const QString name = Quoted(c.Bell->Name);
      QString message;
      if (outside)
        message = QStringLiteral("Колокол %1 висит за наружным контуром стен").arg(name);
      else if (gap < 0)
        message = QStringLiteral("Колокол %1 заходит в кладку стен на %2").arg(name, Mm(-gap));
      else
        message = QStringLiteral("Колокол %1: до кладки стен %2, нужно не меньше %3")
                      .arg(name, Mm(gap), Mm(clearance));
      Add(TCheckRule::BellHitsWall, {{c.Bell->Index, c.Bell->Name}}, message, c.Centre, gap);
    }
  }

  void BellsOnNoBeam() {
    for (const TCircle& c : FBells) {
      std::optional<double> nearest;
      bool hangs = false;
      for (const TSheetBeem& b : FPlan.Beems) {
        if (!b.Visible) continue;
        if (OnBand(b, c.Centre)) {
          hangs = true;
          break;
        }
        const double d = DistanceToBand(b, c.Centre);
        if (!nearest || d < *nearest) nearest = d;
      }
      if (hangs) continue;
      const QString name = Quoted(c.Bell->Name);
      const QString message =
          nearest ? QStringLiteral("Колокол %1 не висит ни на одной балке: до ближайшей балки %2")
                        .arg(name, Mm(*nearest))
                  : QStringLiteral("Колокол %1 не висит ни на одной балке: на плане нет балок").arg(name);
      Add(TCheckRule::BellOnNoBeam, {{c.Bell->Index, c.Bell->Name}}, message, c.Centre, nearest);
    }
  }

  void BeamEnds() {
    if (FMasonry.Empty()) return;
    for (const TSheetBeem& b : FPlan.Beems) {
      if (!b.Visible) continue;
      const QPoint ends[2] = {b.Begin, b.End};
      for (int k = 0; k < 2; ++k) {
        const QPointF p = ends[k];
        const double d = FMasonry.SignedDistance(p);
        // The chords end on the inner face itself; whole-millimetre corners may put a face a
        // millimetre either way.
        if (d <= 1.0) continue;
        QString where;
        if (FMasonry.InOpening(p))
          where = QStringLiteral("в проёме арки");
        else if (FMasonry.InsideInner(p))
          where = QStringLiteral("внутри яруса");
        else
          where = QStringLiteral("за стенами");
        const QString message = QStringLiteral("%1 балки %2 не опирается на кладку: %3, до кладки %4")
                                    .arg(k == 0 ? QStringLiteral("Начало") : QStringLiteral("Конец"),
                                         Quoted(b.Name), where, Mm(d));
        Add(TCheckRule::BeamEndUnsupported, {{b.Index, b.Name}}, message, p, d);
      }
    }
  }

  // Where the ropes come together at the ringer or the pedestal they may cross; that is how
  // they are tied, not a fault.
  bool AtTheRinger(QPointF p, const TRope& a, const TRope& b) const {
    auto near = [p](QPointF q) { return std::hypot(p.x() - q.x(), p.y() - q.y()) <= 1.0; };
    if (near(a.Line.p2()) && near(b.Line.p2())) return true;
    const TSheetPost& post = FPlan.Post;
    if (post.Outline.size() >= 3 && QPolygonF(post.Outline).containsPoint(p, Qt::OddEvenFill)) return true;
    return QRectF(post.Ringer.Bounds).contains(p);
  }

  void LinesCross(const std::vector<TRope>& ropes) {
    for (std::size_t i = 0; i < ropes.size(); ++i) {
      for (std::size_t j = i + 1; j < ropes.size(); ++j) {
        const TRope &a = ropes[i], &b = ropes[j];
        const std::optional<QPointF> at = SegmentCrossing(a.Line, b.Line);
        if (!at || AtTheRinger(*at, a, b)) continue;
        const QString message = QStringLiteral("Тяги колоколов %1 и %2 пересекаются")
                                    .arg(Quoted(a.Bell->Name), Quoted(b.Bell->Name));
        Add(TCheckRule::LineCrossesLine, {{a.Bell->Index, a.Bell->Name}, {b.Bell->Index, b.Bell->Name}},
            message, *at, 0.0);
      }
    }
  }

  void LinesOverBells(const std::vector<TRope>& ropes) {
    for (const TRope& r : ropes) {
      for (const TCircle& c : FBells) {
        if (c.Bell == r.Bell) continue;
        const QPointF at = ClosestOnSegment(r.Line, c.Centre);
        const double gap = std::hypot(at.x() - c.Centre.x(), at.y() - c.Centre.y()) - c.Radius;
        if (gap >= 0) continue;
        const QString message = QStringLiteral("Тяга колокола %1 проходит над колоколом %2, на %3 внутри его края")
                                    .arg(Quoted(r.Bell->Name), Quoted(c.Bell->Name), Mm(-gap));
        Add(TCheckRule::LineOverBell, {{r.Bell->Index, r.Bell->Name}, {c.Bell->Index, c.Bell->Name}},
            message, at, gap);
      }
    }
  }

  void BellsOverRinger() {
    const TSheetPost& post = FPlan.Post;
    if (post.Outline.size() < 3) return;
    const QPolygonF outline(post.Outline);
    for (const TCircle& c : FBells) {
      const double gap = SignedDistance(outline, c.Centre) - c.Radius;
      if (gap >= 0) continue;
      const QString message = QStringLiteral("Колокол %1 висит над постаментом %2: заходит на него на %3")
                                  .arg(Quoted(c.Bell->Name), Quoted(post.Name), Mm(-gap));
      Add(TCheckRule::BellOverRinger, {{c.Bell->Index, c.Bell->Name}, {1, post.Name}}, message, c.Centre, gap);
    }
  }

  const TSheetPlan& FPlan;
  TCheckSettings FSettings;
  std::vector<TCircle> FBells;
  TMasonry FMasonry;
  std::vector<TFinding> FFindings;
};

const QString kSection = QStringLiteral("Checks");
const QString kBellKey = QStringLiteral("BellClearance");
const QString kWallKey = QStringLiteral("WallClearance");

}  // namespace

QString CheckRuleId(TCheckRule rule) {
  // In the order of TCheckRule.
  static const char* const kIds[] = {"bells-too-close",   "bell-hits-wall", "bell-on-no-beam",
                                     "beam-end-unsupported", "line-crosses-line", "line-over-bell",
                                     "bell-over-ringer"};
  return QString::fromLatin1(kIds[static_cast<int>(rule)]);
}

std::vector<TFinding> CheckSheetPlan(const TSheetPlan& plan, const TCheckSettings& settings) {
  if (plan.Walls.Outer.isEmpty() && plan.Bells.empty() && plan.Beems.empty()) return {};
  return TChecker(plan, settings).Run();
}

std::vector<TFinding> CheckPlan(const TPlanModel& model, const TCheckSettings& settings) {
  return CheckSheetPlan(BuildSheetPlan(model), settings);
}

QString FindingLine(const TFinding& finding) {
  return CheckRuleId(finding.Rule) + QStringLiteral(": ") + finding.Message;
}

QByteArray FindingsToJson(const std::vector<TFinding>& findings) {
  QJsonArray all;
  for (const TFinding& f : findings) {
    QJsonObject o;
    o[QStringLiteral("rule")] = CheckRuleId(f.Rule);
    o[QStringLiteral("objects")] = QJsonArray::fromStringList(f.Names);
    o[QStringLiteral("message")] = f.Message;
    o[QStringLiteral("at")] = QJsonObject{{QStringLiteral("x"), std::round(f.At.x() * 10) / 10},
                                          {QStringLiteral("y"), std::round(f.At.y() * 10) / 10}};
    o[QStringLiteral("distance_mm")] =
        f.DistanceMm ? QJsonValue(std::round(*f.DistanceMm * 10) / 10) : QJsonValue(QJsonValue::Null);
    all.append(o);
  }
  return QJsonDocument(all).toJson(QJsonDocument::Indented);
}

TCheckSettings ReadCheckSettings(const QString& path) {
  TCheckSettings s;
  TIniFile ini;
  if (path.isEmpty() || !ini.LoadFromFile(path)) return s;
  auto clearance = [&](const QString& key, int fallback) {
    const int v = ini.ReadInteger(kSection, key, fallback);
    return v >= 0 && v <= kCheckClearanceMax ? v : fallback;
  };
  s.BellClearance = clearance(kBellKey, s.BellClearance);
  s.WallClearance = clearance(kWallKey, s.WallClearance);
  return s;
}

QString WriteCheckSettings(const QString& path, const TCheckSettings& settings) {
  TIniFile ini;
  ini.LoadFromFile(path);  // keeps whatever else the file holds; a missing file starts empty
  ini.WriteInteger(kSection, kBellKey, settings.BellClearance);
  ini.WriteInteger(kSection, kWallKey, settings.WallClearance);
  QDir().mkpath(QFileInfo(path).absolutePath());
  QString error;
  if (!ini.SaveToFile(path, &error)) return error;
  return {};
}

QString CheckSettingsPath() { return UserFolder(TUserFolder::Settings) + QStringLiteral("/checks.ini"); }
