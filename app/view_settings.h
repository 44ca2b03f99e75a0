#pragma once

#include <QString>

// Where "view.ini" lives: beside the executable when that folder is writable, otherwise in the
// user's configuration folder. A file already beside the executable is read from there even
// when the folder cannot be written.
struct TViewIniPaths {
  QString Read;
  QString Write;
};

// `settingsFolder` is the program's own per-user folder (UserFolder).
TViewIniPaths ResolveViewIniPaths(const QString& exeDir, bool exeDirWritable,
                                  const QString& settingsFolder);

// Whether a new file can be made in `folder` (on Windows by making one and removing it).
bool FolderTakesNewFiles(const QString& folder);

// The program's own choice of folders: beside the executable, else UserFolder(Settings).
TViewIniPaths DefaultViewIniPaths();

// The five panels in the file's key order.
struct TViewSettings {
  bool ObjView = true;
  bool ObjInsp = true;
  bool Tools = true;
  bool Bells = true;
  bool Beems = true;
};

// A missing file, a file larger than kMaxViewIniBytes, a missing key and a value that is not an
// integer (decimal, "$" or "0x" hexadecimal) all read as visible.
TViewSettings ReadViewIni(const QString& path);
inline constexpr qint64 kMaxViewIniBytes = 64 * 1024;
// Keeps the other sections and keys of a file it could read. True when the file now holds the
// settings; the old file is left whole otherwise.
bool WriteViewIni(const QString& path, const TViewSettings& settings);
