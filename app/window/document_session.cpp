// The document as the user works with it: its file and title, the question before unsaved work
// is set aside, the recent documents, dropped files and the autosaved recovery.
#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QUndoStack>

#include "app/application_setup.h"
#include "app/tfm_main.h"
#include "document/recent_documents.h"

namespace {

const QString kCaption = QStringLiteral("Тарвоск 1.0.3a - Орвелин");

// A local .tarvosk file among the dragged ones, or nothing.
QString DroppedDocument(const QMimeData* data) {
  if (!data || !data->hasUrls()) return {};
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    const QFileInfo file(url.toLocalFile());
    if (file.isFile() && file.suffix().compare(QLatin1String("tarvosk"), Qt::CaseInsensitive) == 0)
      return file.absoluteFilePath();
  }
  return {};
}

}  // namespace

QString TfmMain::DocumentTitleName() const {
  return FDocumentPath.isEmpty() ? QStringLiteral("Без имени") : QFileInfo(FDocumentPath).fileName();
}

void TfmMain::UpdateTitle() {
  const bool unsaved = FHistory && !FHistory->isClean();
  setWindowTitle(kCaption + QStringLiteral(" - ") + DocumentTitleName() +
                 (unsaved ? QStringLiteral("*") : QString()));
}

bool TfmMain::MaySetPlanAside() {
  FDocument.CommitStep();
  if (!FHistory || FHistory->isClean()) return true;
  const QString question =
      QStringLiteral("Сохранить изменения в документе «%1»?").arg(DocumentTitleName());
  int answer = 2;
  if (FAskSave) {
    answer = FAskSave(question);
  } else {
    QMessageBox box(QMessageBox::Question, ApplicationTitle(), question, QMessageBox::NoButton, this);
    QPushButton* save = box.addButton(QStringLiteral("Сохранить"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("Не сохранять"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    answer = box.clickedButton() == save ? 0 : box.clickedButton() == discard ? 1 : 2;
  }
  if (answer == 0) return SaveCurrent();
  if (answer == 1) {
    DiscardRecovery();
    return true;
  }
  return false;
}

bool TfmMain::SaveCurrent() {
  if (!FDocumentPath.isEmpty()) return SaveDocument(FDocumentPath);
  nSaveDocClick();
  return FHistory && FHistory->isClean();
}

void TfmMain::nNewDocClick() {
  if (!MaySetPlanAside()) return;
  NewDocument();
  FDocumentPath.clear();
  ResetHistory();
}

bool TfmMain::OpenChosenDocument(const QString& path) {
  if (!MaySetPlanAside()) return false;
  return OpenDocument(path);
}

QString TfmMain::SaveDialogStart() const {
  if (!FDocumentPath.isEmpty()) return FDocumentPath;
  return FLastFolder.isEmpty() ? QString() : FLastFolder + QLatin1Char('/');
}

QString TfmMain::OpenDialogStart() const { return FLastFolder; }

void TfmMain::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedDocument(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TfmMain::dropEvent(QDropEvent* event) {
  const QString path = DroppedDocument(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  // Opened once the drop is over: the question and any message must not run inside it.
  QTimer::singleShot(0, this, [this, path] { OpenChosenDocument(path); });
}

// ---- recent documents ----------------------------------------------------------------------

void TfmMain::RememberRecent(const QString& path) {
  if (FRecentFile.isEmpty()) return;
  FRecent = AddRecentDocument(FRecent, QFileInfo(path).absoluteFilePath());
  WriteRecentDocuments(FRecentFile, FRecent);  // a list that cannot be kept costs nothing else
  FillRecentMenu();
}

void TfmMain::FillRecentMenu() {
  if (!nRecent) return;
  nRecent->clear();
  for (int i = 0; i < FRecent.size(); ++i) {
    const QString path = FRecent[i];
    QAction* a = nRecent->addAction(QStringLiteral("&%1 %2").arg((i + 1) % 10).arg(QDir::toNativeSeparators(path)));
    connect(a, &QAction::triggered, this, [this, path] { OpenRecent(path); });
  }
  nRecent->addSeparator();
  nClearRecent = nRecent->addAction(QStringLiteral("Очистить список"));
  nClearRecent->setEnabled(!FRecent.isEmpty());
  connect(nClearRecent, &QAction::triggered, this, &TfmMain::ClearRecent);
  nRecent->setEnabled(true);
}

void TfmMain::OpenRecent(const QString& path) {
  if (!QFileInfo(path).isFile()) {
    ReportError(QStringLiteral("Документ «%1» не найден; он убран из списка последних документов.")
                    .arg(QDir::toNativeSeparators(path)));
    FRecent = RemoveRecentDocument(FRecent, path);
    if (!FRecentFile.isEmpty()) WriteRecentDocuments(FRecentFile, FRecent);
    FillRecentMenu();
    return;
  }
  OpenChosenDocument(path);
}

void TfmMain::ClearRecent() {
  FRecent.clear();
  if (!FRecentFile.isEmpty()) WriteRecentDocuments(FRecentFile, FRecent);
  FillRecentMenu();
}

void TfmMain::WireDocumentSession() {
  setAcceptDrops(true);
  FRecentFile = FOptions.RecentFile;
  if (FRecentFile.isEmpty() && FOptions.KeepsUserState) FRecentFile = RecentDocumentsPath();
  if (!FRecentFile.isEmpty()) FRecent = ReadRecentDocuments(FRecentFile);
  if (!FRecent.isEmpty()) FLastFolder = QFileInfo(FRecent.first()).absolutePath();
  FillRecentMenu();
  StartRecovery();
}
