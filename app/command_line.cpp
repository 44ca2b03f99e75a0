#include "app/command_line.h"

#include <QRegularExpression>

#ifndef TARVOSK_VERSION
#error "TARVOSK_VERSION must give the program's version"
#endif

namespace {

// Options that take the values after them or change the export; all belong to --export.
const QStringList kExportOptions = {QStringLiteral("--size"), QStringLiteral("--scale"),
                                    QStringLiteral("--paper"), QStringLiteral("--landscape")};

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
  if (arguments.count(QStringLiteral("--thumbnail")) != 1 || rest.size() != 3) {
    return Misuse(QStringLiteral("--thumbnail needs exactly a DOCUMENT, an OUTPUT.png and a SIZE"));
  }
  for (const QString& a : rest) {
    if (IsLongOption(a)) return Misuse(QStringLiteral("--thumbnail takes no option such as '%1'").arg(a));
  }
  static const QRegularExpression digits(QStringLiteral("^\\d{1,5}$"));
  const int size = digits.match(rest.at(2)).hasMatch() ? rest.at(2).toInt() : 0;
  if (size < kMinThumbnailSize || size > kMaxThumbnailSize) {
    return Misuse(QStringLiteral("--thumbnail SIZE must be a number of pixels from %1 to %2, not '%3'")
                      .arg(kMinThumbnailSize)
                      .arg(kMaxThumbnailSize)
                      .arg(rest.at(2)));
  }
  TCommandLine line;
  line.Command = TCommand::Thumbnail;
  line.Thumbnail = {rest.at(0), rest.at(1), size};
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
  if (exports && thumbnails) return Misuse(QStringLiteral("--export and --thumbnail cannot be combined"));
  if (thumbnails) return ParseThumbnail(arguments);
  if (exports) {
    for (const QString& a : arguments) {
      if (IsLongOption(a) && a != QLatin1String("--export") && !kExportOptions.contains(a))
        return Misuse(QStringLiteral("unknown option '%1'").arg(a));
    }
    line.Command = TCommand::Export;
    return line;
  }
  // The editor: the arguments are one document path, joined again where the desktop split it.
  if (!arguments.isEmpty() && isFile && isFile(arguments.join(QLatin1Char(' ')))) return line;
  for (const QString& a : arguments) {
    if (kExportOptions.contains(a)) return Misuse(QStringLiteral("%1 belongs to --export").arg(a));
    if (IsLongOption(a)) return Misuse(QStringLiteral("unknown option '%1'").arg(a));
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
      "  tarvosk --version           the program's name and version\n"
      "  tarvosk --help, -h          this text\n"
      "An unknown option, or an option out of its place, exits with status 2.\n");
}

QString VersionText() { return QStringLiteral("tarvosk " TARVOSK_VERSION "\n"); }
