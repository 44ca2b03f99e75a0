// The plan drawn off screen from a document alone is the picture the editor exports after
// opening the same file: every pixel, for plans of every kind and several panel sizes. And
// drawing it makes no widget.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "bells/bell_catalogue.h"
#include "document/document_file.h"
#include "document/plan_opening.h"
#include "render/plan_picture.h"
#include "support/main_window_fixture.h"
#include "support/sample_plans.h"

namespace {

// A document changed record by record after it is read.
QByteArray Edited(const QByteArray& bytes, const std::function<void(std::vector<TPlanObject>&)>& edit) {
  TDocumentContent content = ParseDocument(bytes, FBellDiameters);
  EXPECT_TRUE(content.Ok()) << qPrintable(content.Error);
  edit(content.Objects);
  return DocumentToBytes(content.Objects);
}

QByteArray CorpusFile(const char* name) {
  QFile f(QStringLiteral(TARVOSK_SOURCE_DIR "/fuzz/corpus/document/") + QLatin1String(name));
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
  return f.readAll();
}

struct TPictureCase {
  const char* Name;
  QByteArray Bytes;
  QSize Panel;
};

std::vector<TPictureCase> PictureCases() {
  const QByteArray full = FullDocumentBytes();
  return {
      {"full plan", full, QSize(1280, 800)},
      {"full plan, scale example", full, QSize(618, 352)},
      {"five bells, one chord", PlanDocumentBytes(5, 1, 0), QSize(400, 300)},
      {"four bells: no lines", PlanDocumentBytes(4, 0, 3), QSize(400, 300)},
      {"six-sided", Edited(PlanDocumentBytes(12, 24, 10), [](auto& o) { o[0].WallType = 1; }), QSize(900, 700)},
      {"eight-sided, oak walls", Edited(PlanDocumentBytes(20, 24, 10), [](auto& o) { o[0].WallType = 2; o[0].WallMaterial = 3; }),
       QSize(700, 900)},
      {"hidden walls, pedestal, a bell and a beam", Edited(full, [](auto& o) {
         for (std::size_t i : {std::size_t(0), std::size_t(1), std::size_t(5), o.size() - 1}) o[i].ObjVisible = false;
       }), QSize(800, 600)},
      // Chord beams stored anywhere are laid on their chords when the document opens.
      {"chord beams stored off their chords", Edited(PlanDocumentBytes(8, 24, 0), [](auto& o) {
         for (TPlanObject& b : o)
           if (b.ObjType == okBeam) b.BeemBeginPoint = b.BeemEndPoint = QPoint(17, 4000);
       }), QSize(640, 480)},
      // Beams reaching far past the panel are cut at its edge.
      {"beams past the panel", Edited(PlanDocumentBytes(6, 0, 4), [](auto& o) {
         o.back().BeemBeginPoint = QPoint(-30000, 2000);
         o.back().BeemEndPoint = QPoint(40000, 3000);
         o.back().BeemWidth = 900;
       }), QSize(500, 400)},
      {"corpus: bells and chords", CorpusFile("bells_and_chords.tarvosk"), QSize(240, 180)},
      {"corpus: hexagon, odd values", CorpusFile("hex_and_odd_values.tarvosk"), QSize(300, 200)},
      {"corpus: eight-sided, hidden", CorpusFile("eight_sided_hidden.tarvosk"), QSize(300, 300)},
      {"corpus: empty plan", CorpusFile("empty_plan.tarvosk"), QSize(200, 200)},
  };
}

class PlanPictureTest : public MainWindowTest {};

TEST_F(PlanPictureTest, EqualsTheEditorsExport) {
  for (const TPictureCase& c : PictureCases()) {
    SCOPED_TRACE(c.Name);
    const QString path = TempPath(QStringLiteral("plan.tarvosk"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(c.Bytes), c.Bytes.size());
    f.close();
    W->SetPlanClientSize(c.Panel);
    ASSERT_TRUE(W->OpenDocument(path));
    const QImage editor = W->FixedPlanPicture();
    ASSERT_EQ(editor.size(), c.Panel);

    const TOpenedPlan plan = OpenPlanFile(path, FBellDiameters);
    ASSERT_TRUE(plan.Ok()) << qPrintable(plan.Error);
    // The editor holds exactly the plan opening gave.
    EXPECT_TRUE(TPlanModel::Capture(W->FObjects) == plan.Model());
    const int widgets = static_cast<int>(QApplication::allWidgets().size());
    TPlanPicture drawn(plan.Records, c.Panel);
    const QImage picture = drawn.Fixed();
    EXPECT_EQ(static_cast<int>(QApplication::allWidgets().size()), widgets) << "drawing made a widget";
    ASSERT_EQ(picture.size(), c.Panel);
    if (picture != editor) {
      int differ = 0;
      for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) differ += picture.pixel(x, y) != editor.pixel(x, y);
      QRect where;
      for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
          if (picture.pixel(x, y) != editor.pixel(x, y)) where |= QRect(x, y, 1, 1);
      ADD_FAILURE() << differ << " pixels differ, within (" << where.x() << ", " << where.y() << ") "
                    << where.width() << " x " << where.height();
      if (qEnvironmentVariableIsSet("TARVOSK_KEEP_PICTURES")) {
        editor.save(QStringLiteral("/tmp/editor.png"));
        picture.save(QStringLiteral("/tmp/picture.png"));
      }
    }
  }
}

// Drawn twice, a picture is the same: nothing of one drawing is left for the next.
TEST(PlanPicture, DrawsTheSameTwice) {
  const TOpenedPlan plan = OpenPlanBytes(FullDocumentBytes(), FBellDiameters);
  ASSERT_TRUE(plan.Ok());
  TPlanPicture drawn(plan.Records, QSize(640, 400));
  const QImage first = drawn.Fixed();
  EXPECT_EQ(drawn.Fixed(), first);
  TPlanPicture again(plan.Records, QSize(640, 400));
  EXPECT_EQ(again.Fixed(), first);
}

// What opening gives: the file's objects with the names and chords settled, or why not.
TEST(PlanOpening, RefusedFilesGiveNoObjects) {
  for (const QByteArray& bytes : {QByteArray(), QByteArray("garbage"), QByteArray("[Object0]\r\nObjType=0\r\n"),
                                  QByteArray("[Object0]\r\nObjType=0\r\n[Object1]\r\nObjType=3\r\nPostPosition_R=1;2\r\n")}) {
    const TOpenedPlan plan = OpenPlanBytes(bytes, FBellDiameters);
    EXPECT_FALSE(plan.Ok()) << bytes.constData();
    EXPECT_TRUE(plan.Records.empty());
    EXPECT_EQ(plan.Model().Size(), 0u);
  }
}

TEST(PlanOpening, SettlesSharedNamesAndSavesStable) {
  const TOpenedPlan plan = OpenPlanBytes(SameNameBeemsDocument(4, "Beam"), FBellDiameters);
  ASSERT_TRUE(plan.Ok()) << qPrintable(plan.Error);
  QStringList names;
  for (const TPlanObject& o : plan.Records) names << o.ObjName;
  EXPECT_EQ(names.mid(2), (QStringList{u"Beam"_qs, u"Beam1"_qs, u"Beam2"_qs, u"Beam3"_qs}));
  const QByteArray saved = DocumentToBytes(plan.Model());
  const TOpenedPlan again = OpenPlanBytes(saved, FBellDiameters);
  EXPECT_TRUE(again.Warnings.isEmpty()) << qPrintable(again.Warnings.join(u'|'));
  EXPECT_EQ(DocumentToBytes(again.Model()), saved);
}

}  // namespace

namespace {

// A hidden pedestal still has its ringer: the ringing lines go to that ringer's hand, exactly as
// when the pedestal shows, never to where an earlier pedestal had it.
TEST(PlanPicture, LinesOfAHiddenPedestalGoToItsRinger) {
  const QByteArray shown = PlanDocumentBytes(12, 0, 0);
  const QByteArray hidden = Edited(shown, [](auto& o) {
    o[1].ObjVisible = false;
    o[1].PostPosition += QPoint(700, -300);  // away from where a new plan's pedestal stands
  });
  const QByteArray moved = Edited(shown, [](auto& o) { o[1].PostPosition += QPoint(700, -300); });
  TPlanPicture a(OpenPlanBytes(hidden, FBellDiameters).Records, QSize(640, 480));
  TPlanPicture b(OpenPlanBytes(moved, FBellDiameters).Records, QSize(640, 480));
  (void)a.Fixed();
  (void)b.Fixed();
  ASSERT_FALSE(b.Renderer().FFixingLines.empty());
  EXPECT_EQ(a.Renderer().FFixingLines.size(), b.Renderer().FFixingLines.size());
  EXPECT_TRUE(a.Renderer().FFixingLines == b.Renderer().FFixingLines);
}

}  // namespace
