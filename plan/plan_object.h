#pragma once

#include <QPoint>
#include <QString>
#include <cstdint>
#include <vector>

#include "plan/stored_object.h"

class TLayer;

using TPointsArr = std::vector<QPoint>;

// One object of the plan as it is drawn: its stored fields and, beside them, what the
// renderer projected of them (pixels, outlines) and the layer it is drawn on.
struct TPlanObject : TStoredObject {
  std::int32_t CreateIndex = 0;
  TLayer* Layer = nullptr;  // owned through pnlImg's child list; freed with the record

  // walls
  std::int32_t WallDiameterOuterPx = 0;
  std::int32_t WallDiameterInnerPx = 0;
  std::int32_t WallWallWidthPx = 0;
  std::int32_t WallArcWidthPx = 0;
  TPointsArr WallOuterPoints;
  TPointsArr WallOuterPointsPx;
  TPointsArr WallInnerPoints;
  TPointsArr WallInnerPointsPx;
  std::vector<TPointsArr> WallArcQuadsPx;

  // bell
  std::int32_t BellDiameterPx = 0;
  QPoint BellPositionPx;
  std::uint8_t BellGroup = 0;

  // beam
  std::int32_t BeemWidthPx = 0;
  QPoint BeemBeginPointPx;
  QPoint BeemEndPointPx;
  TPointsArr BeemOutlinePx;

  // pedestal
  std::int32_t PostWidthPx = 0;
  std::int32_t PostHeightPx = 0;
  QPoint PostPositionPx;
  std::int32_t PostBoardDiameterPx = 0;
  TPointsArr PostOutlineBase;
  TPointsArr PostOutline;
  QPoint PostBoardCentre;
  std::vector<TPointsArr> PostPedals;
};
