#pragma once
// Plans for the sheet's tests, built as the document reader would hand them over.
#include <QByteArray>
#include <vector>

#include "document/document_file.h"
#include "plan/plan_model.h"

inline TPlanModel ModelOfDocument(const QByteArray& bytes) {
  const TDocumentContent content = ParseDocument(bytes);
  std::vector<TStoredObject> stored;
  for (const TPlanObject& o : content.Objects) stored.push_back(StoredPart(o));
  return TPlanModel::FromStored(stored);
}

// The default walls and pedestal.
inline std::vector<TStoredObject> DefaultPlan() {
  TStoredObject walls;
  walls.ObjName = QStringLiteral("Стены");
  walls.ObjType = okWalls;
  walls.WallDiameterOuter = 5600;
  walls.WallDiameterInner = 4000;
  walls.WallWallWidth = 800;
  walls.WallArcWidth = 1500;
  TStoredObject post;
  post.ObjName = QStringLiteral("Постамент");
  post.ObjType = okPost;
  post.PostWidth = 1800;
  post.PostHeight = 800;
  post.PostBoardDiameter = 250;
  post.PostPosition = QPoint(2800, 4200);
  return {walls, post};
}

inline TStoredObject Bell(const QString& name, int diameter, QPoint at) {
  TStoredObject b;
  b.ObjName = name;
  b.ObjType = okBell;
  b.BellDiameter = diameter;
  b.BellPosition = at;
  return b;
}

// Four chord beams and a few bells, through the document writer and reader.
QByteArray PlanDocumentBytes(int bells, int chordBeems, int freeBeems);
inline QByteArray PlanDocumentBytesForSheet() { return PlanDocumentBytes(5, 4, 2); }
