#pragma once

#include <QCheckBox>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "app/tfm_main.h"
#include "document/document_file.h"
#include "controls/ac_number_edit.h"
#include "controls/beem_page.h"
#include "controls/tools_panel.h"
#include "controls/object_list_panel.h"
#include "controls/beems_panel.h"
#include "controls/bell_palette.h"
#include "controls/bell_page.h"
#include "controls/post_page.h"
#include "controls/wall_page.h"
#include "controls/plan_panel.h"
#include "platform/layer.h"

// The real main window under the offscreen platform, with its drawing panel pinned to a known
// size (618 x 352 reproduces the scale example: FScale 0.0393571..., origin (199, 65)), its
// view.ini in a temporary folder and no desktop registration. Messages that would pop up a box
// are collected in Errors.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { Open(QSize(618, 352)); }

  void Open(QSize plan, QStringList arguments = {}) {
    ASSERT_TRUE(FDir.isValid());
    TStartOptions options;
    options.Arguments = arguments;
    options.ViewIniRead = FDir.filePath(QStringLiteral("view.ini"));
    options.ViewIniWrite = options.ViewIniRead;
    options.RegisterFileType = false;
    options.RecoveryFolder = RecoveryFolderOption;
    options.RecentFile = RecentFileOption;
    options.AutosaveDelayMs = AutosaveDelayOption;
    options.CheckSettingsFile = CheckSettingsOption;
    W = std::make_unique<TfmMain>(options);
    W->FAskRecovery = [this](const QString& q) {
      RecoveryQuestions << q;
      return RecoveryAnswer;
    };
    W->FErrorReport = [this](const QString& m) { Errors << m; };
    // Unsaved changes are let go without a question unless a test answers it itself.
    W->FAskSave = [this](const QString& q) {
      Questions << q;
      return SaveAnswer;
    };
    W->show();
    W->SetPlanClientSize(plan);
    QCoreApplication::processEvents();
  }

  QString TempPath(const QString& name) const { return FDir.filePath(name); }

  // A saved plan with five bells and a chord beam.
  QString SavePlan() {
    for (int slot = 0; slot < 5; ++slot) {
      W->pnlBells->FBellButtons[static_cast<size_t>(slot)]->click();
      ClickPlan(QPoint(230 + 35 * slot, 100 + 15 * slot));
    }
    W->ChordBox(1)->click();
    const QString path = TempPath(QStringLiteral("колокольня.tarvosk"));
    EXPECT_TRUE(W->SaveDocument(path));
    return path;
  }

  // A press and release on the plan at plan coordinates (panel position - (4, 4)).
  void ClickPlan(QPoint plan, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(W->pnlImg, button, Qt::NoModifier, plan + QPoint(4, 4));
  }
  void DragPlan(QPoint from, QPoint to) {
    QTest::mousePress(W->pnlImg, Qt::LeftButton, Qt::NoModifier, from + QPoint(4, 4));
    QTest::mouseMove(W->pnlImg, to + QPoint(4, 4));
    QTest::mouseRelease(W->pnlImg, Qt::LeftButton, Qt::NoModifier, to + QPoint(4, 4));
  }
  // A click on entry `row` of the object list.
  void ClickEntry(int row) {
    QListWidget* list = W->pnlObjView->clbObjects;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(list->item(row)).center());
  }
  // The entry's check mark toggled with the space bar, as from the keyboard.
  void ToggleEntry(int row) {
    ClickEntry(row);
    W->pnlObjView->clbObjects->setFocus();
    QTest::keyClick(W->pnlObjView->clbObjects, Qt::Key_Space);
  }
  // Selects the whole text, types `text` and presses Enter, as a user applies a value.
  static void TypeAndEnter(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
  }

  TPlanObject& Obj(int i) { return *W->FObjects[static_cast<size_t>(i)]; }

  // The chord boxes that are checked, by chord number.
  std::vector<int> CheckedBoxes() const {
    std::vector<int> on;
    for (int k = 1; k <= 24; ++k)
      if (W->ChordBox(k)->isChecked()) on.push_back(k);
    return on;
  }
  // Everything of the plan a refused opening must not touch: the stored values, the pixels, the
  // list, the boxes, the selection and the scale.
  QString Snapshot() const {
    QStringList s;
    s << QString::fromLatin1(DocumentToBytes(W->FObjects).toBase64());
    for (const auto& o : W->FObjects) {
      s << QStringLiteral("%1,%2 %3,%4 %5,%6 %7")
               .arg(o->BellPositionPx.x())
               .arg(o->BellPositionPx.y())
               .arg(o->BeemBeginPointPx.x())
               .arg(o->BeemBeginPointPx.y())
               .arg(o->BeemEndPointPx.x())
               .arg(o->BeemEndPointPx.y())
               .arg(o->Layer->isVisible());
    }
    for (int i = 0; i < W->pnlObjView->clbObjects->count(); ++i)
      s << W->pnlObjView->clbObjects->item(i)->text() + QString::number(W->pnlObjView->clbObjects->item(i)->checkState());
    for (int k : CheckedBoxes()) s << QString::number(k);
    s << QString::number(W->FCurIndex) << QString::number(static_cast<double>(W->FRenderer.FScale), 'g', 17)
      << QString::number(W->FRenderer.FOriginX) << QString::number(W->FRenderer.FOriginY);
    return s.join(u'\n');
  }

  QTemporaryDir FDir;
  std::unique_ptr<TfmMain> W;
  QStringList Errors;
  QStringList Questions;  // the unsaved-changes questions asked
  QString CheckSettingsOption;  // empty: the design checks' clearances are not kept
  int SaveAnswer = 1;     // 0 save, 1 do not save, 2 cancel
  // The user's own lists, when a test gives them a place before Open.
  QString RecoveryFolderOption;
  QString RecentFileOption;
  int AutosaveDelayOption = 30000;
  QStringList RecoveryQuestions;
  int RecoveryAnswer = 2;  // 0 restore, 1 delete, 2 later
};
