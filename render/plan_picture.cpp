#include "render/plan_picture.h"

#include "platform/layer.h"

TPlanPicture::TPlanPicture(const std::vector<TPlanObject>& records, QSize panel)
    : FPanel(panel), FRenderer(FObjects, [this] { return FPanel; }) {
  FRenderer.SetLayers(&FStack);
  FRenderer.CreateFixedLayers();
  FObjects.reserve(records.size());
  for (const TPlanObject& record : records) {
    auto o = std::make_unique<TPlanObject>(record);
    o->Layer = FRenderer.NewObjectLayer(o->ObjType);
    FObjects.push_back(std::move(o));
    // As the editor creates an object: the ringer and the selection above every new layer.
    FRenderer.Layer(RingerLayer)->raise();
    FRenderer.Layer(SelectionLayer)->raise();
  }
  // The groups the bells hold once all of them are placed.
  TGroupTable table;
  LoadGroupTable(table, FBellSlots);
  FBellSlots = RebuildBellSlots(FObjects);
  StoreBellGroups(FObjects, FBellSlots, AssignBellGroups(table, FBellSlots, CountBellObjects(FObjects)));
  if (FObjects.size() >= 2) FRenderer.DrawPlan();
}

TPlanPicture::~TPlanPicture() {
  // The layers are the stack's; the records only point at them.
  for (auto& o : FObjects) o->Layer = nullptr;
}

QImage TPlanPicture::Fixed() {
  if (FObjects.size() < 2) return QImage();
  FRenderer.Layer(SelectionLayer)->hide();
  FRenderer.DrawFixingLines(FBellSlots);
  FRenderer.RestackLayers();
  return FRenderer.ComposePlanImage();
}

QString NoPictureMessage(QSize panel) {
  return QStringLiteral("Не хватает памяти для рисунка %1 × %2 пикселей").arg(panel.width()).arg(panel.height());
}
