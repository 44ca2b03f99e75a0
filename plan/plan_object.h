#pragma once

#include <QPoint>
#include <QString>
#include <cstdint>
#include <vector>

class TLayer;

// Kind of a plan object; stored as a byte in documents.
enum TObjectKind : std::uint8_t { okWalls = 0, okBell = 1, okBeam = 2, okPost = 3 };

using TPointsArr = std::vector<QPoint>;

// One object of the plan. Every record answers every field of every kind (documents write
// them all); only the header and the group of its own kind are in use.
struct TPlanObject {
  // header
  std::int32_t CreateIndex = 0;
  QString ObjName;
  TObjectKind ObjType = okWalls;
  bool ObjVisible = true;
  TLayer* Layer = nullptr;  // owned through pnlImg's child list; freed with the record

  // walls
  std::uint8_t WallType = 0;
  std::int32_t WallMaterial = 0;
  std::int32_t WallDiameterOuter = 0;
  std::int32_t WallDiameterOuterPx = 0;
  std::int32_t WallDiameterInner = 0;
  std::int32_t WallDiameterInnerPx = 0;
  std::int32_t WallWallWidth = 0;
  std::int32_t WallWallWidthPx = 0;
  std::int32_t WallArcWidth = 0;
  std::int32_t WallArcWidthPx = 0;
  TPointsArr WallOuterPoints;
  TPointsArr WallOuterPointsPx;
  TPointsArr WallInnerPoints;
  TPointsArr WallInnerPointsPx;
  std::vector<TPointsArr> WallArcQuadsPx;

  // bell
  std::int32_t BellDiameter = 0;
  std::int32_t BellDiameterPx = 0;
  QPoint BellPosition;
  QPoint BellPositionPx;
  std::uint8_t BellGroup = 0;

  // beam
  std::int32_t BeemMaterial = 0;
  std::int32_t BeemWidth = 0;
  std::int32_t BeemWidthPx = 0;
  std::int32_t BeemOrientation = 0;
  QPoint BeemBeginPoint;
  QPoint BeemBeginPointPx;
  QPoint BeemEndPoint;
  QPoint BeemEndPointPx;
  TPointsArr BeemOutlinePx;

  // pedestal
  std::int32_t PostAngle = 0;
  std::int32_t PostWidth = 0;
  std::int32_t PostWidthPx = 0;
  std::int32_t PostHeight = 0;
  std::int32_t PostHeightPx = 0;
  QPoint PostPosition;
  QPoint PostPositionPx;
  std::int32_t PostBoardDiameter = 0;
  std::int32_t PostBoardDiameterPx = 0;
  TPointsArr PostOutlineBase;
  TPointsArr PostOutline;
  QPoint PostBoardCentre;
  std::vector<TPointsArr> PostPedals;
};
