#include "app/view_settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include "document/file_association.h"
#include "platform/ini_file.h"
#include "platform/user_folders.h"

namespace {

const QString kSection = QStringLiteral("View");

// Loads `path` when it is a file of a settings file's size. Five keys take a hundred bytes; a
// file of megabytes is not ours to read into memory at every start and every close.
bool LoadViewIni(TIniFile& ini, const QString& path) {
  const QFileInfo info(path);
  if (!info.isFile() || info.size() > kMaxViewIniBytes) return false;
  return ini.LoadFromFile(path);
}

}  // namespace

TViewIniPaths ResolveViewIniPaths(const QString& exeDir, bool exeDirWritable,
                                  const QString& settingsFolder) {
  const QString beside = QDir(exeDir).filePath(QStringLiteral("view.ini"));
  if (exeDirWritable) return {beside, beside};
  const QString config = QDir(settingsFolder).filePath(QStringLiteral("view.ini"));
  return {QFileInfo::exists(beside) && !QFileInfo::exists(config) ? beside : config, config};
}

bool FolderTakesNewFiles(const QString& folder) {
#if defined(Q_OS_WIN)
  // Windows reports a folder writable unless it carries the read-only attribute; under Program
  // Files only the access list says no, and only trying tells.
  QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("view-XXXXXX.tmp")));
  return probe.open();
#else
  const QFileInfo dir(folder);
  return dir.isDir() && dir.isWritable();
#endif
}

TViewIniPaths DefaultViewIniPaths() {
  const QString exeDir = QCoreApplication::applicationDirPath();
  // An installed program never writes beside itself (root could write into /usr/bin).
  const bool installed = !InstalledDataDir(QCoreApplication::applicationFilePath()).isEmpty();
  return ResolveViewIniPaths(exeDir, !installed && FolderTakesNewFiles(exeDir),
                             UserFolder(TUserFolder::Settings));
}

TViewSettings ReadViewIni(const QString& path) {
  TIniFile ini;
  TViewSettings s;
  if (!LoadViewIni(ini, path)) return s;
  s.ObjView = ini.ReadInteger(kSection, QStringLiteral("ObjView"), 1) != 0;
  s.ObjInsp = ini.ReadInteger(kSection, QStringLiteral("ObjInsp"), 1) != 0;
  s.Tools = ini.ReadInteger(kSection, QStringLiteral("Tools"), 1) != 0;
  s.Bells = ini.ReadInteger(kSection, QStringLiteral("Bells"), 1) != 0;
  s.Beems = ini.ReadInteger(kSection, QStringLiteral("Beems"), 1) != 0;
  return s;
}

bool WriteViewIni(const QString& path, const TViewSettings& s) {
  TIniFile ini;
  LoadViewIni(ini, path);  // keep what else the user wrote there
  ini.WriteString(kSection, QStringLiteral("ObjView"), s.ObjView ? QStringLiteral("1") : QStringLiteral("0"));
  ini.WriteString(kSection, QStringLiteral("ObjInsp"), s.ObjInsp ? QStringLiteral("1") : QStringLiteral("0"));
  ini.WriteString(kSection, QStringLiteral("Tools"), s.Tools ? QStringLiteral("1") : QStringLiteral("0"));
  ini.WriteString(kSection, QStringLiteral("Bells"), s.Bells ? QStringLiteral("1") : QStringLiteral("0"));
  ini.WriteString(kSection, QStringLiteral("Beems"), s.Beems ? QStringLiteral("1") : QStringLiteral("0"));
  const QFileInfo info(path);
  if (!QDir().mkpath(info.path())) return false;
  return ini.SaveToFile(path);
}
