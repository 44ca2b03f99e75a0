#pragma once

#include <QPointF>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "plan/plan_model.h"
#include "sheet/sheet_plan.h"

// What cannot be built in a plan that may look right: bells too close to each other or to the
// masonry, bells that hang on nothing, beams that rest on nothing, ropes that cross or rub a bell,
// bells over the ringer's head. Everything is measured in model millimetres on the fixed plan
// (the same ringing lines the sheet draws), never in pixels.

// The two clearances a designer keeps, in millimetres.
struct TCheckSettings {
  int BellClearance = 50;  // between the rims of two bells
  int WallClearance = 50;  // between a bell's rim and the masonry
  friend bool operator==(const TCheckSettings&, const TCheckSettings&) = default;
};
inline constexpr int kCheckClearanceMax = 2000;

enum class TCheckRule {
  BellsTooClose,
  BellHitsWall,
  BellOnNoBeam,
  BeamEndUnsupported,
  LineCrossesLine,
  LineOverBell,
  BellOverRinger,
};

// The fixed id of a rule: "bells-too-close", "bell-hits-wall", ...
QString CheckRuleId(TCheckRule rule);

struct TFinding {
  TCheckRule Rule = TCheckRule::BellsTooClose;
  std::vector<int> Objects;  // indices in the object list, the first is the one to show
  QStringList Names;         // their names, in the same order
  QString Message;           // Russian, names the objects and the distance
  QPointF At;                // the place it concerns, in millimetres
  // The measured distance (negative: an overlap of that depth); none where nothing was measured
  // (a bell with no beam on the plan at all).
  std::optional<double> DistanceMm;
  friend bool operator==(const TFinding&, const TFinding&) = default;
};

// Every finding of the plan, rule by rule in the order above, objects in list order.
std::vector<TFinding> CheckSheetPlan(const TSheetPlan& plan, const TCheckSettings& settings);
std::vector<TFinding> CheckPlan(const TPlanModel& model, const TCheckSettings& settings);

// "bells-too-close: Колокола «А» и «Б» ..." : one finding a line, as `--check` prints them.
QString FindingLine(const TFinding& finding);
// A JSON array of objects with "rule", "objects", "message", "at" ({"x","y"} in mm) and
// "distance_mm", as `--check --json` prints it.
QByteArray FindingsToJson(const std::vector<TFinding>& findings);

// The user's clearances: "[Checks]" of an INI file. A missing file or values out of range give
// the defaults for those values; the result is empty on success, else the message.
TCheckSettings ReadCheckSettings(const QString& path);
QString WriteCheckSettings(const QString& path, const TCheckSettings& settings);
// $XDG_CONFIG_HOME/tarvosk/checks.ini (%APPDATA%\tarvosk on Windows), beside sheet.ini.
QString CheckSettingsPath();
