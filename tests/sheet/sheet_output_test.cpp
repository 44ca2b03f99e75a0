// The sheet as files: measured on the PDF's own drawing (rasterised by pdftoppm at 254 dots per
// inch, ten dots per millimetre), read back as text by pdftotext, the SVG parsed as XML.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>

#include "bells/bell_catalogue.h"
#include "sheet/bill.h"
#include "sheet/sheet_export.h"
#include "sheet/sheet_fixtures.h"
#include "sheet/sheet_painter.h"
#include "sheet/sheet_svg.h"
#include "support/test_files.h"

namespace {

constexpr int kDotsPerMm = 10;

TSheetTitle Title() {
  return {QStringLiteral("Проба"), QStringLiteral("01.02.2026"), QStringLiteral("Тарвоск")};
}

TSheetSettings Settings(const char* paper, int scale, bool landscape = false) {
  TSheetSettings s;
  s.Paper = QString::fromLatin1(paper);
  s.PaperSizeMm = *SheetPaperSize(s.Paper);
  s.Scale = scale;
  s.Landscape = landscape;
  return s;
}

// Poppler's tools are Linux programs: a Windows build under Wine can start them but not wait for
// them. Its sheet is rasterised and compared with the Linux build's by tests/windows instead.
#if defined(Q_OS_WIN)
#define SKIP_WITHOUT_POPPLER() GTEST_SKIP() << "poppler's tools do not run under Windows"
#else
#define SKIP_WITHOUT_POPPLER() (void)0
#endif

QImage FirstPage(const QString& pdf, const QTemporaryDir& dir) {
  const QString stem = dir.filePath(QStringLiteral("page"));
  QProcess p;
  p.start(QStringLiteral(TARVOSK_PDFTOPPM),
          {QStringLiteral("-r"), QString::number(kDotsPerMm * 254 / 10), QStringLiteral("-f"),
           QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
           QStringLiteral("-singlefile"), QStringLiteral("-png"), pdf, stem});
  EXPECT_TRUE(p.waitForFinished(60000));
  EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

bool Dark(QRgb c) { return qRed(c) < 90 && qGreen(c) < 90 && qBlue(c) < 90; }

struct TComponent {
  QRect Box;
  std::vector<int> Pixels;  // y * width + x
};

// The connected pieces of dark ink, largest box first.
std::vector<TComponent> DarkComponents(const QImage& image) {
  const int w = image.width(), h = image.height();
  std::vector<char> seen(static_cast<std::size_t>(w) * h, 0);
  std::vector<TComponent> out;
  std::vector<int> stack;
  for (int y = 0; y < h; ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      const std::size_t at = static_cast<std::size_t>(y) * w + x;
      if (seen[at] || !Dark(line[x])) continue;
      TComponent c;
      stack.assign(1, static_cast<int>(at));
      seen[at] = 1;
      while (!stack.empty()) {
        const int p = stack.back();
        stack.pop_back();
        c.Pixels.push_back(p);
        const int px = p % w, py = p / w;
        c.Box |= QRect(px, py, 1, 1);
        for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
          const int nx = px + dx, ny = py + dy;
          if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
          const std::size_t n = static_cast<std::size_t>(ny) * w + nx;
          if (seen[n] || !Dark(image.pixel(nx, ny))) continue;
          seen[n] = 1;
          stack.push_back(static_cast<int>(n));
        }
      }
      out.push_back(std::move(c));
    }
  }
  std::sort(out.begin(), out.end(), [](const TComponent& a, const TComponent& b) {
    return qint64(a.Box.width()) * a.Box.height() > qint64(b.Box.width()) * b.Box.height();
  });
  return out;
}

// Between the middles of the outermost strokes of a component along one row, in millimetres.
double WidthAlongRow(const TComponent& c, int imageWidth, int row) {
  std::vector<int> xs;
  for (const int p : c.Pixels) {
    if (p / imageWidth == row) xs.push_back(p % imageWidth);
  }
  std::sort(xs.begin(), xs.end());
  if (xs.size() < 2) return -1;
  int leftEnd = 0, rightStart = static_cast<int>(xs.size()) - 1;
  while (leftEnd + 1 < static_cast<int>(xs.size()) && xs[leftEnd + 1] == xs[leftEnd] + 1) ++leftEnd;
  while (rightStart > 0 && xs[rightStart - 1] == xs[rightStart] - 1) --rightStart;
  const double left = (xs.front() + xs[leftEnd]) / 2.0, right = (xs[rightStart] + xs.back()) / 2.0;
  return (right - left) / kDotsPerMm;
}

// The largest piece of ink apart from the sheet's frame (with the title block joined to it).
const TComponent& PlanPiece(const std::vector<TComponent>& pieces, const QImage& page) {
  for (const TComponent& c : pieces) {
    if (c.Box.width() < page.width() * 0.8) return c;
  }
  return pieces.back();
}

QString WritePdf(const TPlanModel& model, const TSheetSettings& s, const QTemporaryDir& dir) {
  const QString path = dir.filePath(QStringLiteral("plan.pdf"));
  const QString error = WriteSheetFile(model, s, Title(), TSheetFormat::Pdf, path);
  EXPECT_EQ(error, QString());
  return path;
}

TEST(SheetPdf, TheWallsMeasureTrueAtOneToFiftyOnA3) {
  SKIP_WITHOUT_POPPLER();
  QTemporaryDir dir;
  std::vector<TStoredObject> objects = DefaultPlan();
  objects[1].ObjVisible = false;  // the walls alone in the middle
  const QImage page =
      FirstPage(WritePdf(TPlanModel::FromStored(objects), Settings("A3", 50), dir), dir);
  ASSERT_NEAR(page.width(), 2970, 3);  // 297 x 420 mm at ten dots per millimetre
  ASSERT_NEAR(page.height(), 4200, 3);
  const std::vector<TComponent> pieces = DarkComponents(page);
  // The openings cut the walls into their four corners: the four largest pieces apart from the
  // frame (the scale bar is a thin strip, the texts are small).
  TComponent walls;
  int taken = 0;
  for (const TComponent& c : pieces) {
    if (c.Box.width() >= page.width() * 0.8 || taken == 4) continue;
    walls.Box |= c.Box;
    walls.Pixels.insert(walls.Pixels.end(), c.Pixels.begin(), c.Pixels.end());
    ++taken;
  }
  ASSERT_EQ(taken, 4);
  // A quarter down the walls, clear of the openings in the middle of each side.
  const int row = walls.Box.top() + walls.Box.height() / 4;
  EXPECT_NEAR(WidthAlongRow(walls, page.width(), row), 112.0, 0.2);
  EXPECT_NEAR(walls.Box.height() / double(kDotsPerMm), 112.0, 0.6);  // the stroke's width included
}

class SheetPdfBell : public ::testing::TestWithParam<int> {};

TEST_P(SheetPdfBell, ABellMeasuresTrue) {
  SKIP_WITHOUT_POPPLER();
  const int scale = GetParam();
  QTemporaryDir dir;
  std::vector<TStoredObject> objects = DefaultPlan();
  objects[0].ObjVisible = false;
  objects[1].ObjVisible = false;
  objects.push_back(Bell(QStringLiteral("Большой"), 1500, QPoint(2800, 2800)));
  const QImage page =
      FirstPage(WritePdf(TPlanModel::FromStored(objects), Settings("A4", scale), dir), dir);
  const std::vector<TComponent> pieces = DarkComponents(page);
  const TComponent& bell = PlanPiece(pieces, page);
  const int row = bell.Box.center().y();
  EXPECT_NEAR(WidthAlongRow(bell, page.width(), row), 1500.0 / scale, 0.2) << "1:" << scale;
}

INSTANTIATE_TEST_SUITE_P(Scales, SheetPdfBell, ::testing::Values(20, 100));

TEST(SheetPdf, TheBillIsInTheText) {
  SKIP_WITHOUT_POPPLER();
  QTemporaryDir dir;
  const TPlanModel model = ModelOfDocument(PlanDocumentBytesForSheet());
  const QString pdf = WritePdf(model, Settings("A4", kSheetFitScale), dir);
  QProcess p;
  p.start(QStringLiteral(TARVOSK_PDFTOTEXT), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  ASSERT_TRUE(p.waitForFinished(60000));
  const QString text = QString::fromUtf8(p.readAllStandardOutput());
  const TBill bill = BuildBill(BuildSheetPlan(model));
  int rows = 0;
  for (const TBillTable& t : bill.Tables) {
    EXPECT_TRUE(text.contains(t.Title)) << t.Title.toStdString();
    for (const QStringList& row : t.Rows) {
      // The cells of a row stand on one line, in order, with blanks between.
      QStringList cells;
      for (const QString& cell : row) {
        if (!cell.isEmpty()) cells << QRegularExpression::escape(cell);
      }
      const QRegularExpression re(cells.join(QStringLiteral("\\s+")));
      EXPECT_TRUE(re.match(text).hasMatch()) << row.join(u'|').toStdString();
      ++rows;
    }
  }
  EXPECT_GT(rows, 10);
  EXPECT_TRUE(text.contains(QStringLiteral("Проба")));
}

TEST(SheetPdf, APlanThatDoesNotFitIsSaidAndNothingIsWritten) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("plan.pdf"));
  ASSERT_TRUE(WriteAll(path, "old"));
  const TPlanModel model = TPlanModel::FromStored(DefaultPlan());
  const TSheetPlan plan = BuildSheetPlan(model);
  const TSheet sheet = LayOutSheet(plan, BuildBill(plan), Settings("A4", 10), Title());
  EXPECT_FALSE(sheet.Ok());
  EXPECT_TRUE(sheet.Pages.empty());
  EXPECT_TRUE(sheet.Error.contains(QStringLiteral("не помещается"))) << sheet.Error.toStdString();
  EXPECT_TRUE(sheet.Error.contains(QStringLiteral("1:10")));
  EXPECT_EQ(WriteSheetFile(model, Settings("A4", 10), Title(), TSheetFormat::Pdf, path),
            sheet.Error);
  EXPECT_EQ(WriteSheetFile(model, Settings("A4", 10), Title(), TSheetFormat::Svg, path),
            sheet.Error);
  EXPECT_EQ(ReadAll(path), QByteArray("old"));
  EXPECT_TRUE(MakeSheetPdf(sheet, QString()).isEmpty());
  // The same plan fits at 1:50 and when fitted to the sheet, where the scale is a whole one.
  EXPECT_TRUE(LayOutSheet(plan, BuildBill(plan), Settings("A4", 50), Title()).Ok());
  const TSheet fitted = LayOutSheet(plan, BuildBill(plan), Settings("A4", kSheetFitScale), Title());
  ASSERT_TRUE(fitted.Ok());
  EXPECT_GT(fitted.Scale, 10);
  EXPECT_LT(fitted.Scale, 50);
}

TEST(SheetPdf, AnUnwritablePathLeavesNothing) {
  QTemporaryDir dir;
  ASSERT_TRUE(WriteAll(dir.filePath(QStringLiteral("file")), "x"));
  const QString path = dir.filePath(QStringLiteral("file/plan.pdf"));
  const QString error = WriteSheetFile(TPlanModel::FromStored(DefaultPlan()), Settings("A4", 50),
                                       Title(), TSheetFormat::Pdf, path);
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot),
            QStringList{QStringLiteral("file")});
}

TEST(SheetPdf, ALongBillGoesOnFurtherPages) {
  const TPlanModel model = ModelOfDocument(PlanDocumentBytes(42, 24, 200));
  const TSheetPlan plan = BuildSheetPlan(model);
  const TSheet sheet = LayOutSheet(plan, BuildBill(plan), Settings("A4", kSheetFitScale), Title());
  ASSERT_TRUE(sheet.Ok()) << sheet.Error.toStdString();
  EXPECT_GT(sheet.Pages.size(), 2u);
  // Every row of the bill is placed once: its name stands on some page.
  QStringList texts;
  for (const TSheetPage& page : sheet.Pages) {
    for (const TSheetGroup& g : page.Groups) {
      if (g.Class != QLatin1String("bill")) continue;
      for (const TSheetItem& item : g.Items) texts << item.Text;
    }
  }
  const TBill bill = BuildBill(plan);
  for (const TSheetBeem& b : plan.Beems) EXPECT_EQ(texts.count(b.Name), 1) << b.Name.toStdString();
  EXPECT_EQ(texts.count(QStringLiteral("Итого")), 2);  // the bells' weight and the beams' load
}

TEST(SheetPdf, LongRemarksAreBrokenIntoLinesThatFitThePage) {
  const TSheetPlan plan = BuildSheetPlan(TPlanModel::FromStored(DefaultPlan()));
  QString note;
  for (int i = 0; i < 40; ++i) note += QStringLiteral("слово%1 ").arg(i);
  const TBill bill = BuildBill(plan, {}, {note.trimmed(), QStringLiteral("короткое")});
  const TSheet sheet = LayOutSheet(plan, bill, Settings("A4", 50), Title());
  ASSERT_TRUE(sheet.Ok()) << sheet.Error.toStdString();
  QStringList texts;
  double right = 0;
  for (const TSheetPage& page : sheet.Pages) {
    for (const TSheetGroup& g : page.Groups) {
      if (g.Class != QLatin1String("bill")) continue;
      for (const TSheetItem& item : g.Items) {
        texts << item.Text;
        if (!item.Text.isEmpty())
          right = std::max(right, item.At.x() + SheetTextWidthMm(item.Text, 2.5, false));
      }
    }
  }
  // Every word once, in order, across several lines, and nothing past the frame.
  const QString joined = texts.join(u' ');
  qsizetype at = 0;
  for (int i = 0; i < 40; ++i) {
    at = joined.indexOf(QStringLiteral("слово%1 ").arg(i), at);
    ASSERT_GE(at, 0) << i;
  }
  EXPECT_FALSE(texts.contains(note.trimmed()));
  EXPECT_TRUE(texts.contains(QStringLiteral("короткое")));
  EXPECT_LT(right, 210 - 10);
}

// ---- SVG ---------------------------------------------------------------------------------------

struct TSvgGroup {
  QString Id;
  double Left = 1e9, Top = 1e9, Right = -1e9, Bottom = -1e9;  // of its path coordinates
  double Width() const { return Right - Left; }
  double Height() const { return Bottom - Top; }
};

std::vector<TSvgGroup> SvgGroups(const QByteArray& svg, QString* width, QString* height) {
  std::vector<TSvgGroup> groups;
  QXmlStreamReader xml(svg);
  int depth = 0, groupDepth = -1;
  static const QRegularExpression number(QStringLiteral("-?[0-9.]+"));
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      ++depth;
      if (xml.name() == QLatin1String("svg")) {
        *width = xml.attributes().value(QLatin1String("width")).toString();
        *height = xml.attributes().value(QLatin1String("height")).toString();
      } else if (xml.name() == QLatin1String("g")) {
        groups.push_back({});
        groups.back().Id = xml.attributes().value(QLatin1String("id")).toString();
        groupDepth = depth;
      } else if (xml.name() == QLatin1String("path") && groupDepth > 0) {
        const QString d = xml.attributes().value(QLatin1String("d")).toString();
        QList<double> v;
        for (auto it = number.globalMatch(d); it.hasNext();) v << it.next().captured().toDouble();
        TSvgGroup& g = groups.back();
        for (qsizetype i = 0; i + 1 < v.size(); i += 2) {
          g.Left = std::min(g.Left, v[i]);
          g.Right = std::max(g.Right, v[i]);
          g.Top = std::min(g.Top, v[i + 1]);
          g.Bottom = std::max(g.Bottom, v[i + 1]);
        }
      }
    } else if (xml.isEndElement()) {
      if (depth == groupDepth) groupDepth = -1;
      --depth;
    }
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  return groups;
}

TEST(SheetSvg, MillimetresIdsAndTheWallsAtScale) {
  std::vector<TStoredObject> objects = DefaultPlan();
  const QString odd = QStringLiteral("Колокол \"<большой>\" & 'малый'");
  objects.push_back(Bell(odd, 1500, QPoint(2800, 2000)));
  objects.push_back(Bell(QStringLiteral("Колокол2"), 195, QPoint(1500, 1500)));
  const TPlanModel model = TPlanModel::FromStored(objects);
  const TSheetPlan plan = BuildSheetPlan(model);
  const TSheet sheet = LayOutSheet(plan, BuildBill(plan), Settings("A3", 50), Title(), false);
  ASSERT_TRUE(sheet.Ok());
  const QByteArray svg = MakeSheetSvg(sheet, QStringLiteral("Проба"));
  EXPECT_FALSE(svg.contains(odd.toUtf8()));  // written escaped
  EXPECT_TRUE(svg.contains("&quot;&lt;большой&gt;&quot; &amp;"));
  QString width, height;
  const std::vector<TSvgGroup> groups = SvgGroups(svg, &width, &height);
  EXPECT_EQ(width, QStringLiteral("297mm"));
  EXPECT_EQ(height, QStringLiteral("420mm"));
  QStringList ids;
  for (const TSvgGroup& g : groups) {
    if (!g.Id.isEmpty()) ids << g.Id;
  }
  EXPECT_EQ(ids, (QStringList{QStringLiteral("Постамент"), QStringLiteral("Колокол2"), odd,
                              QStringLiteral("Стены")}));
  const auto walls = std::find_if(groups.begin(), groups.end(), [](const TSvgGroup& g) {
    return g.Id == QStringLiteral("Стены");
  });
  ASSERT_NE(walls, groups.end());
  EXPECT_NEAR(walls->Width(), 5600.0 / 50, 0.001);
  EXPECT_NEAR(walls->Height(), 5600.0 / 50, 0.001);
  const auto bell =
      std::find_if(groups.begin(), groups.end(), [&](const TSvgGroup& g) { return g.Id == odd; });
  ASSERT_NE(bell, groups.end());
  EXPECT_NEAR(bell->Width(), 1500.0 / 50, 0.05);
}

}  // namespace

namespace {

// Documents at the ends of what opens: the sheet of each is made in all three files, with the
// plan fitted to the paper, whatever the numbers (the sanitizer pass watches the arithmetic).
TEST(SheetOfOddDocuments, EveryDocumentThatOpensMakesItsSheet) {
  const char* const rows[][3] = {
      {"WallDiameterOuter_R=2147483647", "", ""},
      {"WallDiameterOuter_R=-5600", "", ""},
      {"WallWallWidth_R=2147483647", "", ""},
      {"WallArcWidth_R=-2147483648", "", ""},
      {"WallType=-2147483648", "", ""},
      {"WallType=1", "", ""},
      {"WallType=2\r\nWallMaterial=2147483647", "", ""},
      {"", "PostWidth_R=2147483647", ""},
      {"", "PostAngle=2147483647", ""},
      {"", "PostAngle=-2147483648", ""},
      {"", "PostAngle=225", ""},
      {"", "PostBoardDiameter_R=-250", ""},
      {"", "", "ObjType=2\r\nBeemOrientation=2147483647"},
      {"", "", "ObjType=2\r\nBeemMaterial=-2147483648"},
      {"", "", "ObjType=2\r\nBeemWidth_R=-100\r\nBeemEndPoint_R=3000,3000"},
      {"", "", "ObjType=2\r\nObjVisible=-2147483648"},
      {"", "", "ObjType=1\r\nBellDiameter_R=1500\r\nBellPosition_R=5000000,-5000000"},
      {"ObjVisible=0", "ObjVisible=0", "ObjType=1\r\nBellDiameter_R=195\r\nObjVisible=0"},
  };
  QTemporaryDir dir;
  for (const auto& r : rows) {
    SCOPED_TRACE(std::string(r[0]) + "|" + r[1] + "|" + r[2]);
    QByteArray doc = QByteArray("[Object0]\r\nObjType=0\r\n") + r[0] +
                     "\r\n[Object1]\r\nObjType=3\r\n" + r[1] + "\r\n";
    if (*r[2]) doc += QByteArray("[Object2]\r\n") + r[2] + "\r\n";
    const TDocumentContent content = ParseDocument(doc, FBellDiameters);
    ASSERT_TRUE(content.Ok()) << content.Error.toStdString();
    std::vector<TStoredObject> stored;
    for (const TPlanObject& o : content.Objects) stored.push_back(StoredPart(o));
    const TPlanModel model = TPlanModel::FromStored(stored);
    const bool nothingVisible = *r[0] == 'O';
    for (const TSheetFormat format : {TSheetFormat::Pdf, TSheetFormat::Svg, TSheetFormat::Csv}) {
      const QString path = dir.filePath(QStringLiteral("odd") + SheetExtension(format));
      const QString error =
          WriteSheetFile(model, Settings("A4", kSheetFitScale), Title(), format, path);
      if (nothingVisible && format != TSheetFormat::Csv) {
        EXPECT_FALSE(error.isEmpty());  // nothing to draw is said, not an empty sheet
        continue;
      }
      EXPECT_EQ(error, QString());
      EXPECT_GT(QFileInfo(path).size(), 0);
    }
  }
}

}  // namespace
