// The operations on objects of every kind: the pedestal's, a bell's and a beam's stored values,
// visibility and names. Each clamps what it is given as the inspector does, stores it, and says
// what it changed; the value stored is returned for the field that typed it.
#include <QtGlobal>

#include "beams/beem_geometry.h"
#include "model/edit_scope.h"
#include "model/plan_document.h"
#include "pedestal/post_geometry.h"
#include "plan/naming.h"

namespace {
constexpr int kPost = 1;  // the pedestal's place in every plan

// Stores `value`; whether that changed the field, which is what the change signal says.
template <class T>
bool Store(T& field, T value) {
  if (field == value) return false;
  field = value;
  return true;
}

TPlanFields If(bool changed, TPlanFields fields) { return changed ? fields : TPlanFields{0}; }
}  // namespace

void TPlanDocument::Changed(int index, TPlanFields fields) {
  if (fields) Q_EMIT ObjectsChanged({{index, fields}});
}

std::int32_t TPlanDocument::SetPostWidth(std::int32_t v) {
  const TEditScope edit(*this);
  NameStep(TStepVerb::Change, kPost);
  Changed(kPost, If(Store(Record(kPost).PostWidth, pedestal::ClampPostWidth(v)), pfPostSize));
  return At(kPost).PostWidth;
}

std::int32_t TPlanDocument::SetPostHeight(std::int32_t v) {
  const TEditScope edit(*this);
  NameStep(TStepVerb::Change, kPost);
  Changed(kPost, If(Store(Record(kPost).PostHeight, pedestal::ClampPostHeight(v)), pfPostSize));
  return At(kPost).PostHeight;
}

std::int32_t TPlanDocument::SetPostAngle(std::int32_t v) {
  const TEditScope edit(*this);
  NameStep(TStepVerb::Change, kPost);
  Changed(kPost, If(Store(Record(kPost).PostAngle, pedestal::ClampPostAngle(v)), pfPostAngle));
  return At(kPost).PostAngle;
}

std::int32_t TPlanDocument::SetPostPosition(bool x, std::int32_t v) {
  const TEditScope edit(*this);
  NameStep(TStepVerb::Move, kPost);
  const std::int32_t value = pedestal::ClampPostPosition(v, At(0).WallDiameterOuter);
  TPlanObject& p = Record(kPost);
  QPoint at = p.PostPosition;
  x ? at.setX(value) : at.setY(value);
  Changed(kPost, If(Store(p.PostPosition, at), pfPostPosition));
  return value;
}

std::int32_t TPlanDocument::SetBellPosition(int index, bool x, std::int32_t value) {
  const TEditScope edit(*this);
  NameStep(TStepVerb::Move, index);
  value = qBound(0, value, qMax(0, At(0).WallDiameterOuter));
  QPoint at = At(index).BellPosition;
  x ? at.setX(value) : at.setY(value);
  Changed(index, If(Store(Record(index).BellPosition, at), pfBellPosition));
  return value;
}

std::int32_t TPlanDocument::SetBeemMaterial(int index, std::int32_t material) {
  const TEditScope edit(*this);
  NameStep(TStepVerb::Change, index);
  Changed(index, If(Store(Record(index).BeemMaterial, material), pfBeemMaterial));
  return material;
}

std::int32_t TPlanDocument::SetBeemWidth(int index, std::int32_t v) {
  const TEditScope edit(*this);
  NameStep(TStepVerb::Change, index);
  Changed(index, If(Store(Record(index).BeemWidth, ClampBeemWidth(v)), pfBeemWidth));
  return At(index).BeemWidth;
}

std::int32_t TPlanDocument::SetBeemPoint(int index, int which, std::int32_t v) {
  const TEditScope edit(*this);
  TPlanObject& b = Record(index);
  NameStep(b.BeemOrientation == 0 ? TStepVerb::Move : TStepVerb::Change, index);
  v = ClampBeemCoordinate(v, At(0).WallDiameterOuter);
  QPoint begin = b.BeemBeginPoint, end = b.BeemEndPoint;
  switch (which) {
    case 0: begin.setX(v); break;
    case 1: begin.setY(v); break;
    case 2: end.setX(v); break;
    default: end.setY(v); break;
  }
  const bool moved = Store(b.BeemBeginPoint, begin) | Store(b.BeemEndPoint, end);
  // An edited end no longer lies on the chord: the beam becomes free.
  const bool freed = Store(b.BeemOrientation, 0);
  Changed(index, If(moved, pfBeemPoints) | If(freed, pfBeemOrientation));
  return v;
}

bool TPlanDocument::SetObjectVisible(int index, bool visible) {
  if (index < 0 || index >= Count() || At(index).ObjVisible == visible) return false;
  const TEditScope edit(*this);
  NameStep(visible ? TStepVerb::Show : TStepVerb::Hide, index);
  Record(index).ObjVisible = visible;
  Changed(index, pfVisible);
  return true;
}

bool TPlanDocument::IsNameFree(const QString& name) const {
  for (const auto& o : FObjects)
    if (o->ObjName == name) return false;
  return true;
}

QString TPlanDocument::RenameObject(int index, const QString& base) {
  const TEditScope edit(*this);
  NameStep(TStepVerb::Rename, index);
  TPlanObject& o = Record(index);
  const QString name = UniqueName(base, [this](const QString& n) { return IsNameFree(n); });
  const bool differs = name != o.ObjName;
  o.ObjName = name;
  Changed(index, differs ? TPlanFields{pfName} : TPlanFields{0});
  return name;
}

int TPlanDocument::FindBell(std::int32_t diameter) const {
  for (int i = 0; i < Count(); ++i)
    if (At(i).ObjType == okBell && At(i).BellDiameter == diameter) return i;
  return -1;
}

std::int32_t TPlanDocument::SetBellDiameter(int index, std::int32_t diameter) {
  const TEditScope edit(*this);
  NameStep(TStepVerb::Change, index);
  TPlanObject& b = Record(index);
  // Each diameter of the catalogue hangs once: another bell's diameter is refused.
  if (b.BellDiameter == diameter || FindBell(diameter) >= 0) return b.BellDiameter;
  b.BellDiameter = diameter;
  Changed(index, pfBellDiameter);
  return diameter;
}
