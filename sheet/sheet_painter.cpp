#include "sheet/sheet_painter.h"

#include <QBuffer>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "platform/atomic_file.h"
#include "platform/resource_picture.h"

namespace {

// One picture object per resource for the whole run: the PDF writer embeds a picture once per
// picture object, however many shapes it fills.
const QImage& SheetPicture(const QString& resource) {
  static QHash<QString, QImage> cache;
  auto it = cache.find(resource);
  if (it == cache.end()) {
    QImage image = ResourcePicture(resource);
    if (!image.isNull()) image = image.convertToFormat(QImage::Format_RGB32);
    it = cache.insert(resource, image);
  }
  return *it;
}

QBrush MaterialBrush(int material) {
  const QString resource = SheetMaterialResource(material);
  if (resource.isEmpty()) return QBrush(Qt::lightGray, Qt::BDiagPattern);
  const QImage& picture = SheetPicture(resource);
  if (picture.isNull() || picture.width() <= 0) return QBrush(Qt::lightGray, Qt::BDiagPattern);
  QBrush brush(picture);
  const double k = kMaterialTileMm / picture.width();
  brush.setTransform(QTransform::fromScale(k, k));
  return brush;
}

void PaintText(QPainter& painter, const TSheetItem& item) {
  // Fonts take whole pixel sizes; a hundredth of a millimetre per unit keeps sizes exact.
  constexpr double kUnit = 100;
  QFont font(QString::fromLatin1(kSheetFontFamily));
  font.setPixelSize(qMax(1, qRound(item.SizeMm * kUnit)));
  font.setBold(item.Bold);
  painter.save();
  painter.translate(item.At);
  painter.rotate(item.Angle);
  painter.scale(1 / kUnit, 1 / kUnit);
  painter.setFont(font);
  painter.setPen(item.Pen);
  const double width = item.Align < 0 ? 0 : painter.fontMetrics().horizontalAdvance(item.Text);
  const double x = item.Align < 0 ? 0 : item.Align == 0 ? -width / 2 : -width;
  painter.drawText(QPointF(x, 0), item.Text);
  painter.restore();
}

}  // namespace

void ScalePainterToMillimetres(QPainter& painter, double dotsPerInch) {
  const double k = dotsPerInch / 25.4;
  painter.scale(k, k);
}

void PaintSheetPage(QPainter& painter, const TSheetPage& page) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  // Shapes first, then every text over them, so that no beam or wall hides a bell's name.
  for (const bool labels : {false, true}) {
    for (const TSheetGroup& group : page.Groups) {
      for (const TSheetItem& item : group.Items) {
        if ((item.Kind == TSheetItem::Label) != labels) continue;
        switch (item.Kind) {
          case TSheetItem::Path: {
            QBrush brush = Qt::NoBrush;
            if (item.FillColour.isValid())
              brush = QBrush(item.FillColour);
            else if (item.Material >= 0)
              brush = MaterialBrush(item.Material);
            QPen pen = item.PenMm > 0 ? QPen(item.Pen, item.PenMm) : QPen(Qt::NoPen);
            pen.setCapStyle(Qt::FlatCap);
            pen.setJoinStyle(Qt::MiterJoin);
            painter.setPen(pen);
            painter.setBrush(brush);
            painter.drawPath(item.Shape);
            break;
          }
          case TSheetItem::Label:
            PaintText(painter, item);
            break;
          case TSheetItem::Image: {
            const QImage& picture = SheetPicture(item.Resource);
            if (!picture.isNull()) painter.drawImage(item.Rect, picture);
            break;
          }
        }
      }
    }
  }
  painter.restore();
}

QByteArray MakeSheetPdf(const TSheet& sheet, const QString& title, QString* error) {
  if (!sheet.Ok() || sheet.Pages.empty()) {
    if (error) *error = sheet.Ok() ? QStringLiteral("На листе нет страниц") : sheet.Error;
    return {};
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Tarvosk"));
    writer.setResolution(1200);
    // A landscape page is the portrait paper turned, so that viewers and printers see A3, not a
    // paper of their own.
    const bool landscape = sheet.PageMm.width() > sheet.PageMm.height();
    const QSizeF paper = landscape ? sheet.PageMm.transposed() : sheet.PageMm;
    writer.setPageLayout(QPageLayout(QPageSize(paper, QPageSize::Millimeter),
                                     landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                     QMarginsF(), QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&writer)) {
      if (error) *error = QStringLiteral("Не удалось начать файл PDF");
      return {};
    }
    ScalePainterToMillimetres(painter, writer.resolution());
    for (std::size_t i = 0; i < sheet.Pages.size(); ++i) {
      if (i > 0) writer.newPage();
      PaintSheetPage(painter, sheet.Pages[i]);
    }
    painter.end();
  }
  return bytes;
}

QString WriteSheetPdf(const TSheet& sheet, const QString& title, const QString& path) {
  QString error;
  const QByteArray bytes = MakeSheetPdf(sheet, title, &error);
  if (bytes.isEmpty()) return error.isEmpty() ? QStringLiteral("Не удалось составить PDF") : error;
  return WriteFileAtomically(path, bytes);
}
