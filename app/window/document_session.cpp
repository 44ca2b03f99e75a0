// The window's side of the session (model/document_session.h): the title, the unsaved-changes
// question asked, the recent documents' menu and dropped files.
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
#include "document/recovery_store.h"

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

void TfmMain::UpdateTitle() {
  setWindowTitle(kCaption + QStringLiteral(" - ") + FSession.TitleName() +
                 (FDocument.IsModified() ? QStringLiteral("*") : QString()));
}

bool TfmMain::MaySetPlanAside() {
  const auto ask = [this](const QString& question) {
    if (FAskSave) return FAskSave(question);
    QMessageBox box(QMessageBox::Question, ApplicationTitle(), question, QMessageBox::NoButton, this);
    QPushButton* save = box.addButton(QStringLiteral("Сохранить"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("Не сохранять"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == save ? 0 : box.clickedButton() == discard ? 1 : 2;
  };
  return FSession.MaySetAside(ask, [this] { return SaveCurrent(); });
}

bool TfmMain::SaveCurrent() {
  if (!FDocument.Path().isEmpty()) return SaveDocument(FDocument.Path());
  nSaveDocClick();
  return !FDocument.IsModified();
}

void TfmMain::nNewDocClick() {
  if (!MaySetPlanAside()) return;
  NewDocument();
  FDocument.SetPath({});
  ResetHistory();
}

bool TfmMain::OpenChosenDocument(const QString& path) {
  if (!MaySetPlanAside()) return false;
  return OpenDocument(path);
}

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

void TfmMain::FillRecentMenu() {
  if (!Menu.nRecent) return;
  Menu.nRecent->clear();
  const QStringList& recent = FSession.Recent();
  for (int i = 0; i < recent.size(); ++i) {
    const QString path = recent[i];
    QAction* a = Menu.nRecent->addAction(QStringLiteral("&%1 %2").arg((i + 1) % 10).arg(QDir::toNativeSeparators(path)));
    connect(a, &QAction::triggered, this, [this, path] { OpenRecent(path); });
  }
  Menu.nRecent->addSeparator();
  Menu.nClearRecent = Menu.nRecent->addAction(QStringLiteral("Очистить список"));
  Menu.nClearRecent->setEnabled(!recent.isEmpty());
  connect(Menu.nClearRecent, &QAction::triggered, &FSession, &TDocumentSession::ClearRecent);
  Menu.nRecent->setEnabled(true);
}

void TfmMain::OpenRecent(const QString& path) {
  if (!QFileInfo(path).isFile()) {
    ReportError(QStringLiteral("Документ «%1» не найден; он убран из списка последних документов.")
                    .arg(QDir::toNativeSeparators(path)));
    FSession.Forget(path);
    return;
  }
  OpenChosenDocument(path);
}

void TfmMain::WireDocumentSession() {
  setAcceptDrops(true);
  TSessionPlaces places;
  places.RecentFile = FOptions.RecentFile;
  if (places.RecentFile.isEmpty() && FOptions.KeepsUserState) places.RecentFile = RecentDocumentsPath();
  places.RecoveryFolder = FOptions.RecoveryFolder;
  if (places.RecoveryFolder.isEmpty() && FOptions.KeepsUserState) places.RecoveryFolder = RecoveryFolder();
  places.AutosaveDelayMs = FOptions.AutosaveDelayMs;
  connect(&FSession, &TDocumentSession::RecentChanged, this, &TfmMain::FillRecentMenu);
  FSession.Start(places);
  FillRecentMenu();
}
