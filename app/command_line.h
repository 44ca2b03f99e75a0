#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// What the command line asks for, decided before any window or display exists. Every option
// the program knows is named here and in UsageText(), so the help cannot fall behind.

enum class TCommand {
  Edit,       // start the editor; the arguments, joined with blanks, name the document to open
  Help,       // --help or -h
  Version,    // --version
  Export,     // --export ... (app/headless_export.h reads the rest)
  Thumbnail,  // --thumbnail DOCUMENT OUTPUT.png SIZE
  Check,      // --check DOCUMENT [--json]
  Misuse,     // an unknown option or an option out of place: a message and exit status 2
};

inline constexpr int kMisuseExitCode = 2;
// --check: the plan has findings (0 without, 1 when the document cannot be read).
inline constexpr int kFindingsExitCode = 3;
// The thumbnail's side in pixels: a file manager asks for 128 to 1024.
inline constexpr int kMinThumbnailSize = 8;
inline constexpr int kMaxThumbnailSize = 1024;

struct TThumbnailJob {
  QString Document;
  QString Picture;
  int Size = 0;
  bool Strict = false;  // --strict: a document that opens with notes is a failure
};

struct TCheckJob {
  QString Document;
  bool Json = false;    // --json: one JSON array instead of a line a finding
  bool Strict = false;  // --strict: a document that opens with notes is a failure
};

struct TCommandLine {
  TCommand Command = TCommand::Edit;
  QString Error;            // Misuse: what was wrong
  TThumbnailJob Thumbnail;  // Thumbnail: the job
  TCheckJob Check;          // Check: the job
};

// `isFile` tells whether a path names an existing file: a document whose path was split at its
// blanks may have a piece that starts with "--", and such a path still opens.
TCommandLine ParseCommandLine(const QStringList& arguments,
                              const std::function<bool(const QString&)>& isFile);

QString UsageText();
QString VersionText();  // "tarvosk " and the version, one line
