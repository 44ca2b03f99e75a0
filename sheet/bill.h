#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "checks/design_checks.h"
#include "sheet/sheet_plan.h"

// The bill ("Ведомость") of a fixed plan: the bells with their weights, roles and rope runs, the
// beams, the walls and the pedestal, every measure in whole millimetres.

struct TBillTable {
  QString Title;
  QStringList Header;
  std::vector<QStringList> Rows;
};

struct TBill {
  // bells, beams (with their loads), walls, pedestal; then the remarks, when there are any
  std::vector<TBillTable> Tables;
  long long TotalWeightKg = 0;     // of the bells the catalogue knows
};

// "к руке", "к постаменту", "педаль" for groups 1 to 3; "—" for no group (fewer than five bells).
QString BellRoleText(int group);
// Rounded to the nearest millimetre.
QString MillimetreText(double mm);

// A kilogram figure: whole, or with one decimal after a comma ("262,5") for a shared bell.
QString KilogramText(double kg);

// The remarks ("Замечания") are what opening the document left out or changed, then the design
// checks' findings; with neither there is no such table.
TBill BuildBill(const TSheetPlan& plan, const std::vector<TFinding>& findings = {},
                const QStringList& openingNotes = {});

// UTF-8 with a byte-order mark, ";" between fields, CR LF line ends, the tables one after another
// with a blank line between, each with its title line and then its one header row. Fields with
// ";", quotes or line breaks are quoted, inner quotes doubled.
QByteArray BillToCsv(const TBill& bill);
QString CsvField(const QString& text);
