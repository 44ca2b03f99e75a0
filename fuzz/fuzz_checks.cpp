#include "fuzz/fuzz_checks.h"

#include <QRegularExpression>
#include <QSet>
#include <limits>

#include "beams/orientations.h"
#include "bells/bell_catalogue.h"
#include "document/document_file.h"
#include "document/plan_opening.h"
#include "document/point_text.h"
#include "platform/ini_file.h"
#include "render/plan_picture.h"

namespace {

QString Printable(QByteArrayView bytes) {
  QString s;
  for (char c : bytes) s += c >= 0x20 && c < 0x7f ? QChar(c) : QChar(u' ');
  return s;
}

}  // namespace

QString CheckIniInput(QByteArrayView bytes) {
  TIniFile ini(bytes);
  const QStringList names = ini.SectionNames();
  for (qsizetype i = 0; i < names.size() && i < 64; ++i) {
    // Reads of whatever the file holds stay within it.
    (void)ini.ReadString(names[i], u"ObjName");
    (void)ini.ReadInteger(names[i], u"ObjType", 2);
    if (ini.KeyExists(names[i], u"ObjName") && !ini.SectionExists(names[i]))
      return QStringLiteral("a key exists in section '%1', which does not").arg(names[i]);
  }

  const QByteArray once = ini.ToBytes();
  const TIniFile reread(once);
  if (reread.ToBytes() != once) return QStringLiteral("writing the file back is not stable");
  if (reread.SectionNames() != names) return QStringLiteral("the sections changed on rewrite");

  // A value from the input's own bytes, with its line breaks, under a key of the first section.
  const QString section = names.isEmpty() ? QStringLiteral("Fuzz") : names.first();
  const QString value = QString::fromLatin1(bytes.first(qMin<qsizetype>(bytes.size(), 300)))
                            .remove(QRegularExpression(QStringLiteral("[^\\x20-\\x7e\\r\\n]")));
  QString expected = value;
  expected.replace(u'\r', u' ').replace(u'\n', u' ');
  while (!expected.isEmpty() && expected.front() == u' ') expected.remove(0, 1);
  while (!expected.isEmpty() && expected.back() == u' ') expected.chop(1);
  TIniFile edited(bytes);
  edited.WriteString(section, u"FuzzKey", value);
  if (edited.ReadString(section, u"FuzzKey") != expected)
    return QStringLiteral("a written value does not read back");
  const TIniFile saved(edited.ToBytes());
  if (saved.ReadString(section, u"FuzzKey") != expected)
    return QStringLiteral("a written value does not survive the file");
  if (saved.SectionNames().size() != names.size() + (names.isEmpty() ? 1 : 0))
    return QStringLiteral("a written value made or lost a section");
  return {};
}

QString CheckPointInput(QByteArrayView bytes) {
  const QString text = QString::fromUtf8(bytes);
  QString error;
  const std::optional<QPoint> p = TextToPoint(text, &error);
  if (!p) {
    if (!error.endsWith(QStringLiteral("' is not a valid integer value")) || !error.startsWith(u'\''))
      return QStringLiteral("a refused point gives the message '%1'").arg(error);
  } else {
    const std::optional<QPoint> back = TextToPoint(PointToText(*p));
    if (back != p) return QStringLiteral("'%1' does not read back as itself").arg(PointToText(*p));
  }
  // Plain decimal parts: the value exactly when it fits, else a failure.
  static const QRegularExpression decimal(QStringLiteral("\\A([+-]?[0-9]{1,30}),([+-]?[0-9]{1,30})\\z"));
  const QRegularExpressionMatch m = decimal.match(text);
  if (m.hasMatch()) {
    auto value = [](const QString& s) -> std::optional<std::int32_t> {
      bool ok = false;
      const qlonglong v = s.toLongLong(&ok);
      if (!ok || v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
      return static_cast<std::int32_t>(v);
    };
    const auto x = value(m.captured(1)), y = value(m.captured(2));
    const std::optional<QPoint> want = x && y ? std::optional<QPoint>(QPoint(*x, *y)) : std::nullopt;
    if (p != want) return QStringLiteral("'%1' reads wrongly").arg(Printable(bytes));
  }
  return {};
}

QString CheckDocumentBytes(QByteArrayView bytes) {
  const TOpenedPlan plan = OpenPlanBytes(bytes, FBellDiameters);
  if (!plan.Ok()) return plan.Records.empty() ? QString() : QStringLiteral("a refused file gave objects");
  const auto& objects = plan.Records;
  if (objects.size() < 2 || objects[0].ObjType != okWalls || objects[1].ObjType != okPost)
    return QStringLiteral("walls and pedestal are not objects 0 and 1");
  QSet<QString> names;
  QSet<int> chords;
  for (std::size_t i = 2; i < objects.size(); ++i) {
    const TPlanObject& o = objects[i];
    if (o.ObjType != okBell && o.ObjType != okBeam) return QStringLiteral("object %1 is neither bell nor beam").arg(i);
    if (names.contains(o.ObjName)) return QStringLiteral("two bells or beams are named '%1'").arg(o.ObjName);
    names.insert(o.ObjName);
    // An orientation past the chords is kept as stored and lays the beam on no chord.
    if (o.ObjType == okBeam && IsChordOrientation(o.BeemOrientation)) {
      if (chords.contains(o.BeemOrientation)) return QStringLiteral("two beams lie on chord %1").arg(o.BeemOrientation);
      chords.insert(o.BeemOrientation);
    }
  }
  // What opening settled stays settled: the saved plan opens as it was saved, with nothing to say.
  const QByteArray saved = DocumentToBytes(plan.Model());
  const TOpenedPlan again = OpenPlanBytes(saved, FBellDiameters);
  if (!again.Ok()) return QStringLiteral("the opened plan saves to a file it refuses: %1").arg(again.Error);
  if (!again.Warnings.isEmpty())
    return QStringLiteral("the saved plan opens with the messages: %1").arg(again.Warnings.join(u'|'));
  // Compared as saved, not as models: a name with a lone CR in it is read as it stands and
  // saved with a blank there, as the INI functions write every value.
  if (DocumentToBytes(again.Model()) != saved) return QStringLiteral("the saved plan does not open as it was saved");
  return {};
}

QString CheckDocumentPicture(QByteArrayView bytes, QSize panel) {
  const TOpenedPlan plan = OpenPlanBytes(bytes, FBellDiameters);
  if (!plan.Ok()) return {};
  TPlanPicture drawn(plan.Records, panel);
  const QImage picture = drawn.Fixed();
  if (picture.size() != panel) return QStringLiteral("the picture is %1 x %2").arg(picture.width()).arg(picture.height());
  return {};
}
