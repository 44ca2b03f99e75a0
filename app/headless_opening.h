#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "document/plan_opening.h"

// A document opened for a command without a window (--export, --thumbnail, --check): what the
// opening left out or changed is printed on standard error, a "tarvosk: " line each, the same
// lines the window shows; with `strict` any of them makes the run a failure before anything is
// written. Nothing, with the message in `error`, when the document cannot be read or, strict,
// opens with notes.
std::optional<TOpenedPlan> OpenHeadlessDocument(const QString& path, bool strict, QString* error);

// The last line of a strict run that met notes: what was not done and why.
QString StrictFailureMessage(const QString& path, qsizetype notes);
