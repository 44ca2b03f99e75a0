#pragma once

#include <QList>
#include <QObject>
#include <QPageSize>
#include <QSizeF>
#include <QString>

#include "sheet/sheet_export.h"
#include "sheet/sheet_layout.h"
#include "sheet/sheet_settings.h"

class QPrinter;
class TfmMain;

// The true-scale sheet from the window: the paper and scale asked and remembered, the export of
// the sheet and the bill, and printing with a preview. The sheet itself is laid out from the
// document's model (sheet/), with the design checks' findings and the opening's notes.
class TSheetOperations : public QObject {
 public:
  explicit TSheetOperations(TfmMain& window) : FWindow(window) {}
  void SetSettingsFile(const QString& file) { FSettingsFile = file; }  // empty: nothing is remembered
  QString SheetSettingsFile() const;
  const TSheetSettings& SheetSettings();
  void RememberSheetSettings(const TSheetSettings& settings);
  // The sheet settings dialog; false when cancelled.
  bool AskSheetSettings(const QList<QPageSize>& printerSizes = {});
  // Fixes the arrangement and writes the sheet (or the bill) at exactly that path.
  QString ExportSheetAs(const QString& exactPath, TSheetFormat format);
  // The fixed plan laid out on a printer's paper with the chosen scale and orientation.
  TSheet LayOutSheetFor(const QSizeF& paperMm, const QString& paperName, bool landscape);
  // Prints on the printer's paper; the message when the plan does not fit there.
  QString PrintSheet(QPrinter& printer);
  void nPrintDocClick();

  TSheetSettings FSheetSettings;
  bool FSheetSettingsRead = false;

 private:
  TfmMain& FWindow;
  QString FSettingsFile;
};
