#include "document/image_writers.h"

#include <QtEndian>
#include <cstdint>
#include <limits>

#include "platform/atomic_file.h"

namespace {

const char* const kFilterEntries[] = {"BMP Image (*.bmp)", "JPEG Image (*.jpg)",
                                      "PNG Image (*.png)"};

void Put16(QByteArray& out, std::uint16_t v) {
  const std::uint16_t le = qToLittleEndian(v);
  out.append(reinterpret_cast<const char*>(&le), 2);
}

void Put32(QByteArray& out, std::uint32_t v) {
  const std::uint32_t le = qToLittleEndian(v);
  out.append(reinterpret_cast<const char*>(&le), 4);
}

QString WriteEncoded(const QByteArray& bytes, const QString& error, const QString& path) {
  if (!error.isEmpty()) return error;
  return WriteFileAtomically(path, bytes);
}

}  // namespace

QString ExportDialogFilter() {
  return QStringList{QString::fromLatin1(kFilterEntries[0]), QString::fromLatin1(kFilterEntries[1]),
                     QString::fromLatin1(kFilterEntries[2])}
      .join(QStringLiteral(";;"));
}

std::optional<TExportFormat> ExportFormatFromFilter(const QString& selectedFilter) {
  for (int i = 0; i < 3; ++i) {
    if (selectedFilter == QLatin1String(kFilterEntries[i])) return ExportFormatFromIndex(i + 1);
  }
  return std::nullopt;
}

std::optional<TExportFormat> ExportFormatFromIndex(int filterIndex) {
  if (filterIndex < 1 || filterIndex > 3) return std::nullopt;
  return static_cast<TExportFormat>(filterIndex);
}

QString ExportExtension(TExportFormat format) {
  switch (format) {
    case TExportFormat::Bmp:
      return QStringLiteral(".bmp");
    case TExportFormat::Jpeg:
      return QStringLiteral(".jpg");
    case TExportFormat::Png:
      return QStringLiteral(".png");
  }
  return {};
}

QString ExportFileName(const QString& chosenPath, TExportFormat format) {
  return FileNameWithExtension(chosenPath, ExportExtension(format));
}

QString FileNameWithExtension(const QString& chosenPath, const QString& ext) {
  // Only a dot in the last path component starts an extension: "/a.b/plan" has none.
  qsizetype sep = chosenPath.lastIndexOf(u'/');
#if defined(Q_OS_WIN)
  sep = std::max({sep, chosenPath.lastIndexOf(u'\\'), chosenPath.lastIndexOf(u':')});
#endif
  const qsizetype dot = chosenPath.lastIndexOf(u'.');
  const QStringView current = dot > sep ? QStringView(chosenPath).sliced(dot) : QStringView();
  return current == ext ? chosenPath : chosenPath + ext;
}

QByteArray MakeBmp(const QImage& image, QString* error) {
  if (image.isNull() || image.width() <= 0 || image.height() <= 0) {
    if (error) *error = QStringLiteral("Не удалось записать рисунок BMP: рисунок пуст");
    return {};
  }
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  const std::uint64_t w = static_cast<std::uint64_t>(rgb.width());
  const std::uint64_t h = static_cast<std::uint64_t>(rgb.height());
  const std::uint64_t rowSize = (w * 3 + 3) & ~std::uint64_t{3};  // rows are padded to 4 bytes
  const std::uint64_t imageSize = rowSize * h;
  constexpr std::uint32_t kHeaders = 14 + 40;
  if (rgb.isNull() || imageSize + kHeaders > std::numeric_limits<std::uint32_t>::max()) {
    if (error) *error = QStringLiteral("Не удалось записать рисунок BMP: рисунок слишком велик");
    return {};
  }
  QByteArray out;
  out.reserve(static_cast<qsizetype>(imageSize + kHeaders));
  out.append("BM", 2);
  Put32(out, static_cast<std::uint32_t>(imageSize + kHeaders));
  Put16(out, 0);
  Put16(out, 0);
  Put32(out, kHeaders);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(w));
  Put32(out, static_cast<std::uint32_t>(h));  // positive: rows run bottom-up
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);  // uncompressed
  Put32(out, static_cast<std::uint32_t>(imageSize));
  Put32(out, 3780);  // 96 dots per inch: one picture pixel was one screen pixel
  Put32(out, 3780);
  Put32(out, 0);
  Put32(out, 0);
  const QByteArray padding(static_cast<qsizetype>(rowSize - w * 3), '\0');
  QByteArray row(static_cast<qsizetype>(w * 3), '\0');
  for (qsizetype y = static_cast<qsizetype>(h) - 1; y >= 0; --y) {
    const uchar* src = rgb.constScanLine(static_cast<int>(y));
    for (std::uint64_t x = 0; x < w; ++x) {  // RGB to the file's BGR
      row[static_cast<qsizetype>(3 * x)] = static_cast<char>(src[3 * x + 2]);
      row[static_cast<qsizetype>(3 * x + 1)] = static_cast<char>(src[3 * x + 1]);
      row[static_cast<qsizetype>(3 * x + 2)] = static_cast<char>(src[3 * x]);
    }
    out.append(row);
    out.append(padding);
  }
  if (error) error->clear();
  return out;
}

QString WriteBmp(const QImage& image, const QString& path) {
  QString error;
  const QByteArray bytes = MakeBmp(image, &error);
  return WriteEncoded(bytes, error, path);
}

QString WriteJpeg(const QImage& image, const QString& path) {
  QString error;
  const QByteArray bytes = MakeJpeg(image, 75, &error);
  return WriteEncoded(bytes, error, path);
}

QString WritePng(const QImage& image, const QString& path) {
  QString error;
  const QByteArray bytes = MakePng(image, &error);
  return WriteEncoded(bytes, error, path);
}

QString WriteImage(const QImage& image, const QString& path, TExportFormat format) {
  switch (format) {
    case TExportFormat::Bmp:
      return WriteBmp(image, path);
    case TExportFormat::Jpeg:
      return WriteJpeg(image, path);
    case TExportFormat::Png:
      return WritePng(image, path);
  }
  return WriteEncoded({}, QStringLiteral("Неизвестный формат рисунка"), path);
}
