#include "sheet/sheet_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <utility>

#include "platform/ini_file.h"
#include "platform/user_folders.h"

namespace {

constexpr char16_t kSection[] = u"Sheet";

bool IsOfferedScale(int scale) {
  if (scale == kSheetFitScale) return true;
  for (const int s : kSheetScales) {
    if (s == scale) return true;
  }
  return false;
}

}  // namespace

QSizeF TSheetSettings::PageSizeMm() const {
  return Landscape ? QSizeF(PaperSizeMm.height(), PaperSizeMm.width()) : PaperSizeMm;
}

QStringList SheetPaperNames() { return {QStringLiteral("A4"), QStringLiteral("A3")}; }

std::optional<QSizeF> SheetPaperSize(const QString& name) {
  const QString n = name.trimmed().toUpper();
  if (n == QLatin1String("A4")) return QSizeF(210, 297);
  if (n == QLatin1String("A3")) return QSizeF(297, 420);
  return std::nullopt;
}

std::optional<int> ParseSheetScale(const QString& text) {
  const QString t = text.trimmed();
  if (t == SheetFitText() || t.compare(QLatin1String("fit"), Qt::CaseInsensitive) == 0)
    return kSheetFitScale;
  static const QRegularExpression re(QStringLiteral("^(?:1\\s*:\\s*)?(\\d{1,9})$"));
  const QRegularExpressionMatch m = re.match(t);
  if (!m.hasMatch()) return std::nullopt;
  const int n = m.captured(1).toInt();
  if (n < 1 || n > kSheetScaleMax) return std::nullopt;
  return n;
}

QString SheetFitText() { return QStringLiteral("По размеру листа"); }

QString SheetScaleText(int scale) {
  return scale == kSheetFitScale ? SheetFitText() : QStringLiteral("1:%1").arg(scale);
}

QString SheetPaperText(const TSheetSettings& settings) {
  return settings.Paper +
         (settings.Landscape ? QStringLiteral(", альбомная") : QStringLiteral(", книжная"));
}

TSheetSettings ReadSheetSettings(const QString& path) {
  TSheetSettings s;
  TIniFile ini;
  if (path.isEmpty() || !ini.LoadFromFile(path)) return s;
  const QString paper = ini.ReadString(kSection, u"Paper");
  if (const std::optional<QSizeF> size = SheetPaperSize(paper)) {
    s.Paper = paper.trimmed().toUpper();
    s.PaperSizeMm = *size;
  }
  s.Landscape = ini.ReadBool(kSection, u"Landscape", false);
  const int scale = ini.ReadInteger(kSection, u"Scale", s.Scale);
  if (IsOfferedScale(scale)) s.Scale = scale;
  return s;
}

QString WriteSheetSettings(const QString& path, const TSheetSettings& settings) {
  TIniFile ini;
  ini.LoadFromFile(path);  // keeps whatever else the file holds; a missing file starts empty
  // A printer's own paper is not remembered: another printer may not have it.
  ini.WriteString(kSection, u"Paper",
                  SheetPaperSize(settings.Paper) ? settings.Paper : QStringLiteral("A4"));
  ini.WriteBool(kSection, u"Landscape", settings.Landscape);
  ini.WriteInteger(kSection, u"Scale", settings.Scale);
  QDir().mkpath(QFileInfo(path).absolutePath());
  QString error;
  if (!ini.SaveToFile(path, &error)) return error;
  return {};
}

QString SheetSettingsPath() {
  return UserFolder(TUserFolder::Settings) + QStringLiteral("/sheet.ini");
}
