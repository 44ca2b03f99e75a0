#include "app/thumbnail.h"

#include <QFileInfo>
#include <algorithm>

#include "app/tfm_main.h"
#include "document/image_writers.h"

int ThumbnailPanelSide(int size) { return std::clamp(2 * size, 512, 1024); }

QString RunThumbnail(const TThumbnailJob& job) {
  if (!QFileInfo(job.Document).isFile()) return QStringLiteral("'%1': no such document").arg(job.Document);
  TStartOptions options;
  options.RegisterFileType = false;
  options.ReadViewSettings = false;
  TfmMain window(options);
  QString failure;
  window.FErrorReport = [&failure](const QString& message) {
    if (failure.isEmpty()) failure = message;
  };
  const int side = ThumbnailPanelSide(job.Size);
  window.SetPlanClientSize(QSize(side, side));
  if (!window.OpenDocument(job.Document)) {
    return failure.isEmpty() ? QStringLiteral("'%1' cannot be read").arg(job.Document) : failure;
  }
  window.DrawRulers();
  const QImage plan = window.FixedPlanPicture();
  if (plan.isNull()) return window.NoPictureMessage();
  const QImage thumbnail =
      job.Size == side ? plan
                       : plan.scaled(job.Size, job.Size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  if (thumbnail.isNull()) return QStringLiteral("Not enough memory for the thumbnail");
  return WritePng(thumbnail, job.Picture);
}
