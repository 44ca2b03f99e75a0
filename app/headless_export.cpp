#include "app/headless_export.h"

#include <QFileInfo>
#include <QRegularExpression>

#include "app/headless_opening.h"
#include "app/headless_sheet.h"
#include "document/image_writers.h"
#include "render/plan_picture.h"

std::optional<THeadlessExport> ParseHeadlessExport(const QStringList& arguments, QString* error) {
  const qsizetype at = arguments.indexOf(QStringLiteral("--export"));
  if (at < 0) return std::nullopt;
  THeadlessExport job;
  QStringList rest = arguments;
  rest.removeAt(at);
  job.Strict = rest.removeAll(QStringLiteral("--strict")) > 0;
  const qsizetype sizeAt = rest.indexOf(QStringLiteral("--size"));
  if (sizeAt >= 0) {
    if (sizeAt + 1 >= rest.size()) {
      *error = QStringLiteral("--size ждёт размер, например 1600x900");
      return job;
    }
    static const QRegularExpression re(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const QRegularExpressionMatch m = re.match(rest.at(sizeAt + 1));
    const int w = m.hasMatch() ? m.captured(1).toInt() : 0, h = m.hasMatch() ? m.captured(2).toInt() : 0;
    if (w < 200 || h < 200 || w > 20000 || h > 20000) {
      *error = QStringLiteral("--size: размер WxH, обе стороны от 200 до 20000, а не «%1»").arg(rest.at(sizeAt + 1));
      return job;
    }
    if (static_cast<qint64>(w) * h > kMaxExportPixels) {
      *error = QStringLiteral("--size %1: больше %2 млн пикселей").arg(rest.at(sizeAt + 1)).arg(kMaxExportPixels / 1000000);
      return job;
    }
    job.Size = QSize(w, h);
    job.SizeGiven = true;
    rest.remove(sizeAt, 2);
  }
  if (!TakeSheetOptions(rest, job, error)) return job;
  rest.removeAll(QStringLiteral("-ns"));
  if (rest.size() != 2) {
    *error = QStringLiteral("--export ждёт ровно РИСУНОК и ДОКУМЕНТ");
    return job;
  }
  job.Picture = rest.at(0);
  job.Document = rest.at(1);
  return job;
}

namespace {

std::optional<TExportFormat> FormatOfExtension(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("bmp")) return TExportFormat::Bmp;
  if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) return TExportFormat::Jpeg;
  if (suffix == QLatin1String("png")) return TExportFormat::Png;
  return std::nullopt;
}

}  // namespace

QString RunHeadlessExport(const THeadlessExport& job) {
  if (IsSheetExport(job)) return RunHeadlessSheetExport(job);
  if (job.SheetOptions) return QStringLiteral("--scale, --paper и --landscape бывают только у чертежей .pdf и .svg");
  const std::optional<TExportFormat> format = FormatOfExtension(job.Picture);
  if (!format) return QStringLiteral("«%1»: рисунок должен оканчиваться на .bmp, .jpg или .png (лист — на .pdf, .svg или .csv)").arg(job.Picture);
  QString error;
  const std::optional<TOpenedPlan> plan = OpenHeadlessDocument(job.Document, job.Strict, &error);
  if (!plan) return error;
  TPlanPicture drawn(plan->Records, job.Size);
  const QImage picture = drawn.Fixed();
  return picture.isNull() ? NoPictureMessage(job.Size) : WriteImage(picture, job.Picture, *format);
}
