#pragma once

#include <QString>
#include <optional>

#include "checks/design_checks.h"
#include "plan/plan_model.h"
#include "sheet/sheet_layout.h"
#include "sheet/sheet_settings.h"

// The sheet's file types beside the pictures: the drawing as PDF or SVG, the bill as CSV.
enum class TSheetFormat { Pdf, Svg, Csv };

// By the path's extension in any letter case; nothing for other extensions.
std::optional<TSheetFormat> SheetFormatOfPath(const QString& path);
QString SheetExtension(TSheetFormat format);  // ".pdf", ".svg", ".csv"
// The export dialog's entries after the pictures', and the format of one as the dialog reports it.
QString SheetDialogFilter();
std::optional<TSheetFormat> SheetFormatFromFilter(const QString& selectedFilter);

// The title block's texts for a document at `documentPath` (empty: not saved yet), today.
TSheetTitle MakeSheetTitle(const QString& documentPath);

// Builds the fixed plan, lays out the sheet and writes the file as a whole. Nothing is written
// when the plan does not fit; the result is empty on success, else the message. The bill's
// remarks are `openingNotes` (what opening the document left out or changed) and the findings
// of the design checks with `checks`.
QString WriteSheetFile(const TPlanModel& model, const TSheetSettings& settings,
                       const TSheetTitle& title, TSheetFormat format, const QString& path,
                       const TCheckSettings& checks = {}, const QStringList& openingNotes = {});
