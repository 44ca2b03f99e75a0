#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

#include "sheet/sheet_settings.h"

// `tarvosk --export PICTURE DOCUMENT [--size WxH]`: the fixed plan of a document written as a
// picture without showing any window, for scripts and print shops; .pdf, .svg and .csv outputs
// are the sheet's (app/headless_sheet.h).
// Composing costs some 40 bytes per pixel of the panel (the layers, their see-through copies and
// the picture itself); beyond this a machine is more likely to run out of memory than to finish.
inline constexpr qint64 kMaxExportPixels = 100'000'000;

struct THeadlessExport {
  QString Picture;
  QString Document;
  QSize Size{1280, 800};
  bool SizeGiven = false;
  // The drawing's paper and scale (.pdf, .svg): the whole plan on A4 unless told otherwise.
  TSheetSettings Sheet{QStringLiteral("A4"), {210, 297}, false, kSheetFitScale};
  bool SheetOptions = false;  // --scale, --paper or --landscape given
  bool Strict = false;        // --strict: a document that opens with notes writes nothing
};

// Nothing when the arguments do not ask for an export; an error text in `error` when they ask
// for one wrongly.
std::optional<THeadlessExport> ParseHeadlessExport(const QStringList& arguments, QString* error);

// Runs the export; returns an empty string on success, else the message. What the opening left
// out or changed is printed on standard error first (app/headless_opening.h).
QString RunHeadlessExport(const THeadlessExport& job);
