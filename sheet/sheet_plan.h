#pragma once

#include <QLineF>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QString>
#include <optional>
#include <vector>

#include "pedestal/ringer.h"
#include "plan/plan_model.h"

// The plan as a sheet draws it and the bill lists it: every object in model millimetres, with the
// arrangement fixed (groups, ringing lines, pedals) as the fixing button leaves it. Computed from
// the model alone through the same geometry the window uses, at one unit per millimetre, so
// nothing here depends on the window's size or its pixels.

struct TSheetWalls {
  QString Name;
  bool Visible = true;
  int Type = 0;  // 0 four-, 1 six-, 2 eight-sided, as drawn
  int Material = 0;
  int DiameterOuter = 0, DiameterInner = 0, WallWidth = 0, ArcWidth = 0;
  QPolygon Outer, Inner;         // clockwise
  std::vector<QPolygon> Arches;  // the openings, four corners each
};

struct TSheetPost {
  QString Name;
  bool Visible = true;
  int Width = 0, Height = 0, Angle = 0, BoardDiameter = 0;
  QPoint Centre;
  QPolygon Outline;  // turned as drawn
  QPoint BoardCentre;
  std::vector<QPolygon> Pedals;       // in the order the heavy bells take them
  pedestal::TRingerPlacement Ringer;  // Bounds and FHandPoint in millimetres
};

struct TSheetBell {
  int Index = 0;  // in the object list
  QString Name;
  bool Visible = true;
  int Diameter = 0;
  QPoint Centre;
  int Slot = -1;      // catalogue slot; -1 for a diameter outside the catalogue
  int WeightKg = -1;  // -1 when not in the catalogue
  int Group = 0;      // 1 hand, 2 pedestal, 3 pedal, 0 none
  // Where its rope goes: the hand line's end, the pedestal's centre, or its pedal's middle.
  std::optional<QPoint> LineEnd;
  // The plan distance from the centre to LineEnd, in millimetres.
  std::optional<double> RopeRun() const;
};

struct TSheetBeem {
  int Index = 0;
  QString Name;
  bool Visible = true;
  int Orientation = 0;
  int Material = 0;
  int Width = 0;
  QPoint Begin, End;
  double Length() const { return QLineF(Begin, End).length(); }
};

struct TSheetPlan {
  TSheetWalls Walls;
  TSheetPost Post;
  std::vector<TSheetBell>
      Bells;  // catalogue order; bells outside the catalogue last, in list order
  std::vector<TSheetBeem> Beems;  // list order
  // Everything visible that is drawn, in millimetres.
  QRect Extent() const;
};

// A model of fewer than two objects (no walls or no pedestal) gives an empty plan with no walls.
TSheetPlan BuildSheetPlan(const TPlanModel& model);
