// Moving the objects with the walls and re-projecting them from their millimetres.
#include "app/tfm_main.h"
#include "beams/beem_geometry.h"
#include "platform/rounding.h"

namespace {

// Positions scale about the walls' centre by the ratio of the half diameters.
int ScaleAboutCentre(int c, int hn, int ho) {
  if (ho == 0 || c == ho) return hn;
  const long double k = static_cast<long double>(hn) / ho;
  if (c < ho) return Round(hn - (ho - c) * k);
  return Round(hn + (c - ho) * k);
}

QPoint ScaleAboutCentre(QPoint p, int hn, int ho) {
  return QPoint(ScaleAboutCentre(p.x(), hn, ho), ScaleAboutCentre(p.y(), hn, ho));
}

}  // namespace

void TfmMain::MoveObjectsWithWalls() {
  const TPlanObject& w = *FObjects[0];
  const int hn = w.WallDiameterOuter / 2, ho = FPrevDiameterOuter / 2;
  TWallsResize walls;
  walls.OuterOld = FPrevDiameterOuter;
  walls.InnerOld = FPrevDiameterInner;
  walls.OuterNew = w.WallDiameterOuter;
  walls.InnerNew = w.WallDiameterInner;
  for (size_t i = 1; i < FObjects.size(); ++i) {
    TPlanObject& o = *FObjects[i];
    const int index = static_cast<int>(i);
    switch (o.ObjType) {
      case okBell:
        o.BellPosition = ScaleAboutCentre(o.BellPosition, hn, ho);
        FRenderer.ProjectBell(index, false);
        FRenderer.DrawBell(index);
        break;
      case okPost:
        o.PostPosition = ScaleAboutCentre(o.PostPosition, hn, ho);
        FRenderer.ProjectPost();
        FRenderer.DrawPost();
        break;
      case okBeam:
        o.BeemBeginPoint = RelayoutBeemPoint(o.BeemBeginPoint, walls);
        o.BeemEndPoint = RelayoutBeemPoint(o.BeemEndPoint, walls);
        // A chord beam is laid anew on its chord just below; drawing it here too is wasted.
        if (o.BeemOrientation > 0) break;
        FRenderer.ProjectBeem(index, false);
        FRenderer.DrawBeem(index);
        break;
      case okWalls:
        break;
    }
  }
  RelayChordBeems();
}
