#include "controls/page_builder.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <QValidator>

#include "controls/ac_number_edit.h"
#include "platform/cp1251.h"
#include "platform/ini_file.h"

namespace {

// Documents store names in code page 1251: a name keeps only characters the page has, so that
// a saved name always reads back as it was typed. The field is as long as a document's value
// may be (TIniFile::kMaxValueChars) for the same reason.
class TCp1251NameValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    return Cp1251ToString(StringToCp1251(input)) == input ? Acceptable : Invalid;
  }
};

}  // namespace

QLabel* PageLabel(QWidget* page, const QString& name, const QString& text, int x, int y) {
  auto* label = new QLabel(text, page);
  label->setObjectName(name);
  label->move(x, y);
  label->adjustSize();
  return label;
}

QLineEdit* PageNameEdit(QWidget* page, const QString& name, int x, int y, int width) {
  auto* edit = new QLineEdit(page);
  edit->setObjectName(name);
  edit->setGeometry(x, y, width, 21);
  edit->setValidator(new TCp1251NameValidator(edit));
  edit->setMaxLength(static_cast<int>(TIniFile::kMaxValueChars));
  return edit;
}

TacNumberEdit* PageNumber(QWidget* page, const QString& name, int x, int y, int width) {
  auto* edit = new TacNumberEdit(page);
  edit->setObjectName(name);
  edit->setGeometry(x, y, width, 21);
  return edit;
}

QComboBox* PageList(QWidget* page, const QString& name, int x, int y, int width) {
  auto* list = new QComboBox(page);
  list->setObjectName(name);
  list->setEditable(false);
  list->setGeometry(x, y, width, 21);
  return list;
}
