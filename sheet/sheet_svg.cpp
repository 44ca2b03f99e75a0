#include "sheet/sheet_svg.h"

#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QSet>
#include <QXmlStreamWriter>
#include <map>

#include "platform/atomic_file.h"
#include "platform/resource_picture.h"

namespace {

QString Number(double v) {
  QString s = QString::number(v, 'f', 3);
  while (s.contains(u'.') && (s.endsWith(u'0') || s.endsWith(u'.'))) s.chop(1);
  return s == QLatin1String("-0") ? QStringLiteral("0") : s;
}

QString PathData(const QPainterPath& path) {
  QString d;
  d.reserve(path.elementCount() * 16);
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element e = path.elementAt(i);
    if (e.isMoveTo()) {
      if (i > 0) d += QStringLiteral("Z");
      d += u'M';
    } else if (e.isLineTo()) {
      d += u'L';
    } else if (e.type == QPainterPath::CurveToElement) {
      d += u'C';
    } else {
      d += u' ';  // the control points that follow a curve
    }
    d += Number(e.x) + u',' + Number(e.y);
  }
  return d;
}

bool IsClosed(const QPainterPath& path) {
  const int n = path.elementCount();
  return n > 2 && path.elementAt(0).x == path.elementAt(n - 1).x &&
         path.elementAt(0).y == path.elementAt(n - 1).y;
}

// A picture resource as a data address, encoded once per run.
QString PictureData(const QString& resource) {
  static QHash<QString, QString> cache;
  auto it = cache.find(resource);
  if (it == cache.end()) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QImage image = ResourcePicture(resource);
    if (!image.isNull()) image.save(&buffer, "PNG");
    it = cache.insert(resource, bytes.isEmpty() ? QString()
                                                : QStringLiteral("data:image/png;base64,") +
                                                      QString::fromLatin1(bytes.toBase64()));
  }
  return *it;
}

QString ColourText(const QColor& c) { return c.name(QColor::HexRgb); }

}  // namespace

QByteArray MakeSheetSvg(const TSheet& sheet, const QString& title) {
  QByteArray bytes;
  if (!sheet.Ok() || sheet.Pages.empty()) return bytes;
  const TSheetPage& page = sheet.Pages.front();
  QXmlStreamWriter xml(&bytes);
  xml.setAutoFormatting(true);
  xml.setAutoFormattingIndent(1);
  xml.writeStartDocument();
  xml.writeStartElement(QStringLiteral("svg"));
  xml.writeDefaultNamespace(QStringLiteral("http://www.w3.org/2000/svg"));
  xml.writeNamespace(QStringLiteral("http://www.w3.org/1999/xlink"), QStringLiteral("xlink"));
  xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
  xml.writeAttribute(QStringLiteral("width"), Number(sheet.PageMm.width()) + QStringLiteral("mm"));
  xml.writeAttribute(QStringLiteral("height"),
                     Number(sheet.PageMm.height()) + QStringLiteral("mm"));
  xml.writeAttribute(
      QStringLiteral("viewBox"),
      QStringLiteral("0 0 %1 %2").arg(Number(sheet.PageMm.width()), Number(sheet.PageMm.height())));
  xml.writeTextElement(QStringLiteral("title"), title);

  // Each material picture once, as a pattern at its size on paper.
  std::map<int, QString> patterns;
  for (const TSheetGroup& g : page.Groups) {
    for (const TSheetItem& item : g.Items) {
      if (item.Kind == TSheetItem::Path && !item.FillColour.isValid() && item.Material >= 0)
        patterns.emplace(item.Material,
                         QStringLiteral("tarvosk-material-%1").arg(item.Material + 1));
    }
  }
  xml.writeStartElement(QStringLiteral("defs"));
  for (const auto& [material, id] : patterns) {
    const QImage picture = ResourcePicture(SheetMaterialResource(material));
    if (picture.isNull() || picture.width() <= 0) continue;
    const double w = kMaterialTileMm, h = kMaterialTileMm * picture.height() / picture.width();
    xml.writeStartElement(QStringLiteral("pattern"));
    xml.writeAttribute(QStringLiteral("id"), id);
    xml.writeAttribute(QStringLiteral("patternUnits"), QStringLiteral("userSpaceOnUse"));
    xml.writeAttribute(QStringLiteral("width"), Number(w));
    xml.writeAttribute(QStringLiteral("height"), Number(h));
    xml.writeEmptyElement(QStringLiteral("image"));
    xml.writeAttribute(QStringLiteral("width"), Number(w));
    xml.writeAttribute(QStringLiteral("height"), Number(h));
    xml.writeAttribute(QStringLiteral("preserveAspectRatio"), QStringLiteral("none"));
    xml.writeAttribute(QStringLiteral("xlink:href"), PictureData(SheetMaterialResource(material)));
    xml.writeEndElement();
  }
  xml.writeEndElement();  // defs

  QSet<QString> ids;
  for (const TSheetGroup& g : page.Groups) {
    xml.writeStartElement(QStringLiteral("g"));
    // Names are unique on a plan; a document made by hand may still repeat one, and an id may be
    // given once only.
    if (!g.Id.isEmpty() && !ids.contains(g.Id)) {
      xml.writeAttribute(QStringLiteral("id"), g.Id);
      ids.insert(g.Id);
    }
    xml.writeAttribute(QStringLiteral("class"), g.Class);
    for (const TSheetItem& item : g.Items) {
      switch (item.Kind) {
        case TSheetItem::Path: {
          xml.writeEmptyElement(QStringLiteral("path"));
          QString d = PathData(item.Shape);
          if (IsClosed(item.Shape) || item.FillColour.isValid() || item.Material >= 0) d += u'Z';
          xml.writeAttribute(QStringLiteral("d"), d);
          QString fill = QStringLiteral("none");
          if (item.FillColour.isValid())
            fill = ColourText(item.FillColour);
          else if (patterns.count(item.Material))
            fill = QStringLiteral("url(#%1)").arg(patterns.at(item.Material));
          xml.writeAttribute(QStringLiteral("fill"), fill);
          if (fill != QLatin1String("none"))
            xml.writeAttribute(QStringLiteral("fill-rule"), QStringLiteral("evenodd"));
          if (item.PenMm > 0) {
            xml.writeAttribute(QStringLiteral("stroke"), ColourText(item.Pen));
            xml.writeAttribute(QStringLiteral("stroke-width"), Number(item.PenMm));
          }
          break;
        }
        case TSheetItem::Label: {
          xml.writeStartElement(QStringLiteral("text"));
          xml.writeAttribute(QStringLiteral("x"), Number(item.At.x()));
          xml.writeAttribute(QStringLiteral("y"), Number(item.At.y()));
          if (item.Angle != 0)
            xml.writeAttribute(
                QStringLiteral("transform"),
                QStringLiteral("rotate(%1 %2 %3)")
                    .arg(Number(item.Angle), Number(item.At.x()), Number(item.At.y())));
          xml.writeAttribute(QStringLiteral("font-family"), QString::fromLatin1(kSheetFontFamily));
          xml.writeAttribute(QStringLiteral("font-size"), Number(item.SizeMm));
          if (item.Bold) xml.writeAttribute(QStringLiteral("font-weight"), QStringLiteral("bold"));
          if (item.Align >= 0)
            xml.writeAttribute(QStringLiteral("text-anchor"),
                               item.Align == 0 ? QStringLiteral("middle") : QStringLiteral("end"));
          xml.writeAttribute(QStringLiteral("fill"), ColourText(item.Pen));
          xml.writeCharacters(item.Text);
          xml.writeEndElement();
          break;
        }
        case TSheetItem::Image: {
          const QString data = PictureData(item.Resource);
          if (data.isEmpty()) break;
          xml.writeEmptyElement(QStringLiteral("image"));
          xml.writeAttribute(QStringLiteral("preserveAspectRatio"), QStringLiteral("none"));
          xml.writeAttribute(QStringLiteral("xlink:href"), data);
          xml.writeAttribute(QStringLiteral("x"), Number(item.Rect.x()));
          xml.writeAttribute(QStringLiteral("y"), Number(item.Rect.y()));
          xml.writeAttribute(QStringLiteral("width"), Number(item.Rect.width()));
          xml.writeAttribute(QStringLiteral("height"), Number(item.Rect.height()));
          break;
        }
      }
    }
    xml.writeEndElement();  // g
  }
  xml.writeEndElement();  // svg
  xml.writeEndDocument();
  return bytes;
}

QString WriteSheetSvg(const TSheet& sheet, const QString& title, const QString& path) {
  if (!sheet.Ok()) return sheet.Error;
  const QByteArray bytes = MakeSheetSvg(sheet, title);
  if (bytes.isEmpty()) return QStringLiteral("Не удалось составить SVG");
  return WriteFileAtomically(path, bytes);
}
