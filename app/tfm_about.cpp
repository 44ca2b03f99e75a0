#include "app/tfm_about.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

QPixmap StartupPicture() {
  QPixmap picture(QStringLiteral(":/About"));
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
}

void TfmAbout::mousePressEvent(QMouseEvent* event) {
  QDialog::mousePressEvent(event);
  imgLogoClick();  // the picture fills the box: a click anywhere is a click on it
}
