#include "app/tfm_about.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>

#include "platform/resource_picture.h"

QPixmap StartupPicture() {
  QPixmap picture = QPixmap::fromImage(ResourcePicture(QStringLiteral(":/About")));
  if (picture.isNull()) {
    picture = QPixmap(450, 302);
    picture.fill(QColor(0x3F, 0x3A, 0x32));
  }
  return picture;
}

TfmAbout::TfmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("fmAbout"));
  setWindowTitle(QStringLiteral("О программе"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(447, 301);
  auto* imgLogo = new QLabel(this);
  imgLogo->setObjectName(QStringLiteral("imgLogo"));
  imgLogo->setGeometry(0, 0, 447, 301);
  imgLogo->setPixmap(StartupPicture());
  imgLogo->setScaledContents(false);
  imgLogo->setAttribute(Qt::WA_TransparentForMouseEvents);
  CentreOnScreen();  // placed by hand, Qt no longer centres the box over its parent
}

void TfmAbout::CentreOnScreen() {
  const QScreen* s = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
  if (!s) return;
  const QRect g = s->geometry();
  const QSize frame = frameGeometry().size();
  move(g.left() + (g.width() - frame.width()) / 2, g.top() + (g.height() - frame.height()) / 2);
}

void TfmAbout::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnScreen();  // the frame is known now
}

void TfmAbout::mousePressEvent(QMouseEvent* event) {
  QDialog::mousePressEvent(event);
  imgLogoClick();  // the picture fills the box: a click anywhere is a click on it
}
