// What start-up leaves until the plan has been painted, on the real main window.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

#include "app/tfm_main.h"
#include "plan/plan_panel.h"
#include "support/test_files.h"

namespace {

class StartUpTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(FDir.isValid()); }

  std::unique_ptr<TfmMain> Make() {
    TStartOptions options;
    options.ViewIniRead = FDir.filePath(QStringLiteral("view.ini"));
    options.ViewIniWrite = options.ViewIniRead;
    options.RegisterFileType = true;
    return std::make_unique<TfmMain>(options);
  }
  bool Registered() const {
    return QFile::exists(FDir.filePath(QStringLiteral("data/applications/tarvosk.desktop"))) &&
           QFile::exists(FDir.filePath(QStringLiteral("data/mime/packages/tarvosk.xml")));
  }

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
  std::unique_ptr<TfmMain> w = Make();
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
  for (std::size_t m = 0; m < TMaterialPictures::size(); ++m) w->FMaterials.Keyed(m);
  QCoreApplication::processEvents();
  EXPECT_EQ(w->grab().toImage(), first);
}

}  // namespace
