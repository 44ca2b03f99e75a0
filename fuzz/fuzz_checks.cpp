#include "fuzz/fuzz_checks.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <limits>

#include "app/tfm_main.h"
#include "document/document_file.h"
#include "document/point_text.h"
#include "platform/ini_file.h"

namespace {

// Error texts collected from the window, per check.
QStringList& Reported() {
  static QStringList messages;
  return messages;
}

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

TfmMain* MakeFuzzWindow(const QString& folder) {
  TStartOptions options;
  options.ViewIniRead = folder + QStringLiteral("/view.ini");
  options.ViewIniWrite = options.ViewIniRead;
  options.RegisterFileType = false;
  auto* w = new TfmMain(options);
  w->FErrorReport = [](const QString& m) { Reported() << m; };
  w->show();
  w->SetPlanClientSize(QSize(400, 300));
  QCoreApplication::processEvents();
  return w;
}

QString CheckDocumentInput(TfmMain& window, QByteArrayView bytes, const QString& tempPath) {
  {
    QFile f(tempPath);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes.data(), bytes.size()) != bytes.size())
      return QStringLiteral("cannot write %1").arg(tempPath);
  }
  const TDocumentContent content = ParseDocument(bytes, window.FBellDiameters);
  const QByteArray before = DocumentToBytes(window.FObjects);
  Reported().clear();
  const bool opened = window.OpenDocument(tempPath);
  QCoreApplication::processEvents();
  const QStringList messages = Reported();
  if (opened != content.Ok()) return QStringLiteral("the window and the parser disagree on the file");
  if (!opened) {
    if (messages != QStringList{content.Error}) return QStringLiteral("a refused file gave %1 messages").arg(messages.size());
    if (DocumentToBytes(window.FObjects) != before) return QStringLiteral("a refused file changed the plan");
    return {};
  }
  // Bells left out of an accepted file are named in one message; nothing else is said.
  const QStringList expected =
      content.Warnings.isEmpty() ? QStringList() : QStringList{content.Warnings.join(u'\n')};
  if (messages != expected)
    return QStringLiteral("an accepted file gave the messages: %1").arg(messages.join(u'|'));
  const auto& objects = window.FObjects;
  if (objects.size() != content.Objects.size()) return QStringLiteral("object count differs from the file");
  if (objects[0]->ObjType != okWalls || objects[1]->ObjType != okPost)
    return QStringLiteral("walls and pedestal are not objects 0 and 1");
  QSet<QString> names;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    const TPlanObject& o = *objects[i];
    if (!o.Layer) return QStringLiteral("object %1 has no layer").arg(i);
    if ((o.ObjType == okBell || o.ObjType == okBeam) && names.contains(o.ObjName))
      return QStringLiteral("two bells or beams are named '%1'").arg(o.ObjName);
    names.insert(o.ObjName);
  }
  for (int k = 1; k <= 24; ++k) {
    bool stored = false;
    for (const auto& o : objects) stored = stored || (o->ObjType == okBeam && o->BeemOrientation == k);
    if (window.ChordBox(k) && window.ChordBox(k)->isChecked() != stored)
      return QStringLiteral("chord box %1 does not match the beams").arg(k);
  }
  (void)window.ComposePlanImage();
  const TDocumentContent again = ParseDocument(DocumentToBytes(objects), window.FBellDiameters);
  if (!again.Ok()) return QStringLiteral("the opened plan saves to a file it refuses: %1").arg(again.Error);
  if (again.Objects.size() != objects.size()) return QStringLiteral("the saved plan has another object count");
  return {};
}
