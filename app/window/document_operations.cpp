// Saving and opening documents. A document is read and checked as a whole before the plan is
// touched, so a file that cannot be opened leaves the plan on screen exactly as it was.
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QListWidget>
#include <QMessageBox>
#include <QUndoStack>

#include "app/application_setup.h"
#include "controls/object_list_panel.h"
#include "app/tfm_main.h"
#include "document/document_file.h"
#include "document/plan_opening.h"


void TfmMain::ReportError(const QString& message) {
  if (FErrorReport) {
    FErrorReport(message);
    return;
  }
  QMessageBox::critical(this, ApplicationTitle(), message);
}

bool TfmMain::SaveDocument(const QString& path) {
  const QString error = FSession.Save(path);
  if (!error.isEmpty()) {
    ReportError(error);
    return false;
  }
  UpdateTitle();
  return true;
}

bool TfmMain::OpenDocument(const QString& path) {
  const TOpenedPlan content = OpenPlanFile(path, FBellDiameters);
  if (!content.Ok()) {
    ReportError(content.Error);
    return false;
  }
  FRenderer.FView = TPlanView{};  // an opened plan is shown whole
  ProjectRecords(content.Records);
  FCurIndex = 0;
  SelectObject(0);
  FSession.Opened(path);
  ResetHistory();
  FOpeningNotes = content.Warnings;
  if (!content.Warnings.isEmpty()) ReportError(content.Warnings.join(QLatin1Char('\n')));
  return true;
}

void TfmMain::ProjectRecords(const std::vector<TPlanObject>& records) {
  FDocument.ResetObjects(records);  // the views follow in ShowPlanAnew
}

void TfmMain::nSaveDocClick() {
  const QString path = QFileDialog::getSaveFileName(
      this, QString(), FSession.SaveDialogStart(), QStringLiteral("*.tarvosk (*.tarvosk)"), nullptr,
      QFileDialog::DontConfirmOverwrite);
  if (path.isEmpty()) return;
  FSession.SetLastFolder(QFileInfo(path).absolutePath());
  SaveDocument(QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".tarvosk") : path);
}

void TfmMain::nLoadDocClick() {
  if (!MaySetPlanAside()) return;
  const QString path = QFileDialog::getOpenFileName(this, QString(), FSession.OpenDialogStart(),
                                                    QStringLiteral(".tarvosk (*.tarvosk)"));
  if (path.isEmpty() || !QFileInfo(path).isFile()) return;
  FSession.SetLastFolder(QFileInfo(path).absolutePath());
  OpenDocument(path);
}

void TfmMain::OpenCommandLineDocument() {
  if (FOptions.Arguments.isEmpty()) return;
  // The desktop may hand over a path with blanks as several arguments; joined with single
  // blanks it is whole again, and a quoted path arrives as one argument anyway.
  const QString path = FOptions.Arguments.join(QLatin1Char(' '));
  if (QFileInfo(path).isFile()) OpenDocument(path);
}
