#pragma once

#include <QApplication>
#include <QListWidget>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QToolButton>

#include "support/main_window_fixture.h"

// The main window with the steps a user takes on the object list: placing bells and beams with
// the pointer, clicking entries and their check marks, keys while the list has the focus.
class PlanWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    QApplication::setActiveWindow(W.get());  // shortcuts need an active window
  }

  // A name typed as a Russian keyboard delivers it (key events carrying their text), then Enter.
  static void TypeNameAndEnter(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    for (QChar ch : text) QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    QTest::keyClick(edit, Qt::Key_Return);
  }

  QListWidget* List() const { return W->pnlObjView->clbObjects; }

  // Palette button `slot`, then a click on the plan; returns the new object's index.
  int PlaceBell(int slot, QPoint at) {
    W->pnlBells->FBellButtons[static_cast<size_t>(slot)]->click();
    ClickPlan(at);
    return static_cast<int>(W->FObjects.size()) - 1;
  }
  int PlaceBeam(QPoint from, QPoint to) {
    W->pnlBeems->btnBeem->click();
    DragPlan(from, to);
    return static_cast<int>(W->FObjects.size()) - 1;
  }

  QPoint EntryCentre(int row) const { return List()->visualItemRect(List()->item(row)).center(); }
  void ClickEntry(int row, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(List()->viewport(), button, Qt::NoModifier, EntryCentre(row));
  }
  // The check box of an entry, where the list's own style puts it.
  QRect CheckRect(int row) const {
    QListWidgetItem* item = List()->item(row);
    QStyleOptionViewItem opt;
    opt.initFrom(List()->viewport());
    opt.rect = List()->visualItemRect(item);
    opt.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    opt.text = item->text();
    opt.checkState = item->checkState();
    return List()->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, List());
  }
  void ClickCheck(int row) {
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, Qt::NoModifier, CheckRect(row).center());
  }
  void PressWithListFocus(Qt::Key key) {
    List()->setFocus();
    QTest::keyClick(List(), key);
  }

  // Position of a widget in the stacking of the drawing panel, 0 at the bottom.
  int Stack(const TLayer* layer) const {
    const std::vector<TLayer*>& order = W->pnlImg->Layers().Order();
    const auto it = std::find(order.begin(), order.end(), layer);
    return it == order.end() ? -1 : static_cast<int>(it - order.begin());
  }
  int StackTop() const { return static_cast<int>(W->pnlImg->Layers().Order().size()) - 1; }

  QStringList ListTexts() const {
    QStringList t;
    for (int i = 0; i < List()->count(); ++i) t << List()->item(i)->text();
    return t;
  }
  QStringList ComboTexts() const {
    QStringList t;
    for (int i = 0; i < W->cbObjects->count(); ++i) t << W->cbObjects->itemText(i);
    return t;
  }
  QStringList Names() const {
    QStringList t;
    for (const auto& o : W->FObjects) t << o->ObjName;
    return t;
  }
};
