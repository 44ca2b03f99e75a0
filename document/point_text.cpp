#include "document/point_text.h"

#include "platform/ini_file.h"

QString PointToText(QPoint p) { return QString::number(p.x()) + u',' + QString::number(p.y()); }

QString NotAnIntegerMessage(QStringView part) {
  return QStringLiteral("'%1' is not a valid integer value").arg(part);
}

std::optional<QPoint> TextToPoint(QStringView text, QString* error) {
  if (text.isEmpty()) return QPoint(0, 0);
  const qsizetype comma = text.indexOf(u',');
  const QStringView xPart = comma < 0 ? text : text.first(comma);
  // The y part reads without any further commas; a copy is made only when it has some.
  QStringView yPart = comma < 0 ? QStringView() : text.sliced(comma + 1);
  QString stripped;
  if (yPart.contains(u',')) {
    stripped = yPart.toString().remove(u',');
    yPart = stripped;
  }

  const std::optional<std::int32_t> y = ParseIniInteger(yPart, false);
  if (!y) {
    if (error) *error = NotAnIntegerMessage(yPart);
    return std::nullopt;
  }
  const std::optional<std::int32_t> x = ParseIniInteger(xPart, false);
  if (!x) {
    if (error) *error = NotAnIntegerMessage(xPart);
    return std::nullopt;
  }
  return QPoint(*x, *y);
}

std::int32_t KindToFileType(TObjectKind kind) { return static_cast<std::int32_t>(kind); }

TObjectKind FileTypeToKind(std::int32_t value) {
  switch (value) {
    case 1:
      return okBell;
    case 2:
      return okBeam;
    case 3:
    case 4:
      return okPost;
    default:
      return okWalls;
  }
}
