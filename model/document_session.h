#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <span>

class QTimer;
class TPlanDocument;
class TRecoveryStore;

// Where a session keeps the user's lists; an empty place keeps nothing there.
struct TSessionPlaces {
  QString RecentFile;      // the recent documents
  QString RecoveryFolder;  // the autosaved unsaved work
  int AutosaveDelayMs = 30000;  // after the last change
};

// The document as the user works with it across files, with no widget: its file name for the
// title, the folder the dialogs start in, the question before unsaved work is set aside, the
// recent documents, and the autosave of unsaved work with the offer to restore what an editor
// that died left. The window asks the questions and shows the menu; the answers come here.
class TDocumentSession : public QObject {
  Q_OBJECT
 public:
  // 0 save, 1 do not save, 2 cancel.
  using TAskSave = std::function<int(const QString& question)>;
  // 0 restore, 1 delete, 2 later; `broken`: the entry cannot be read, only deleted or kept.
  using TAskRecovery = std::function<int(const QString& question, bool broken)>;

  explicit TDocumentSession(TPlanDocument& document, QObject* parent = nullptr);
  ~TDocumentSession() override;
  // Reads the recent list and arms the autosave when a recovery folder is given.
  void Start(const TSessionPlaces& places);

  // ---- the file --------------------------------------------------------------------------------
  QString TitleName() const;  // the file's name, or "Без имени"
  QString LastFolder() const { return FLastFolder; }
  void SetLastFolder(const QString& folder) { FLastFolder = folder; }
  QString SaveDialogStart() const;
  QString OpenDialogStart() const { return FLastFolder; }
  // The plan written to `path` (the one atomic write), marked saved, the recovery forgotten and
  // the path remembered; the message for the user when it could not be written.
  QString Save(const QString& path);
  // A document opened from `path`: the document's file, the dialogs' folder, the recent list.
  void Opened(const QString& path);

  // ---- unsaved work ----------------------------------------------------------------------------
  // Whether the plan may be set aside: at once when nothing is unsaved, else as the user
  // answers; `save` saves (through a dialog when the plan has no file) and says whether it did.
  bool MaySetAside(const TAskSave& ask, const std::function<bool()>& save);

  // ---- recent documents --------------------------------------------------------------------------
  const QStringList& Recent() const { return FRecent; }
  void Remember(const QString& path);
  void Forget(const QString& path);  // a document no longer there
  void ClearRecent();

  // ---- recovery ---------------------------------------------------------------------------------
  bool KeepsRecovery() const { return !FRecoveryFolder.isEmpty(); }
  void Autosave();          // the committed plan into this editor's entry, while it is unsaved
  void DiscardRecovery();   // after a save, "Не сохранять" and a normal exit
  // The entries of editors that died, each offered through `ask`; true when one was restored
  // into the document (shown as unsaved under its own name; the other entries wait).
  bool OfferRecovery(const TAskRecovery& ask, std::span<const std::int32_t> bellDiameters);
  QTimer* AutosaveTimer() const { return FAutosaveTimer; }

 Q_SIGNALS:
  void RecentChanged();

 private:
  void WriteRecent();

  TPlanDocument& FDocument;
  QString FLastFolder;
  QStringList FRecent;
  QString FRecentFile;
  QString FRecoveryFolder;
  QTimer* FAutosaveTimer = nullptr;
  std::unique_ptr<TRecoveryStore> FRecovery;
};
