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
    return Misuse(QStringLiteral("--thumbnail ждёт ровно DOCUMENT, OUTPUT.png и SIZE"));
  }
  for (const QString& a : rest) {
    if (IsLongOption(a)) return Misuse(QStringLiteral("--thumbnail не знает параметра «%1»").arg(a));
  }
  static const QRegularExpression digits(QStringLiteral("^\\d{1,5}$"));
  const int size = digits.match(rest.at(2)).hasMatch() ? rest.at(2).toInt() : 0;
  if (size < kMinThumbnailSize || size > kMaxThumbnailSize) {
    return Misuse(QStringLiteral("--thumbnail: SIZE — число пикселей от %1 до %2, а не «%3»")
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
    return Misuse(QStringLiteral("--check ждёт ровно один DOCUMENT"));
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
      "Usage:\n"
      "  tarvosk [DOCUMENT]          start the editor, opening DOCUMENT (a .tarvosk file); the\n"
      "                              arguments are joined with blanks into the one path\n"
      "  tarvosk -ns                 start the editor without the start-up picture; no document\n"
      "                              can be named beside it, as \"-ns\" would be joined into its path\n"
      "  tarvosk --export PICTURE DOCUMENT [--size WxH]\n"
      "                              open DOCUMENT, fix the arrangement and write the plan as\n"
      "                              PICTURE (.bmp, .jpg or .png by its extension) for a drawing\n"
      "                              panel of W x H pixels (default 1280x800, at most 100 million\n"
      "                              pixels); no window is shown and no display is needed;\n"
      "                              errors go to standard error and the exit status is not zero\n"
      "  tarvosk --export DRAWING DOCUMENT [--scale 1:N] [--paper A4|A3] [--landscape]\n"
      "                              the same for a true-scale sheet with its bill: DRAWING is a\n"
      "                              .pdf (every page) or an .svg (the plan's page); the scale is\n"
      "                              1:N (N is 10, 20, 25, 50 or 100) or fit (the default: the\n"
      "                              largest whole scale that fits), the paper A4 (the default) or\n"
      "                              A3, upright unless --landscape; a plan that does not fit at\n"
      "                              the scale is refused\n"
      "  tarvosk --export BILL.csv DOCUMENT\n"
      "                              the bill of bells, beams, walls and pedestal as CSV (UTF-8,\n"
      "                              \";\" between fields)\n"
      "  tarvosk --thumbnail DOCUMENT OUTPUT.png SIZE\n"
      "                              write a square PNG picture of the fixed plan, SIZE pixels a\n"
      "                              side (8 to 1024), for file managers; no display is needed;\n"
      "                              a document that cannot be read, or of more than 1 MB or 600\n"
      "                              objects, writes nothing and exits 1\n"
      "  tarvosk --check DOCUMENT [--json] [--strict]\n"
      "                              check the fixed plan for what cannot be built (bells too\n"
      "                              close to each other or to the walls, bells or beams resting\n"
      "                              on nothing, ropes that cross or rub a bell, bells over the\n"
      "                              ringer); one finding a line, or with --json a JSON array of\n"
      "                              objects with rule, objects, message, at (mm) and\n"
      "                              distance_mm; exits 0 without findings, 3 with findings, 1\n"
      "                              when the document cannot be read\n"
      "  --strict                    with --export, --thumbnail or --check: a document that\n"
      "                              opens only with notes (bells left out, values brought into\n"
      "                              range) is a failure: the notes are printed, nothing is\n"
      "                              written or checked and the exit status is 1; without it the\n"
      "                              notes go to standard error and the run goes on\n"
      "  tarvosk --version           the program's name and version\n"
      "  tarvosk --help, -h          this text\n"
      "An unknown option, or an option out of its place, exits with status 2.\n");
}

QString VersionText() { return QStringLiteral("tarvosk " TARVOSK_VERSION "\n"); }
