#pragma once

#include <QSizeF>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// How a plan goes onto paper: the paper, its orientation and the scale. A scale is kept as its
// denominator (50 for 1:50); 0 means "По размеру листа", the largest whole scale that fits.

inline constexpr int kSheetFitScale = 0;
inline constexpr std::array<int, 5> kSheetScales = {10, 20, 25, 50, 100};
// A denominator beyond this is not a drawing but a dot; scales typed on the command line stop here.
inline constexpr int kSheetScaleMax = 100000;

struct TSheetSettings {
  QString Paper = QStringLiteral("A4");  // a name of SheetPaperNames() or a printer's size name
  QSizeF PaperSizeMm{210, 297};          // portrait: width below height
  bool Landscape = false;
  int Scale = 50;  // denominator, or kSheetFitScale

  // The paper as it lies: width and height swapped in landscape.
  QSizeF PageSizeMm() const;
  friend bool operator==(const TSheetSettings&, const TSheetSettings&) = default;
};

// "A4" and "A3", the papers every export offers.
QStringList SheetPaperNames();
// The portrait size of a paper named in any letter case; nothing for any other name.
std::optional<QSizeF> SheetPaperSize(const QString& name);

// "1:50", "1 : 50" and "50" give 50; "По размеру листа" and "fit" give kSheetFitScale; anything
// else, zero and denominators above kSheetScaleMax give nothing.
std::optional<int> ParseSheetScale(const QString& text);
// "1:50", or "По размеру листа" for kSheetFitScale.
QString SheetScaleText(int scale);
QString SheetFitText();
// "A3, альбомная" / "A4, книжная".
QString SheetPaperText(const TSheetSettings& settings);

// The user's remembered settings: "[Sheet]" of an INI file. A missing file or values that are not
// offered give the defaults for those values; the result is empty on success, else the message.
TSheetSettings ReadSheetSettings(const QString& path);
QString WriteSheetSettings(const QString& path, const TSheetSettings& settings);
// $XDG_CONFIG_HOME/tarvosk/sheet.ini
QString SheetSettingsPath();
