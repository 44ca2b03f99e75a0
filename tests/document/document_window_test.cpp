// Documents and picture export on the real main window.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImageReader>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QToolButton>
#include <array>

#include "document/document_file.h"
#include "controls/wall_page.h"
#include "controls/beem_page.h"
#include "platform/cp1251.h"
#include "platform/layer.h"
#include "platform/resource_picture.h"
#include "support/main_window_fixture.h"
#include "support/test_files.h"

namespace {

QByteArray Cp(const char* utf8) { return StringToCp1251(QString::fromUtf8(utf8)); }

void ChooseItem(QComboBox* combo, int index) {
  combo->showPopup();
  combo->view()->setCurrentIndex(combo->model()->index(index, 0));
  QTest::keyClick(combo->view(), Qt::Key_Return);
}

// Types any text, Cyrillic included, into a field the way a keyboard layout delivers it, then
// presses Enter.
void TypeTextAndEnter(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  edit->selectAll();
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(edit, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(edit, &release);
  }
  QTest::keyClick(edit, Qt::Key_Return);
}

// Answers the next file dialog the window opens: picks `path` (and the filter entry, when
// given) and confirms, or cancels when `path` is empty.
void AnswerNextFileDialog(const QString& path, const QString& filter = QString()) {
  QTimer::singleShot(0, [path, filter] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) {
      AnswerNextFileDialog(path, filter);  // not up yet: ask again on the next turn
      return;
    }
    if (path.isEmpty()) {
      dialog->reject();
      return;
    }
    if (!filter.isEmpty()) dialog->selectNameFilter(filter);
    dialog->selectFile(path);
    static_cast<QDialog*>(dialog)->accept();  // as the dialog's own button does
  });
}

class DocumentWindowTest : public MainWindowTest {
 protected:
  void TearDown() override {
    if (!FLocked.isEmpty()) LockFolder(FLocked, false);
  }

  void SelectInList(int row) {
    QTest::mouseClick(W->pnlObjView->clbObjects->viewport(), Qt::LeftButton, Qt::NoModifier,
                      W->pnlObjView->clbObjects->visualItemRect(W->pnlObjView->clbObjects->item(row)).center());
  }
  int PlaceBell(int slot, QPoint at) {
    W->pnlBells->FBellButtons[static_cast<size_t>(slot)]->click();
    ClickPlan(at);
    return static_cast<int>(W->FObjects.size()) - 1;
  }
  // Six-sided walls with a Cyrillic name, two bells (one hidden), two chord beams and a free one.
  void BuildFullPlan() {
    ChooseItem(W->pnlWallProp->cbWallType, 1);
    TypeTextAndEnter(W->pnlWallProp->edWallName, QStringLiteral("Звонница Ёлкина"));
    PlaceBell(3, QPoint(250, 100));
    const int hidden = PlaceBell(10, QPoint(350, 180));
    W->pnlObjView->clbObjects->item(hidden)->setCheckState(Qt::Unchecked);
    W->ChordBox(5)->click();
    W->ChordBox(14)->click();
    ChooseItem(W->pnlBeemProp->cbBeemMaterials, 4);
    W->pnlBeems->btnBeem->click();
    DragPlan(QPoint(230, 120), QPoint(300, 150));
    TypeTextAndEnter(W->pnlBeemProp->edBeemObjName, QStringLiteral("Перекладина"));
    TypeAndEnter(W->pnlBeemProp->edBeemWidth, QStringLiteral("180"));
  }

  QString FLocked;
};

TEST_F(DocumentWindowTest, ABeemOnChordFiveIsSavedAsTheExample) {
  W->ChordBox(5)->click();
  const QString path = TempPath(QStringLiteral("example.tarvosk"));
  ASSERT_TRUE(W->SaveDocument(path));
  const QByteArray bytes = ReadAll(path);
  const qsizetype at = bytes.indexOf("[Object2]");
  ASSERT_GT(at, 0);
  EXPECT_EQ(bytes.mid(at),
            Cp("[Object2]\r\nObjName=Балка\r\nObjType=2\r\nObjVisible=1\r\nWallType=0\r\n"
               "WallMaterial=0\r\nWallDiameterOuter_R=0\r\nWallDiameterInner_R=0\r\nWallWallWidth_R=0\r\n"
               "WallArcWidth_R=0\r\nBellDiameter_R=0\r\nBellPosition_R=0,0\r\nPostAngle=0\r\n"
               "PostWidth_R=0\r\nPostHeight_R=0\r\nPostBoardDiameter_R=0\r\nPostPosition_R=0,0\r\n"
               "BeemMaterial=2\r\nBeemWidth_R=100\r\nBeemOrientation=5\r\nBeemBeginPoint_R=1800,750\r\n"
               "BeemEndPoint_R=3800,4850\r\n"));
  EXPECT_TRUE(bytes.contains(Cp("PostWidth_R=1800\r\nPostHeight_R=800\r\nPostBoardDiameter_R=250\r\n"
                                "PostPosition_R=2800,4200\r\n")));
  EXPECT_TRUE(bytes.startsWith(Cp("[Application]\r\nVersion=Тарвоск 1.0.3a - Орвелин\r\n[Object0]\r\n")));
}

TEST_F(DocumentWindowTest, SaveOpenSaveGivesTheSameBytes) {
  BuildFullPlan();
  ASSERT_EQ(W->FObjects.size(), 7u);
  const QString first = TempPath(QStringLiteral("first.tarvosk"));
  const QString second = TempPath(QStringLiteral("second.tarvosk"));
  ASSERT_TRUE(W->SaveDocument(first));
  const QByteArray stored = DocumentToBytes(W->FObjects);

  W->Menu.nNewDoc->trigger();
  W->ChordBox(3)->click();  // a box of the plan being replaced
  ASSERT_TRUE(W->OpenDocument(first));
  ASSERT_EQ(W->FObjects.size(), 7u);
  EXPECT_EQ(DocumentToBytes(W->FObjects), stored);
  EXPECT_EQ(CheckedBoxes(), (std::vector<int>{5, 14}));
  EXPECT_EQ(W->FCurIndex, 0);
  EXPECT_EQ(W->pnlObjView->clbObjects->currentRow(), 0);
  EXPECT_EQ(W->pnlObjView->clbObjects->item(0)->text(), QStringLiteral("Звонница Ёлкина"));
  EXPECT_EQ(W->pnlObjView->clbObjects->item(3)->checkState(), Qt::Unchecked);
  EXPECT_FALSE(Obj(3).ObjVisible);
  EXPECT_EQ(Obj(6).ObjName, QStringLiteral("Перекладина"));
  EXPECT_EQ(W->pnlWallProp->cbWallType->currentIndex(), 1);
  // pixels are rebuilt from the millimetres
  EXPECT_EQ(Obj(2).BellPositionPx, W->FRenderer.MmToPlan(Obj(2).BellPosition));
  EXPECT_EQ(Obj(6).BeemEndPointPx, W->FRenderer.MmToPlan(Obj(6).BeemEndPoint));

  ASSERT_TRUE(W->SaveDocument(second));
  EXPECT_EQ(ReadAll(second), ReadAll(first));
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join(u'\n').toStdString();
}

TEST_F(DocumentWindowTest, OpeningSettlesNamesChordsAndGaps) {
  const QByteArray walls = "[Object0]\r\nObjType=0\r\n[Object1]\r\nObjType=3\r\nPostPosition_R=2800,4200\r\n";
  const QByteArray beams =
      Cp("[Object2]\r\nObjName=Балка\r\nObjType=2\r\nBeemOrientation=5\r\nBeemBeginPoint_R=1,2\r\n"
         "BeemEndPoint_R=3,4\r\nBeemWidth_R=100\r\n"
         "[Object3]\r\nObjName=Балка\r\nObjType=2\r\nBeemBeginPoint_R=1,2,3\r\nBeemEndPoint_R=10,20\r\n"
         "BeemWidth_R=0x64\r\n"
         "[Object5]\r\nObjName=Потерянная\r\nObjType=2\r\n");
  const QString path = TempPath(QStringLiteral("hand.tarvosk"));
  ASSERT_TRUE(WriteAll(path, walls + beams));
  W->ChordBox(9)->click();
  ASSERT_TRUE(W->OpenDocument(path)) << Errors.join(u'\n').toStdString();
  ASSERT_EQ(W->FObjects.size(), 4u);  // Object4 is missing, so Object5 is not read
  EXPECT_EQ(Obj(2).ObjName, QStringLiteral("Балка"));
  EXPECT_EQ(Obj(3).ObjName, QStringLiteral("Балка1"));
  EXPECT_EQ(Obj(2).BeemBeginPoint, QPoint(1800, 750));  // laid back on its chord
  EXPECT_EQ(Obj(3).BeemBeginPoint, QPoint(1, 23));
  EXPECT_EQ(Obj(3).BeemWidth, 100);
  EXPECT_EQ(CheckedBoxes(), std::vector<int>{5});
  EXPECT_EQ(W->FCurIndex, 0);
}

// Values are kept as stored while the plan can draw them; only those it cannot are brought into
// range, and then one message names each of them.
TEST_F(DocumentWindowTest, SizesThePlanCannotDrawAreBroughtIntoRangeAndNamed) {
  struct Row {
    const char* name;
    QByteArray walls;  // keys of Object0
    QByteArray post;   // keys of Object1
    std::array<int, 4> wallsStored;  // outer, inner, thickness, arch
    std::array<int, 3> postStored;   // width, height, angle
    int changes;                     // lines of the message; 0: no message
  };
  const Row rows[] = {
      {"beyond the edit limits, drawable",
       "WallDiameterOuter_R=90000\r\nWallDiameterInner_R=80000\r\nWallWallWidth_R=5000\r\n",
       "PostWidth_R=600\r\nPostHeight_R=90000\r\nPostAngle=400\r\n", {90000, 80000, 5000, 1500},
       {600, 2500, 400}, 1},
      {"too small", "WallDiameterOuter_R=1000\r\nWallDiameterInner_R=-5\r\nWallWallWidth_R=0\r\nWallArcWidth_R=0\r\n",
       "PostWidth_R=0\r\nPostHeight_R=-3\r\nPostAngle=-90\r\n", {1200, 1000, 0, 0}, {700, 700, -90}, 4},
      {"beyond a kilometre",
       "WallDiameterOuter_R=2000000\r\nWallDiameterInner_R=1000001\r\nWallArcWidth_R=-1\r\n", "",
       {16000, 8000, 800, 800}, {1800, 800, 0}, 3},
      {"as stored", "WallDiameterOuter_R=7000\r\nWallDiameterInner_R=5000\r\nWallWallWidth_R=1000\r\nWallArcWidth_R=1200\r\n",
       "PostWidth_R=1700\r\nPostHeight_R=900\r\nPostAngle=359\r\n", {7000, 5000, 1000, 1200}, {1700, 900, 359}, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Errors.clear();
    const QString path = TempPath(QStringLiteral("odd.tarvosk"));
    ASSERT_TRUE(WriteAll(path, "[Object0]\r\nObjType=0\r\n" + r.walls + "[Object1]\r\nObjType=3\r\n" + r.post +
                                   "PostPosition_R=2800,4200\r\n"));
    ASSERT_TRUE(W->OpenDocument(path)) << Errors.join(u'\n').toStdString();
    const TPlanObject& w = Obj(0);
    EXPECT_EQ((std::array<int, 4>{w.WallDiameterOuter, w.WallDiameterInner, w.WallWallWidth, w.WallArcWidth}),
              r.wallsStored);
    const TPlanObject& p = Obj(1);
    EXPECT_EQ((std::array<int, 3>{p.PostWidth, p.PostHeight, p.PostAngle}), r.postStored);
    EXPECT_EQ(p.PostPosition, QPoint(2800, 4200));  // positions are kept as stored
    if (r.changes == 0) {
      EXPECT_TRUE(Errors.isEmpty()) << Errors.join(u'\n').toStdString();
    } else {
      ASSERT_EQ(Errors.size(), 1);
      EXPECT_EQ(Errors[0].count(u'\n') + 1, r.changes) << Errors[0].toStdString();
    }
    W->pnlTools->btnApply->click();
  }
}

// A document of odd but drawable values, opened and saved again without an edit, comes back
// byte for byte.
TEST_F(DocumentWindowTest, OpeningAndSavingAgainKeepsTheBytes) {
  std::vector<TPlanObject> objects(5);
  TPlanObject& walls = objects[0];
  walls.ObjType = okWalls;
  walls.ObjName = QStringLiteral("Стены");
  walls.WallType = 2;
  walls.WallMaterial = 6;         // a beam's picture
  walls.WallDiameterOuter = 20000;  // beyond the edit limits
  walls.WallDiameterInner = 3000;   // not outer - 2 x thickness
  walls.WallWallWidth = 50;
  walls.WallArcWidth = 20;  // narrower than the walls are thick
  TPlanObject& post = objects[1];
  post.ObjType = okPost;
  post.ObjName = QStringLiteral("Постамент");
  post.PostWidth = 300;
  post.PostHeight = 2500;
  post.PostAngle = 400;
  post.PostBoardDiameter = 250;
  post.PostPosition = QPoint(10000, 12000);
  for (int i : {2, 3, 4}) {
    objects[static_cast<size_t>(i)].ObjType = okBeam;
    objects[static_cast<size_t>(i)].ObjName = QStringLiteral("Балка%1").arg(i);
    objects[static_cast<size_t>(i)].BeemWidth = 100;
    objects[static_cast<size_t>(i)].BeemBeginPoint = QPoint(100 * i, 200);
    objects[static_cast<size_t>(i)].BeemEndPoint = QPoint(5000, 300 * i);
  }
  objects[2].BeemMaterial = 1;      // a walls material
  objects[2].BeemOrientation = 30;  // no chord of that number
  objects[3].BeemMaterial = 7;
  objects[4].BeemMaterial = 0;
  objects[4].ObjVisible = false;
  const QByteArray bytes = DocumentToBytes(objects);
  const QString path = TempPath(QStringLiteral("kept.tarvosk"));
  ASSERT_TRUE(WriteAll(path, bytes));
  ASSERT_TRUE(W->OpenDocument(path));
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join(u'\n').toStdString();
  W->pnlTools->btnApply->click();
  const QString again = TempPath(QStringLiteral("again.tarvosk"));
  ASSERT_TRUE(W->SaveDocument(again));
  QFile f(again);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), bytes);
}

TEST_F(DocumentWindowTest, FarAwayAndVeryWideBeemsOpenDrawAndExport) {
  const QByteArray head = "[Object0]\r\nObjType=0\r\n[Object1]\r\nObjType=3\r\n";
  const QString path = TempPath(QStringLiteral("far.tarvosk"));
  ASSERT_TRUE(WriteAll(path, head + "[Object2]\r\nObjType=2\r\nBeemWidth_R=5000000\r\n"
                                    "BeemBeginPoint_R=100,200\r\nBeemEndPoint_R=3000,4000\r\n"
                                    "[Object3]\r\nObjType=2\r\n"
                                    "BeemBeginPoint_R=-5000000,-5000000\r\nBeemEndPoint_R=5000000,5000000\r\n"));
  ASSERT_TRUE(W->OpenDocument(path)) << Errors.join(u'\n').toStdString();
  ASSERT_EQ(W->FObjects.size(), 4u);
  for (int i : {2, 3}) {
    const TLayer* layer = Obj(i).Layer;
    EXPECT_LE(static_cast<qint64>(layer->Canvas().width()) * layer->Canvas().height(),
              static_cast<qint64>(W->pnlImg->width()) * W->pnlImg->height())
        << i;
  }
  // both bands cross the middle of the plan
  const QImage picture = W->FRenderer.ComposePlanImage();
  const QPoint middle = W->FRenderer.MmToPlan(QPoint(2800, 2800)) + QPoint(4, 4);
  EXPECT_NE(picture.pixel(middle) & 0xFFFFFFu, 0xFFFFFFu);
  SelectInList(3);
  EXPECT_EQ(W->ExportPlan(TempPath(QStringLiteral("far.png")), TExportFormat::Png), QString());
}

TEST_F(DocumentWindowTest, TwoStoredBeemsOnOneChordLeaveTheSecondFree) {
  const QByteArray head = "[Object0]\r\nObjType=0\r\n[Object1]\r\nObjType=3\r\n";
  const QString path = TempPath(QStringLiteral("twice.tarvosk"));
  ASSERT_TRUE(WriteAll(path, head + "[Object2]\r\nObjType=2\r\nBeemOrientation=5\r\n"
                                    "[Object3]\r\nObjType=2\r\nBeemOrientation=5\r\n"
                                    "BeemBeginPoint_R=100,200\r\nBeemEndPoint_R=300,400\r\n"));
  ASSERT_TRUE(W->OpenDocument(path));
  ASSERT_EQ(W->FObjects.size(), 4u);
  EXPECT_EQ(Obj(2).BeemOrientation, 5);
  EXPECT_EQ(Obj(3).BeemOrientation, 0);
  EXPECT_EQ(Obj(3).BeemBeginPoint, QPoint(100, 200));
  // clearing the box removes the chord's only beam and leaves the box's rule intact
  W->ChordBox(5)->click();
  ASSERT_EQ(W->FObjects.size(), 3u);
  EXPECT_EQ(Obj(2).BeemOrientation, 0);
  EXPECT_TRUE(CheckedBoxes().empty());
}

TEST_F(DocumentWindowTest, ANameKeepsOnlyWhatTheFileCanStore) {
  W->ChordBox(1)->click();
  TypeTextAndEnter(W->pnlBeemProp->edBeemObjName, QStringLiteral("Балка中№€✓"));
  const QString name = Obj(2).ObjName;
  EXPECT_EQ(name, QStringLiteral("Балка№€"));
  const QString path = TempPath(QStringLiteral("name.tarvosk"));
  ASSERT_TRUE(W->SaveDocument(path));
  ASSERT_TRUE(W->OpenDocument(path));
  EXPECT_EQ(Obj(2).ObjName, name);
}

TEST_F(DocumentWindowTest, ABrokenFileLeavesThePlanExactlyAsItWas) {
  struct Row {
    const char* name;
    QByteArray bytes;
    const char* message;  // part of the message shown
  };
  const QByteArray head = "[Object0]\r\nObjType=0\r\n[Object1]\r\nObjType=3\r\n";
  const Row rows[] = {
      {"point", head + "[Object2]\r\nObjType=2\r\nBeemBeginPoint_R=12\r\n", "'' is not a valid integer value"},
      {"letters", head + "[Object2]\r\nObjType=2\r\nBeemEndPoint_R=1,x\r\n", "'x' is not a valid integer value"},
      {"no pedestal", "[Object0]\r\nObjType=0\r\n", ""},
      {"walls second", "[Object0]\r\nObjType=3\r\n[Object1]\r\nObjType=0\r\n", ""},
      {"empty", "", ""},
  };
  BuildFullPlan();
  const QString before = Snapshot();
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const QString path = TempPath(QStringLiteral("broken.tarvosk"));
    ASSERT_TRUE(WriteAll(path, r.bytes));
    const qsizetype shown = Errors.size();
    EXPECT_FALSE(W->OpenDocument(path));
    ASSERT_EQ(Errors.size(), shown + 1);
    EXPECT_TRUE(Errors.last().contains(QString::fromUtf8(r.message))) << Errors.last().toStdString();
    EXPECT_EQ(Snapshot(), before);
  }
  // a path that cannot be read at all
  const qsizetype shown = Errors.size();
  EXPECT_FALSE(W->OpenDocument(TempPath(QStringLiteral("missing.tarvosk"))));
  EXPECT_EQ(Errors.size(), shown + 1);
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(DocumentWindowTest, AFailedSaveLeavesTheOldFileAndSaysSo) {
  const QString old = TempPath(QStringLiteral("old.tarvosk"));
  ASSERT_TRUE(W->SaveDocument(old));
  const QByteArray oldBytes = ReadAll(old);
  W->ChordBox(5)->click();

  // onto a folder, and below a path whose folder is a file
  const QString folder = TempPath(QStringLiteral("folder.tarvosk"));
  ASSERT_TRUE(QDir().mkdir(folder));
  EXPECT_FALSE(W->SaveDocument(folder));
  ASSERT_FALSE(Errors.isEmpty());
  EXPECT_EQ(Errors.last(), QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(folder)));
  EXPECT_TRUE(QFileInfo(folder).isDir());
  const QString underFile = old + QStringLiteral("/plan.tarvosk");
  EXPECT_FALSE(W->SaveDocument(underFile));
  EXPECT_EQ(Errors.last(), QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(underFile)));
  EXPECT_EQ(ReadAll(old), oldBytes);

  // into a folder where no new file may be made: the old file stays whole
  const QString locked = TempPath(QStringLiteral("locked"));
  ASSERT_TRUE(QDir().mkdir(locked));
  const QString inLocked = QDir(locked).filePath(QStringLiteral("plan.tarvosk"));
  ASSERT_TRUE(WriteAll(inLocked, oldBytes));
  FLocked = locked;
  if (!LockFolder(locked, true)) GTEST_SKIP() << "this file system lets the process write anywhere";
  EXPECT_FALSE(W->SaveDocument(inLocked));
  EXPECT_EQ(Errors.last(), QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(inLocked)));
  EXPECT_EQ(ReadAll(inLocked), oldBytes);
}

TEST_F(DocumentWindowTest, TheDialogsSaveAndOpen) {
  // Qt's own file dialog does not come up under Wine (the Windows session drives the system's).
  if (QSysInfo::productType() == QLatin1String("windows")) GTEST_SKIP() << "no Qt file dialog under Wine";
  W->ChordBox(7)->click();
  const QString chosen = TempPath(QStringLiteral("через диалог"));
  AnswerNextFileDialog(chosen);
  W->pnlTools->btnSaveDoc->click();
  const QString saved = chosen + QStringLiteral(".tarvosk");
  ASSERT_TRUE(QFileInfo::exists(saved));

  W->Menu.nNewDoc->trigger();
  ASSERT_EQ(W->FObjects.size(), 2u);
  AnswerNextFileDialog(saved);
  W->Menu.nLoadDoc->trigger();
  ASSERT_EQ(W->FObjects.size(), 3u);
  EXPECT_EQ(CheckedBoxes(), std::vector<int>{7});

  // cancelling opens nothing
  AnswerNextFileDialog(QString());
  W->pnlTools->btnOpenDoc->click();
  EXPECT_EQ(W->FObjects.size(), 3u);
  EXPECT_TRUE(Errors.isEmpty());
}

TEST_F(DocumentWindowTest, TheJoinedCommandLineOpensADocument) {
  W->ChordBox(2)->click();
  PlaceBell(5, QPoint(260, 120));
  const QString path = TempPath(QStringLiteral("my plan.tarvosk"));
  ASSERT_TRUE(W->SaveDocument(path));
  const QByteArray stored = DocumentToBytes(W->FObjects);

  Open(QSize(618, 352), {TempPath(QStringLiteral("my")), QStringLiteral("plan.tarvosk")});
  ASSERT_EQ(W->FObjects.size(), 4u);
  EXPECT_EQ(DocumentToBytes(W->FObjects), stored);
  EXPECT_EQ(CheckedBoxes(), std::vector<int>{2});

  // a command line that names no file starts with a new document and no message
  Open(QSize(618, 352), {TempPath(QStringLiteral("nothing here.tarvosk"))});
  EXPECT_EQ(W->FObjects.size(), 2u);
  EXPECT_TRUE(Errors.isEmpty());
}

TEST_F(DocumentWindowTest, ExportAppendsTheExtensionAndNeverReplacesIt) {
  struct Row {
    const char* chosen;
    TExportFormat format;
    const char* written;
    const char* decoder;
  };
  const Row rows[] = {
      {"plan", TExportFormat::Jpeg, "plan.jpg", "jpeg"},
      {"plan.jpg", TExportFormat::Jpeg, "plan.jpg", "jpeg"},
      {"plan.JPG", TExportFormat::Jpeg, "plan.JPG.jpg", "jpeg"},
      {"plan.png", TExportFormat::Jpeg, "plan.png.jpg", "jpeg"},
      {"plan", TExportFormat::Png, "plan.png", "png"},
      {"plan.BMP", TExportFormat::Bmp, "plan.BMP.bmp", "bmp"},
      {"plan.bmp", TExportFormat::Bmp, "plan.bmp", "bmp"},
  };
  int n = 0;
  for (const Row& r : rows) {
    SCOPED_TRACE(r.chosen);
    // numbered: "plan.jpg" and "plan.JPG" are one name where names ignore case
    const QString dir = TempPath(QStringLiteral("export-%1").arg(++n));
    ASSERT_TRUE(QDir().mkdir(dir));
    EXPECT_EQ(W->ExportPlan(QDir(dir).filePath(QLatin1String(r.chosen)), r.format), QString());
    EXPECT_EQ(QDir(dir).entryList(QDir::Files), QStringList{QLatin1String(r.written)});
    const QString written = QDir(dir).filePath(QLatin1String(r.written));
    QFile file(written);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(PictureFormatOf(file.read(8)), QByteArray(r.decoder));
    EXPECT_EQ(ResourcePicture(written).size(), W->pnlImg->size());  // JPEG read by libjpeg
  }
}

TEST_F(DocumentWindowTest, ExportFixesTheArrangementAndBringsTheFrameBack) {
  for (int slot = 0; slot < 5; ++slot) PlaceBell(slot, QPoint(230 + 35 * slot, 100 + 15 * slot));
  ASSERT_TRUE(W->FRenderer.Layer(SelectionLayer)->isVisible());
  ASSERT_FALSE(W->FRenderer.Layer(AnnotationLayer)->isVisible());
  const QString path = TempPath(QStringLiteral("fixed.png"));
  ASSERT_EQ(W->ExportPlan(path, TExportFormat::Png), QString());
  EXPECT_TRUE(W->FRenderer.Layer(SelectionLayer)->isVisible());
  EXPECT_TRUE(W->FRenderer.Layer(AnnotationLayer)->isVisible());
  EXPECT_FALSE(W->FRenderer.Layer(WeightLayer)->isVisible());  // the weights are left as they were
  int groups[4] = {};
  for (size_t i = 2; i < W->FObjects.size(); ++i) ++groups[Obj(static_cast<int>(i)).BellGroup % 4];
  EXPECT_EQ(groups[3], 1);

  // the picture carries the lines but not the frame of the current bell
  const QImage picture(path);
  const TPlanObject& current = Obj(W->FCurIndex);
  const QPoint frameCorner = current.BellPositionPx - QPoint(current.BellDiameterPx / 2 + 6, current.BellDiameterPx / 2 + 6);
  EXPECT_EQ(picture.pixel(frameCorner + QPoint(4, 4)) & 0xFFFFFFu, 0xFFFFFFu);
  EXPECT_NE(W->FRenderer.Layer(SelectionLayer)->Canvas().pixel(frameCorner) & 0xFFFFFFu, 0xFFFFFFu);

  // after a fixing with weights, an export keeps them in the picture
  W->pnlTools->btnApply->click();
  ASSERT_EQ(W->ExportPlan(path, TExportFormat::Png), QString());
  EXPECT_TRUE(W->FRenderer.Layer(WeightLayer)->isVisible());
}

TEST_F(DocumentWindowTest, TheComposedPictureIsThePanelWithWallsAndRulers) {
  const QImage picture = W->FRenderer.ComposePlanImage();
  EXPECT_EQ(picture.size(), QSize(618, 352));
  const TPlanObject& w = Obj(0);
  // inside the wall band on the left, halfway down, away from the arch openings
  const QPoint wall(W->FRenderer.FOriginX + w.WallWallWidthPx / 2 + 4, W->FRenderer.FOriginY + w.WallDiameterOuterPx / 4 + 4);
  EXPECT_NE(picture.pixel(wall) & 0xFFFFFFu, 0xFFFFFFu);
  EXPECT_EQ(picture.pixel(1, 100) & 0xFFFFFFu, 0u);  // the rulers' outer frame
  EXPECT_EQ(picture.pixel(W->FRenderer.FOriginX + w.WallDiameterOuterPx / 2 + 4, W->FRenderer.FOriginY + w.WallDiameterOuterPx / 2 + 4 - 40) & 0xFFFFFFu,
            0xFFFFFFu);  // the open floor inside
}

TEST_F(DocumentWindowTest, TheComposedPictureIsWhatThePanelShows) {
  BuildFullPlan();
  W->pnlTools->btnApply->click();
  const QImage shown = W->pnlImg->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage composed = W->FRenderer.ComposePlanImage();
  ASSERT_EQ(composed.size(), shown.size());
  int differing = 0;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x) differing += shown.pixel(x, y) != composed.pixel(x, y);
  EXPECT_EQ(differing, 0);
}

TEST_F(DocumentWindowTest, TheExportDialogAppendsTheChosenEntrysExtension) {
  // Qt's own file dialog does not come up under Wine (the Windows session drives the system's).
  if (QSysInfo::productType() == QLatin1String("windows")) GTEST_SKIP() << "no Qt file dialog under Wine";
  const QString chosen = TempPath(QStringLiteral("диалог.png"));
  AnswerNextFileDialog(chosen, QStringLiteral("JPEG Image (*.jpg)"));
  W->pnlTools->btnExport->click();
  EXPECT_TRUE(QFileInfo::exists(chosen + QStringLiteral(".jpg")));
  EXPECT_TRUE(W->FRenderer.Layer(AnnotationLayer)->isVisible());

  // cancelling changes nothing
  SelectInList(0);
  ASSERT_FALSE(W->FRenderer.Layer(AnnotationLayer)->isVisible());
  AnswerNextFileDialog(QString());
  W->Menu.nExportDoc->trigger();
  EXPECT_FALSE(W->FRenderer.Layer(AnnotationLayer)->isVisible());
  EXPECT_TRUE(W->FRenderer.Layer(SelectionLayer)->isVisible());
  EXPECT_TRUE(Errors.isEmpty());
}

TEST_F(DocumentWindowTest, AFailedExportSaysWhyAndKeepsTheFrame) {
  const QString blocker = TempPath(QStringLiteral("file"));
  ASSERT_TRUE(WriteAll(blocker, "x"));
  const QString error = W->ExportPlan(blocker + QStringLiteral("/plan"), TExportFormat::Png);
  EXPECT_FALSE(error.isEmpty());
  EXPECT_TRUE(W->FRenderer.Layer(SelectionLayer)->isVisible());
  EXPECT_EQ(ReadAll(blocker), QByteArray("x"));

  // an existing picture in a folder where nothing new may be made stays as it was
  const QString locked = TempPath(QStringLiteral("locked"));
  ASSERT_TRUE(QDir().mkdir(locked));
  const QString old = QDir(locked).filePath(QStringLiteral("plan.png"));
  ASSERT_TRUE(WriteAll(old, "old picture"));
  FLocked = locked;
  if (!LockFolder(locked, true)) GTEST_SKIP() << "this file system lets the process write anywhere";
  EXPECT_FALSE(W->ExportPlan(old, TExportFormat::Png).isEmpty());
  EXPECT_EQ(ReadAll(old), QByteArray("old picture"));
}

}  // namespace
