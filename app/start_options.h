#pragma once

#include <QString>
#include <QStringList>

// How the main window starts: what it opens, where it keeps the user's files, what it defers.
struct TStartOptions {
  QStringList Arguments;  // the command line without the program name
  QString ViewIniRead;    // where "view.ini" is read and written; empty: the program's own choice
  QString ViewIniWrite;
  bool RegisterFileType = true;
  // The bell, pedestal and beam pages of the inspector are built when first needed or right
  // after the first paint, not before the window shows: only the program's own run; tests get
  // every page at once.
  bool DefersObjectPages = false;
  bool ReadViewSettings = true;  // off for the headless export, which leaves view.ini alone
  // The user's own lists: recent documents and the autosaved recovery of unsaved work. Only the
  // program's own run keeps them; the headless export, the benchmarks and tests write none
  // unless a test names its own places below.
  bool KeepsUserState = false;
  QString RecentFile;      // empty: the user's list when KeepsUserState
  QString RecoveryFolder;  // empty: the user's folder when KeepsUserState
  QString SheetSettingsFile;  // the remembered paper and scale; empty: the user's when KeepsUserState
  QString CheckSettingsFile;  // the design checks' clearances; empty: the user's when KeepsUserState
  int AutosaveDelayMs = 30000;  // after the last change
};
