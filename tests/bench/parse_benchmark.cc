// Times the read of whole IES files of generated grids, per candela value.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "photometry/photometric_data.h"

namespace {

// Writes an IES file of `planes` horizontal angles and `angles` vertical
// angles, both evenly spread, and returns its path.
std::string writeGrid(int planes, int angles) {
  const std::string path = "/tmp/lumtrel-bench-" + std::to_string(planes) +
                           "x" + std::to_string(angles) + ".ies";
  std::ofstream file(path);
  file << "IESNA:LM-63-2002\n[TEST] generated\nTILT=NONE\n1 -1 1.0 " << angles
       << ' ' << planes << " 1 2 0.5 0.6 0.1\n1.0 1.0 42\n";
  for (int i = 0; i < angles; ++i) file << 180.0 * i / (angles - 1) << ' ';
  file << '\n';
  for (int i = 0; i < planes; ++i) file << 360.0 * i / (planes - 1) << ' ';
  file << '\n';
  for (int plane = 0; plane < planes; ++plane) {
    for (int i = 0; i < angles; ++i) file << (plane * 7 + i * 13) % 5000 << ' ';
    file << '\n';
  }
  return path;
}

void parseGrid(benchmark::State& state) {
  const int planes = state.range(0), angles = state.range(1);
  const std::string path = writeGrid(planes, angles);
  for (auto _ : state) {
    PhotometricData record;
    std::ostringstream console;
    if (!record.parse(path, console)) state.SkipWithError("parse failed");
    benchmark::DoNotOptimize(record.candela.data());
  }
  state.counters["per_candela_value"] = benchmark::Counter(
      planes * angles, benchmark::Counter::kIsIterationInvariantRate |
                           benchmark::Counter::kInvert);
}

BENCHMARK(parseGrid)
    ->Args({73, 37})
    ->Args({361, 181})
    ->Args({1441, 721})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
