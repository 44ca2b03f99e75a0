#include "sheet/bill.h"

#include <cmath>

#include "beams/orientations.h"
#include "checks/beam_loads.h"
#include "walls/wall_rules.h"

namespace {

QString Dash() { return QStringLiteral("—"); }

QString MaterialText(int index) { return MaterialName(index).value_or(QString::number(index)); }

}  // namespace

QString BellRoleText(int group) {
  switch (group) {
    case 1:
      return QStringLiteral("к руке");
    case 2:
      return QStringLiteral("к постаменту");
    case 3:
      return QStringLiteral("педаль");
    default:
      return Dash();
  }
}

QString MillimetreText(double mm) { return QString::number(std::llround(mm)); }

QString KilogramText(double kg) {
  const long long tenths = std::llround(kg * 10);
  if (tenths % 10 == 0) return QString::number(tenths / 10);
  return QStringLiteral("%1,%2").arg(tenths / 10).arg(std::llabs(tenths % 10));
}

TBill BuildBill(const TSheetPlan& plan, const std::vector<TFinding>& findings,
                const QStringList& openingNotes) {
  TBill bill;
  TBillTable bells;
  bells.Title = QStringLiteral("Колокола");
  bells.Header = {QStringLiteral("№"),        QStringLiteral("№ по каталогу"),
                  QStringLiteral("Название"), QStringLiteral("Диаметр, мм"),
                  QStringLiteral("Вес, кг"),  QStringLiteral("Роль"),
                  QStringLiteral("Тяга, мм")};
  int number = 0;
  for (const TSheetBell& b : plan.Bells) {
    const std::optional<double> run = b.RopeRun();
    bells.Rows.push_back(
        {QString::number(++number), b.Slot >= 0 ? QString::number(b.Slot + 1) : Dash(), b.Name,
         QString::number(b.Diameter), b.WeightKg >= 0 ? QString::number(b.WeightKg) : Dash(),
         BellRoleText(b.Group), run ? MillimetreText(*run) : Dash()});
    if (b.WeightKg > 0) bill.TotalWeightKg += b.WeightKg;
  }
  bells.Rows.push_back({QString(), QString(), QStringLiteral("Итого"), QString(),
                        QString::number(bill.TotalWeightKg), QString(), QString()});
  bill.Tables.push_back(std::move(bells));

  TBillTable beems;
  beems.Title = QStringLiteral("Балки");
  beems.Header = {QStringLiteral("Название"), QStringLiteral("Хорда"), QStringLiteral("Материал"),
                  QStringLiteral("Ширина, мм"), QStringLiteral("Длина, мм"),
                  QStringLiteral("Нагрузка, кг")};
  const QStringList chords = BuildOrientationNames();
  const TBeamLoads loads = ComputeBeamLoads(plan);
  for (std::size_t k = 0; k < plan.Beems.size(); ++k) {
    const TSheetBeem& b = plan.Beems[k];
    beems.Rows.push_back(
        {b.Name, IsChordOrientation(b.Orientation) ? chords.at(b.Orientation) : chords.at(0),
         MaterialText(b.Material), QString::number(b.Width), MillimetreText(b.Length()),
         KilogramText(loads.Kg[k])});
  }
  beems.Rows.push_back({QStringLiteral("Итого"), QString(), QString(), QString(), QString(),
                        KilogramText(loads.TotalKg)});
  bill.Tables.push_back(std::move(beems));

  TBillTable walls;
  walls.Title = QStringLiteral("Стены");
  walls.Header = {QStringLiteral("Тип"),
                  QStringLiteral("Материал"),
                  QStringLiteral("Наружный размер, мм"),
                  QStringLiteral("Внутренний размер, мм"),
                  QStringLiteral("Толщина, мм"),
                  QStringLiteral("Ширина арки, мм")};
  const TSheetWalls& w = plan.Walls;
  walls.Rows.push_back({WallTypeName(w.Type), MaterialText(w.Material),
                        QString::number(w.DiameterOuter), QString::number(w.DiameterInner),
                        QString::number(w.WallWidth), QString::number(w.ArcWidth)});
  bill.Tables.push_back(std::move(walls));

  TBillTable post;
  post.Title = QStringLiteral("Постамент");
  post.Header = {QStringLiteral("Длина, мм"), QStringLiteral("Ширина, мм"),
                 QStringLiteral("Угол, °"), QStringLiteral("Доска, мм")};
  const TSheetPost& p = plan.Post;
  post.Rows.push_back({QString::number(p.Width), QString::number(p.Height),
                       QString::number(p.Angle), QString::number(p.BoardDiameter)});
  bill.Tables.push_back(std::move(post));

  if (!findings.empty() || !openingNotes.isEmpty()) {
    TBillTable notes;
    notes.Title = QStringLiteral("Замечания");
    notes.Header = {QStringLiteral("№"), QStringLiteral("Проверка"), QStringLiteral("Замечание")};
    int n = 0;
    for (const QString& note : openingNotes)
      notes.Rows.push_back({QString::number(++n), QStringLiteral("документ"), note});
    for (const TFinding& f : findings)
      notes.Rows.push_back({QString::number(++n), CheckRuleId(f.Rule), f.Message});
    bill.Tables.push_back(std::move(notes));
  }
  return bill;
}

QString CsvField(const QString& text) {
  if (!text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n') &&
      !text.contains(u'\r'))
    return text;
  QString quoted = text;
  quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
  return u'"' + quoted + u'"';
}

QByteArray BillToCsv(const TBill& bill) {
  QString out;
  auto line = [&out](const QStringList& fields) {
    QStringList escaped;
    escaped.reserve(fields.size());
    for (const QString& f : fields) escaped << CsvField(f);
    out += escaped.join(u';') + QStringLiteral("\r\n");
  };
  bool first = true;
  for (const TBillTable& t : bill.Tables) {
    if (!first) out += QStringLiteral("\r\n");
    first = false;
    line({t.Title});
    line(t.Header);
    for (const QStringList& row : t.Rows) line(row);
  }
  return QByteArray("\xEF\xBB\xBF") + out.toUtf8();
}
