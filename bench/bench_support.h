#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>
#include <vector>

#include "support/sample_plans.h"

class TfmMain;

// The drawing panel every plan figure is taken on.
inline constexpr QSize kPlanSize(1600, 900);


// A folder that lives as long as the benchmark process.
QString BenchTempPath(const QString& name);
QString WriteBenchFile(const QString& name, const QByteArray& bytes);

// The real main window, shown under the offscreen platform with its drawing panel pinned to
// kPlanSize, its view.ini in the bench folder and no desktop registration.
std::unique_ptr<TfmMain> MakeBenchWindow();
// Delivers posted events, the repaints of what changed included.
void Settle();

// Wall-clock seconds of `work`.
template <class F>
double TimeOf(F&& work) {
  const auto t0 = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

double Median(std::vector<double> samples);

// Sets "<prefix>median_ms" and "<prefix>p90_ms" from per-step seconds.
void ReportSamples(benchmark::State& state, const std::vector<double>& seconds,
                   const char* prefix = "");
