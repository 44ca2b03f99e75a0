// The document checks that run the whole editor: opening a document in a real main window.
#include "fuzz/window_checks.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include "app/tfm_main.h"
#include "document/document_file.h"
#include "document/plan_opening.h"

namespace {

// Error texts collected from the window, per check.
QStringList& Reported() {
  static QStringList messages;
  return messages;
}

}  // namespace

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
  // The window's messages name the file as reading it names it.
  const TDocumentContent content =
      ParseDocument(bytes, window.FBellDiameters, QFileInfo(tempPath).fileName());
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
  (void)window.FRenderer.ComposePlanImage();
  // The window holds the plan that opening the bytes alone gives.
  if (TPlanModel::Capture(objects) != OpenPlanBytes(bytes, window.FBellDiameters).Model())
    return QStringLiteral("the window's plan differs from the opened document's");
  const TDocumentContent again = ParseDocument(DocumentToBytes(objects), window.FBellDiameters);
  if (!again.Ok()) return QStringLiteral("the opened plan saves to a file it refuses: %1").arg(again.Error);
  if (again.Objects.size() != objects.size()) return QStringLiteral("the saved plan has another object count");
  return {};
}
