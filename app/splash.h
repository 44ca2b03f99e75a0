#pragma once

#include <QDialog>
#include <QPixmap>
#include <QStringList>

class QLabel;
class QTimer;

// The settings of the start-up splash as the program uses them.
struct TabcSplash {
  bool AutoShow = true;      // shown while the main window is being created
  bool ShowModal = true;     // creation waits until the splash has closed
  int Duration = 3000;       // ms; 0 means 5000 for a modal splash
  int BevelWidth = 2;
  QPixmap Picture;           // the start-up picture, also the about box's
  QPixmap PictureVGA;        // for displays of 8 bits per pixel or fewer; empty
  bool AllowLocalBmp = true; // a bitmap named like the program beside it replaces the picture
  bool HideOnClick = true;
  bool StayOnTop = true;
  bool AutoShowOnDestroy = false;
  bool ShapeForm = false;
  bool AnimateShow = false;
  bool AnimateHide = false;
};

// The borderless splash window: a raised bevel round the picture, closed by its timer or a click.
class TabcsfSplash : public QDialog {
  Q_OBJECT
 public:
  TabcsfSplash(const TabcSplash& settings, const QPixmap& picture, QWidget* parent = nullptr);

  QWidget* pnlSplash = nullptr;
  QLabel* imgSplash = nullptr;
  QTimer* tmrClose = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  bool FHideOnClick;
};

// True when the command line asks for no splash ("-ns" or "/ns", any letter case).
bool SplashSuppressed(const QStringList& arguments);

// The picture to show: a bitmap named like the program with ".bmp" beside it wins when allowed;
// then PictureVGA on a display of 8 bits or fewer; then Picture, else PictureVGA.
QPixmap ChooseSplashPicture(const TabcSplash& settings, const QString& programPath, int displayDepth);

// Shows the splash modally unless suppressed; returns when it has closed. A splash without any
// picture is skipped instead of stopping the start.
void RunSplash(const QStringList& arguments, const QString& programPath);
