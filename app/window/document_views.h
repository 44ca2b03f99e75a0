#pragma once

#include <QObject>

#include "model/plan_document.h"

class TfmMain;

// The window's views of the open document. Each signal of the document has its answer here:
// a batch of changes projects and draws the objects named (the walls' geometry the whole plan)
// and updates the lists, the selection frame and the chord boxes; an object inserted gets its
// layer and rows, one removed loses them; a reset builds every layer and row anew; a step shown
// is selected.
class TDocumentViews : public QObject {
 public:
  explicit TDocumentViews(TfmMain& window) : FWindow(window) {}
  void Wire();

  void ShowObjectChanges(const TObjectChanges& changes);
  void ShowInsertedObject(int index);
  void TakeObjectViews(int index);
  void ShowRemovedObject(int index, TObjectKind kind);
  void ShowPlanAnew();
  void ShowStepSelection(int select);
  void InsertListRows(int index);  // the object's rows in the list and the inspector's box

 private:

  TfmMain& FWindow;
};
