#include "sheet/sheet_layout.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLineF>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <deque>
#include <numbers>

#include "pedestal/post_painting.h"
#include "pedestal/ringer.h"
#include "walls/wall_rules.h"

namespace {

const QColor kDimensionColour(0x1F, 0x3F, 0x9F);
const QColor kHandLineColour(0xC0, 0x10, 0x10);
const QColor kPostLineColour(0x10, 0x70, 0x10);
const QColor kBellColour(0xFF, 0xF1, 0xD0);
const QColor kBillRuleColour(0x60, 0x60, 0x60);

constexpr double kTextMm = 2.5;
constexpr double kBillRowMm = 4.5;
constexpr double kBillTitleMm = 6;
constexpr double kBillGapMm = 6;
constexpr double kBillPadMm = 1.2;

TSheetItem PathItem(QPainterPath shape, QColor pen, double penMm, QColor fill = QColor(),
                    int material = -1) {
  TSheetItem item;
  item.Kind = TSheetItem::Path;
  item.Shape = std::move(shape);
  item.Pen = pen;
  item.PenMm = penMm;
  item.FillColour = fill;
  item.Material = material;
  return item;
}

TSheetItem LineItem(QPointF a, QPointF b, QColor pen, double penMm) {
  QPainterPath p(a);
  p.lineTo(b);
  return PathItem(p, pen, penMm);
}

TSheetItem TextItem(const QString& text, QPointF at, double sizeMm, int align = -1,
                    bool bold = false, double angle = 0, QColor colour = Qt::black) {
  TSheetItem item;
  item.Kind = TSheetItem::Label;
  item.Text = text;
  item.At = at;
  item.SizeMm = sizeMm;
  item.Align = align;
  item.Bold = bold;
  item.Angle = angle;
  item.Pen = colour;
  return item;
}

QPainterPath PolygonPath(const QPolygonF& polygon) {
  QPainterPath p;
  p.addPolygon(polygon);
  p.closeSubpath();
  return p;
}

// Model millimetres to paper millimetres.
struct TPlanMap {
  double Scale = 50;  // model millimetres per paper millimetre
  QPointF ModelCorner;
  QPointF PaperCorner;
  QPointF operator()(QPointF mm) const { return PaperCorner + (mm - ModelCorner) / Scale; }
  QTransform Transform() const {
    return QTransform::fromTranslate(-ModelCorner.x(), -ModelCorner.y()) *
           QTransform::fromScale(1 / Scale, 1 / Scale) *
           QTransform::fromTranslate(PaperCorner.x(), PaperCorner.y());
  }
};

// A dimension between two paper points, drawn `offset` millimetres to the side given by `side`
// (a unit vector), with oblique ticks and the measure written along the line.
void AddDimension(std::vector<TSheetItem>& items, QPointF a, QPointF b, QPointF side, double offset,
                  const QString& text) {
  const QPointF a1 = a + side * offset, b1 = b + side * offset;
  const double pen = 0.18;
  items.push_back(LineItem(a + side * 1.0, a1 + side * 2.0, kDimensionColour, pen));
  items.push_back(LineItem(b + side * 1.0, b1 + side * 2.0, kDimensionColour, pen));
  items.push_back(LineItem(a1, b1, kDimensionColour, pen));
  QPointF along = b1 - a1;
  const double length = std::hypot(along.x(), along.y());
  if (length <= 0) return;
  along /= length;
  const QPointF tick = (along + side) * 1.2;
  for (const QPointF& p : {a1, b1})
    items.push_back(LineItem(p - tick, p + tick, kDimensionColour, 0.35));
  const double angle = std::atan2(along.y(), along.x()) * 180 / std::numbers::pi;
  // The text stands on the far side of the line, read from below or from the right.
  const bool vertical = std::abs(along.x()) < 0.5;
  const QPointF mid = (a1 + b1) / 2 + side * 1.0;
  TSheetItem t = TextItem(text, mid, kTextMm, 0, false, vertical ? -90 : angle, kDimensionColour);
  items.push_back(t);
}

QString MeasureText(double mm) { return QString::number(std::llround(mm)); }

TSheetGroup WallsGroup(const TSheetWalls& walls, const TPlanMap& map) {
  TSheetGroup g;
  g.Id = walls.Name;
  g.Class = QStringLiteral("walls");
  const QTransform t = map.Transform();
  QPainterPath ring =
      PolygonPath(QPolygonF(walls.Outer)).subtracted(PolygonPath(QPolygonF(walls.Inner)));
  for (const QPolygon& arch : walls.Arches) ring = ring.subtracted(PolygonPath(QPolygonF(arch)));
  g.Items.push_back(PathItem(t.map(ring), Qt::black, 0.35, QColor(), walls.Material));
  return g;
}

// Apart from the walls' group, so that a drawing program picks the walls alone.
TSheetGroup WallDimensionsGroup(const TSheetWalls& walls, const TPlanMap& map) {
  TSheetGroup g;
  g.Class = QStringLiteral("dimensions");
  // Sizes as they stand on the plan: the outer size at the left, the inner one above.
  const QRectF outer = QRectF(walls.Outer.boundingRect()).adjusted(0, 0, -1, -1);
  const QRectF inner = QRectF(walls.Inner.boundingRect()).adjusted(0, 0, -1, -1);
  if (!walls.Outer.isEmpty()) {
    const QPointF a = map(outer.topLeft()), b = map(outer.bottomLeft());
    AddDimension(g.Items, b, a, QPointF(-1, 0), 8, MeasureText(outer.height()));
  }
  if (!walls.Inner.isEmpty() && !walls.Outer.isEmpty()) {
    const double top = map(outer.topLeft()).y();
    QPointF a = map(inner.topLeft()), b = map(inner.topRight());
    const double offset = a.y() - top + 8;
    AddDimension(g.Items, a, b, QPointF(0, -1), offset, MeasureText(inner.width()));
  }
  return g;
}

TSheetGroup PostGroup(const TSheetPost& post, const TPlanMap& map) {
  TSheetGroup g;
  g.Id = post.Name;
  g.Class = QStringLiteral("pedestal");
  const QTransform t = map.Transform();
  g.Items.push_back(PathItem(t.map(PolygonPath(QPolygonF(post.Outline))), Qt::black, 0.25,
                             QColor::fromRgb(pedestal::kPostColour)));
  QPainterPath board;
  const double r = post.BoardDiameter / 2.0;
  board.addEllipse(QPointF(post.BoardCentre), r, r);
  g.Items.push_back(
      PathItem(t.map(board), Qt::black, 0.18, QColor::fromRgb(pedestal::kBoardColour)));
  for (const QPolygon& pedal : post.Pedals)
    g.Items.push_back(PathItem(t.map(PolygonPath(QPolygonF(pedal))), Qt::black, 0.18,
                               QColor::fromRgb(pedestal::kBoardColour)));
  TSheetItem ringer;
  ringer.Kind = TSheetItem::Image;
  ringer.Resource = pedestal::RingerResource(post.Ringer.Facing);
  ringer.Rect = QRectF(map(post.Ringer.Bounds.topLeft()),
                       QSizeF(post.Ringer.Bounds.width(), post.Ringer.Bounds.height()) / map.Scale);
  g.Items.push_back(ringer);
  return g;
}

TSheetGroup BellGroup(const TSheetBell& bell, const TPlanMap& map) {
  TSheetGroup g;
  g.Id = bell.Name;
  g.Class = QStringLiteral("bell");
  const QPointF c = map(bell.Centre);
  if (bell.LineEnd && (bell.Group == 1 || bell.Group == 2))
    g.Items.push_back(
        LineItem(c, map(*bell.LineEnd), bell.Group == 1 ? kHandLineColour : kPostLineColour, 0.25));
  QPainterPath circle;
  const double r = bell.Diameter / 2.0 / map.Scale;
  circle.addEllipse(c, r, r);
  g.Items.push_back(PathItem(circle, Qt::black, 0.25, kBellColour));
  g.Items.push_back(TextItem(bell.Name, c - QPointF(0, 0.3), 2.0, 0, true));
  if (bell.WeightKg >= 0)
    g.Items.push_back(
        TextItem(QStringLiteral("%1 кг").arg(bell.WeightKg), c + QPointF(0, 2.2), 1.8, 0));
  return g;
}

TSheetGroup BeemGroup(const TSheetBeem& beem, const TPlanMap& map) {
  TSheetGroup g;
  g.Id = beem.Name;
  g.Class = QStringLiteral("beam");
  const QPointF a = map(beem.Begin), b = map(beem.End);
  const QLineF line(a, b);
  if (line.length() <= 0) return g;
  const QPointF along = (b - a) / line.length();
  const QPointF across = QPointF(-along.y(), along.x()) * (beem.Width / 2.0 / map.Scale);
  const QPolygonF band{a + across, b + across, b - across, a - across};
  g.Items.push_back(PathItem(PolygonPath(band), Qt::black, 0.25, QColor(), beem.Material));
  double angle = std::atan2(along.y(), along.x()) * 180 / std::numbers::pi;
  if (angle > 90) angle -= 180;
  if (angle < -90) angle += 180;
  const double size = std::clamp(beem.Width / map.Scale * 0.6, 1.2, 2.0);
  g.Items.push_back(TextItem(beem.Name, (a + b) / 2 + QPointF(0, 0), size, 0, false, angle));
  return g;
}

double NiceLength(double atMost) {
  double best = 1;
  for (double p = 1; p <= 1e7; p *= 10) {
    for (const double m : {1.0, 2.0, 5.0}) {
      if (m * p <= atMost) best = m * p;
    }
  }
  return best;
}

TSheetGroup ScaleBar(QPointF corner, double maxWidth, int scale) {
  TSheetGroup g;
  g.Class = QStringLiteral("scale-bar");
  const double modelLength = NiceLength(maxWidth * scale);
  const double paper = modelLength / scale;
  const double h = 2;
  const QPointF at = corner + QPointF(0, 8);
  for (int i = 0; i < 5; ++i) {
    QPainterPath cell;
    cell.addRect(QRectF(at + QPointF(paper * i / 5, 0), QSizeF(paper / 5, h)));
    g.Items.push_back(
        PathItem(cell, Qt::black, 0.18, i % 2 == 0 ? QColor(Qt::black) : QColor(Qt::white)));
  }
  g.Items.push_back(TextItem(QStringLiteral("0"), at + QPointF(0, h + 3.2), kTextMm, 0));
  g.Items.push_back(TextItem(QString::number(modelLength / 2, 'f', 0),
                             at + QPointF(paper / 2, h + 3.2), kTextMm, 0));
  g.Items.push_back(TextItem(QStringLiteral("%1 мм").arg(modelLength, 0, 'f', 0),
                             at + QPointF(paper, h + 3.2), kTextMm, 0));
  g.Items.push_back(TextItem(QStringLiteral("Масштаб %1").arg(SheetScaleText(scale)),
                             at - QPointF(0, 2), 3.0, -1, true));
  return g;
}

TSheetGroup TitleBlock(const TSheetTitle& title, const TSheetSettings& settings, int scale,
                       QSizeF page, int pageNumber, int pageCount) {
  TSheetGroup g;
  g.Class = QStringLiteral("title-block");
  const QRectF box(page.width() - kSheetMarginMm - kTitleBlockWidthMm,
                   page.height() - kSheetMarginMm - kTitleBlockHeightMm, kTitleBlockWidthMm,
                   kTitleBlockHeightMm);
  QPainterPath frame;
  frame.addRect(box);
  g.Items.push_back(PathItem(frame, Qt::black, 0.5));
  const double row1 = 8, row = 6;
  const double x0 = box.left(), y0 = box.top();
  for (const double y : {y0 + row1, y0 + row1 + row, y0 + row1 + 2 * row})
    g.Items.push_back(LineItem(QPointF(x0, y), QPointF(box.right(), y), Qt::black, 0.25));
  const double c1 = x0 + 22, c2 = x0 + 60, c3 = x0 + 82;
  for (const double x : {c1, c2, c3})
    g.Items.push_back(
        LineItem(QPointF(x, y0 + row1), QPointF(x, y0 + row1 + 2 * row), Qt::black, 0.25));
  const double pad = 1.5, base = 4.3;
  QString name = title.Document;
  while (name.size() > 3 && SheetTextWidthMm(name, 4, true) > kTitleBlockWidthMm - 2 * pad)
    name = name.left(name.size() - 2) + QStringLiteral("…");
  g.Items.push_back(TextItem(name, QPointF(x0 + pad, y0 + 5.8), 4, -1, true));
  const double r2 = y0 + row1 + base, r3 = y0 + row1 + row + base, r4 = y0 + row1 + 2 * row + base;
  g.Items.push_back(TextItem(QStringLiteral("Масштаб"), QPointF(x0 + pad, r2), kTextMm));
  g.Items.push_back(TextItem(SheetScaleText(scale), QPointF(c1 + pad, r2), kTextMm, -1, true));
  g.Items.push_back(TextItem(QStringLiteral("Бумага"), QPointF(c2 + pad, r2), kTextMm));
  g.Items.push_back(TextItem(SheetPaperText(settings), QPointF(c3 + pad, r2), kTextMm));
  g.Items.push_back(TextItem(QStringLiteral("Дата"), QPointF(x0 + pad, r3), kTextMm));
  g.Items.push_back(TextItem(title.Date, QPointF(c1 + pad, r3), kTextMm));
  g.Items.push_back(TextItem(QStringLiteral("Лист"), QPointF(c2 + pad, r3), kTextMm));
  g.Items.push_back(TextItem(QStringLiteral("%1 из %2").arg(pageNumber).arg(pageCount),
                             QPointF(c3 + pad, r3), kTextMm));
  g.Items.push_back(TextItem(title.Program, QPointF(x0 + pad, r4), kTextMm));
  return g;
}

TSheetGroup Frame(QSizeF page) {
  TSheetGroup g;
  g.Class = QStringLiteral("frame");
  QPainterPath p;
  p.addRect(QRectF(kSheetMarginMm, kSheetMarginMm, page.width() - 2 * kSheetMarginMm,
                   page.height() - 2 * kSheetMarginMm));
  g.Items.push_back(PathItem(p, Qt::black, 0.5));
  return g;
}

// One table cut into column pieces as the space allows.
struct TBillMeasure {
  std::vector<double> Widths;
  double Width = 0;
};

TBillMeasure MeasureTable(const TBillTable& t) {
  TBillMeasure m;
  m.Widths.assign(static_cast<std::size_t>(t.Header.size()), 0);
  auto widen = [&m](const QStringList& row, bool bold) {
    for (qsizetype i = 0; i < row.size() && i < static_cast<qsizetype>(m.Widths.size()); ++i)
      m.Widths[static_cast<std::size_t>(i)] =
          std::max(m.Widths[static_cast<std::size_t>(i)],
                   SheetTextWidthMm(row.at(i), kTextMm, bold) + 2 * kBillPadMm);
  };
  widen(t.Header, true);
  for (const QStringList& row : t.Rows) widen(row, false);
  for (const double w : m.Widths) m.Width += w;
  m.Width = std::max(m.Width, SheetTextWidthMm(t.Title, 3, true));
  return m;
}

// Places the rows [first, last) of a table with its title and header at corner.
void PlaceTablePiece(TSheetGroup& g, const TBillTable& t, const TBillMeasure& m, QPointF corner,
                     std::size_t first, std::size_t last, bool continued) {
  g.Items.push_back(TextItem(continued ? t.Title + QStringLiteral(" (продолжение)") : t.Title,
                             corner + QPointF(0, kBillTitleMm - 1.8), 3, -1, true));
  double y = corner.y() + kBillTitleMm;
  const double x0 = corner.x();
  QPainterPath rules;
  auto row = [&](const QStringList& cells, bool bold) {
    double x = x0;
    for (qsizetype i = 0; i < cells.size() && i < static_cast<qsizetype>(m.Widths.size()); ++i) {
      const double w = m.Widths[static_cast<std::size_t>(i)];
      // Numbers stand at the right of their cell, words at the left.
      bool number = false;
      cells.at(i).toDouble(&number);
      if (number && !bold)
        g.Items.push_back(
            TextItem(cells.at(i), QPointF(x + w - kBillPadMm, y + kBillRowMm - 1.2), kTextMm, 1));
      else
        g.Items.push_back(TextItem(cells.at(i), QPointF(x + kBillPadMm, y + kBillRowMm - 1.2),
                                   kTextMm, -1, bold));
      x += w;
    }
    rules.moveTo(x0, y + kBillRowMm);
    rules.lineTo(x0 + m.Width, y + kBillRowMm);
    y += kBillRowMm;
  };
  rules.moveTo(x0, y);
  rules.lineTo(x0 + m.Width, y);
  row(t.Header, true);
  for (std::size_t r = first; r < last; ++r) row(t.Rows[r], false);
  double x = x0;
  for (const double w : m.Widths) {
    rules.moveTo(x, corner.y() + kBillTitleMm);
    rules.lineTo(x, y);
    x += w;
  }
  rules.moveTo(x, corner.y() + kBillTitleMm);
  rules.lineTo(x, y);
  g.Items.push_back(PathItem(rules, kBillRuleColour, 0.18));
}

// Lines of at most `widthMm`, broken between words; a word longer than the width stands alone.
QStringList WrapText(const QString& text, double widthMm) {
  QStringList lines;
  QString line;
  for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
    const QString longer = line.isEmpty() ? word : line + u' ' + word;
    if (!line.isEmpty() && SheetTextWidthMm(longer, kTextMm, false) + 2 * kBillPadMm > widthMm) {
      lines << line;
      line = word;
    } else {
      line = longer;
    }
  }
  if (!line.isEmpty() || lines.isEmpty()) lines << line;
  return lines;
}

// A table wider than the page (the remarks, whose last column is a sentence) has its last column
// broken into lines of the room the other columns leave, each line a row of its own under the
// first. Tables that fit are left as they are.
TBill WrapWideTables(const TBill& bill, double widthMm) {
  TBill wrapped = bill;
  for (TBillTable& t : wrapped.Tables) {
    const TBillMeasure m = MeasureTable(t);
    if (m.Width <= widthMm || m.Widths.empty()) continue;
    double others = 0;
    for (std::size_t i = 0; i + 1 < m.Widths.size(); ++i) others += m.Widths[i];
    const double room = widthMm - others;
    if (room < 20) continue;
    const qsizetype last = static_cast<qsizetype>(m.Widths.size()) - 1;
    std::vector<QStringList> rows;
    for (const QStringList& row : t.Rows) {
      if (row.size() <= last) {
        rows.push_back(row);
        continue;
      }
      const QStringList lines = WrapText(row.at(last), room);
      QStringList first = row;
      first[last] = lines.front();
      rows.push_back(first);
      for (qsizetype k = 1; k < lines.size(); ++k) {
        QStringList more(row.size());
        more[last] = lines.at(k);
        rows.push_back(more);
      }
    }
    t.Rows = std::move(rows);
  }
  return wrapped;
}

// Flows the tables into columns over the regions handed out by `nextRegion`; false when a region
// cannot take even one row of a table.
template <typename NextRegion>
bool FlowBill(const TBill& bill, NextRegion nextRegion) {
  QRectF region;
  TSheetGroup* group = nullptr;
  if (!nextRegion(region, group)) return false;
  double x = region.left(), y = region.top(), columnWidth = 0;
  for (const TBillTable& t : bill.Tables) {
    const TBillMeasure m = MeasureTable(t);
    std::size_t first = 0;
    bool continued = false;
    for (;;) {
      const double room = region.bottom() - y - kBillTitleMm - kBillRowMm;  // the header's row
      std::size_t fit =
          room > 0 ? static_cast<std::size_t>(std::floor(room / kBillRowMm + 1e-9)) : 0;
      const std::size_t left = t.Rows.size() - first;
      if (fit == 0 || x + m.Width > region.right() + 1e-9) {
        if (fit == 0 && y > region.top() + 1e-9 &&
            x + columnWidth + kBillGapMm + m.Width <= region.right()) {
          x += columnWidth + kBillGapMm;  // the next column
          y = region.top();
          columnWidth = 0;
          continue;
        }
        if (y == region.top() && x == region.left()) return false;  // a fresh region too small
        if (!nextRegion(region, group)) return false;
        x = region.left();
        y = region.top();
        columnWidth = 0;
        continue;
      }
      const std::size_t take = std::min(fit, left);
      PlaceTablePiece(*group, t, m, QPointF(x, y), first, first + take, continued);
      y += kBillTitleMm + kBillRowMm * static_cast<double>(take + 1) + kBillGapMm;
      columnWidth = std::max(columnWidth, m.Width);
      first += take;
      continued = true;
      if (first >= t.Rows.size()) break;
    }
  }
  return true;
}

}  // namespace

double SheetTextWidthMm(const QString& text, double sizeMm, bool bold) {
  // Kept for the run and never destroyed: fonts must not outlive the application object.
  static const auto metricsOf = [](bool b) {
    QFont font(QString::fromLatin1(kSheetFontFamily));
    font.setPixelSize(100);
    font.setBold(b);
    return new QFontMetricsF(font);
  };
  static const QFontMetricsF* regular = metricsOf(false);
  static const QFontMetricsF* heavy = metricsOf(true);
  return (bold ? heavy : regular)->horizontalAdvance(text) * sizeMm / 100;
}

QString SheetMaterialResource(int material) {
  if (material < 0 || material >= kMaterialCount) return {};
  return MaterialResource(material);
}

TSheet LayOutSheet(const TSheetPlan& plan, const TBill& bill, const TSheetSettings& settings,
                   const TSheetTitle& title, bool withBill) {
  TSheet sheet;
  sheet.PageMm = settings.PageSizeMm();
  const QSizeF page = sheet.PageMm;
  const double inner = 2;  // between the frame and what it holds
  const QRectF area(kSheetMarginMm + inner, kSheetMarginMm + inner,
                    page.width() - 2 * (kSheetMarginMm + inner),
                    page.height() - 2 * (kSheetMarginMm + inner) - kTitleBlockHeightMm);
  const QRect extent = plan.Extent();
  if (area.width() < kTitleBlockWidthMm || area.height() < 20 || extent.isEmpty()) {
    sheet.Error = extent.isEmpty()
                      ? QStringLiteral("На плане нет ничего видимого для листа")
                      : QStringLiteral("Лист %1 мал для чертежа").arg(SheetPaperText(settings));
    return sheet;
  }
  const double roomW = area.width() - kDimensionRoomMm, roomH = area.height() - kDimensionRoomMm;
  int scale = settings.Scale;
  if (scale == kSheetFitScale) {
    const double need = std::max(extent.width() / roomW, extent.height() / roomH);
    scale = std::max(1, static_cast<int>(std::ceil(need - 1e-9)));
  }
  sheet.Scale = scale;
  const double planW = extent.width() / static_cast<double>(scale) + kDimensionRoomMm;
  const double planH = extent.height() / static_cast<double>(scale) + kDimensionRoomMm;
  if (planW > area.width() + 1e-6 || planH > area.height() + 1e-6) {
    sheet.Error = QStringLiteral(
                      "План не помещается на лист %1 в масштабе %2: ему нужно %3 × %4 мм, а на "
                      "листе есть %5 × %6 мм. Выберите масштаб мельче, лист больше или «%7».")
                      .arg(SheetPaperText(settings), SheetScaleText(scale))
                      .arg(std::ceil(planW))
                      .arg(std::ceil(planH))
                      .arg(std::floor(area.width()))
                      .arg(std::floor(area.height()))
                      .arg(SheetFitText());
    return sheet;
  }

  // The bill goes beside the plan when all of it fits there; else on pages of its own, and the
  // plan has its page to itself, centred.
  const double gap = 10;
  const QRectF beside(area.left() + planW + gap, area.top(), area.width() - planW - gap,
                      area.height());
  std::deque<TSheetPage> billPages;  // the groups handed out stay where they are
  bool billBeside = false;
  TSheetPage first;
  first.Groups.push_back(Frame(page));
  TSheetGroup besideGroup;
  besideGroup.Class = QStringLiteral("bill");
  if (withBill && beside.width() > 20) {
    bool used = false;
    billBeside = FlowBill(bill, [&](QRectF& region, TSheetGroup*& group) {
      if (used) return false;
      used = true;
      region = beside;
      group = &besideGroup;
      return true;
    });
  }
  if (withBill && !billBeside) {
    const bool ok = FlowBill(WrapWideTables(bill, area.width()), [&](QRectF& region, TSheetGroup*& group) {
      if (billPages.size() >= 1000) return false;  // a safety stop; no real bill comes near
      TSheetPage p;
      p.Groups.push_back(Frame(page));
      TSheetGroup g;
      g.Class = QStringLiteral("bill");
      p.Groups.push_back(std::move(g));
      billPages.push_back(std::move(p));
      region = area;
      group = &billPages.back().Groups.back();
      return true;
    });
    if (!ok) {
      sheet.Error =
          QStringLiteral("Ведомость не помещается на лист %1").arg(SheetPaperText(settings));
      return sheet;
    }
  }

  TPlanMap map;
  map.Scale = scale;
  map.ModelCorner = QPointF(extent.topLeft());
  QPointF planCorner = area.topLeft();
  if (!billBeside) planCorner += QPointF((area.width() - planW) / 2, (area.height() - planH) / 2);
  map.PaperCorner = planCorner + QPointF(kDimensionRoomMm, kDimensionRoomMm);

  if (plan.Post.Visible) first.Groups.push_back(PostGroup(plan.Post, map));
  for (const TSheetBell& b : plan.Bells) {
    if (b.Visible) first.Groups.push_back(BellGroup(b, map));
  }
  for (const TSheetBeem& b : plan.Beems) {
    if (b.Visible) first.Groups.push_back(BeemGroup(b, map));
  }
  if (plan.Walls.Visible) {
    first.Groups.push_back(WallsGroup(plan.Walls, map));
    first.Groups.push_back(WallDimensionsGroup(plan.Walls, map));
  }
  if (billBeside) first.Groups.push_back(std::move(besideGroup));

  const QPointF barCorner(area.left(), page.height() - kSheetMarginMm - kTitleBlockHeightMm);
  const double barRoom =
      std::min(60.0, page.width() - 2 * kSheetMarginMm - kTitleBlockWidthMm - 20);
  first.Groups.push_back(ScaleBar(barCorner, barRoom, scale));

  sheet.Pages.push_back(std::move(first));
  for (TSheetPage& p : billPages) sheet.Pages.push_back(std::move(p));
  const int count = static_cast<int>(sheet.Pages.size());
  for (int i = 0; i < count; ++i)
    sheet.Pages[static_cast<std::size_t>(i)].Groups.push_back(
        TitleBlock(title, settings, scale, page, i + 1, count));
  return sheet;
}
