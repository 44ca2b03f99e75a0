#pragma once

#include <QString>

// A per-user base folder of the desktop: the variable's value when it is an absolute path, else
// the usual place under the home folder ("/.config", "/.local/state" ...), as the desktop's
// rules ask for a relative value to be ignored.
QString XdgFolder(const char* variable, const QString& underHome);
