#pragma once

#include <QString>

#include "app/command_line.h"

// `tarvosk --check DOCUMENT [--json] [--strict]`: the design checks of the fixed plan for a
// script or a build server. The findings go to standard output, one line each (FindingLine) or
// as one JSON array (FindingsToJson, "[]" without findings); the clearances are the user's
// (checks.ini). What the opening left out or changed goes to standard error, and with --strict
// it is a failure: the plan that opened is not the one stored, so its findings are not the
// document's.

// The exit status: 0 without findings, kFindingsExitCode with findings, 1 with the message in
// `error` when the document cannot be read (or opens with notes, strict).
int RunHeadlessCheck(const TCheckJob& job, QString* error);
