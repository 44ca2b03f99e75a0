#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "document/document_file.h"

class QLockFile;

// Autosaved work, kept so that a crash loses nothing. Every running editor owns one entry in
// the recovery folder, named by an id of its own:
//   <id>.tarvosk  the document bytes exactly as saving would write them,
//   <id>.origin   UTF-8, the path of the user's document (empty for a plan never saved),
//   <id>.lock     a QLockFile the editor holds for as long as it runs.
// An entry whose lock no live process holds was left by an editor that died; it is offered at
// the next start. The editor's own entry is never offered to another editor, because its lock
// is held (QLockFile writes the pid and takes an flock, so an old but live lock stays held).

// $XDG_STATE_HOME/tarvosk/recovery, with ~/.local/state when the variable is unset or relative.
QString RecoveryFolder();

// The entry of one running editor.
class TRecoveryStore {
 public:
  TRecoveryStore();
  ~TRecoveryStore();  // releases the lock; the files stay for the next start to offer
  TRecoveryStore(const TRecoveryStore&) = delete;
  TRecoveryStore& operator=(const TRecoveryStore&) = delete;

  // Creates the folder (owner only), takes a fresh id and locks it. False when the folder cannot
  // be made or locked; Write then fails and nothing else happens.
  bool Open(const QString& folder);
  bool IsOpen() const;
  QString Id() const { return FId; }
  QString DocumentPath() const;  // <id>.tarvosk

  // Replaces both files atomically, the origin first, so that a crash between the two never
  // leaves a document with another document's origin. Empty on success, else the reason.
  QString Write(QByteArrayView documentBytes, const QString& originalPath);
  // Deletes the document and origin files and keeps the lock: after a save, "Не сохранять" and
  // on a normal exit.
  void Remove();

 private:
  QString FilePath(const char* suffix) const;

  QString FFolder;
  QString FId;
  std::unique_ptr<QLockFile> FLock;
  bool FOriginWritten = false;
  QString FLastOrigin;
};

// An entry left by an editor that no longer runs. The caller holds its lock for as long as the
// object lives, so that no other starting editor offers or restores it meanwhile; destroying it
// without DiscardRecovery releases the lock and the entry is offered again at the next start.
struct TRecoveryEntry {
  QString Id;
  QString DocumentPath;  // <id>.tarvosk
  QString OriginalPath;  // the user's document; empty for an unnamed plan or an unusable .origin
  QDateTime Modified;    // of the document file
  std::shared_ptr<QLockFile> Lock;
};

// The abandoned entries of folder, newest first, each with its lock taken. Entries without a
// document file (an .origin or a lock left alone) have nothing to restore and are deleted
// here; a document file without .origin is offered as an unnamed plan. Files of other names
// and folders are left alone.
std::vector<TRecoveryEntry> FindAbandoned(const QString& folder);

struct TRecoveryRead {
  QByteArray Bytes;  // empty when Error is set
  TDocumentContent Content;
  QString Error;  // "Файл восстановления «…» повреждён: …"
  bool Ok() const { return Error.isEmpty(); }
};

// The document of the entry, checked as a whole before anything is returned: it must parse and,
// written again with DocumentToBytes, give the same bytes (a file cut at a line end still parses);
// a file that is missing, unreadable, empty, larger than kMaxDocumentBytes or no plan gives the
// message and no bytes.
TRecoveryRead ReadRecovery(const TRecoveryEntry& entry,
                           std::span<const std::int32_t> bellDiameters = {});

// Deletes the entry's files and its lock. True when no document file remains.
bool DiscardRecovery(const TRecoveryEntry& entry);
