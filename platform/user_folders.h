#pragma once

#include <QString>

// What a per-user folder of the program holds.
enum class TUserFolder {
  Settings,  // the panels, the sheet settings, the recent documents
  State,     // the autosaved work of running editors
};

// The folder in which this program keeps one kind of per-user file, named for the program:
// on Linux under the desktop's base folders ($XDG_CONFIG_HOME/tarvosk, $XDG_STATE_HOME/tarvosk),
// on Windows the user's roaming application data for settings and the local one for state
// (QStandardPaths). A run that names its own folders (the tests, scripted sessions) sets the
// same variables on both systems.
QString UserFolder(TUserFolder kind);
