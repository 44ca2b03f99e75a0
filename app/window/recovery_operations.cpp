// Autosave and recovery: while the plan holds unsaved changes, the committed model is written
// to this editor's recovery entry a while after the last change; a later start offers the
// entries of editors that died.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QUndoStack>

#include "app/application_setup.h"
#include "app/tfm_main.h"
#include "document/recovery_store.h"

void TfmMain::StartRecovery() {
  FRecoveryFolder = FOptions.RecoveryFolder;
  if (FRecoveryFolder.isEmpty() && FOptions.KeepsUserState) FRecoveryFolder = RecoveryFolder();
  if (FRecoveryFolder.isEmpty()) return;
  FAutosaveTimer = new QTimer(this);
  FAutosaveTimer->setSingleShot(true);
  FAutosaveTimer->setInterval(FOptions.AutosaveDelayMs);
  connect(FAutosaveTimer, &QTimer::timeout, this, &TfmMain::Autosave);
}

void TfmMain::Autosave() {
  if (!FHistory) return;
  if (FHistory->isClean()) {
    // Undone back to the saved plan: there is nothing to recover, and an older autosave must
    // not be offered after a crash.
    if (FRecovery) FRecovery->Remove();
    return;
  }
  // A drag in progress is never kept waiting: the work is written once the button is up.
  if (QGuiApplication::mouseButtons() != Qt::NoButton) {
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
  FRecovery->Write(DocumentToBytes(FDocument.Committed()), FDocumentPath);
}

void TfmMain::DiscardRecovery() {
  if (FAutosaveTimer) FAutosaveTimer->stop();
  if (FRecovery) FRecovery->Remove();
}

int TfmMain::AskRecovery(const QString& question, bool broken) {
  if (FAskRecovery) return FAskRecovery(question);
  QMessageBox box(broken ? QMessageBox::Warning : QMessageBox::Question, ApplicationTitle(), question,
                  QMessageBox::NoButton, this);
  QPushButton* restore =
      broken ? nullptr : box.addButton(QStringLiteral("Восстановить"), QMessageBox::AcceptRole);
  QPushButton* remove = box.addButton(QStringLiteral("Удалить"), QMessageBox::DestructiveRole);
  QPushButton* later = box.addButton(QStringLiteral("Позже"), QMessageBox::RejectRole);
  box.setDefaultButton(restore ? restore : later);
  box.setEscapeButton(later);
  box.exec();
  if (restore && box.clickedButton() == restore) return 0;
  return box.clickedButton() == remove ? 1 : 2;
}

void TfmMain::OfferRecovery() {
  if (FRecoveryFolder.isEmpty()) return;
  for (const TRecoveryEntry& entry : FindAbandoned(FRecoveryFolder)) {
    const QString name = entry.OriginalPath.isEmpty()
                             ? QStringLiteral("Без имени")
                             : QDir::toNativeSeparators(entry.OriginalPath);
    const TRecoveryRead read = ReadRecovery(entry, FBellDiameters);
    if (!read.Ok()) {
      if (AskRecovery(read.Error + QStringLiteral("\nУдалить его?"), true) == 1) ::DiscardRecovery(entry);
      continue;
    }
    const QString question =
        QStringLiteral("Найдена несохранённая работа над документом «%1» от %2. Восстановить её?")
            .arg(name, QLocale().toString(entry.Modified, QLocale::ShortFormat));
    const int answer = AskRecovery(question, false);
    if (answer == 1) ::DiscardRecovery(entry);
    if (answer != 0) continue;
    // Shown as an unsaved plan under its own name; the user's document is not touched.
    ProjectRecords(read.Content.Objects);
    FCurIndex = 0;
    SelectObject(0);
    FDocumentPath = entry.OriginalPath;
    ResetHistory();
    FHistory->resetClean();
    UpdateTitle();
    Autosave();  // this editor now keeps the work; the old entry can go
    ::DiscardRecovery(entry);
    return;  // the other entries wait for the next start
  }
}
