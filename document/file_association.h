#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

// Lets the desktop open *.tarvosk documents with this program: a shared-mime-info package and a
// desktop entry of the user under $XDG_DATA_HOME, written at every start so that the copy of
// the program that ran last is the one that opens documents. A program installed with its own
// desktop entry and MIME package (cmake --install, the Debian package) writes none and takes
// away what an earlier run wrote there, so no second, stale entry stands beside the installed
// one. Nothing outside $XDG_DATA_HOME is written, and no failure is ever shown: a desktop
// without these services simply does not open documents on a double-click. On Windows the
// registry takes the place of all this (document/file_association_win32.h).

inline constexpr char kDocumentMimeType[] = "application/x-tarvosk";
// The names an installation gives its files below <prefix>/share.
inline constexpr char kInstalledDesktopEntry[] = "applications/org.tarvosk.Tarvosk.desktop";
inline constexpr char kInstalledMimePackage[] = "mime/packages/tarvosk.xml";

// $XDG_DATA_HOME when it is an absolute path, else $HOME/.local/share; empty without either.
QString XdgDataHome();

// The Exec line's form of one argument: always quoted, with the characters the desktop-entry
// rules reserve escaped and "%" doubled, then escaped once more as a desktop-entry string.
// Empty when the path holds a control character, which an Exec line cannot carry.
QString DesktopExecArgument(const QString& path);

// The file contents; the icon name is used only when not empty.
QByteArray MimePackageText(const QString& iconName);
std::optional<QByteArray> DesktopEntryText(const QString& programPath, const QString& iconName);

enum class TDesktopUpdate { None, Detached, Wait };

// Writes what differs from the files already there and, when anything changed, refreshes the
// desktop's caches with update-mime-database and update-desktop-database if they are installed.
// An icon, when given, goes to the user's hicolor theme and names both the program and its
// documents. True when the files hold this program's registration afterwards.
bool RegisterFileTypeIn(const QString& dataHome, const QString& programPath, const QImage& icon,
                        TDesktopUpdate update);

// <prefix>/share when the program at `programPath` is <prefix>/bin/tarvosk and the prefix holds
// the installed desktop entry and MIME package; else empty.
QString InstalledDataDir(const QString& programPath);

// Whether a file is one this program wrote under $XDG_DATA_HOME, for whatever program path:
// only such files are ever taken away.
bool IsOwnDesktopEntry(const QByteArray& content);
bool IsOwnMimePackage(const QByteArray& content);

// Takes away the desktop entry, MIME package and icon that RegisterFileTypeIn wrote under
// `dataHome`, leaving any file this program did not write; the caches are refreshed when
// anything went. True when something was removed.
bool RemoveUserRegistrationIn(const QString& dataHome, const QImage& icon, TDesktopUpdate update);

// What the start-up does for the program at `programPath`: an installed program clears what an
// earlier run left under `dataHome`; any other registers itself there. True when `dataHome`
// holds this program's registration, or none when installed, afterwards.
bool RegisterFileTypeFor(const QString& programPath, const QString& dataHome, const QImage& icon,
                         TDesktopUpdate update);

// Start-up: the running program, the user's data folder, the caches refreshed in the background.
void RegisterFileType(const QImage& icon = {});
