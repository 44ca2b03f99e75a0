#include "model/plan_document.h"

#include <QUndoStack>
#include <algorithm>

TPlanDocument::TPlanDocument(QObject* parent) : QObject(parent), FHistory(new QUndoStack(this)) {}

TPlanDocument::~TPlanDocument() {
  // The steps go before the records they would show; no view hears of it.
  FHistory->disconnect();
  delete FHistory;
  FHistory = nullptr;
}

void TPlanDocument::Renumber() {
  for (int i = 0; i < Count(); ++i) FObjects[static_cast<std::size_t>(i)]->CreateIndex = i;
}

TPlanObject& TPlanDocument::InsertObject(int index, std::unique_ptr<TPlanObject> record) {
  index = std::clamp(index, 0, Count());
  TPlanObject& o = **FObjects.insert(FObjects.begin() + index, std::move(record));
  Q_EMIT ObjectInserted(index);
  return o;
}

void TPlanDocument::RemoveObject(int index) {
  if (index < 0 || index >= Count()) return;
  Q_EMIT ObjectAboutToBeRemoved(index);
  const TObjectKind kind = At(index).ObjType;
  FObjects.erase(FObjects.begin() + index);
  Q_EMIT ObjectRemoved(index, kind);
}

void TPlanDocument::ResetObjects(const std::vector<TPlanObject>& records) {
  Q_EMIT PlanAboutToBeReset();
  FObjects.clear();
  FObjects.reserve(records.size());
  for (const TPlanObject& r : records) {
    auto record = std::make_unique<TPlanObject>();
    ApplyStored(*record, StoredPart(r));
    FObjects.push_back(std::move(record));
  }
  Renumber();
  Q_EMIT PlanReset();
}

bool TPlanDocument::IsModified() const { return !FHistory->isClean(); }

void TPlanDocument::MarkSaved() { FHistory->setClean(); }
