#pragma once

#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "app/tfm_main.h"
#include "controls/ac_number_edit.h"
#include "plan/plan_panel.h"

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
    W = std::make_unique<TfmMain>(options);
    W->FErrorReport = [this](const QString& m) { Errors << m; };
    W->show();
    W->SetPlanClientSize(plan);
    QCoreApplication::processEvents();
  }

  QString TempPath(const QString& name) const { return FDir.filePath(name); }

  // A press and release on the plan at plan coordinates (panel position - (4, 4)).
  void ClickPlan(QPoint plan, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(W->pnlImg, button, Qt::NoModifier, plan + QPoint(4, 4));
  }
  void DragPlan(QPoint from, QPoint to) {
    QTest::mousePress(W->pnlImg, Qt::LeftButton, Qt::NoModifier, from + QPoint(4, 4));
    QTest::mouseMove(W->pnlImg, to + QPoint(4, 4));
    QTest::mouseRelease(W->pnlImg, Qt::LeftButton, Qt::NoModifier, to + QPoint(4, 4));
  }
  // Selects the whole text, types `text` and presses Enter, as a user applies a value.
  static void TypeAndEnter(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
  }

  TPlanObject& Obj(int i) { return *W->FObjects[static_cast<size_t>(i)]; }

  QTemporaryDir FDir;
  std::unique_ptr<TfmMain> W;
  QStringList Errors;
};
