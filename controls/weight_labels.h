#pragma once

#include <QRect>
#include <QString>
#include <QWidget>
#include <vector>

// The weights written over the bell palette's buttons, all in one widget: each text lies in its
// own rectangle of the palette and is written as a label of that rectangle would write it
// (left and centred upright, cut at the rectangle's edges). Forty-two labels of their own cost
// the window's start-up a few milliseconds in being made, polished and painted one by one.
// The widget lets every mouse event through to the buttons beneath.
class TWeightLabels : public QWidget {
 public:
  struct TLabel {
    QRect Rect;  // in the parent's coordinates
    QString Text;
  };
  TWeightLabels(std::vector<TLabel> labels, const QFont& font, QWidget* parent);

  int Count() const { return static_cast<int>(FLabels.size()); }
  const TLabel& Label(int slot) const { return FLabels.at(static_cast<size_t>(slot)); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<TLabel> FLabels;
};
