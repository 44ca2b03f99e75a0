#include "document/document_file.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QVarLengthArray>
#include <algorithm>
#include <array>
#include <iterator>
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

QString SectionName(std::size_t n) { return ObjectSectionName(n); }

// The decimal digits of v, with a '-' before them when negative, as QString::number writes
// them, put at the end of `buffer`: where they start, no string made.
template <class Char, std::size_t N>
std::size_t DecimalIn(std::int64_t v, std::array<Char, N>& buffer) {
  static_assert(N >= 20);
  std::size_t at = N;
  std::uint64_t u = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
  do {
    buffer[--at] = static_cast<Char>('0' + u % 10);
    u /= 10;
  } while (u != 0);
  if (v < 0) buffer[--at] = '-';
  return at;
}

// "Object<n>", as ObjectSectionName spells it, in `buffer`: looked up once or twice for every
// object read, so no string is made for it.
QStringView SectionNameIn(std::size_t n, std::array<char16_t, 32>& buffer) {
  constexpr std::u16string_view kObject = u"Object";
  const std::size_t at = DecimalIn(static_cast<std::int64_t>(n), buffer) - kObject.size();
  kObject.copy(buffer.data() + at, kObject.size());
  return QStringView(buffer.data() + at, static_cast<qsizetype>(buffer.size() - at));
}

// A document is written whole and new, so it is put together directly, line by line, as the
// INI writer would lay out a file it was given these keys in this order: a section header, then
// "key=value" lines, every line ended by CR LF, line breaks in a value turned into blanks, the
// whole text in code page 1251. Going through the general writer cost a lookup and a few
// allocations for every key, most of the time a save of a large plan took. The names of sections
// and keys and the numbers are ASCII, so they go into the bytes as they are; only a text value is
// converted, where it stands.
class TDocumentText {
 public:
  explicit TDocumentText(std::size_t objects) { FBytes.reserve(static_cast<qsizetype>(64 + 560 * objects)); }
  void Section(const char* name) {
    FBytes += '[';
    FBytes += name;
    FBytes += "]\r\n";
  }
  void ObjectSection(std::size_t n) {
    std::array<char, 24> digits;
    const std::size_t at = DecimalIn(static_cast<std::int64_t>(n), digits);
    FBytes += "[Object";
    FBytes.append(digits.data() + at, static_cast<qsizetype>(digits.size() - at));
    FBytes += "]\r\n";
  }
  void Value(const char* key, QStringView value) {
    FBytes += key;
    FBytes += '=';
    const qsizetype at = FBytes.size();
    AppendCp1251(FBytes, value);
    // CR and LF are bytes 0x0D and 0x0A of the code page and no other character becomes them.
    if (value.contains(u'\r') || value.contains(u'\n')) {
      for (qsizetype i = at; i < FBytes.size(); ++i)
        if (FBytes[i] == '\r' || FBytes[i] == '\n') FBytes[i] = ' ';
    }
    FBytes += "\r\n";
  }
  void Value(const char* key, std::int32_t value) {
    FBytes += key;
    FBytes += '=';
    AppendDecimal(value);
    FBytes += "\r\n";
  }
  // As PointToText spells a point.
  void Value(const char* key, QPoint p) {
    FBytes += key;
    FBytes += '=';
    AppendDecimal(p.x());
    FBytes += ',';
    AppendDecimal(p.y());
    FBytes += "\r\n";
  }
  QByteArray Bytes() && { return std::move(FBytes); }

 private:
  void AppendDecimal(std::int32_t v) {
    std::array<char, 24> digits;
    const std::size_t at = DecimalIn(v, digits);
    FBytes.append(digits.data() + at, static_cast<qsizetype>(digits.size() - at));
  }

  QByteArray FBytes;
};

void WriteObject(TDocumentText& text, const TPlanObject& o) {
  text.Value("ObjName", o.ObjName);
  text.Value("ObjType", KindToFileType(o.ObjType));
  text.Value("ObjVisible", o.ObjVisible ? 1 : 0);
  text.Value("WallType", o.WallType);
  text.Value("WallMaterial", o.WallMaterial);
  text.Value("WallDiameterOuter_R", o.WallDiameterOuter);
  text.Value("WallDiameterInner_R", o.WallDiameterInner);
  text.Value("WallWallWidth_R", o.WallWallWidth);
  text.Value("WallArcWidth_R", o.WallArcWidth);
  text.Value("BellDiameter_R", o.BellDiameter);
  text.Value("BellPosition_R", o.BellPosition);
  text.Value("PostAngle", o.PostAngle);
  text.Value("PostWidth_R", o.PostWidth);
  text.Value("PostHeight_R", o.PostHeight);
  text.Value("PostBoardDiameter_R", o.PostBoardDiameter);
  text.Value("PostPosition_R", o.PostPosition);
  text.Value("BeemMaterial", o.BeemMaterial);
  text.Value("BeemWidth_R", o.BeemWidth);
  text.Value("BeemOrientation", o.BeemOrientation);
  text.Value("BeemBeginPoint_R", o.BeemBeginPoint);
  text.Value("BeemEndPoint_R", o.BeemEndPoint);
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

// The keys an object's section may hold, each with its place among the object's keys.
const std::pair<TIniName, TObjectKey> kObjectKeys[] = {
    {TIniName(u"ObjName"), kObjName}, {TIniName(u"ObjType"), kObjType},
    {TIniName(u"ObjVisible"), kObjVisible}, {TIniName(u"WallType"), kWallType},
    {TIniName(u"WallMaterial"), kWallMaterial}, {TIniName(u"WallDiameterOuter_R"), kWallDiameterOuter},
    {TIniName(u"WallDiameterInner_R"), kWallDiameterInner}, {TIniName(u"WallWallWidth_R"), kWallWallWidth},
    {TIniName(u"WallArcWidth_R"), kWallArcWidth}, {TIniName(u"BellDiameter_R"), kBellDiameter},
    {TIniName(u"BellPosition_R"), kBellPosition}, {TIniName(u"PostAngle"), kPostAngle},
    {TIniName(u"PostWidth_R"), kPostWidth}, {TIniName(u"PostHeight_R"), kPostHeight},
    {TIniName(u"PostBoardDiameter_R"), kPostBoardDiameter}, {TIniName(u"PostPosition_R"), kPostPosition},
    {TIniName(u"BeemMaterial"), kBeemMaterial}, {TIniName(u"BeemWidth_R"), kBeemWidth},
    {TIniName(u"BeemOrientation"), kBeemOrientation}, {TIniName(u"BeemBeginPoint_R"), kBeemBeginPoint},
    {TIniName(u"BeemEndPoint_R"), kBeemEndPoint}};

// The keys by the hashes of their names, in 64 slots (an entry of kObjectKeys, -1 for none): a
// key is found with one comparison of hashes and, when they agree, of names, whatever its place
// in the section.
constexpr std::size_t kKeySlots = 64;
std::size_t KeySlotOf(std::uint32_t hash) { return (hash * 0x9e3779b1u) >> 26; }
struct TKeySlot {
  std::uint32_t Hash = 0;
  std::int8_t Key = -1;
};
const std::array<TKeySlot, kKeySlots> kKeySlotTable = [] {
  std::array<TKeySlot, kKeySlots> t{};
  for (std::size_t i = 0; i < std::size(kObjectKeys); ++i) {
    const std::uint32_t h = kObjectKeys[i].first.Hash();
    std::size_t at = KeySlotOf(h);
    while (t[at].Key >= 0) at = (at + 1) % kKeySlots;
    t[at] = {h, static_cast<std::int8_t>(i)};
  }
  return t;
}();

// A key's place among the object's keys, the key matched as the INI file matches names.
TObjectKey ObjectKeyOf(const TIniName& key) {
  const std::uint32_t h = key.Hash();
  for (std::size_t at = KeySlotOf(h); kKeySlotTable[at].Key >= 0; at = (at + 1) % kKeySlots) {
    if (kKeySlotTable[at].Hash != h) continue;
    const auto& [name, k] = kObjectKeys[static_cast<std::size_t>(kKeySlotTable[at].Key)];
    if (name == key) return k;
  }
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
  std::array<char16_t, 32> name;
  ini.ForEachValue(SectionNameIn(n, name), [&](const TIniName& key, QStringView value) {
    const TObjectKey k = ObjectKeyOf(key);
    if (k != kObjectKeyCount && !values[k]) values[k] = value;  // the first of a name is read
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
// of the key as a whole (a point is one key of two numbers), spelled only for a message.
struct TPlanValue {
  const char16_t* Key;
  std::int32_t Value;
  std::optional<QPoint> Point;  // the key's point, when the value is one of its numbers
  QString Text() const { return Point ? PointToText(*Point) : QString::number(Value); }
};
QVarLengthArray<TPlanValue, 5> PlanValues(const TPlanObject& o) {
  switch (o.ObjType) {
    case okWalls:
      return {};  // sizes the plan cannot draw are brought into range after the checks
    case okBell:
      return {{u"BellPosition_R", o.BellPosition.x(), o.BellPosition},
              {u"BellPosition_R", o.BellPosition.y(), o.BellPosition}};
    case okPost:  // its sides are clamped by the window
      return {{u"PostBoardDiameter_R", o.PostBoardDiameter, std::nullopt},
              {u"PostPosition_R", o.PostPosition.x(), o.PostPosition},
              {u"PostPosition_R", o.PostPosition.y(), o.PostPosition}};
    case okBeam:
      return {{u"BeemWidth_R", o.BeemWidth, std::nullopt},
              {u"BeemBeginPoint_R", o.BeemBeginPoint.x(), o.BeemBeginPoint},
              {u"BeemBeginPoint_R", o.BeemBeginPoint.y(), o.BeemBeginPoint},
              {u"BeemEndPoint_R", o.BeemEndPoint.x(), o.BeemEndPoint},
              {u"BeemEndPoint_R", o.BeemEndPoint.y(), o.BeemEndPoint}};
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
        return NotAPlan(fileName, DocumentNote({}, n, v.Key, v.Text(),
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
  std::size_t kept = 0;  // the objects kept are moved up in place, in their order
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
    if (kept != n) objects[kept] = std::move(o);
    ++kept;
  }
  objects.erase(objects.begin() + static_cast<std::ptrdiff_t>(kept), objects.end());
  return warnings;
}

}  // namespace

QString DocumentVersionText() { return QStringLiteral("Тарвоск 1.0.3a - Орвелин"); }

QByteArray DocumentToBytes(std::span<const TPlanObject* const> objects) {
  TDocumentText text(objects.size());
  text.Section("Application");
  text.Value("Version", DocumentVersionText());
  for (std::size_t n = 0; n < objects.size(); ++n) {
    text.ObjectSection(n);
    WriteObject(text, *objects[n]);
  }
  return std::move(text).Bytes();
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
  objects.reserve(std::min(ini.SectionCount(), kMaxDocumentObjects));
  std::array<char16_t, 32> name;
  for (std::size_t n = 0; ini.SectionExists(SectionNameIn(n, name)); ++n) {
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
