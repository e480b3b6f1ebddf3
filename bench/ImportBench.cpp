// vantaro-mkmap on generated inputs with the real column layouts: a
// 2,500,000-row AT-HYG-shaped CSV, the same gzipped, a 16,777,215-row Gaia
// FITS table, the same rows as a BINARY2 VOTable, and 2,500,000 of them as a
// TABLEDATA VOTable. Reports rows per second. The inputs are written to the
// temporary directory once and removed at exit.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "BenchMaps.h"
#include "ImportInputs.h"
#include "MakeMap.h"

namespace {

constexpr int64_t kAtHygRows = 2500000;

struct Input {
  std::string path;
  ~Input() {
    if (!path.empty()) std::remove(path.c_str());
  }
};

std::string TemporaryPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("vantaro-bench-" + name)).string();
}

const std::string& AtHygInput(bool gzip) {
  static Input inputs[2];
  Input& input = inputs[gzip];
  if (input.path.empty()) {
    input.path = TemporaryPath(gzip ? "athyg.csv.gz" : "athyg.csv");
    if (!WriteAtHygInput(input.path, kAtHygRows, gzip)) input.path.clear();
  }
  return input.path;
}

const std::string& GaiaInput() {
  static Input input;
  if (input.path.empty()) {
    input.path = TemporaryPath("gaia.fits");
    if (!WriteGaiaFitsInput(input.path, kLargestMap)) input.path.clear();
  }
  return input.path;
}

const std::string& GaiaVotableInput(bool binary2) {
  static Input inputs[2];
  Input& input = inputs[binary2];
  if (input.path.empty()) {
    input.path = TemporaryPath(binary2 ? "gaia-binary2.vot" : "gaia-tabledata.vot");
    if (!WriteGaiaVotableInput(input.path, binary2 ? kLargestMap : kAtHygRows, binary2)) input.path.clear();
  }
  return input.path;
}

void Convert(benchmark::State& state, const std::string& input, int64_t rows) {
  if (input.empty()) {
    state.SkipWithError("cannot write the input");
    return;
  }
  MakeMapOptions options;
  options.inputs = {input};
  options.output = TemporaryPath("import.smp");
  for (auto _ : state) {
    std::ostringstream log;
    if (MakeMap(options, log) != kExitSuccess) state.SkipWithError(log.str().c_str());
  }
  std::remove(options.output.c_str());
  state.counters["rows_per_second"] =
      benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsIterationInvariantRate);
}

void ImportAtHygCsv(benchmark::State& state) { Convert(state, AtHygInput(false), kAtHygRows); }
void ImportAtHygCsvGz(benchmark::State& state) { Convert(state, AtHygInput(true), kAtHygRows); }
void ImportGaiaFits(benchmark::State& state) { Convert(state, GaiaInput(), kLargestMap); }
void ImportGaiaVotable(benchmark::State& state) { Convert(state, GaiaVotableInput(true), kLargestMap); }
void ImportGaiaVotableTabledata(benchmark::State& state) {
  Convert(state, GaiaVotableInput(false), kAtHygRows);
}

}  // namespace

BENCHMARK(ImportAtHygCsv)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(ImportAtHygCsvGz)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(ImportGaiaFits)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(ImportGaiaVotable)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(ImportGaiaVotableTabledata)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
