// The figures of the history and the autosave on the full plan: undo and redo of a bell drag and
// of a walls edit, the memory of a long history, and one autosave written to disk.
#include <QFile>
#include <QTest>
#include <QUndoStack>
#include <malloc.h>
#include <unistd.h>

#include "app/tfm_main.h"
#include "bench/bench_support.h"
#include "document/recovery_store.h"
#include "plan/plan_model.h"
#include "controls/plan_panel.h"

namespace {

std::unique_ptr<TfmMain> FullPlanWindow(benchmark::State& state, const char* file) {
  const QString path = WriteBenchFile(QString::fromLatin1(file), FullDocumentBytes());
  auto w = MakeBenchWindow();
  if (!w->OpenDocument(path)) state.SkipWithError("the document did not open");
  Settle();
  return w;
}

// The bells a press on their centre takes hold of (a bell too small to hit, or one under
// another, cannot be dragged by the pointer).
std::vector<int> DraggableBells(const TfmMain& w) {
  std::vector<int> bells;
  for (int i = 0; i < static_cast<int>(w.FObjects.size()); ++i) {
    const TPlanObject& o = *w.FObjects[static_cast<size_t>(i)];
    if (o.ObjType == okBell && w.HitTest(o.BellPositionPx.x(), o.BellPositionPx.y()) == i)
      bells.push_back(i);
  }
  return bells;
}

// Press, move and release on the panel, as the pointer does, and the step it makes. False when
// no step came of it.
bool DragAndCommit(TfmMain& w, int bell, QPoint by) {
  const int before = w.FHistory->count();
  const QPoint at = w.FObjects[static_cast<size_t>(bell)]->BellPositionPx;
  QTest::mousePress(w.pnlImg, Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseMove(w.pnlImg, at + by);
  QTest::mouseRelease(w.pnlImg, Qt::LeftButton, Qt::NoModifier, at + by);
  w.FDocument.CommitStep();
  Settle();
  return w.FHistory->count() == before + 1;
}

// Undo and redo of one bell drag, each with the repaint it causes.
void BM_UndoBellDrag(benchmark::State& state) {
  auto w = FullPlanWindow(state, "undo-drag.tarvosk");
  const std::vector<int> bells = DraggableBells(*w);
  if (bells.empty()) {
    state.SkipWithError("no bell on the plan can be taken hold of");
    return;
  }
  const int bell = bells.back();
  std::vector<double> undo, redo, undoRepaint, select;
  int step = 0;
  for (auto _ : state) {
    // Back and forth, so the bell stays where it was over any number of iterations.
    if (!DragAndCommit(*w, bell, QPoint(++step % 2 ? 6 : -6, 0))) {
      state.SkipWithError("the drag made no step");
      break;
    }
    const double u = TimeOf([&] { w->nUndoClick(); });
    const double p = TimeOf([&] { Settle(); });
    const double r = TimeOf([&] {
      w->nRedoClick();
      Settle();
    });
    // For comparison: the bell selected once more, its page filled and its frame drawn, with
    // the repaint; every undo and redo ends with this.
    select.push_back(TimeOf([&] {
      w->SelectObject(bell);
      Settle();
    }));
    state.SetIterationTime(u + p + r);
    undo.push_back(u + p);
    undoRepaint.push_back(p);
    redo.push_back(r);
  }
  ReportSamples(state, undo, "undo_");
  ReportSamples(state, redo, "redo_");
  state.counters["undo_repaint_ms"] = Median(undoRepaint) * 1e3;
  state.counters["select_ms"] = Median(select) * 1e3;
}
BENCHMARK(BM_UndoBellDrag)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Undo and redo of the outer diameter typed into the walls' page beside the edit itself: each
// relays the whole plan.
void BM_UndoWallsEdit(benchmark::State& state) {
  auto w = FullPlanWindow(state, "undo-walls.tarvosk");
  std::vector<double> edit, undo, redo;
  int step = 0;
  for (auto _ : state) {
    const std::int32_t outer = ++step % 2 ? 5700 : 5600;
    const int before = w->FHistory->count();
    // The edit makes its own step as it closes: its time holds the step's.
    const double e = TimeOf([&] {
      w->FDocument.SetWallDiameterOuter(outer);
      Settle();
    });
    if (w->FHistory->count() != before + 1) {
      state.SkipWithError("the walls edit made no step");
      break;
    }
    const double u = TimeOf([&] {
      w->nUndoClick();
      Settle();
    });
    const double r = TimeOf([&] {
      w->nRedoClick();
      Settle();
    });
    state.SetIterationTime(u + r);
    edit.push_back(e);
    undo.push_back(u);
    redo.push_back(r);
  }
  ReportSamples(state, edit, "edit_");
  ReportSamples(state, undo, "undo_");
  ReportSamples(state, redo, "redo_");
}
BENCHMARK(BM_UndoWallsEdit)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Bytes the heap holds for the program, whichever arena they came from.
double HeapBytesInUse() {
  const struct mallinfo2 m = mallinfo2();
  return static_cast<double>(m.uordblks + m.hblkhd);
}

double ResidentBytes() {
  QFile f(QStringLiteral("/proc/self/statm"));
  if (!f.open(QIODevice::ReadOnly)) return 0;
  const QList<QByteArray> fields = f.readAll().split(' ');
  return fields.size() > 1 ? fields[1].toDouble() * static_cast<double>(sysconf(_SC_PAGESIZE)) : 0;
}

// A thousand steps, drags of one bell after another, on the full plan: what the history holds
// beyond the plan itself. The heap in use is the figure; the resident size, which memory freed
// by earlier scenarios can hide, is kept beside it.
void BM_HistoryMemory(benchmark::State& state) {
  constexpr int kSteps = 1000;
  auto w = FullPlanWindow(state, "history.tarvosk");
  const std::vector<int> bells = DraggableBells(*w);
  if (bells.empty()) {
    state.SkipWithError("no bell on the plan can be taken hold of");
    return;
  }
  std::vector<double> heap, resident;
  for (auto _ : state) {
    w->ResetHistory();  // the previous iteration's steps go back to the heap first
    Settle();
    malloc_trim(0);
    const double heap0 = HeapBytesInUse(), resident0 = ResidentBytes();
    const double s = TimeOf([&] {
      const int n = static_cast<int>(bells.size());
      for (int k = 0; k < kSteps; ++k) {
        const int dx = (k / n) % 2 ? -3 : 3;  // every bell there and back in turn
        if (!DragAndCommit(*w, bells[static_cast<size_t>(k % n)], QPoint(dx, 0))) {
          state.SkipWithError("a drag made no step");
          return;
        }
      }
    });
    state.SetIterationTime(s);
    if (w->FHistory->count() != kSteps) break;
    heap.push_back(HeapBytesInUse() - heap0);
    resident.push_back(ResidentBytes() - resident0);
  }
  if (heap.empty()) return;
  state.counters["steps"] = kSteps;
  state.counters["heap_MB"] = Median(heap) / (1024.0 * 1024.0);
  state.counters["rss_MB"] = Median(resident) / (1024.0 * 1024.0);
  state.counters["per_step_kB"] = Median(heap) / 1024.0 / kSteps;
}
BENCHMARK(BM_HistoryMemory)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// One autosave of the full plan, taken from the window without sharing anything with an earlier
// snapshot: the model captured, written out as a document, and replaced on disk atomically.
void BM_Autosave(benchmark::State& state) {
  auto w = FullPlanWindow(state, "autosave.tarvosk");
  TRecoveryStore store;
  if (!store.Open(BenchTempPath(QStringLiteral("recovery")))) {
    state.SkipWithError("the recovery folder could not be opened");
    return;
  }
  const QString origin = BenchTempPath(QStringLiteral("autosave.tarvosk"));
  std::vector<double> samples, capture, bytes, write;
  qsizetype size = 0;
  for (auto _ : state) {
    TPlanModel model;
    QByteArray document;
    QString error;
    const double c = TimeOf([&] { model = TPlanModel::Capture(w->FObjects); });
    const double b = TimeOf([&] { document = DocumentToBytes(model); });
    const double s = TimeOf([&] { error = store.Write(document, origin); });
    if (!error.isEmpty()) {
      state.SkipWithError(qPrintable(error));
      break;
    }
    state.SetIterationTime(c + b + s);
    samples.push_back(c + b + s);
    capture.push_back(c);
    bytes.push_back(b);
    write.push_back(s);
    size = document.size();
  }
  store.Remove();
  ReportSamples(state, samples);
  state.counters["capture_ms"] = Median(capture) * 1e3;
  state.counters["bytes_ms"] = Median(bytes) * 1e3;
  state.counters["write_ms"] = Median(write) * 1e3;
  state.counters["document_kB"] = static_cast<double>(size) / 1024.0;
}
BENCHMARK(BM_Autosave)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
