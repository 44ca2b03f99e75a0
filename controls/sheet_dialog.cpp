#include "controls/sheet_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QRadioButton>

TSheetDialog::TSheetDialog(const TSheetSettings& settings, const QList<QPageSize>& printerSizes,
                           QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("dlgSheet"));
  setWindowTitle(QStringLiteral("Параметры листа"));
  cbPaper = new QComboBox(this);
  cbPaper->setObjectName(QStringLiteral("cbPaper"));
  for (const QString& name : SheetPaperNames()) cbPaper->addItem(name, name);
  for (const QPageSize& size : printerSizes) {
    if (!size.isValid() || SheetPaperSize(size.name())) continue;
    FPrinterSizes << size;
    cbPaper->addItem(size.name(), size.name());
  }
  const int paper = cbPaper->findData(settings.Paper);
  cbPaper->setCurrentIndex(paper >= 0 ? paper : 0);

  rbPortrait = new QRadioButton(QStringLiteral("Книжная"), this);
  rbPortrait->setObjectName(QStringLiteral("rbPortrait"));
  rbLandscape = new QRadioButton(QStringLiteral("Альбомная"), this);
  rbLandscape->setObjectName(QStringLiteral("rbLandscape"));
  (settings.Landscape ? rbLandscape : rbPortrait)->setChecked(true);
  auto* orientation = new QHBoxLayout;
  orientation->addWidget(rbPortrait);
  orientation->addWidget(rbLandscape);

  cbScale = new QComboBox(this);
  cbScale->setObjectName(QStringLiteral("cbScale"));
  for (const int s : kSheetScales) cbScale->addItem(SheetScaleText(s), s);
  cbScale->addItem(SheetFitText(), kSheetFitScale);
  const int scale = cbScale->findData(settings.Scale);
  cbScale->setCurrentIndex(scale >= 0 ? scale : cbScale->findData(50));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* form = new QFormLayout(this);
  form->addRow(QStringLiteral("Бумага"), cbPaper);
  form->addRow(QStringLiteral("Ориентация"), orientation);
  form->addRow(QStringLiteral("Масштаб"), cbScale);
  form->addRow(buttons);
}

TSheetSettings TSheetDialog::Settings() const {
  TSheetSettings s;
  const QString paper = cbPaper->currentData().toString();
  s.Paper = paper;
  if (const std::optional<QSizeF> size = SheetPaperSize(paper)) {
    s.PaperSizeMm = *size;
  } else {
    for (const QPageSize& size : FPrinterSizes) {
      if (size.name() == paper) s.PaperSizeMm = size.size(QPageSize::Millimeter);
    }
  }
  s.Landscape = rbLandscape->isChecked();
  s.Scale = cbScale->currentData().toInt();
  return s;
}
