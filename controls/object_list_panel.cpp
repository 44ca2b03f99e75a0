#include "controls/object_list_panel.h"

#include <QListWidget>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

#include "controls/flat_button.h"
#include "controls/panel_title.h"

namespace {

// Entries of one fixed height, whatever the font would ask for.
class TFixedRowDelegate : public QStyledItemDelegate {
 public:
  TFixedRowDelegate(int height, QObject* parent) : QStyledItemDelegate(parent), FHeight(height) {}
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), FHeight};
  }

 private:
  int FHeight;
};

}  // namespace

TObjectListPanel::TObjectListPanel(QWidget* parent, QObject* filter) : QWidget(parent) {
  setObjectName(QStringLiteral("pnlObjView"));
  setFixedHeight(200);
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(0, 0, 0, 0);
  v->setSpacing(0);
  pnlObjViewTitle = new TPanelTitle(QStringLiteral("pnlObjViewTitle"), QStringLiteral("btnObjListClose"), this);
  v->addWidget(pnlObjViewTitle);
  auto* tools = new QWidget(this);
  tools->setObjectName(QStringLiteral("pnlObjViewTools"));
  tools->setFixedHeight(30);
  btnObjDel = FlatButton(tools, QStringLiteral("btnObjDel"), QStringLiteral(":/icons/delete"), 4, 4);
  btnBringToFront = FlatButton(tools, QStringLiteral("btnBringToFront"), QStringLiteral(":/icons/front"), 28, 4);
  btnSendToBack = FlatButton(tools, QStringLiteral("btnSendToBack"), QStringLiteral(":/icons/back"), 52, 4);
  btnPrevObj = FlatButton(tools, QStringLiteral("btnPrevObj"), QStringLiteral(":/icons/prev"), 76, 4);
  btnNextObj = FlatButton(tools, QStringLiteral("btnNextObj"), QStringLiteral(":/icons/next"), 100, 4);
  v->addWidget(tools);
  clbObjects = new QListWidget(this);
  clbObjects->setObjectName(QStringLiteral("clbObjects"));
  clbObjects->setContextMenuPolicy(Qt::CustomContextMenu);
  // Every entry has one height; without this the list lays out the text of every entry again
  // for each one added, which made opening a plan of 250 objects cost a quarter of a second.
  clbObjects->setUniformItemSizes(true);
  clbObjects->setItemDelegate(new TFixedRowDelegate(kObjectListRowHeight, clbObjects));
  clbObjects->viewport()->installEventFilter(filter);
  clbObjects->installEventFilter(filter);
  v->addWidget(clbObjects, 1);
}
