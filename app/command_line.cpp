#include "app/command_line.h"

#include <QRegularExpression>

#ifndef TARVOSK_VERSION
#error "TARVOSK_VERSION must give the program's version"
#endif

namespace {

// Options that take the values after them or change the export; all belong to --export.
const QStringList kExportOptions = {QStringLiteral("--size"), QStringLiteral("--scale"),
                                    QStringLiteral("--paper"), QStringLiteral("--landscape")};
const QString kStrict = QStringLiteral("--strict");  // --export, --thumbnail and --check
const QString kJson = QStringLiteral("--json");      // --check

bool IsLongOption(const QString& argument) { return argument.startsWith(QLatin1String("--")); }

TCommandLine Misuse(const QString& message) {
  TCommandLine line;
  line.Command = TCommand::Misuse;
  line.Error = message;
  return line;
}

TCommandLine ParseThumbnail(const QStringList& arguments) {
  QStringList rest = arguments;
  rest.removeAll(QStringLiteral("--thumbnail"));
  const bool strict = rest.removeAll(kStrict) > 0;
  if (arguments.count(QStringLiteral("--thumbnail")) != 1 || rest.size() != 3) {
    return Misuse(QStringLiteral("--thumbnail ждёт ровно ДОКУМЕНТ, ВЫХОД.png и РАЗМЕР"));
  }
  for (const QString& a : rest) {
    if (IsLongOption(a)) return Misuse(QStringLiteral("--thumbnail не знает параметра «%1»").arg(a));
  }
  static const QRegularExpression digits(QStringLiteral("^\\d{1,5}$"));
  const int size = digits.match(rest.at(2)).hasMatch() ? rest.at(2).toInt() : 0;
  if (size < kMinThumbnailSize || size > kMaxThumbnailSize) {
    return Misuse(QStringLiteral("--thumbnail: РАЗМЕР — число пикселей от %1 до %2, а не «%3»")
                      .arg(kMinThumbnailSize)
                      .arg(kMaxThumbnailSize)
                      .arg(rest.at(2)));
  }
  TCommandLine line;
  line.Command = TCommand::Thumbnail;
  line.Thumbnail = {rest.at(0), rest.at(1), size, strict};
  return line;
}

TCommandLine ParseCheck(const QStringList& arguments) {
  QStringList rest = arguments;
  rest.removeAll(QStringLiteral("--check"));
  TCheckJob job;
  job.Json = rest.removeAll(kJson) > 0;
  job.Strict = rest.removeAll(kStrict) > 0;
  for (const QString& a : rest) {
    if (IsLongOption(a)) return Misuse(QStringLiteral("--check не знает параметра «%1»").arg(a));
  }
  if (arguments.count(QStringLiteral("--check")) != 1 || rest.size() != 1)
    return Misuse(QStringLiteral("--check ждёт ровно один ДОКУМЕНТ"));
  job.Document = rest.at(0);
  TCommandLine line;
  line.Command = TCommand::Check;
  line.Check = job;
  return line;
}

}  // namespace

TCommandLine ParseCommandLine(const QStringList& arguments,
                              const std::function<bool(const QString&)>& isFile) {
  TCommandLine line;
  if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
    line.Command = TCommand::Help;
    return line;
  }
  if (arguments.contains(QStringLiteral("--version"))) {
    line.Command = TCommand::Version;
    return line;
  }
  const bool exports = arguments.contains(QStringLiteral("--export"));
  const bool thumbnails = arguments.contains(QStringLiteral("--thumbnail"));
  const bool checks = arguments.contains(QStringLiteral("--check"));
  if (int(exports) + int(thumbnails) + int(checks) > 1)
    return Misuse(QStringLiteral("--export, --thumbnail и --check нельзя давать вместе"));
  if (thumbnails) return ParseThumbnail(arguments);
  if (checks) return ParseCheck(arguments);
  if (exports) {
    for (const QString& a : arguments) {
      if (IsLongOption(a) && a != QLatin1String("--export") && a != kStrict &&
          !kExportOptions.contains(a))
        return Misuse(QStringLiteral("неизвестный параметр «%1»").arg(a));
    }
    line.Command = TCommand::Export;
    return line;
  }
  // The editor: the arguments are one document path, joined again where the desktop split it.
  if (!arguments.isEmpty() && isFile && isFile(arguments.join(QLatin1Char(' ')))) return line;
  for (const QString& a : arguments) {
    if (kExportOptions.contains(a)) return Misuse(QStringLiteral("%1 бывает только при --export").arg(a));
    if (a == kJson) return Misuse(QStringLiteral("%1 бывает только при --check").arg(a));
    if (a == kStrict)
      return Misuse(QStringLiteral("%1 бывает только при --export, --thumbnail и --check").arg(a));
    if (IsLongOption(a)) return Misuse(QStringLiteral("неизвестный параметр «%1»").arg(a));
  }
  return line;
}

QString UsageText() {
  return QStringLiteral(
      "Запуск:\n"
      "  tarvosk [ДОКУМЕНТ]          редактор с документом ДОКУМЕНТ (файл .tarvosk); аргументы\n"
      "                              через пробел составляют один путь\n"
      "  tarvosk -ns                 редактор без заставки; документ рядом не указывается: \"-ns\"\n"
      "                              вошёл бы в его путь\n"
      "  tarvosk --export РИСУНОК ДОКУМЕНТ [--size ШxВ]\n"
      "                              открыть ДОКУМЕНТ, закрепить расстановку и записать план\n"
      "                              в РИСУНОК (.bmp, .jpg или .png по расширению) для поля\n"
      "                              чертежа Ш x В пикселей (по умолчанию 1280x800, не больше\n"
      "                              100 миллионов пикселей); окно не показывается, экран не\n"
      "                              нужен; ошибки выводятся в стандартный поток ошибок, код\n"
      "                              возврата не ноль\n"
      "  tarvosk --export ЧЕРТЁЖ ДОКУМЕНТ [--scale 1:N] [--paper A4|A3] [--landscape]\n"
      "                              то же для чертежа в масштабе с ведомостью: ЧЕРТЁЖ — .pdf\n"
      "                              (все листы) или .svg (лист плана); масштаб 1:N (N — 10, 20,\n"
      "                              25, 50 или 100) или fit (по умолчанию: наибольший целый,\n"
      "                              при котором план помещается), лист A4 (по умолчанию) или\n"
      "                              A3, книжный, если не указан --landscape; план, который не\n"
      "                              помещается в масштабе, не записывается\n"
      "  tarvosk --export ВЕДОМОСТЬ.csv ДОКУМЕНТ\n"
      "                              ведомость колоколов, балок, стен и постамента в CSV (UTF-8,\n"
      "                              поля через \";\")\n"
      "  tarvosk --thumbnail ДОКУМЕНТ ВЫХОД.png РАЗМЕР\n"
      "                              квадратный рисунок PNG закреплённого плана со стороной\n"
      "                              РАЗМЕР пикселей (от 8 до 1024) для файловых менеджеров;\n"
      "                              экран не нужен; документ, который не читается, больше 1 МБ\n"
      "                              или 600 объектов, ничего не записывает, код возврата 1\n"
      "  tarvosk --check ДОКУМЕНТ [--json] [--strict]\n"
      "                              проверить закреплённый план на то, что нельзя построить\n"
      "                              (колокола ближе допустимого друг к другу или к стенам,\n"
      "                              колокола и балки без опоры, пересекающиеся или задевающие\n"
      "                              колокол тяги, колокола над звонарём); замечание на строку,\n"
      "                              с --json — массив JSON объектов с полями rule, objects,\n"
      "                              message, at (мм) и distance_mm; код возврата 0 без\n"
      "                              замечаний, 3 с замечаниями, 1, если документ не читается\n"
      "  --strict                    с --export, --thumbnail или --check: документ, который\n"
      "                              открывается только с замечаниями (колокола не открыты,\n"
      "                              значения приведены к допустимым), — ошибка: замечания\n"
      "                              выводятся, ничего не записывается и не проверяется, код\n"
      "                              возврата 1; без него замечания выводятся в поток ошибок\n"
      "                              и работа продолжается\n"
      "  tarvosk --version           название и версия программы\n"
      "  tarvosk --help, -h          эта справка\n"
      "Неизвестный параметр или параметр не на своём месте — код возврата 2.\n");
}

QString VersionText() { return QStringLiteral("tarvosk " TARVOSK_VERSION "\n"); }
