#include "document/drawable_values.h"

#include "beams/orientations.h"
#include "document/document_place.h"
#include "pedestal/post_geometry.h"
#include "walls/wall_rules.h"

namespace {

bool IsMaterial(std::int32_t m) { return m >= 0 && m < kMaterialCount; }

// The changes of one object, each named with the object's section and the key it was read from.
class TChanges {
 public:
  TChanges(const QString& fileName, QStringList& lines) : FFileName(fileName), FLines(lines) {}
  void Add(const TPlanObject& o, QStringView key, std::int32_t stored, const QString& what) {
    FLines << DocumentNote(FFileName, static_cast<std::size_t>(o.CreateIndex), key,
                           QString::number(stored), what);
  }

 private:
  const QString& FFileName;
  QStringList& FLines;
};

// One walls size: kept when it draws, else the nearest value an edit would store.
void Settle(const TPlanObject& o, std::int32_t& v, std::int32_t min, std::int32_t edited,
            QStringView key, const QString& what, TChanges& changes) {
  if (v >= min && v <= kDrawableWallSizeMax) return;
  changes.Add(o, key, v, QStringLiteral("%1: %2 мм заменено на %3 мм.").arg(what).arg(v).arg(edited));
  v = edited;
}

void SettleWalls(TPlanObject& o, TChanges& changes) {
  if (!IsMaterial(o.WallMaterial)) {
    changes.Add(o, u"WallMaterial", o.WallMaterial,
                QStringLiteral("Материал стен %1 неизвестен: взят «%2».")
                    .arg(o.WallMaterial)
                    .arg(MaterialName(0).value_or(QString())));
    o.WallMaterial = 0;
  }
  Settle(o, o.WallDiameterOuter, kWallOuterMin, ClampWallDiameterOuter(o.WallDiameterOuter),
         u"WallDiameterOuter_R", QStringLiteral("Внешний диаметр стен"), changes);
  Settle(o, o.WallDiameterInner, 0, ClampWallDiameterInner(o.WallDiameterInner),
         u"WallDiameterInner_R", QStringLiteral("Внутренний диаметр стен"), changes);
  Settle(o, o.WallWallWidth, 0, ClampWallWidth(o.WallWallWidth), u"WallWallWidth_R",
         QStringLiteral("Толщина стен"), changes);
  Settle(o, o.WallArcWidth, 0, ClampWallArcWidth(WallSizesOf(o), o.WallArcWidth),
         u"WallArcWidth_R", QStringLiteral("Ширина арочных проемов"), changes);
}

void SettlePost(TPlanObject& o, TChanges& changes) {
  auto side = [&](std::int32_t& v, QStringView key, const QString& what) {
    if (v >= 1 && v <= pedestal::kPostSideMax) return;
    const std::int32_t edited = pedestal::ClampPostWidth(v);
    changes.Add(o, key, v, QStringLiteral("%1: %2 мм заменено на %3 мм.").arg(what).arg(v).arg(edited));
    v = edited;
  };
  side(o.PostWidth, u"PostWidth_R", QStringLiteral("Длина постамента"));
  side(o.PostHeight, u"PostHeight_R", QStringLiteral("Ширина постамента"));
}

void SettleBeem(TPlanObject& o, TChanges& changes) {
  if (IsMaterial(o.BeemMaterial)) return;
  changes.Add(o, u"BeemMaterial", o.BeemMaterial,
              QStringLiteral("Материал балки «%1» %2 неизвестен: взята «%3».")
                  .arg(o.ObjName)
                  .arg(o.BeemMaterial)
                  .arg(MaterialName(kBeemMaterialFirst).value_or(QString())));
  o.BeemMaterial = kBeemMaterialFirst;
}

}  // namespace

QStringList MakeDrawable(std::vector<TPlanObject>& objects, const QString& fileName) {
  QStringList lines;
  TChanges changes(fileName, lines);
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
          changes.Add(o, u"BeemOrientation", o.BeemOrientation,
                      QStringLiteral("Балка «%1» лежала на занятой хорде %2: она стала свободной.")
                          .arg(o.ObjName)
                          .arg(o.BeemOrientation));
          o.BeemOrientation = 0;
        } else {
          taken[o.BeemOrientation] = true;
        }
        break;
      case okBell:
        break;
    }
  }
  return lines;
}
