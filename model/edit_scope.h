#pragma once

#include "model/plan_document.h"

// One edit of the plan: opened by every operation that may change what a document stores, and
// by the handlers that run several of them for one act of the user. When the outermost scope
// closes, whatever the plan changed becomes one step on the undo stack, named by the first
// operation inside it that said what it did (TPlanDocument::NameStep).
class TEditScope {
 public:
  explicit TEditScope(TPlanDocument& document) : FDocument(document) { FDocument.BeginEdit(); }
  ~TEditScope() { FDocument.EndEdit(); }
  TEditScope(const TEditScope&) = delete;
  TEditScope& operator=(const TEditScope&) = delete;

 private:
  TPlanDocument& FDocument;
};
