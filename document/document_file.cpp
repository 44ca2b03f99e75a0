#include "document/document_file.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <utility>

#include "document/document_place.h"
#include "document/drawable_values.h"
#include "document/point_text.h"
#include "platform/atomic_file.h"
#include "platform/cp1251.h"
#include "platform/ini_file.h"

namespace {

const QString kApplication = QStringLiteral("Application");

QString SectionName(std::size_t n) { return ObjectSectionName(n); }

// A document is written whole and new, so it is put together directly, line by line, as the
// INI writer would lay out a file it was given these keys in this order: a section header, then
// "key=value" lines, every line ended by CR LF, line breaks in a value turned into blanks, the
// whole text in code page 1251. Going through the general writer cost a lookup and a few
// allocations for every key, most of the time a save of a large plan took.
class TDocumentText {
 public:
  explicit TDocumentText(std::size_t objects) { FText.reserve(static_cast<qsizetype>(64 + 560 * objects)); }
  void Section(QStringView name) {
    FText += u'[';
    FText += name;
    FText += u"]\r\n";
  }
  void Value(QStringView key, QStringView value) {
    FText += key;
    FText += u'=';
    const qsizetype at = FText.size();
    FText += value;
    for (qsizetype i = at; i < FText.size(); ++i)
      if (FText[i] == u'\r' || FText[i] == u'\n') FText[i] = u' ';
    FText += u"\r\n";
  }
  void Value(QStringView key, std::int32_t value) {
    FText += key;
    FText += u'=';
    FText += QString::number(value);
    FText += u"\r\n";
  }
  void Value(QStringView key, QPoint p) { Value(key, PointToText(p)); }
  QByteArray Bytes() const { return StringToCp1251(FText); }

 private:
  QString FText;
};

void WriteObject(TDocumentText& text, const TPlanObject& o) {
  text.Value(u"ObjName", o.ObjName);
  text.Value(u"ObjType", KindToFileType(o.ObjType));
  text.Value(u"ObjVisible", o.ObjVisible ? 1 : 0);
  text.Value(u"WallType", o.WallType);
  text.Value(u"WallMaterial", o.WallMaterial);
  text.Value(u"WallDiameterOuter_R", o.WallDiameterOuter);
  text.Value(u"WallDiameterInner_R", o.WallDiameterInner);
  text.Value(u"WallWallWidth_R", o.WallWallWidth);
  text.Value(u"WallArcWidth_R", o.WallArcWidth);
  text.Value(u"BellDiameter_R", o.BellDiameter);
  text.Value(u"BellPosition_R", o.BellPosition);
  text.Value(u"PostAngle", o.PostAngle);
  text.Value(u"PostWidth_R", o.PostWidth);
  text.Value(u"PostHeight_R", o.PostHeight);
  text.Value(u"PostBoardDiameter_R", o.PostBoardDiameter);
  text.Value(u"PostPosition_R", o.PostPosition);
  text.Value(u"BeemMaterial", o.BeemMaterial);
  text.Value(u"BeemWidth_R", o.BeemWidth);
  text.Value(u"BeemOrientation", o.BeemOrientation);
  text.Value(u"BeemBeginPoint_R", o.BeemBeginPoint);
  text.Value(u"BeemEndPoint_R", o.BeemEndPoint);
}

std::uint8_t WallTypeFromFile(std::int32_t v) {
  return v == 1 || v == 2 ? static_cast<std::uint8_t>(v) : 0;
}

// The file is named by its name alone in the notes, by its path where it cannot be opened.
QString NotAPlan(const QString& fileName, const QString& why) {
  const QString head = fileName.isEmpty()
                           ? QStringLiteral("Это не документ плана. ")
                           : QStringLiteral("Файл «%1» не открыт: это не документ плана. ").arg(fileName);
  return head + why;
}

// The keys an object's section may hold, in the order they are read.
enum TObjectKey {
  kObjName, kObjType, kBellDiameter, kObjVisible, kWallType, kWallMaterial, kWallDiameterOuter,
  kWallDiameterInner, kWallWallWidth, kWallArcWidth, kBellPosition, kPostAngle, kPostWidth,
  kPostHeight, kPostBoardDiameter, kPostPosition, kBeemMaterial, kBeemWidth, kBeemOrientation,
  kBeemBeginPoint, kBeemEndPoint, kObjectKeyCount
};

// Each key as the INI file folds it (lower case), to its place among the object's keys. Looked
// up by comparing the folded key with each: 21 short names, no string made for the lookup.
TObjectKey ObjectKeyOf(QStringView folded) {
  static constexpr std::pair<std::u16string_view, TObjectKey> kNames[] = {
      {u"objname", kObjName}, {u"objtype", kObjType}, {u"belldiameter_r", kBellDiameter},
      {u"objvisible", kObjVisible}, {u"walltype", kWallType}, {u"wallmaterial", kWallMaterial},
      {u"walldiameterouter_r", kWallDiameterOuter}, {u"walldiameterinner_r", kWallDiameterInner},
      {u"wallwallwidth_r", kWallWallWidth}, {u"wallarcwidth_r", kWallArcWidth},
      {u"bellposition_r", kBellPosition}, {u"postangle", kPostAngle}, {u"postwidth_r", kPostWidth},
      {u"postheight_r", kPostHeight}, {u"postboarddiameter_r", kPostBoardDiameter},
      {u"postposition_r", kPostPosition}, {u"beemmaterial", kBeemMaterial}, {u"beemwidth_r", kBeemWidth},
      {u"beemorientation", kBeemOrientation}, {u"beembeginpoint_r", kBeemBeginPoint},
      {u"beemendpoint_r", kBeemEndPoint}};
  const std::u16string_view key(folded.utf16(), static_cast<std::size_t>(folded.size()));
  for (const auto& [name, k] : kNames)
    if (name == key) return k;
  return kObjectKeyCount;
}

// The keys that hold points, as a document spells them.
QStringView PointKeyName(TObjectKey k) {
  switch (k) {
    case kBellPosition:
      return u"BellPosition_R";
    case kPostPosition:
      return u"PostPosition_R";
    case kBeemBeginPoint:
      return u"BeemBeginPoint_R";
    default:
      return u"BeemEndPoint_R";
  }
}

// Reads one section into a fresh record; false with the point message when a point is broken:
// its first line the integer's message, its second the place of the point.
// The section is walked once; each value is then read as the INI functions read it, in the
// fixed order, so the first broken point named is the one a key-by-key reading meets first.
bool ReadObject(const TIniFile& ini, std::size_t n, const QString& fileName, TPlanObject& o,
                QString& error) {
  std::array<std::optional<QStringView>, kObjectKeyCount> values;
  ini.ForEachValue(SectionName(n), [&](QStringView key, QStringView value) {
    const TObjectKey k = ObjectKeyOf(key);
    if (k != kObjectKeyCount) values[k] = value;
  });
  auto text = [&](TObjectKey k, QStringView def) { return values[k] ? *values[k] : def; };
  auto integer = [&](TObjectKey k, std::int32_t def) {
    return values[k] ? ParseIniInteger(*values[k]).value_or(def) : def;
  };
  o.CreateIndex = static_cast<std::int32_t>(n);
  o.ObjName = text(kObjName, {}).toString();
  o.ObjType = FileTypeToKind(integer(kObjType, 2));
  if (o.ObjType == okBell) o.BellDiameter = integer(kBellDiameter, 0);
  o.ObjVisible = integer(kObjVisible, 1) != 0;

  o.WallType = WallTypeFromFile(integer(kWallType, 0));
  o.WallMaterial = integer(kWallMaterial, 0);
  o.WallDiameterOuter = integer(kWallDiameterOuter, 5600);
  o.WallDiameterInner = integer(kWallDiameterInner, 4000);
  o.WallWallWidth = integer(kWallWallWidth, 800);
  o.WallArcWidth = integer(kWallArcWidth, 1500);

  bool ok = true;
  auto point = [&](TObjectKey k) {
    if (!ok) return QPoint();
    const QStringView stored = text(k, u"0,0");
    const std::optional<QPoint> p = TextToPoint(stored, &error);
    ok = p.has_value();
    if (!ok)
      error += QLatin1Char('\n') + DocumentNote(fileName, n, PointKeyName(k), stored,
                                    QStringLiteral("Точка пишется двумя целыми числами через "
                                                   "запятую, например 2800,4200; документ не открыт."));
    return p.value_or(QPoint());
  };
  o.BellPosition = point(kBellPosition);
  o.PostAngle = integer(kPostAngle, 0);
  o.PostWidth = integer(kPostWidth, 1800);
  o.PostHeight = integer(kPostHeight, 800);
  o.PostBoardDiameter = integer(kPostBoardDiameter, 250);
  o.PostPosition = point(kPostPosition);
  o.BeemMaterial = integer(kBeemMaterial, 2);
  o.BeemWidth = integer(kBeemWidth, 100);
  o.BeemOrientation = integer(kBeemOrientation, 0);
  o.BeemBeginPoint = point(kBeemBeginPoint);
  o.BeemEndPoint = point(kBeemEndPoint);
  return ok;
}

// The millimetre values an object of its kind puts on the plan, with their keys and the value
// of the key as a whole (a point is one key of two numbers).
struct TPlanValue {
  const char16_t* Key;
  std::int32_t Value;
  QString Text;
};
std::vector<TPlanValue> PlanValues(const TPlanObject& o) {
  const auto number = [](std::int32_t v) { return QString::number(v); };
  switch (o.ObjType) {
    case okWalls:
      return {};  // sizes the plan cannot draw are brought into range after the checks
    case okBell:
      return {{u"BellPosition_R", o.BellPosition.x(), PointToText(o.BellPosition)},
              {u"BellPosition_R", o.BellPosition.y(), PointToText(o.BellPosition)}};
    case okPost:  // its sides are clamped by the window
      return {{u"PostBoardDiameter_R", o.PostBoardDiameter, number(o.PostBoardDiameter)},
              {u"PostPosition_R", o.PostPosition.x(), PointToText(o.PostPosition)},
              {u"PostPosition_R", o.PostPosition.y(), PointToText(o.PostPosition)}};
    case okBeam:
      return {{u"BeemWidth_R", o.BeemWidth, number(o.BeemWidth)},
              {u"BeemBeginPoint_R", o.BeemBeginPoint.x(), PointToText(o.BeemBeginPoint)},
              {u"BeemBeginPoint_R", o.BeemBeginPoint.y(), PointToText(o.BeemBeginPoint)},
              {u"BeemEndPoint_R", o.BeemEndPoint.x(), PointToText(o.BeemEndPoint)},
              {u"BeemEndPoint_R", o.BeemEndPoint.y(), PointToText(o.BeemEndPoint)}};
  }
  return {};
}

QString CheckObjects(const std::vector<TPlanObject>& objects, const QString& fileName) {
  if (objects.empty() || objects[0].ObjType != okWalls) {
    return NotAPlan(fileName, QStringLiteral("В разделе [Object0] должны быть стены (ObjType=0)."));
  }
  if (objects.size() < 2 || objects[1].ObjType != okPost) {
    return NotAPlan(fileName, QStringLiteral("В разделе [Object1] должен быть постамент (ObjType=3)."));
  }
  // The range check of the other values is made against walls within the edit limits, so
  // that what a document may hold does not depend on how large its walls claim to be.
  const std::int64_t outer = std::clamp<std::int64_t>(objects[0].WallDiameterOuter, 1200, 16000);
  const std::int64_t limit = kMaxPlanFactor * outer;
  for (std::size_t n = 0; n < objects.size(); ++n) {
    const TPlanObject& o = objects[n];
    if (n >= 2 && o.ObjType != okBell && o.ObjType != okBeam) {
      return NotAPlan(fileName, QStringLiteral("В разделе [%1] стены или постамент (ключ ObjType), а "
                                               "после [Object1] могут идти только колокола и балки.")
                                    .arg(SectionName(n)));
    }
    for (const TPlanValue& v : PlanValues(o)) {
      if (v.Value > limit || v.Value < -limit) {
        return NotAPlan(fileName, DocumentNote({}, n, v.Key, v.Text,
                                               QStringLiteral("Число %1 мм вне допустимого для плана: от −%2 до %2 мм.")
                                                   .arg(v.Value)
                                                   .arg(limit)));
      }
    }
  }
  return {};
}

// A bell that is not in the catalogue, or that repeats an earlier bell's diameter, has no place
// among the placed bells: it is left out and named in a warning, the rest of the plan opens.
QStringList LeaveOutStrayBells(std::vector<TPlanObject>& objects, std::span<const std::int32_t> catalogue,
                               const QString& fileName) {
  QStringList warnings;
  QHash<std::int32_t, std::size_t> bellOfDiameter;
  std::vector<TPlanObject> kept;
  kept.reserve(objects.size());
  for (std::size_t n = 0; n < objects.size(); ++n) {
    TPlanObject& o = objects[n];
    if (o.ObjType == okBell) {
      if (!catalogue.empty() &&
          std::find(catalogue.begin(), catalogue.end(), o.BellDiameter) == catalogue.end()) {
        warnings << DocumentNote(fileName, n, u"BellDiameter_R", QString::number(o.BellDiameter),
                                 QStringLiteral("Колокол «%1» не открыт: в каталоге нет колокола "
                                                "диаметром %2 мм.")
                                     .arg(o.ObjName)
                                     .arg(o.BellDiameter));
        continue;
      }
      const auto same = bellOfDiameter.constFind(o.BellDiameter);
      if (same != bellOfDiameter.cend()) {
        warnings << DocumentNote(fileName, n, u"BellDiameter_R", QString::number(o.BellDiameter),
                                 QStringLiteral("Колокол «%1» не открыт: колокол того же диаметра "
                                                "уже стоит в разделе [%2].")
                                     .arg(o.ObjName, SectionName(*same)));
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
  TDocumentText text(objects.size());
  text.Section(kApplication);
  text.Value(u"Version", DocumentVersionText());
  for (std::size_t n = 0; n < objects.size(); ++n) {
    text.Section(SectionName(n));
    WriteObject(text, *objects[n]);
  }
  return text.Bytes();
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

TDocumentContent ParseDocument(QByteArrayView bytes, std::span<const std::int32_t> bellDiameters,
                               const QString& fileName) {
  const TIniFile ini(bytes);
  TDocumentContent result;
  std::vector<TPlanObject> objects;
  for (std::size_t n = 0; ini.SectionExists(SectionName(n)); ++n) {
    if (n == kMaxDocumentObjects) {
      result.Error = NotAPlan(
          fileName, QStringLiteral("В нём больше %1 объектов.").arg(kMaxDocumentObjects));
      return result;
    }
    TPlanObject o;
    if (!ReadObject(ini, n, fileName, o, result.Error)) return result;
    objects.push_back(std::move(o));
  }
  result.Error = CheckObjects(objects, fileName);
  if (!result.Ok()) return result;
  result.Warnings = LeaveOutStrayBells(objects, bellDiameters, fileName);
  result.Warnings += MakeDrawable(objects, fileName);
  result.Objects = std::move(objects);
  return result;
}

TDocumentContent ReadDocumentFile(const QString& path,
                                  std::span<const std::int32_t> bellDiameters) {
  QFile f(path);
  TDocumentContent result;
  if (!f.open(QIODevice::ReadOnly)) {
    result.Error = QStringLiteral("Не удалось открыть файл «%1». %2").arg(path, f.errorString());
    return result;
  }
  if (f.size() > kMaxDocumentBytes) {
    result.Error = QStringLiteral("Файл «%1» не открыт: он больше %2 МБ, это не документ плана.")
                       .arg(path)
                       .arg(kMaxDocumentBytes / (1024 * 1024));
    return result;
  }
  const QByteArray bytes = f.read(kMaxDocumentBytes + 1);
  if (f.error() != QFileDevice::NoError || bytes.size() > kMaxDocumentBytes) {
    result.Error = QStringLiteral("Не удалось прочитать файл «%1». %2").arg(path, f.errorString());
    return result;
  }
  return ParseDocument(bytes, bellDiameters, QFileInfo(path).fileName());
}

QByteArray DocumentToBytes(const TPlanModel& model) { return DocumentToBytes(model.ToRecords()); }
