// What start-up leaves until the plan has been painted, on the real main window.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>

#include "app/tfm_main.h"
#include "controls/bell_page.h"
#include "controls/post_page.h"
#include "controls/beem_page.h"
#include "controls/ac_number_edit.h"
#include "controls/plan_panel.h"
#include "support/test_files.h"

#if defined(Q_OS_WIN)
#include <windows.h>
#endif

namespace {

class StartUpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FDir.isValid());
#if defined(Q_OS_WIN)
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Classes\\.tarvosk");
#endif
  }

  std::unique_ptr<TfmMain> Make(bool defersPages = false) {
    TStartOptions options;
    options.DefersObjectPages = defersPages;
    options.ViewIniRead = FDir.filePath(QStringLiteral("view.ini"));
    options.ViewIniWrite = options.ViewIniRead;
    options.RegisterFileType = true;
    return std::make_unique<TfmMain>(options);
  }
  // The desktop's entry and type under $XDG_DATA_HOME, or on Windows the open command of this
  // very program in the user's registry (wiped before each test).
  bool Registered() const {
#if defined(Q_OS_WIN)
    wchar_t data[1024];
    DWORD bytes = sizeof data;
    if (RegGetValueW(HKEY_CURRENT_USER, kCommandKey, nullptr, RRF_RT_REG_SZ, nullptr, data,
                     &bytes) != ERROR_SUCCESS)
      return false;
    return QString::fromWCharArray(data) ==
           QDir::toNativeSeparators(QCoreApplication::applicationFilePath()) + QStringLiteral(" %1");
#else
    return QFile::exists(FDir.filePath(QStringLiteral("data/applications/tarvosk.desktop"))) &&
           QFile::exists(FDir.filePath(QStringLiteral("data/mime/packages/tarvosk.xml")));
#endif
  }
#if defined(Q_OS_WIN)
  static constexpr const wchar_t* kCommandKey = L"Software\\Classes\\.tarvosk\\shell\\open\\command";
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Classes\\.tarvosk"); }
#endif

  QTemporaryDir FDir;
  TEnv FData{"XDG_DATA_HOME", QFile::encodeName(FDir.filePath(QStringLiteral("data")))};
  TEnv FPath{"PATH", ""};  // no desktop cache tools to start
};

TEST_F(StartUpTest, TheFileTypeIsRegisteredOnceThePlanHasBeenPainted) {
  std::unique_ptr<TfmMain> w = Make();
  QCoreApplication::processEvents();
  EXPECT_FALSE(w->FStartUpFinished);  // built but never shown: nothing painted yet
  EXPECT_FALSE(Registered());
  bool painted = false;
  const auto firstPaint = w->pnlImg->OnFirstPaint;
  ASSERT_TRUE(firstPaint);
  w->pnlImg->OnFirstPaint = [&] {
    painted = true;
    EXPECT_FALSE(Registered());  // not before the plan is on the screen
    firstPaint();
  };
  w->show();
  EXPECT_TRUE(QTest::qWaitFor([&] { return w->FStartUpFinished; }, 5000));
  EXPECT_TRUE(painted);
  EXPECT_TRUE(Registered());
  // Later paints leave it done once.
  EXPECT_FALSE(w->pnlImg->OnFirstPaint);
}

// The first painted window is the one the finished start-up shows: what is left until after
// the first paint changes nothing a user sees.
TEST_F(StartUpTest, TheFirstPaintedWindowIsTheFinishedOne) {
 for (const bool defers : {false, true}) {
  SCOPED_TRACE(defers);
  std::unique_ptr<TfmMain> w = Make(defers);
  QImage first;
  const auto firstPaint = w->pnlImg->OnFirstPaint;
  w->pnlImg->OnFirstPaint = [&] {
    // taken before the steps left until now, which are queued after it
    QTimer::singleShot(0, w.get(), [&] { first = w->grab().toImage(); });
    firstPaint();
  };
  w->show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return w->FStartUpFinished; }, 5000));
  ASSERT_FALSE(first.isNull());
  for (std::size_t m = 0; m < TMaterialPictures::size(); ++m) w->FRenderer.FMaterials.Keyed(m);
  QCoreApplication::processEvents();
  EXPECT_EQ(w->grab().toImage(), first);
 }
}

// What a page shows a user, widget by widget.
QStringList PageContents(QWidget* page) {
  QStringList lines;
  for (QWidget* child : page->findChildren<QWidget*>()) {
    QString line = child->objectName() + QLatin1Char(' ') + QString::number(child->geometry().x()) +
                   QLatin1Char(',') + QString::number(child->geometry().y()) + QLatin1Char(' ') +
                   QString::number(child->width()) + QLatin1Char('x') + QString::number(child->height());
    if (auto* label = qobject_cast<QLabel*>(child)) line += QLatin1Char(' ') + label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(child)) line += QLatin1Char(' ') + edit->text();
    if (auto* list = qobject_cast<QComboBox*>(child)) {
      for (int i = 0; i < list->count(); ++i) line += QLatin1Char(' ') + list->itemText(i);
      line += QStringLiteral(" @") + QString::number(list->currentIndex());
    }
    lines << line;
  }
  return lines;
}

TEST_F(StartUpTest, PagesLeftUntilAfterTheFirstPaintEqualPagesBuiltAtOnce) {
  std::unique_ptr<TfmMain> at = Make(false);
  std::unique_ptr<TfmMain> later = Make(true);
  EXPECT_EQ(later->pnlBellProp, nullptr);
  EXPECT_EQ(later->pnlInspPages->count(), 1);  // the walls' page, which shows
  at->show();
  later->show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return at->FStartUpFinished && later->FStartUpFinished; }, 5000));
  ASSERT_NE(later->pnlBellProp, nullptr);
  EXPECT_EQ(later->pnlInspPages->count(), at->pnlInspPages->count());
  for (int i = 0; i < at->pnlInspPages->count(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(later->pnlInspPages->widget(i)->objectName(), at->pnlInspPages->widget(i)->objectName());
    EXPECT_EQ(PageContents(later->pnlInspPages->widget(i)), PageContents(at->pnlInspPages->widget(i)));
  }
  for (int index : {1, 0}) {  // the pedestal's page, then the walls' again
    at->SelectObject(index);
    later->SelectObject(index);
    QCoreApplication::processEvents();
    // each looked at as the active window, as a user sees the one in front
    QApplication::setActiveWindow(at.get());
    const QImage atPicture = at->grab().toImage();
    QApplication::setActiveWindow(later.get());
    EXPECT_EQ(later->grab().toImage(), atPicture) << index;
  }
}

// Whatever fills a page before the first paint builds the pages first.
TEST_F(StartUpTest, PagesLeftForLaterAreBuiltWhenFirstNeeded) {
  std::unique_ptr<TfmMain> w = Make(true);
  ASSERT_EQ(w->pnlPostProp, nullptr);
  w->SelectObject(1);
  ASSERT_NE(w->pnlPostProp, nullptr);
  EXPECT_EQ(w->pnlInspPages->currentWidget(), w->pnlPostProp);
  EXPECT_EQ(w->pnlPostProp->edPostObjName->text(), w->FObjects[1]->ObjName);
  EXPECT_EQ(w->pnlPostProp->edPostWidth->Value(), w->FObjects[1]->PostWidth);
  EXPECT_EQ(w->pnlBellProp->cbBellDiameter->count(), 42);
  EXPECT_EQ(w->pnlBeemProp->cbBeemOrientation->count(), w->FOrientationNames.size());
  EXPECT_GT(w->pnlBeemProp->cbBeemMaterials->count(), 0);
}

// A drag takes the object under the pointer without selecting it first.
TEST_F(StartUpTest, ADragBeforeAnySelectionFindsThePages) {
  std::unique_ptr<TfmMain> w = Make(true);
  ASSERT_EQ(w->pnlPostProp, nullptr);
  const QPoint at = w->FObjects[1]->PostPositionPx;
  w->PlanMouseDown(Qt::LeftButton, at);
  ASSERT_EQ(w->FCurIndex, 1);
  ASSERT_NE(w->pnlPostProp, nullptr);
  w->PlanMouseMove(at + QPoint(6, 4));
  EXPECT_EQ(w->pnlPostProp->edPostPositionX->Value(), w->FObjects[1]->PostPosition.x());
  EXPECT_EQ(w->pnlPostProp->edPostPositionY->Value(), w->FObjects[1]->PostPosition.y());
}

// The pictures read ahead at start-up are there to read: a renamed one would only be read late.
TEST(StartUpPictures, EveryOneIsAPicture) {
  const QStringList paths = TfmMain::StartUpPictures();
  EXPECT_GE(paths.size(), 15);
  for (const QString& path : paths) EXPECT_FALSE(QImage(path).isNull()) << path.toStdString();
}

}  // namespace
