#pragma once

#include <QString>
#include <QStringList>

struct THeadlessExport;

// The sheet's part of `tarvosk --export`: .pdf and .svg drawings with --scale, --paper and
// --landscape, and the .csv bill.

// Takes --scale VALUE, --paper VALUE and --landscape out of `rest` into the job; false with the
// message in `error` for a missing or unknown value.
bool TakeSheetOptions(QStringList& rest, THeadlessExport& job, QString* error);
// Whether the output is one of the sheet's files rather than a picture.
bool IsSheetExport(const THeadlessExport& job);
// Runs such an export; empty on success, else the message.
QString RunHeadlessSheetExport(const THeadlessExport& job);
