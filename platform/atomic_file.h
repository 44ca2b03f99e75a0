#pragma once

#include <QByteArrayView>
#include <QString>

// Writes data as the whole new content of the file at path: into a temporary file beside it,
// flushed to the disk, then renamed over it. On any failure the temporary file is removed, the
// old file (if any) is exactly as it was, and the result is the message "Unable to write to
// <path>"; on success the result is empty. A symbolic link at path is followed, so the file it
// names is replaced and the link stays. An existing file keeps its permission bits.
QString WriteFileAtomically(const QString& path, QByteArrayView data);

// The two steps whose order makes the write survive a crash: the sync of a file or folder and
// the rename. They call the system; a test puts in its own to watch the order.
struct TAtomicFileSteps {
  int (*Sync)(int fd);
  int (*Rename)(const char* from, const char* to);
};
TAtomicFileSteps& AtomicFileSteps();
