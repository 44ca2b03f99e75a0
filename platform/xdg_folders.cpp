#include "platform/xdg_folders.h"

#include <QDir>

QString XdgFolder(const char* variable, const QString& underHome) {
  const QString value = qEnvironmentVariable(variable);
  if (!value.isEmpty() && !QDir::isRelativePath(value)) return QDir::cleanPath(value);
  return QDir::cleanPath(QDir::homePath() + underHome);
}
