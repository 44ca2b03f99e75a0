#pragma once

#include "app/tfm_main.h"

// One edit of the plan: opened by every operation that may change what a document stores, and
// by the handlers that run several of them for one act of the user. When the outermost scope
// closes, whatever the plan changed becomes one step on the undo stack, named by the first
// operation inside it that said what it did (TfmMain::NameStep).
class TEditScope {
 public:
  explicit TEditScope(TfmMain& window) : FWindow(window) { FWindow.BeginEdit(); }
  ~TEditScope() { FWindow.EndEdit(); }
  TEditScope(const TEditScope&) = delete;
  TEditScope& operator=(const TEditScope&) = delete;

 private:
  TfmMain& FWindow;
};
