#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <vector>

#include "sheet/bill.h"
#include "sheet/sheet_plan.h"
#include "sheet/sheet_settings.h"

// The sheet laid out on paper: pages of groups of shapes, every coordinate in millimetres from the
// paper's top-left corner. One layout feeds the PDF, the printer (sheet_painter.h) and the SVG
// (sheet_svg.h), so the three cannot disagree.

inline constexpr double kSheetMarginMm = 10;
inline constexpr double kMaterialTileMm = 12;   // a material picture's width on paper
inline constexpr double kDimensionRoomMm = 16;  // beside and above the walls for their dimensions
inline constexpr double kTitleBlockWidthMm = 130;
inline constexpr double kTitleBlockHeightMm = 26;
inline constexpr char kSheetFontFamily[] = "DejaVu Sans";

struct TSheetItem {
  enum TKind { Path, Label, Image } Kind = Path;
  // Path: outlined with Pen unless PenMm is 0; filled with FillColour (when valid) or with the
  // material picture Material (when not -1) tiled at kMaterialTileMm from the paper's corner.
  QPainterPath Shape;
  QColor Pen = Qt::black;
  double PenMm = 0.25;
  QColor FillColour;
  int Material = -1;
  // Label: its baseline starts, centres or ends at At by Align (-1, 0, 1), turned by Angle degrees
  // clockwise about At.
  QString Text;
  QPointF At;
  double SizeMm = 2.5;
  bool Bold = false;
  int Align = -1;
  double Angle = 0;
  // Image: a picture resource stretched over Rect.
  QString Resource;
  QRectF Rect;
};

struct TSheetGroup {
  QString Id;  // an object's name; empty for the sheet's own parts
  QString
      Class;  // "walls", "pedestal", "bell", "beam", "frame", "title-block", "scale-bar", "bill"
  std::vector<TSheetItem> Items;
};

struct TSheetPage {
  std::vector<TSheetGroup> Groups;
};

struct TSheetTitle {
  QString Document;  // the document's name, or "Без имени"
  QString Date;
  QString Program;  // the program's name and version
};

struct TSheet {
  QSizeF PageMm;
  int Scale = 0;  // the denominator the plan is drawn at
  std::vector<TSheetPage> Pages;
  QString Error;  // why nothing can be put on paper; no pages then
  bool Ok() const { return Error.isEmpty(); }
};

// With bill false only the plan is laid out (one page). Texts are measured with the sheet font, so
// a QGuiApplication must exist.
TSheet LayOutSheet(const TSheetPlan& plan, const TBill& bill, const TSheetSettings& settings,
                   const TSheetTitle& title, bool withBill = true);

// The width of a text on paper, from the sheet font's metrics.
double SheetTextWidthMm(const QString& text, double sizeMm, bool bold = false);
// The resource of a material's picture; empty for an index outside the table.
QString SheetMaterialResource(int material);
