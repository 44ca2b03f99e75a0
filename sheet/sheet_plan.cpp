#include "sheet/sheet_plan.h"

#include <QLineF>
#include <algorithm>

#include "bells/annotations.h"
#include "bells/bell_catalogue.h"
#include "bells/bell_groups.h"
#include "pedestal/post_geometry.h"
#include "walls/wall_geometry.h"
#include "walls/wall_rules.h"

namespace {

constexpr long double kOneToOne = 1.0L;  // one unit per millimetre

QPolygon ToPolygon(const std::vector<QPoint>& points, QPoint shift = {}) {
  QPolygon p;
  p.reserve(static_cast<qsizetype>(points.size()));
  for (const QPoint& q : points) p << q + shift;
  return p;
}

TSheetWalls BuildWalls(const TStoredObject& w) {
  TSheetWalls s;
  s.Name = w.ObjName;
  s.Visible = w.ObjVisible;
  s.Type = WallTypeFromIndex(w.WallType);
  s.Material = w.WallMaterial;
  s.DiameterOuter = w.WallDiameterOuter;
  s.DiameterInner = w.WallDiameterInner;
  s.WallWidth = w.WallWallWidth;
  s.ArcWidth = w.WallArcWidth;
  const TWallGeometry g = BuildWallGeometry(WallSizesOf(w), TPlanMapping{}, w.WallArcWidth, w.WallDiameterOuter);
  s.Outer = ToPolygon(g.Outlines.OuterMm);
  s.Inner = ToPolygon(g.Outlines.InnerMm);
  for (const TWallPoints& quad : g.ArcQuadsPx) s.Arches.push_back(ToPolygon(quad));
  return s;
}

TSheetPost BuildPost(const TStoredObject& p, int heavyBells) {
  TSheetPost s;
  s.Name = p.ObjName;
  s.Visible = p.ObjVisible;
  s.Width = p.PostWidth;
  s.Height = p.PostHeight;
  s.Angle = p.PostAngle;
  s.BoardDiameter = p.PostBoardDiameter;
  s.Centre = p.PostPosition;
  const pedestal::TPostOutline outline =
      pedestal::BuildPostOutline(p.PostWidth, p.PostHeight, p.PostAngle, kOneToOne, QPoint());
  // The window lays the pedestal's layer centred on its centre; the outline is in that layer.
  const QPoint corner =
      pedestal::PostLayerBounds(p.PostPosition, outline.PostWidthPx, outline.PostHeightPx)
          .topLeft();
  s.Outline = ToPolygon(outline.PostOutline, corner);
  s.BoardCentre = outline.PostBoardCentre + corner;
  for (const std::vector<QPoint>& pedal :
       pedestal::PedalOutlines(heavyBells, p.PostAngle, p.PostBoardDiameter, outline.PostWidthPx,
                               outline.PostHeightPx, kOneToOne))
    s.Pedals.push_back(ToPolygon(pedal, corner));
  s.Ringer = pedestal::PlaceRinger(p.PostAngle, p.PostPosition, kOneToOne);
  return s;
}

}  // namespace

std::optional<double> TSheetBell::RopeRun() const {
  if (!LineEnd) return std::nullopt;
  return QLineF(Centre, *LineEnd).length();
}

QRect TSheetPlan::Extent() const {
  QRect r;
  if (Walls.Visible) r |= Walls.Outer.boundingRect();
  if (Post.Visible) {
    r |= Post.Outline.boundingRect();
    r |= Post.Ringer.Bounds;
    for (const QPolygon& pedal : Post.Pedals) r |= pedal.boundingRect();
  }
  for (const TSheetBell& b : Bells) {
    if (!b.Visible) continue;
    const int d = std::max(b.Diameter, 1);
    r |= QRect(b.Centre.x() - d / 2, b.Centre.y() - d / 2, d, d);
    if (b.LineEnd) r |= QRect(*b.LineEnd, QSize(1, 1));
  }
  for (const TSheetBeem& b : Beems) {
    if (!b.Visible) continue;
    const int h = std::max(b.Width / 2, 1);
    r |= QRect(b.Begin, b.End).normalized().adjusted(-h, -h, h, h);
  }
  return r;
}

TSheetPlan BuildSheetPlan(const TPlanModel& model) {
  TSheetPlan plan;
  if (model.Size() < 2) return plan;
  const std::vector<TPlanObject> records = model.ToRecords();

  // The fixing: the groups by the table for the number of bells, as the window assigns them.
  TGroupTable table;
  TBellSlots slots;
  LoadGroupTable(table, slots);
  slots = RebuildBellSlots(records);
  const int n = CountBellObjects(records);
  const TSlotGroups groups = AssignBellGroups(table, slots, n);
  const int heavy = CountHeavyBells(groups);

  plan.Walls = BuildWalls(model.At(0));
  plan.Post = BuildPost(model.At(1), heavy);
  const std::optional<QPoint> handEnd =
      n > 4
          ? HandLineEnd(plan.Post.Ringer.FHandPoint, plan.Post.Ringer.FHandOffset, plan.Post.Angle)
          : std::nullopt;

  // Bells that hold a slot, in catalogue order; the heavy ones take the pedals as the grouping
  // walk meets them, from the last slot down.
  std::vector<int> slotOfObject(records.size(), -1);
  for (int slot = 0; slot < kBellCount; ++slot) {
    if (slots[slot] >= 0) slotOfObject[static_cast<std::size_t>(slots[slot])] = slot;
  }
  std::vector<int> pedalOfSlot(kBellCount, -1);
  int nextPedal = 0;
  for (int slot = kBellCount - 1; slot >= 0; --slot) {
    if (slots[slot] >= 0 && groups[slot] == 3) pedalOfSlot[slot] = nextPedal++;
  }
  auto makeBell = [&](std::size_t k) {
    const TStoredObject& o = model.At(k);
    TSheetBell b;
    b.Index = static_cast<int>(k);
    b.Name = o.ObjName;
    b.Visible = o.ObjVisible;
    b.Diameter = o.BellDiameter;
    b.Centre = o.BellPosition;
    b.Slot = slotOfObject[k];
    if (b.Slot >= 0) {
      b.WeightKg = FBellWeights[b.Slot];
      b.Group = n > 4 ? groups[b.Slot] : 0;
      if (b.Group == 1) b.LineEnd = handEnd;
      if (b.Group == 2) b.LineEnd = plan.Post.Centre;
      const int pedal = pedalOfSlot[b.Slot];
      if (b.Group == 3 && pedal >= 0 && pedal < static_cast<int>(plan.Post.Pedals.size()))
        b.LineEnd = plan.Post.Pedals[pedal].boundingRect().center();
    }
    return b;
  };
  for (int slot = 0; slot < kBellCount; ++slot) {
    if (slots[slot] >= 0) plan.Bells.push_back(makeBell(static_cast<std::size_t>(slots[slot])));
  }
  for (std::size_t k = 2; k < records.size(); ++k) {
    const TStoredObject& o = model.At(k);
    if (o.ObjType == okBell && slotOfObject[k] < 0) plan.Bells.push_back(makeBell(k));
    if (o.ObjType != okBeam) continue;
    TSheetBeem b;
    b.Index = static_cast<int>(k);
    b.Name = o.ObjName;
    b.Visible = o.ObjVisible;
    b.Orientation = o.BeemOrientation;
    b.Material = o.BeemMaterial;
    b.Width = o.BeemWidth;
    b.Begin = o.BeemBeginPoint;
    b.End = o.BeemEndPoint;
    plan.Beems.push_back(b);
  }
  return plan;
}
