#!/usr/bin/env bash
# Builds the benchmarks (Release), runs them offscreen on a 1920 x 1080 screen with a 1600 x 900
# plan panel and prints one table of figures, baselines, ratios and targets. Extra arguments go to
# the benchmark executable (e.g. --benchmark_filter=Walls). The raw figures stay in
# build-bench/bench*.json. Run it on a quiet machine: every figure is wall-clock time.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BENCH_BUILD_DIR:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVOSK_TESTS=OFF -DTARVOSK_BENCH=ON >/dev/null
cmake --build "$build" --target tarvosk_bench tarvosk_open_bench -j2 >/dev/null
run() {  # run NAME [ARGS...]: one pass of the benchmarks, figures into $build/NAME.json
  local name=$1
  shift
  "$build/bench/tarvosk_bench" --benchmark_format=console --benchmark_out="$build/$name.json" \
    --benchmark_out_format=json "$@" >&2
}
rm -f "$build"/bench*.json
if [ $# -gt 0 ]; then
  run bench "$@"
else
  # Start-up first, in a pass of its own: timed after the other scenarios have grown the bench's
  # heap, the editor's start (and less so the bare window's) came out up to half as slow again,
  # which says more about the machine's memory than about either program.
  run bench-start-up --benchmark_filter=StartUp
  run bench-rest --benchmark_filter=-StartUp
  # Opening documents from their bytes, in the executable without a window.
  "$build/bench/tarvosk_open_bench" --benchmark_format=console --benchmark_out="$build/bench-open.json" \
    --benchmark_out_format=json >&2
fi
python3 - "$build"/bench*.json <<'PY'
import json, sys

runs = [r for path in sys.argv[1:] for r in json.load(open(path))["benchmarks"]]

def find(prefix):
    for r in runs:
        if r["name"].startswith(prefix) and not r.get("error_occurred"):
            return r
    return None

rows = []  # scenario, figure, baseline, ratio, target, verdict

def ms(v):
    return "%.2f ms" % v

def row(name, figure, baseline, ratio, target, ok):
    rows.append((name, figure, baseline, ratio, target, "" if ok is None else ("ok" if ok else "MISSED")))

r = find("BM_StartUp")
if r:
    ratio = r["ratio"]
    row("start-up to first paint (-ns)", ms(r["tarvosk_median_ms"]),
        "menu+status " + ms(r["bare_text_median_ms"]), "%.2fx" % r["text_ratio"], "<= 2x menu+status",
        r["text_ratio"] <= 2)
    row("  the same beside a bare window", ms(r["tarvosk_median_ms"]), "bare window " + ms(r["bare_median_ms"]),
        "%.2fx" % ratio, "(for reference)", None)
r = find("BM_OpenFullDocument")
if r:
    row("open full document (%d objects)" % r["objects"], ms(r["median_ms"]),
        "build %s + repaint %s" % (ms(r["build_ms"]), ms(r["repaint_ms"])), "", "< 50 ms", r["median_ms"] < 50)
for bells in (42, 1):
    r = find("BM_DragBellStep/%d/0/" % bells)
    if r:
        row("bell drag step, %d bell%s on plan" % (bells, "s" if bells > 1 else ""), ms(r["median_ms"]),
            "p90 " + ms(r["p90_ms"]), "%.0f paints" % r["paints_per_step"], "< 1 ms",
            r["median_ms"] < 1 if bells == 42 else None)
r = find("BM_DragBellStep/42/1/")
if r:
    row("  the same with the findings panel shown", ms(r["median_ms"]), "p90 " + ms(r["p90_ms"]),
        "%.0f findings" % r["findings"], "< 1 ms", r["median_ms"] < 1)
r = find("BM_DesignChecks")
if r:
    row("design checks, full plan (%d objects)" % r["objects"], ms(r["median_ms"]), "p90 " + ms(r["p90_ms"]),
        "%.0f findings" % r["findings"], "< 2 ms", r["median_ms"] < 2)
r = find("BM_WallsEdit")
if r:
    row("walls edit, full plan relaid", ms(r["median_ms"]),
        "relayout %s + repaint %s" % (ms(r["relayout_ms"]), ms(r["repaint_ms"])), "", "< 16.7 ms", r["median_ms"] < 16.7)
for name, what in (("BM_ZoomStep", "zoom step, fixed full plan, ~4x"), ("BM_PanStep", "pan step of 100 px, ~4x")):
    r = find(name)
    if r:
        row(what, ms(r["median_ms"]), "p90 " + ms(r["p90_ms"]), "", "< 16.7 ms", r["median_ms"] < 16.7)
r = find("BM_UndoBellDrag")
if r:
    row("undo of a bell drag", ms(r["undo_median_ms"]),
        "repaint %s; selecting alone %s" % (ms(r["undo_repaint_ms"]), ms(r["select_ms"])), "", "< 5 ms",
        r["undo_median_ms"] < 5)
    row("redo of a bell drag", ms(r["redo_median_ms"]), "p90 " + ms(r["redo_p90_ms"]), "", "< 5 ms",
        r["redo_median_ms"] < 5)
r = find("BM_UndoWallsEdit")
if r:
    edit = r["edit_median_ms"]
    for what in ("undo", "redo"):
        t = r[what + "_median_ms"]
        row("%s of a walls edit" % what, ms(t), "the edit " + ms(edit), "%.2fx" % (t / edit),
            "<= 1x the edit", t <= edit)
for arg, what in ((0, "a plan of the usual size"), (1, "the full plan")):
    r = find("BM_OpenDocumentBytes/%d" % arg)
    if r:
        row("open %s from its bytes" % what, "%.1f us" % r["real_time"], "%.1f kB" % r["document_kB"], "",
            "(for reference)", None)
r = find("BM_HistoryMemory")
if r:
    row("history of %d bell drags, heap" % r["steps"], "%.1f MB" % r["heap_MB"],
        "RSS %.1f MB" % r["rss_MB"], "%.1f kB/step" % r["per_step_kB"], "< 64 MB", r["heap_MB"] < 64)
r = find("BM_Autosave")
if r:
    row("autosave of the full plan (%.0f kB)" % r["document_kB"], ms(r["median_ms"]),
        "capture %s + bytes %s + write %s" % (ms(r["capture_ms"]), ms(r["bytes_ms"]), ms(r["write_ms"])), "",
        "< 20 ms", r["median_ms"] < 20)
for fmt, lib in (("png", "libpng"), ("jpeg", "libjpeg")):
    r = find("BM_Export/%s/" % fmt)
    if r:
        row("%s writer (MakePng/MakeJpeg)" % fmt.upper(), ms(r["writer_median_ms"]), "%s %s" % (lib, ms(r["bare_median_ms"])),
            "%.2fx" % r["ratio"], "<= 1.2x bare", r["ratio"] <= 1.2)
        row("%s export command (fix+compose+write)" % fmt.upper(), ms(r["command_median_ms"]),
            "%s %s" % (lib, ms(r["bare_median_ms"])), "%.2fx" % r["command_ratio"], "(for reference)", None)
for n in (1000, 3000, 10000):
    r = find("BM_LargePlanExport/%d/" % n)
    if r:
        row("%d objects opened, drawn, exported" % n, ms(r["median_ms"]),
            "open %s + draw %s + PNG %s" % (ms(r["open_median_ms"]), ms(r["draw_median_ms"]), ms(r["write_median_ms"])),
            "%.1f us/object" % r["per_object_us"], "< 1000 ms" if n == 10000 else "(for reference)",
            r["median_ms"] < 1000 if n == 10000 else None)
r = find("BM_Sheet/pdf")
if r:
    row("sheet PDF of the full plan with its bill", ms(r["median_ms"]), "p90 " + ms(r["p90_ms"]),
        "%.0f kB" % (r["bytes"] / 1024), "< 300 ms, < 2 MB", r["median_ms"] < 300 and r["bytes"] < 2 * 1024 * 1024)
r = find("BM_Sheet/svg")
if r:
    row("sheet SVG of the full plan", ms(r["median_ms"]), "p90 " + ms(r["p90_ms"]),
        "%.0f kB" % (r["bytes"] / 1024), "< 100 ms", r["median_ms"] < 100)
for size in (128, 256, 1024):
    r = find("BM_Thumbnail/%d/" % size)
    if r:
        row("thumbnail of the full plan, %d px" % size, ms(r["median_ms"]), "p90 " + ms(r["p90_ms"]), "",
            "< 100 ms", r["median_ms"] < 100)
r = find("BM_ThumbnailWorstInputs")
if r:
    row("thumbnailer process, worst input", ms(r["worst_ms"]), "", "", "< 1000 ms", r["worst_ms"] < 1000)
    row("thumbnailer process, peak RSS", "%.1f MB" % r["worst_MB"], "", "", "< 256 MB", r["worst_MB"] < 256)
r = find("BM_PeakMemory")
if r:
    row("peak RSS: full plan over empty", "%.1f MB" % r["delta_MB"], "empty %.1f MB" % r["empty_MB"], "",
        "< 150 MB", r["delta_MB"] < 150)
    row("peak RSS: whole program, full plan", "%.1f MB" % r["full_MB"], "", "", "< 250 MB", r["full_MB"] < 250)
    row("peak RSS: full plan at the greatest zoom", "%.1f MB" % r["magnified_MB"], "fitted %.1f MB" % r["full_MB"],
        "+%.1f MB" % r["magnified_delta_MB"], "< +20 MB", r["magnified_delta_MB"] < 20)

widths = [max(len(str(x[i])) for x in rows + [("scenario", "median", "baseline", "ratio", "target", "")]) for i in range(6)]
fmt = "  ".join("%%-%ds" % w for w in widths)
print(fmt % ("scenario", "median", "baseline", "ratio", "target", ""))
print(fmt % tuple("-" * w for w in widths))
for x in rows:
    print(fmt % x)
PY
