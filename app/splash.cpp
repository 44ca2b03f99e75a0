#include "app/splash.h"

#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "app/tfm_about.h"

TabcsfSplash::TabcsfSplash(const TabcSplash& settings, const QPixmap& picture, QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint |
                          (settings.StayOnTop ? Qt::WindowStaysOnTopHint : Qt::WindowFlags())),
      FHideOnClick(settings.HideOnClick) {
  setObjectName(QStringLiteral("SplashScreen"));
  setModal(settings.ShowModal);
  auto* frame = new QFrame(this);
  frame->setObjectName(QStringLiteral("pnlSplash"));
  frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
  frame->setLineWidth(settings.BevelWidth);
  pnlSplash = frame;
  imgSplash = new QLabel(frame);
  imgSplash->setObjectName(QStringLiteral("imgSplash"));
  imgSplash->setPixmap(picture);
  imgSplash->setAttribute(Qt::WA_TransparentForMouseEvents);
  auto* inner = new QVBoxLayout(frame);
  inner->setContentsMargins(settings.BevelWidth, settings.BevelWidth, settings.BevelWidth, settings.BevelWidth);
  inner->addWidget(imgSplash);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(frame);
  tmrClose = new QTimer(this);
  tmrClose->setObjectName(QStringLiteral("tmrClose"));
  tmrClose->setSingleShot(true);
  tmrClose->setInterval(settings.Duration > 0 ? settings.Duration : (settings.ShowModal ? 5000 : 0));
  connect(tmrClose, &QTimer::timeout, this, &QDialog::accept);
  const int w = picture.width() + 2 * settings.BevelWidth, h = picture.height() + 2 * settings.BevelWidth;
  setFixedSize(w, h);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect g = screen->geometry();
    move(g.left() + (g.width() - w) / 2, g.top() + (g.height() - h) / 2);
  }
}

void TabcsfSplash::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (tmrClose->interval() > 0) tmrClose->start();
}

void TabcsfSplash::mousePressEvent(QMouseEvent* event) {
  if (FHideOnClick) accept();
  else QDialog::mousePressEvent(event);
}

bool SplashSuppressed(const QStringList& arguments) {
  for (const QString& a : arguments) {
    const QString l = a.toLower();
    if (l == QLatin1String("-ns") || l == QLatin1String("/ns")) return true;
  }
  return false;
}

QPixmap ChooseSplashPicture(const TabcSplash& s, const QString& programPath, int displayDepth) {
  if (s.AllowLocalBmp) {
    const QFileInfo info(programPath);
    const QString local = info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".bmp");
    if (QFileInfo::exists(local)) {
      QPixmap bmp(local);
      if (!bmp.isNull()) return bmp;
    }
  }
  if (displayDepth <= 8 && !s.PictureVGA.isNull()) return s.PictureVGA;
  return s.Picture.isNull() ? s.PictureVGA : s.Picture;
}

void RunSplash(const QStringList& arguments, const QString& programPath) {
  TabcSplash settings;
  if (!settings.AutoShow || SplashSuppressed(arguments)) return;  // before decoding any picture
  settings.Picture = StartupPicture();
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QPixmap picture = ChooseSplashPicture(settings, programPath, screen ? screen->depth() : 24);
  if (picture.isNull()) return;
  TabcsfSplash splash(settings, picture);
  splash.exec();
}
