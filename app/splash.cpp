#include "app/splash.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "app/tfm_about.h"

TSplash::TSplash(const QPixmap& picture, int durationMs, int bevelWidth, QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      FPicture(picture),
      FDuration(durationMs > 0 ? durationMs : 5000),
      FBevel(bevelWidth) {
  setObjectName(QStringLiteral("SplashScreen"));
  setModal(true);
  const int w = FPicture.width() + 2 * FBevel, h = FPicture.height() + 2 * FBevel;
  setFixedSize(w, h);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect g = screen->geometry();
    move(g.left() + (g.width() - w) / 2, g.top() + (g.height() - h) / 2);
  }
}

void TSplash::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  QTimer::singleShot(FDuration, this, &QDialog::accept);
}

void TSplash::mousePressEvent(QMouseEvent*) { accept(); }

void TSplash::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = rect();
  // raised bevel
  for (int i = 0; i < FBevel; ++i) {
    p.setPen(QColor(0xFF, 0xFF, 0xFF));
    p.drawLine(i, i, r.width() - 1 - i, i);
    p.drawLine(i, i, i, r.height() - 1 - i);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawLine(r.width() - 1 - i, i, r.width() - 1 - i, r.height() - 1 - i);
    p.drawLine(i, r.height() - 1 - i, r.width() - 1 - i, r.height() - 1 - i);
  }
  p.drawPixmap(FBevel, FBevel, FPicture);
}

bool SplashSuppressed(const QStringList& arguments) {
  for (const QString& a : arguments) {
    const QString l = a.toLower();
    if (l == QLatin1String("-ns") || l == QLatin1String("/ns")) return true;
  }
  return false;
}

QPixmap SplashPicture(const QString& programPath) {
  const QFileInfo info(programPath);
  const QString local = info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".bmp");
  if (QFileInfo::exists(local)) {
    QPixmap bmp(local);
    if (!bmp.isNull()) return bmp;
  }
  return StartupPicture();
}

void RunSplash(const QStringList& arguments, const QString& programPath) {
  if (SplashSuppressed(arguments)) return;
  TSplash splash(SplashPicture(programPath), 3000);
  splash.exec();
}
