#include "model/plan_change.h"

TPlanFields ChangedFields(const TStoredObject& a, const TStoredObject& b) {
  TPlanFields f = 0;
  const auto mark = [&f](bool differs, TPlanField field) {
    if (differs) f |= field;
  };
  mark(a.ObjName != b.ObjName, pfName);
  mark(a.ObjVisible != b.ObjVisible, pfVisible);
  mark(a.ObjType != b.ObjType, pfKind);
  mark(a.WallType != b.WallType, pfWallType);
  mark(a.WallMaterial != b.WallMaterial, pfWallMaterial);
  mark(a.WallDiameterOuter != b.WallDiameterOuter || a.WallDiameterInner != b.WallDiameterInner ||
           a.WallWallWidth != b.WallWallWidth,
       pfWallSizes);
  mark(a.WallArcWidth != b.WallArcWidth, pfWallArch);
  mark(a.BellDiameter != b.BellDiameter, pfBellDiameter);
  mark(a.BellPosition != b.BellPosition, pfBellPosition);
  mark(a.BeemMaterial != b.BeemMaterial, pfBeemMaterial);
  mark(a.BeemWidth != b.BeemWidth, pfBeemWidth);
  mark(a.BeemOrientation != b.BeemOrientation, pfBeemOrientation);
  mark(a.BeemBeginPoint != b.BeemBeginPoint || a.BeemEndPoint != b.BeemEndPoint, pfBeemPoints);
  mark(a.PostWidth != b.PostWidth || a.PostHeight != b.PostHeight || a.PostBoardDiameter != b.PostBoardDiameter,
       pfPostSize);
  mark(a.PostAngle != b.PostAngle, pfPostAngle);
  mark(a.PostPosition != b.PostPosition, pfPostPosition);
  return f;
}

bool ChangesWallGeometry(const TObjectChanges& changes) {
  for (const TObjectChange& c : changes)
    if (c.Index == 0 && (c.Fields & (pfWallSizes | pfKind))) return true;
  return false;
}
