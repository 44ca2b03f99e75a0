#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// The documents the user opened or saved last, newest first, kept per user in
// $XDG_CONFIG_HOME/tarvosk/recent.txt: UTF-8, one absolute path a line. The file is only a hint:
// whatever it holds is read without complaint, and anything that is not a clean absolute path
// is left out.

inline constexpr int kMaxRecentDocuments = 10;
// Only the head of a larger file is read; a longer line is no path of ours.
inline constexpr qint64 kMaxRecentFileBytes = 1024 * 1024;
inline constexpr int kMaxRecentPathChars = 4096;

// $XDG_CONFIG_HOME/tarvosk/recent.txt, with ~/.config when the variable is unset or relative.
QString RecentDocumentsPath();

// The paths of the text, cleaned (QDir::cleanPath), duplicates dropped (case-sensitive), at most
// kMaxRecentDocuments. Lines that are empty, relative, longer than kMaxRecentPathChars, not
// valid UTF-8 or holding control characters are skipped.
QStringList ParseRecentDocuments(QByteArrayView bytes);
// The file through ParseRecentDocuments; empty when it is missing, unreadable or no file.
QStringList ReadRecentDocuments(const QString& file);

// The list with path (made absolute and cleaned) in front, no other copy of it, at most
// kMaxRecentDocuments entries. A path that cannot be stored leaves the list as it was.
QStringList AddRecentDocument(QStringList list, const QString& path);
// The list without path (compared after cleaning).
QStringList RemoveRecentDocument(QStringList list, const QString& path);

// Replaces the file as a whole, creating its folder; empty on success, else the reason (the old
// file is then as it was).
QString WriteRecentDocuments(const QString& file, const QStringList& list);
