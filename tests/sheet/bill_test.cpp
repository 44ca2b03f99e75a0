// The bill against numbers worked out by hand from the catalogue and the pedestal's rules.
#include "sheet/bill.h"

#include <gtest/gtest.h>

#include <cmath>

#include "sheet/sheet_fixtures.h"

namespace {

// Five bells of series 2 (catalogue numbers 38 to 42) round the default pedestal at angle 0. The
// ringer's hand then stands at (3100, 4050) and its lines end 100 mm short of it at (3000, 4050);
// the one pedal lies from (3050, 3900) to (3150, 4500).
TPlanModel FiveBells(bool extraName = false) {
  std::vector<TStoredObject> objects = DefaultPlan();
  objects.push_back(Bell(QStringLiteral("Б820"), 820, QPoint(1500, 1500)));
  objects.push_back(Bell(QStringLiteral("Б1500"), 1500, QPoint(2800, 2200)));
  objects.push_back(Bell(QStringLiteral("Б981"), 981, QPoint(4000, 1500)));
  objects.push_back(Bell(extraName ? QStringLiteral("Б;\"1110\"") : QStringLiteral("Б1110"), 1110,
                         QPoint(1500, 3000)));
  objects.push_back(Bell(QStringLiteral("Б1340"), 1340, QPoint(4100, 3000)));
  TStoredObject beem;
  beem.ObjName = QStringLiteral("Балка");
  beem.ObjType = okBeam;
  beem.BeemMaterial = 4;
  beem.BeemWidth = 150;
  beem.BeemBeginPoint = QPoint(1000, 1000);
  beem.BeemEndPoint = QPoint(4000, 5000);
  objects.push_back(beem);
  return TPlanModel::FromStored(objects);
}

QString RopeRun(double x0, double y0, double x1, double y1) {
  return QString::number(std::llround(std::hypot(x1 - x0, y1 - y0)));
}

TEST(Bill, BellsInCatalogueOrderWithRolesWeightsAndRopeRuns) {
  const TBill bill = BuildBill(BuildSheetPlan(FiveBells()));
  ASSERT_EQ(bill.Tables.size(), 4u);
  const TBillTable& bells = bill.Tables[0];
  EXPECT_EQ(bells.Title, QStringLiteral("Колокола"));
  const std::vector<QStringList> expected = {
      {"1", "38", "Б820", "820", "330", "к руке", RopeRun(1500, 1500, 3000, 4050)},
      {"2", "39", "Б981", "981", "524", "к руке", RopeRun(4000, 1500, 3000, 4050)},
      {"3", "40", "Б1110", "1110", "830", "к постаменту", RopeRun(1500, 3000, 2800, 4200)},
      {"4", "41", "Б1340", "1340", "1200", "к постаменту", RopeRun(4100, 3000, 2800, 4200)},
      {"5", "42", "Б1500", "1500", "1750", "педаль", RopeRun(2800, 2200, 3100, 4200)},
      {"", "", "Итого", "", "4634", "", ""},
  };
  ASSERT_EQ(bells.Rows.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(bells.Rows[i], expected[i]) << i;
  EXPECT_EQ(bill.TotalWeightKg, 4634);
}

TEST(Bill, FewerThanFiveBellsHaveNoRoleAndNoRope) {
  std::vector<TStoredObject> objects = DefaultPlan();
  objects.push_back(Bell(QStringLiteral("А"), 195, QPoint(1000, 1000)));
  objects.push_back(Bell(QStringLiteral("Б"), 2580, QPoint(3000, 2000)));
  objects.push_back(
      Bell(QStringLiteral("Чужой"), 777, QPoint(2000, 2000)));  // not in the catalogue
  const TBill bill = BuildBill(BuildSheetPlan(TPlanModel::FromStored(objects)));
  const std::vector<QStringList> expected = {
      {"1", "1", "А", "195", "6", "—", "—"},
      {"2", "28", "Б", "2580", "12200", "—", "—"},
      {"3", "—", "Чужой", "777", "—", "—", "—"},
      {"", "", "Итого", "", "12206", "", ""},
  };
  EXPECT_EQ(bill.Tables[0].Rows, expected);
}

TEST(Bill, BeamsWallsAndPedestal) {
  const TBill bill = BuildBill(BuildSheetPlan(FiveBells()));
  EXPECT_EQ(bill.Tables[1].Rows,
            (std::vector<QStringList>{{"Балка", "Не определено", "Дуб", "150", "5000", "0"},
                                      {"Итого", "", "", "", "", "0"}}));
  EXPECT_EQ(
      bill.Tables[2].Rows,
      (std::vector<QStringList>{{"Четверик", "Красный кирпич", "5600", "4000", "800", "1500"}}));
  EXPECT_EQ(bill.Tables[3].Rows, (std::vector<QStringList>{{"1800", "800", "0", "250"}}));
}

TEST(Bill, BeamLoadsAndTheRemarksOfOpeningAndOfTheChecks) {
  std::vector<TStoredObject> objects = DefaultPlan();
  objects.push_back(Bell(QStringLiteral("Б820"), 820, QPoint(1500, 1600)));    // 330 kg, on both beams
  objects.push_back(Bell(QStringLiteral("Б1500"), 1500, QPoint(3000, 1600)));  // 1750 kg
  TStoredObject beem;
  beem.ObjName = QStringLiteral("Длинная");
  beem.ObjType = okBeam;
  beem.BeemWidth = 200;
  beem.BeemBeginPoint = QPoint(400, 1600);
  beem.BeemEndPoint = QPoint(5200, 1600);
  objects.push_back(beem);
  beem.ObjName = QStringLiteral("Короткая");
  beem.BeemBeginPoint = QPoint(1500, 1000);
  beem.BeemEndPoint = QPoint(1500, 2000);  // ends in the courtyard: a finding
  objects.push_back(beem);
  const TSheetPlan plan = BuildSheetPlan(TPlanModel::FromStored(objects));
  const std::vector<TFinding> findings = CheckSheetPlan(plan, {});
  ASSERT_EQ(findings.size(), 2u);
  const TBill bill = BuildBill(plan, findings, {QStringLiteral("левый колокол не открыт")});
  EXPECT_EQ(bill.Tables[1].Rows,
            (std::vector<QStringList>{{"Длинная", "Не определено", "Красный кирпич", "200", "4800", "1915"},
                                      {"Короткая", "Не определено", "Красный кирпич", "200", "1000", "165"},
                                      {"Итого", "", "", "", "", "2080"}}));
  ASSERT_EQ(bill.Tables.size(), 5u);
  EXPECT_EQ(bill.Tables[4].Title, QStringLiteral("Замечания"));
  ASSERT_EQ(bill.Tables[4].Rows.size(), 3u);
  EXPECT_EQ(bill.Tables[4].Rows[0], (QStringList{"1", "документ", "левый колокол не открыт"}));
  EXPECT_EQ(bill.Tables[4].Rows[1].mid(0, 2), (QStringList{"2", "beam-end-unsupported"}));
  EXPECT_EQ(bill.Tables[4].Rows[2][2], findings[1].Message);
  // No remarks, no table.
  EXPECT_EQ(BuildBill(plan).Tables.size(), 4u);
  EXPECT_EQ(KilogramText(262.5), QStringLiteral("262,5"));
  EXPECT_EQ(KilogramText(1750.0 / 3), QStringLiteral("583,3"));
}

TEST(Bill, ChordBeamsAreNamedByTheirChord) {
  const TPlanModel model = ModelOfDocument(PlanDocumentBytesForSheet());
  const TBill bill = BuildBill(BuildSheetPlan(model));
  ASSERT_FALSE(bill.Tables[1].Rows.empty());
  EXPECT_NE(bill.Tables[1].Rows.front().at(1), QStringLiteral("Не определено"));
}

// A CSV reader as a spreadsheet reads the file: quoted fields may hold ';' and doubled quotes.
std::vector<QStringList> ParseCsv(const QString& text) {
  std::vector<QStringList> rows;
  QStringList row;
  QString field;
  bool quoted = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (quoted) {
      if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"') {
        field += u'"';
        ++i;
      } else if (c == u'"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == u'"') {
      quoted = true;
    } else if (c == u';') {
      row << field;
      field.clear();
    } else if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
      row << field;
      field.clear();
      rows.push_back(row);
      row.clear();
      ++i;
    } else {
      field += c;
    }
  }
  EXPECT_TRUE(field.isEmpty() && row.isEmpty()) << "the last line ends without CR LF";
  return rows;
}

TEST(Bill, CsvReadsBackAsTheTables) {
  const TBill bill = BuildBill(BuildSheetPlan(FiveBells(true)));
  const QByteArray csv = BillToCsv(bill);
  ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
  const std::vector<QStringList> rows = ParseCsv(QString::fromUtf8(csv.mid(3)));
  std::vector<QStringList> expected;
  for (const TBillTable& t : bill.Tables) {
    if (!expected.empty()) expected.push_back({QString()});
    expected.push_back({t.Title});
    expected.push_back(t.Header);
    for (const QStringList& r : t.Rows) expected.push_back(r);
  }
  EXPECT_EQ(rows, expected);
  EXPECT_TRUE(csv.contains("\"Б;\"\"1110\"\"\""));
  EXPECT_EQ(rows[4].at(2), QStringLiteral("Б;\"1110\""));
}

}  // namespace
