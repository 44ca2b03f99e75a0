#pragma once

#include <QDialog>
#include <QStringList>

// The stay-on-top start-up window: shown modally for `durationMs`, closed early by a click.
class TSplash : public QDialog {
  Q_OBJECT
 public:
  TSplash(const QPixmap& picture, int durationMs, int bevelWidth = 2, QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap FPicture;
  int FDuration;
  int FBevel;
};

// True when the command line asks for no splash ("-ns" or "/ns", any letter case).
bool SplashSuppressed(const QStringList& arguments);

// The picture the splash shows: a bitmap named like the program with ".bmp" beside it wins.
QPixmap SplashPicture(const QString& programPath);

// Shows the splash modally unless suppressed; returns when it has closed.
void RunSplash(const QStringList& arguments, const QString& programPath);
