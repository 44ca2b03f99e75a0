#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <cmath>

#include "app/application_setup.h"
#include "controls/wall_page.h"
#include "app/tfm_about.h"
#include "platform/layer.h"
#include "support/main_window_fixture.h"

TEST_F(MainWindowTest, StartsWithWallsAndPedestalAtTheExampleScale) {
  EXPECT_EQ(W->windowTitle(), QStringLiteral("Тарвоск 1.0.3a - Орвелин - Без имени"));
  ASSERT_EQ(W->FObjects.size(), 2u);
  EXPECT_EQ(Obj(0).ObjName, QStringLiteral("Стены"));
  EXPECT_EQ(Obj(1).ObjName, QStringLiteral("Постамент"));
  EXPECT_EQ(W->pnlObjView->clbObjects->count(), 2);
  EXPECT_EQ(W->pnlObjView->clbObjects->item(1)->checkState(), Qt::Checked);
  EXPECT_EQ(W->FCurIndex, 0);
  // 232 / 5600 * 0.95 in the extended float, both steps rounded to 64 bits
  EXPECT_EQ(W->FRenderer.FScale, std::ldexp(11616178268130243361.0L, -68));
  EXPECT_EQ(W->FRenderer.FOriginX, 199);
  EXPECT_EQ(W->FRenderer.FOriginY, 65);
  EXPECT_EQ(Obj(0).WallDiameterOuterPx, 220);
  EXPECT_EQ(Obj(1).PostPosition, QPoint(2800, 4200));
}

TEST_F(MainWindowTest, RulersLabelTheWallsSquareFromZero) {
  const QImage& rulers = W->FRenderer.Layer(RulerLayer)->Canvas();
  // the 0 tick of the top ruler stands at x = 203 between y = 1 and y = 9
  EXPECT_EQ(rulers.pixel(203, 5) & 0xFFFFFFu, 0x000000u);
  EXPECT_EQ(rulers.pixel(202, 5) & 0xFFFFFFu, 0xFFFFFFu);
  // both frames
  EXPECT_EQ(rulers.pixel(1, 100) & 0xFFFFFFu, 0x000000u);
  EXPECT_EQ(rulers.pixel(10, 100) & 0xFFFFFFu, 0x000000u);
}

TEST_F(MainWindowTest, NewDocumentRebuildsTheTwoObjects) {
  W->CreateObject(QStringLiteral("Колокол"), okBell, QPoint(300, 150), 195, true);
  ASSERT_EQ(W->FObjects.size(), 3u);
  W->Menu.nNewDoc->trigger();
  ASSERT_EQ(W->FObjects.size(), 2u);
  EXPECT_EQ(W->pnlObjView->clbObjects->count(), 2);
  EXPECT_EQ(W->cbObjects->count(), 2);
  EXPECT_EQ(W->FCurIndex, 0);
}

TEST_F(MainWindowTest, MenusCarryTheirShortcuts) {
  struct Row { QAction* action; QKeySequence keys; };
  for (const Row& r : {Row{W->Menu.nNewDoc, QKeySequence(Qt::CTRL | Qt::Key_N)},
                       Row{W->Menu.nLoadDoc, QKeySequence(Qt::CTRL | Qt::Key_O)},
                       Row{W->Menu.nSaveDoc, QKeySequence(Qt::CTRL | Qt::Key_S)},
                       Row{W->Menu.nExportDoc, QKeySequence(Qt::CTRL | Qt::Key_E)}})
    EXPECT_EQ(r.action->shortcut(), r.keys) << r.action->text().toStdString();
  EXPECT_EQ(W->pnlTools->btnApply->toolTip(), QStringLiteral("Закрепить элементы тарвоска"));
}

TEST_F(MainWindowTest, ResizingBackAndForthNeverDriftsMillimetres) {
  W->CreateObject(QStringLiteral("Колокол"), okBell, QPoint(300, 150), 195, true);
  const QPoint mm = Obj(2).BellPosition;
  for (QSize s : {QSize(900, 500), QSize(500, 800), QSize(618, 352)}) W->SetPlanClientSize(s);
  EXPECT_EQ(Obj(2).BellPosition, mm);
  EXPECT_EQ(W->FRenderer.FOriginX, 199);
}

TEST_F(MainWindowTest, AStrayBellIsLeftOutByNameAndTheRestOpens) {
  QFile f(TempPath(QStringLiteral("stray.tarvosk")));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("[Object0]\r\nObjType=0\r\nWallDiameterOuter_R=0\r\n[Object1]\r\nObjType=3\r\n"
          "[Object2]\r\nObjType=1\r\nObjName=Odd\r\nBellDiameter_R=1955\r\n"
          "[Object3]\r\nObjType=1\r\nObjName=Good\r\nBellDiameter_R=1950\r\nBellPosition_R=100,200\r\n");
  f.close();
  ASSERT_TRUE(W->OpenDocument(f.fileName()));
  ASSERT_EQ(W->FObjects.size(), 3u);
  EXPECT_EQ(Obj(2).ObjName, QStringLiteral("Good"));
  EXPECT_EQ(Obj(2).BellPosition, QPoint(100, 200));
  EXPECT_EQ(Obj(0).WallDiameterOuter, 1200);  // a zero outer size is brought to its lower limit
  ASSERT_EQ(Errors.size(), 1);
  // one line a note, each naming the file, the section and the key with its value
  const QStringList lines = Errors[0].split(u'\n');
  ASSERT_EQ(lines.size(), 2) << Errors[0].toStdString();
  EXPECT_EQ(lines[0], QStringLiteral("Файл «stray.tarvosk», раздел [Object2], ключ BellDiameter_R = 1955. "
                                     "Колокол «Odd» не открыт: в каталоге нет колокола диаметром 1955 мм."));
  EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Файл «stray.tarvosk», раздел [Object0], ключ WallDiameterOuter_R = 0. ")))
      << lines[1].toStdString();
}

// The about box stands in the middle of the screen, not over the main window.
TEST_F(MainWindowTest, AboutBoxIsCentredOnTheScreen) {
  W->setGeometry(0, 0, 780, 580);  // the window's centre is not the screen's
  TfmAbout about(W.get());
  about.show();
  QCoreApplication::processEvents();
  const QRect screen = W->screen()->geometry();
  const QRect frame = about.frameGeometry();
  EXPECT_EQ(frame.left(), screen.left() + (screen.width() - frame.width()) / 2);
  EXPECT_EQ(frame.top(), screen.top() + (screen.height() - frame.height()) / 2);
  EXPECT_EQ(about.windowTitle(), QStringLiteral("О программе"));
}

// Qt's own dialogs and boxes speak Russian.
TEST_F(MainWindowTest, StandardDialogsAndBoxesAreInRussian) {
  QMessageBox box(QMessageBox::Question, ApplicationTitle(), QStringLiteral("?"),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
  EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Отмена"));
  EXPECT_EQ(box.button(QMessageBox::Save)->text(), QStringLiteral("Сохранить"));

  QFileDialog dialog(W.get());
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  auto* buttons = dialog.findChild<QDialogButtonBox*>();
  ASSERT_NE(buttons, nullptr);
  QStringList texts;
  for (QAbstractButton* b : buttons->buttons()) texts << b->text().remove(QLatin1Char('&'));
  EXPECT_TRUE(texts.contains(QStringLiteral("Сохранить"))) << texts.join(u',').toStdString();
  EXPECT_TRUE(texts.contains(QStringLiteral("Отмена"))) << texts.join(u',').toStdString();

  std::unique_ptr<QMenu> menu(W->pnlWallProp->edWallName->createStandardContextMenu());
  QStringList items;
  for (QAction* a : menu->actions()) items << a->text().remove(QLatin1Char('&')).section(u'\t', 0, 0);
  EXPECT_TRUE(items.contains(QStringLiteral("Вставить"))) << items.join(u',').toStdString();
}

// The whole window, frame included, covers the work area: the frame does not stick out of it.
TEST_F(MainWindowTest, TheFramedWindowCoversTheWorkArea) {
  TStartOptions options;
  options.ViewIniRead = TempPath(QStringLiteral("view.ini"));
  options.ViewIniWrite = options.ViewIniRead;
  options.RegisterFileType = false;
  TfmMain window(options);
  window.show();
  QCoreApplication::processEvents();
  // Windows' minimal platform draws no frame; the Windows session under Wine checks the window
  // against the screen there.
  if (window.frameGeometry().size() == window.size()) GTEST_SKIP() << "this platform draws no frame";
  EXPECT_EQ(window.frameGeometry(), window.screen()->availableGeometry());
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Тарвоск 1.0.3a - Орвелин - Без имени"));
}
