#include "document/document_file.h"

#include <QFile>
#include <QHash>
#include <algorithm>
#include <optional>
#include <utility>

#include "document/drawable_values.h"
#include "document/point_text.h"
#include "platform/atomic_file.h"
#include "platform/ini_file.h"

namespace {

const QString kApplication = QStringLiteral("Application");

QString SectionName(std::size_t n) { return QStringLiteral("Object") + QString::number(n); }

void WriteObject(TIniFile& ini, const QString& s, const TPlanObject& o) {
  ini.WriteString(s, u"ObjName", o.ObjName);
  ini.WriteInteger(s, u"ObjType", KindToFileType(o.ObjType));
  ini.WriteBool(s, u"ObjVisible", o.ObjVisible);
  ini.WriteInteger(s, u"WallType", o.WallType);
  ini.WriteInteger(s, u"WallMaterial", o.WallMaterial);
  ini.WriteInteger(s, u"WallDiameterOuter_R", o.WallDiameterOuter);
  ini.WriteInteger(s, u"WallDiameterInner_R", o.WallDiameterInner);
  ini.WriteInteger(s, u"WallWallWidth_R", o.WallWallWidth);
  ini.WriteInteger(s, u"WallArcWidth_R", o.WallArcWidth);
  ini.WriteInteger(s, u"BellDiameter_R", o.BellDiameter);
  ini.WriteString(s, u"BellPosition_R", PointToText(o.BellPosition));
  ini.WriteInteger(s, u"PostAngle", o.PostAngle);
  ini.WriteInteger(s, u"PostWidth_R", o.PostWidth);
  ini.WriteInteger(s, u"PostHeight_R", o.PostHeight);
  ini.WriteInteger(s, u"PostBoardDiameter_R", o.PostBoardDiameter);
  ini.WriteString(s, u"PostPosition_R", PointToText(o.PostPosition));
  ini.WriteInteger(s, u"BeemMaterial", o.BeemMaterial);
  ini.WriteInteger(s, u"BeemWidth_R", o.BeemWidth);
  ini.WriteInteger(s, u"BeemOrientation", o.BeemOrientation);
  ini.WriteString(s, u"BeemBeginPoint_R", PointToText(o.BeemBeginPoint));
  ini.WriteString(s, u"BeemEndPoint_R", PointToText(o.BeemEndPoint));
}

std::uint8_t WallTypeFromFile(std::int32_t v) {
  return v == 1 || v == 2 ? static_cast<std::uint8_t>(v) : 0;
}

QString NotAPlan(const QString& why) { return QStringLiteral("Not a plan document: ") + why; }

// Reads one section into a fresh record; false with the point message when a point is broken.
bool ReadObject(const TIniFile& ini, std::size_t n, TPlanObject& o, QString& error) {
  const QString s = SectionName(n);
  o.CreateIndex = static_cast<std::int32_t>(n);
  o.ObjName = ini.ReadString(s, u"ObjName");
  o.ObjType = FileTypeToKind(ini.ReadInteger(s, u"ObjType", 2));
  if (o.ObjType == okBell) o.BellDiameter = ini.ReadInteger(s, u"BellDiameter_R", 0);
  o.ObjVisible = ini.ReadBool(s, u"ObjVisible", true);

  o.WallType = WallTypeFromFile(ini.ReadInteger(s, u"WallType", 0));
  o.WallMaterial = ini.ReadInteger(s, u"WallMaterial", 0);
  o.WallDiameterOuter = ini.ReadInteger(s, u"WallDiameterOuter_R", 5600);
  o.WallDiameterInner = ini.ReadInteger(s, u"WallDiameterInner_R", 4000);
  o.WallWallWidth = ini.ReadInteger(s, u"WallWallWidth_R", 800);
  o.WallArcWidth = ini.ReadInteger(s, u"WallArcWidth_R", 1500);

  bool ok = true;
  auto point = [&](QStringView key) {
    if (!ok) return QPoint();
    const std::optional<QPoint> p =
        TextToPoint(ini.ReadString(s, key, QStringLiteral("0,0")), &error);
    ok = p.has_value();
    return p.value_or(QPoint());
  };
  o.BellPosition = point(u"BellPosition_R");
  o.PostAngle = ini.ReadInteger(s, u"PostAngle", 0);
  o.PostWidth = ini.ReadInteger(s, u"PostWidth_R", 1800);
  o.PostHeight = ini.ReadInteger(s, u"PostHeight_R", 800);
  o.PostBoardDiameter = ini.ReadInteger(s, u"PostBoardDiameter_R", 250);
  o.PostPosition = point(u"PostPosition_R");
  o.BeemMaterial = ini.ReadInteger(s, u"BeemMaterial", 2);
  o.BeemWidth = ini.ReadInteger(s, u"BeemWidth_R", 100);
  o.BeemOrientation = ini.ReadInteger(s, u"BeemOrientation", 0);
  o.BeemBeginPoint = point(u"BeemBeginPoint_R");
  o.BeemEndPoint = point(u"BeemEndPoint_R");
  return ok;
}

// The millimetre values an object of its kind puts on the plan, with their keys.
std::vector<std::pair<const char16_t*, std::int32_t>> PlanValues(const TPlanObject& o) {
  switch (o.ObjType) {
    case okWalls:
      return {};  // sizes the plan cannot draw are brought into range after the checks
    case okBell:
      return {{u"BellPosition_R", o.BellPosition.x()},
              {u"BellPosition_R", o.BellPosition.y()}};
    case okPost:
      return {{u"PostBoardDiameter_R", o.PostBoardDiameter},  // its sides are clamped by the window
              {u"PostPosition_R", o.PostPosition.x()},
              {u"PostPosition_R", o.PostPosition.y()}};
    case okBeam:
      return {{u"BeemWidth_R", o.BeemWidth},
              {u"BeemBeginPoint_R", o.BeemBeginPoint.x()},
              {u"BeemBeginPoint_R", o.BeemBeginPoint.y()},
              {u"BeemEndPoint_R", o.BeemEndPoint.x()},
              {u"BeemEndPoint_R", o.BeemEndPoint.y()}};
  }
  return {};
}

QString CheckObjects(const std::vector<TPlanObject>& objects) {
  if (objects.empty() || objects[0].ObjType != okWalls) {
    return NotAPlan(QStringLiteral("section Object0 must hold the walls"));
  }
  if (objects.size() < 2 || objects[1].ObjType != okPost) {
    return NotAPlan(QStringLiteral("section Object1 must hold the pedestal"));
  }
  // The range check of the other values is made against walls within the edit limits, so
  // that what a document may hold does not depend on how large its walls claim to be.
  const std::int64_t outer = std::clamp<std::int64_t>(objects[0].WallDiameterOuter, 1200, 16000);
  const std::int64_t limit = kMaxPlanFactor * outer;
  for (std::size_t n = 0; n < objects.size(); ++n) {
    const TPlanObject& o = objects[n];
    if (n >= 2 && o.ObjType != okBell && o.ObjType != okBeam) {
      return NotAPlan(
          QStringLiteral(
              "section %1 holds walls or a pedestal; only bells and beams may follow Object1")
              .arg(SectionName(n)));
    }
    for (const auto& [key, v] : PlanValues(o)) {
      if (v > limit || v < -limit) {
        return NotAPlan(QStringLiteral("%1 of section %2 is out of range")
                            .arg(QStringView(key), SectionName(n)));
      }
    }
  }
  return {};
}

// A bell that is not in the catalogue, or that repeats an earlier bell's diameter, has no place
// among the placed bells: it is left out and named in a warning, the rest of the plan opens.
QStringList LeaveOutStrayBells(std::vector<TPlanObject>& objects, std::span<const std::int32_t> catalogue) {
  QStringList warnings;
  QHash<std::int32_t, std::size_t> bellOfDiameter;
  std::vector<TPlanObject> kept;
  kept.reserve(objects.size());
  for (std::size_t n = 0; n < objects.size(); ++n) {
    TPlanObject& o = objects[n];
    if (o.ObjType == okBell) {
      if (!catalogue.empty() &&
          std::find(catalogue.begin(), catalogue.end(), o.BellDiameter) == catalogue.end()) {
        warnings << QStringLiteral("The bell \"%1\" of section %2 was left out: no catalogue bell has the diameter %3 mm.")
                        .arg(o.ObjName, SectionName(n))
                        .arg(o.BellDiameter);
        continue;
      }
      const auto same = bellOfDiameter.constFind(o.BellDiameter);
      if (same != bellOfDiameter.cend()) {
        warnings << QStringLiteral("The bell \"%1\" of section %2 was left out: the bell of section %3 has the same diameter.")
                        .arg(o.ObjName, SectionName(n), SectionName(*same));
        continue;
      }
      bellOfDiameter.insert(o.BellDiameter, n);
    }
    kept.push_back(std::move(o));
  }
  objects = std::move(kept);
  return warnings;
}

}  // namespace

QString DocumentVersionText() { return QStringLiteral("Тарвоск 1.0.3a - Орвелин"); }

QByteArray DocumentToBytes(std::span<const TPlanObject* const> objects) {
  TIniFile ini;
  ini.WriteString(kApplication, u"Version", DocumentVersionText());
  for (std::size_t n = 0; n < objects.size(); ++n) WriteObject(ini, SectionName(n), *objects[n]);
  return ini.ToBytes();
}

QByteArray DocumentToBytes(const std::vector<std::unique_ptr<TPlanObject>>& objects) {
  std::vector<const TPlanObject*> p;
  p.reserve(objects.size());
  for (const auto& o : objects) p.push_back(o.get());
  return DocumentToBytes(p);
}

QByteArray DocumentToBytes(const std::vector<TPlanObject>& objects) {
  std::vector<const TPlanObject*> p;
  p.reserve(objects.size());
  for (const auto& o : objects) p.push_back(&o);
  return DocumentToBytes(p);
}

QString SaveDocumentFile(const QString& path,
                         const std::vector<std::unique_ptr<TPlanObject>>& objects) {
  return WriteFileAtomically(path, DocumentToBytes(objects));
}

TDocumentContent ParseDocument(QByteArrayView bytes, std::span<const std::int32_t> bellDiameters) {
  const TIniFile ini(bytes);
  TDocumentContent result;
  std::vector<TPlanObject> objects;
  for (std::size_t n = 0; ini.SectionExists(SectionName(n)); ++n) {
    if (n == kMaxDocumentObjects) {
      result.Error =
          NotAPlan(QStringLiteral("it holds more than %1 objects").arg(kMaxDocumentObjects));
      return result;
    }
    TPlanObject o;
    if (!ReadObject(ini, n, o, result.Error)) return result;
    objects.push_back(std::move(o));
  }
  result.Error = CheckObjects(objects);
  if (!result.Ok()) return result;
  result.Warnings = LeaveOutStrayBells(objects, bellDiameters);
  result.Warnings += MakeDrawable(objects);
  result.Objects = std::move(objects);
  return result;
}

TDocumentContent ReadDocumentFile(const QString& path,
                                  std::span<const std::int32_t> bellDiameters) {
  QFile f(path);
  TDocumentContent result;
  if (!f.open(QIODevice::ReadOnly)) {
    result.Error = QStringLiteral("Cannot open file \"%1\". %2").arg(path, f.errorString());
    return result;
  }
  if (f.size() > kMaxDocumentBytes) {
    result.Error = NotAPlan(QStringLiteral("the file \"%1\" is too large").arg(path));
    return result;
  }
  const QByteArray bytes = f.read(kMaxDocumentBytes + 1);
  if (f.error() != QFileDevice::NoError || bytes.size() > kMaxDocumentBytes) {
    result.Error = QStringLiteral("Cannot read file \"%1\". %2").arg(path, f.errorString());
    return result;
  }
  return ParseDocument(bytes, bellDiameters);
}

QByteArray DocumentToBytes(const TPlanModel& model) { return DocumentToBytes(model.ToRecords()); }
