#pragma once

#include <QWidget>

class QLabel;
class QToolButton;

// The 23-pixel title bar that heads each tool panel, with its close button at the right edge.
class TPanelTitle : public QWidget {
  Q_OBJECT
 public:
  TPanelTitle(const QString& objectName, const QString& buttonName, QWidget* parent);

  void SetCaption(const QString& text);
  QString Caption() const;
  QToolButton* CloseButton() const { return FClose; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QLabel* FCaption;
  QToolButton* FClose;
};

// Lays `panel` out as a column headed by a new title bar (the panel's close button named
// `buttonName`), the rest of the column free for the panel's own children.
TPanelTitle* AddTitleColumn(QWidget* panel, const QString& objectName, const QString& buttonName);
