#include "model/document_session.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QTimer>
#include <QUndoStack>

#include "document/document_file.h"
#include "document/recent_documents.h"
#include "document/recovery_store.h"
#include "model/plan_document.h"

TDocumentSession::TDocumentSession(TPlanDocument& document, QObject* parent)
    : QObject(parent), FDocument(document) {}

TDocumentSession::~TDocumentSession() = default;

void TDocumentSession::Start(const TSessionPlaces& places) {
  FRecentFile = places.RecentFile;
  if (!FRecentFile.isEmpty()) FRecent = ReadRecentDocuments(FRecentFile);
  if (!FRecent.isEmpty()) FLastFolder = QFileInfo(FRecent.first()).absolutePath();
  FRecoveryFolder = places.RecoveryFolder;
  if (FRecoveryFolder.isEmpty()) return;
  FAutosaveTimer = new QTimer(this);
  FAutosaveTimer->setSingleShot(true);
  FAutosaveTimer->setInterval(places.AutosaveDelayMs);
  connect(FAutosaveTimer, &QTimer::timeout, this, &TDocumentSession::Autosave);
  // A while after the last change, undone and redone ones too.
  const auto arm = [this] { FAutosaveTimer->start(); };
  connect(&FDocument, &TPlanDocument::StepCommitted, this, arm);
  connect(&FDocument, &TPlanDocument::StepShown, this, arm);
}

QString TDocumentSession::TitleName() const {
  return FDocument.Path().isEmpty() ? QStringLiteral("Без имени") : QFileInfo(FDocument.Path()).fileName();
}

QString TDocumentSession::SaveDialogStart() const {
  if (!FDocument.Path().isEmpty()) return FDocument.Path();
  return FLastFolder.isEmpty() ? QString() : FLastFolder + QLatin1Char('/');
}

QString TDocumentSession::Save(const QString& path) {
  FDocument.CommitStep();  // the saved state is a state of the history
  const QString error = SaveDocumentFile(path, FDocument.Objects());
  if (!error.isEmpty()) return error;
  FDocument.SetPath(path);
  FDocument.MarkSaved();
  DiscardRecovery();
  Remember(path);
  return {};
}

void TDocumentSession::Opened(const QString& path) {
  FDocument.SetPath(QFileInfo(path).absoluteFilePath());
  FLastFolder = QFileInfo(path).absolutePath();
  Remember(FDocument.Path());
}

bool TDocumentSession::MaySetAside(const TAskSave& ask, const std::function<bool()>& save) {
  FDocument.CommitStep();
  if (!FDocument.IsModified()) return true;
  const int answer = ask(QStringLiteral("Сохранить изменения в документе «%1»?").arg(TitleName()));
  if (answer == 0) return save();
  if (answer == 1) {
    DiscardRecovery();
    return true;
  }
  return false;
}

void TDocumentSession::WriteRecent() {
  if (!FRecentFile.isEmpty()) WriteRecentDocuments(FRecentFile, FRecent);  // a list that cannot be kept costs nothing else
  Q_EMIT RecentChanged();
}

void TDocumentSession::Remember(const QString& path) {
  if (FRecentFile.isEmpty()) return;
  FRecent = AddRecentDocument(FRecent, QFileInfo(path).absoluteFilePath());
  WriteRecent();
}

void TDocumentSession::Forget(const QString& path) {
  FRecent = RemoveRecentDocument(FRecent, path);
  WriteRecent();
}

void TDocumentSession::ClearRecent() {
  FRecent.clear();
  WriteRecent();
}

void TDocumentSession::Autosave() {
  if (!FDocument.IsModified()) {
    // Undone back to the saved plan: there is nothing to recover, and an older autosave must
    // not be offered after a crash.
    if (FRecovery) FRecovery->Remove();
    return;
  }
  // A drag in progress is never kept waiting: the work is written once the button is up.
  if (QGuiApplication::mouseButtons() != Qt::NoButton && FAutosaveTimer) {
    FAutosaveTimer->start(500);
    return;
  }
  if (!FRecovery) {
    FRecovery = std::make_unique<TRecoveryStore>();
    if (!FRecovery->Open(FRecoveryFolder)) {
      FRecovery.reset();
      return;  // no place to keep it: the work is still on screen and can be saved
    }
  }
  FRecovery->Write(DocumentToBytes(FDocument.Committed()), FDocument.Path());
}

void TDocumentSession::DiscardRecovery() {
  if (FAutosaveTimer) FAutosaveTimer->stop();
  if (FRecovery) FRecovery->Remove();
}

bool TDocumentSession::OfferRecovery(const TAskRecovery& ask, std::span<const std::int32_t> bellDiameters) {
  if (FRecoveryFolder.isEmpty()) return false;
  for (const TRecoveryEntry& entry : FindAbandoned(FRecoveryFolder)) {
    const QString name = entry.OriginalPath.isEmpty() ? QStringLiteral("Без имени")
                                                      : QDir::toNativeSeparators(entry.OriginalPath);
    const TRecoveryRead read = ReadRecovery(entry, bellDiameters);
    if (!read.Ok()) {
      if (ask(read.Error + QStringLiteral("\nУдалить его?"), true) == 1) ::DiscardRecovery(entry);
      continue;
    }
    const QString question =
        QStringLiteral("Найдена несохранённая работа над документом «%1» от %2. Восстановить её?")
            .arg(name, QLocale().toString(entry.Modified, QLocale::ShortFormat));
    const int answer = ask(question, false);
    if (answer == 1) ::DiscardRecovery(entry);
    if (answer != 0) continue;
    // Shown as an unsaved plan under its own name; the user's document is not touched.
    FDocument.ResetObjects(read.Content.Objects);
    FDocument.SetPath(entry.OriginalPath);
    FDocument.ResetHistory();
    FDocument.History().resetClean();
    Autosave();  // this editor now keeps the work; the old entry can go
    ::DiscardRecovery(entry);
    return true;  // the other entries wait for the next start
  }
  return false;
}
