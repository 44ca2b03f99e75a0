#include "app/headless_export.h"

#include <QFileInfo>
#include <QRegularExpression>

#include "app/headless_sheet.h"
#include "bells/bell_catalogue.h"
#include "document/image_writers.h"
#include "document/plan_opening.h"
#include "render/plan_picture.h"

std::optional<THeadlessExport> ParseHeadlessExport(const QStringList& arguments, QString* error) {
  const qsizetype at = arguments.indexOf(QStringLiteral("--export"));
  if (at < 0) return std::nullopt;
  THeadlessExport job;
  QStringList rest = arguments;
  rest.removeAt(at);
  const qsizetype sizeAt = rest.indexOf(QStringLiteral("--size"));
  if (sizeAt >= 0) {
    if (sizeAt + 1 >= rest.size()) {
      *error = QStringLiteral("--size needs a value such as 1600x900");
      return job;
    }
    static const QRegularExpression re(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const QRegularExpressionMatch m = re.match(rest.at(sizeAt + 1));
    const int w = m.hasMatch() ? m.captured(1).toInt() : 0, h = m.hasMatch() ? m.captured(2).toInt() : 0;
    if (w < 200 || h < 200 || w > 20000 || h > 20000) {
      *error = QStringLiteral("--size must be WxH with both sides from 200 to 20000, not '%1'").arg(rest.at(sizeAt + 1));
      return job;
    }
    if (static_cast<qint64>(w) * h > kMaxExportPixels) {
      *error = QStringLiteral("--size %1 is more than %2 million pixels").arg(rest.at(sizeAt + 1)).arg(kMaxExportPixels / 1000000);
      return job;
    }
    job.Size = QSize(w, h);
    job.SizeGiven = true;
    rest.remove(sizeAt, 2);
  }
  if (!TakeSheetOptions(rest, job, error)) return job;
  rest.removeAll(QStringLiteral("-ns"));
  if (rest.size() != 2) {
    *error = QStringLiteral("--export needs exactly a PICTURE and a DOCUMENT");
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
  if (job.SheetOptions) return QStringLiteral("--scale, --paper and --landscape are for .pdf and .svg drawings");
  const std::optional<TExportFormat> format = FormatOfExtension(job.Picture);
  if (!format) return QStringLiteral("'%1': the picture must end in .bmp, .jpg or .png (a sheet in .pdf, .svg or .csv)").arg(job.Picture);
  if (!QFileInfo(job.Document).isFile()) return QStringLiteral("'%1': no such document").arg(job.Document);
  const TOpenedPlan plan = OpenPlanFile(job.Document, LoadBellDiameters());
  if (!plan.Ok()) return plan.Error;
  TPlanPicture drawn(plan.Records, job.Size);
  const QImage picture = drawn.Fixed();
  return picture.isNull() ? NoPictureMessage(job.Size) : WriteImage(picture, job.Picture, *format);
}
