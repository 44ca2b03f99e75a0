#pragma once

#include <QPoint>
#include <QString>
#include <cstdint>

// Kind of a plan object; stored as a byte in documents.
enum TObjectKind : std::uint8_t { okWalls = 0, okBell = 1, okBeam = 2, okPost = 3 };

// What a document stores of one object: the header and the millimetre fields of every kind
// (documents write them all; only the header and the group of its own kind are in use). This
// is the one list of the stored fields: the drawn record adds its pixels to it, undo keeps
// copies of it, the reader and the writer go through it.
struct TStoredObject {
  // header
  QString ObjName;
  TObjectKind ObjType = okWalls;
  bool ObjVisible = true;

  // walls
  std::uint8_t WallType = 0;
  std::int32_t WallMaterial = 0;
  std::int32_t WallDiameterOuter = 0;
  std::int32_t WallDiameterInner = 0;
  std::int32_t WallWallWidth = 0;
  std::int32_t WallArcWidth = 0;

  // bell
  std::int32_t BellDiameter = 0;
  QPoint BellPosition;

  // beam
  std::int32_t BeemMaterial = 0;
  std::int32_t BeemWidth = 0;
  std::int32_t BeemOrientation = 0;
  QPoint BeemBeginPoint;
  QPoint BeemEndPoint;

  // pedestal
  std::int32_t PostAngle = 0;
  std::int32_t PostWidth = 0;
  std::int32_t PostHeight = 0;
  QPoint PostPosition;
  std::int32_t PostBoardDiameter = 0;

  friend bool operator==(const TStoredObject&, const TStoredObject&) = default;
};
