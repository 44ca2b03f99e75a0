#include "platform/user_folders.h"

#include <QDir>
#include <QStandardPaths>

#include "platform/xdg_folders.h"

namespace {

const char* Variable(TUserFolder kind) {
  return kind == TUserFolder::Settings ? "XDG_CONFIG_HOME" : "XDG_STATE_HOME";
}

}  // namespace

QString UserFolder(TUserFolder kind) {
#if defined(Q_OS_WIN)
  const QString named = qEnvironmentVariable(Variable(kind));
  if (!named.isEmpty() && !QDir::isRelativePath(named))
    return QDir::cleanPath(named) + QStringLiteral("/tarvosk");
  // Settings roam with the user's profile; autosaved documents belong to this machine. Both
  // end in the application's name, "tarvosk" (SetUpApplication, and the program's file name).
  return QDir::cleanPath(QStandardPaths::writableLocation(
      kind == TUserFolder::Settings ? QStandardPaths::AppDataLocation
                                    : QStandardPaths::AppLocalDataLocation));
#else
  return XdgFolder(Variable(kind), kind == TUserFolder::Settings ? QStringLiteral("/.config")
                                                                 : QStringLiteral("/.local/state")) +
         QStringLiteral("/tarvosk");
#endif
}
