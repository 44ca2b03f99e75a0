#include "document/drawable_values.h"

#include "beams/orientations.h"
#include "pedestal/post_geometry.h"
#include "walls/wall_rules.h"

namespace {

bool IsMaterial(std::int32_t m) { return m >= 0 && m < kMaterialCount; }

// One walls size: kept when it draws, else the nearest value an edit would store.
void Settle(std::int32_t& v, std::int32_t min, std::int32_t edited, const QString& what,
            QStringList& changes) {
  if (v >= min && v <= kDrawableWallSizeMax) return;
  changes << QStringLiteral("%1: %2 мм заменено на %3 мм.").arg(what).arg(v).arg(edited);
  v = edited;
}

void SettleWalls(TPlanObject& o, QStringList& changes) {
  if (!IsMaterial(o.WallMaterial)) {
    changes << QStringLiteral("Материал стен %1 неизвестен: взят «%2».")
                   .arg(o.WallMaterial)
                   .arg(MaterialName(0).value_or(QString()));
    o.WallMaterial = 0;
  }
  Settle(o.WallDiameterOuter, kWallOuterMin, ClampWallDiameterOuter(o.WallDiameterOuter),
         QStringLiteral("Внешний диаметр стен"), changes);
  Settle(o.WallDiameterInner, 0, ClampWallDiameterInner(o.WallDiameterInner),
         QStringLiteral("Внутренний диаметр стен"), changes);
  Settle(o.WallWallWidth, 0, ClampWallWidth(o.WallWallWidth), QStringLiteral("Толщина стен"),
         changes);
  Settle(o.WallArcWidth, 0, ClampWallArcWidth(WallSizesOf(o), o.WallArcWidth),
         QStringLiteral("Ширина арочных проемов"), changes);
}

void SettlePost(TPlanObject& o, QStringList& changes) {
  auto side = [&](std::int32_t& v, const QString& what) {
    if (v >= 1 && v <= pedestal::kPostSideMax) return;
    const std::int32_t edited = pedestal::ClampPostWidth(v);
    changes << QStringLiteral("%1: %2 мм заменено на %3 мм.").arg(what).arg(v).arg(edited);
    v = edited;
  };
  side(o.PostWidth, QStringLiteral("Длина постамента"));
  side(o.PostHeight, QStringLiteral("Ширина постамента"));
}

void SettleBeem(TPlanObject& o, QStringList& changes) {
  if (IsMaterial(o.BeemMaterial)) return;
  changes << QStringLiteral("Материал балки «%1» %2 неизвестен: взята «%3».")
                 .arg(o.ObjName)
                 .arg(o.BeemMaterial)
                 .arg(MaterialName(kBeemMaterialFirst).value_or(QString()));
  o.BeemMaterial = kBeemMaterialFirst;
}

}  // namespace

QStringList MakeDrawable(std::vector<TPlanObject>& objects) {
  QStringList changes;
  bool taken[kChordCount + 1] = {};
  for (TPlanObject& o : objects) {
    switch (o.ObjType) {
      case okWalls:
        SettleWalls(o, changes);
        break;
      case okPost:
        SettlePost(o, changes);
        break;
      case okBeam:
        SettleBeem(o, changes);
        if (!IsChordOrientation(o.BeemOrientation)) break;
        if (taken[o.BeemOrientation]) {
          changes << QStringLiteral("Балка «%1» лежала на занятой хорде %2: она стала свободной.")
                         .arg(o.ObjName)
                         .arg(o.BeemOrientation);
          o.BeemOrientation = 0;
        } else {
          taken[o.BeemOrientation] = true;
        }
        break;
      case okBell:
        break;
    }
  }
  return changes;
}
