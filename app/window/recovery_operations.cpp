// The recovery offer's question: the session (model/document_session.cpp) autosaves unsaved work
// and finds the entries of editors that died; the window asks what to do with each.
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
  const auto ask = [this](const QString& question, bool broken) { return AskRecovery(question, broken); };
  if (!FSession.OfferRecovery(ask, FBellDiameters)) return;
  FCurIndex = 0;
  SelectObject(0);
  PlanChangedForChecks();
  UpdateTitle();
}
