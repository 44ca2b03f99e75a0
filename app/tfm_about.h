#pragma once

#include <QDialog>

// The about box: one picture filling the window; a click anywhere on it closes the box.
class TfmAbout : public QDialog {
  Q_OBJECT
 public:
  explicit TfmAbout(QWidget* parent = nullptr);

  void imgLogoClick() { accept(); }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void CentreOnScreen();
};

// The start-up picture shared by the about box and the splash window.
QPixmap StartupPicture();
