// Times the read of whole IES and EULUMDAT files of generated grids, the
// table written from them, and the number writer alone, per candela value.
#include <benchmark/benchmark.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/ugr.h"
#include "analysis/whole_circle.h"
#include "export/number_writer.h"
#include "export/workbook_writer.h"
#include "photometry/photometric_data.h"

namespace {

// Writes an IES file of `planes` horizontal angles and `angles` vertical
// angles, both evenly spread, with candela values of two decimals, and
// returns its path.
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
    for (int i = 0; i < angles; ++i)
      file << (plane * 7 + i * 13) % 5000 << '.' << (plane + i) % 100 << ' ';
    file << '\n';
  }
  return path;
}

// Writes an EULUMDAT file of `planes` C-planes, none repeated by symmetry,
// and `angles` gamma angles, holding the values writeGrid writes, one a
// line, and returns its path.
std::string writeLdt(int planes, int angles) {
  const std::string path = "/tmp/lumtrel-bench-" + std::to_string(planes) +
                           "x" + std::to_string(angles) + ".ldt";
  std::ofstream file(path);
  file << "generated\n1\n0\n" << planes << "\n0\n" << angles << "\n0\n";
  // Lines 8 to 26: texts, a luminaire and a luminous area of 600 by 300
  // mm, a conversion factor of 1, one lamp set.
  const char* const lines[] = {"0",   "0",   "0",   "0", "0", "600", "300",
                               "50",  "600", "300", "0", "0", "0",   "0",
                               "100", "80",  "1",   "0", "1"};
  for (const char* const line : lines) file << line << '\n';
  file << "1\nLED\n1000\n3000\n80\n42\n";
  for (int i = 0; i < 10; ++i) file << "0.5\n";
  for (int i = 0; i < planes; ++i) file << 360.0 * i / planes << '\n';
  for (int i = 0; i < angles; ++i) file << 180.0 * i / (angles - 1) << '\n';
  for (int plane = 0; plane < planes; ++plane) {
    for (int i = 0; i < angles; ++i)
      file << (plane * 7 + i * 13) % 5000 << '.' << (plane + i) % 100 << '\n';
  }
  return path;
}

void setPerValue(benchmark::State& state, int values) {
  state.counters["per_value"] =
      benchmark::Counter(values, benchmark::Counter::kIsIterationInvariantRate |
                                     benchmark::Counter::kInvert);
}

// Reads the grid of `planes` × `angles`, from an IES file or, when the third
// argument is 1, an EULUMDAT file, and when `save` also writes its table, as
// a whole run does.
void parseGrid(benchmark::State& state, bool save) {
  const int planes = state.range(0), angles = state.range(1);
  const std::string path =
      state.range(2) ? writeLdt(planes, angles) : writeGrid(planes, angles);
  for (auto _ : state) {
    PhotometricData record;
    std::ostringstream console;
    if (!record.parse(path, console) ||
        (save && !record.save(path + ".csv", console)))
      state.SkipWithError("parse or save failed");
    benchmark::DoNotOptimize(record.candela.data());
  }
  setPerValue(state, planes * angles);
}

// Writes the workbook of an IES grid of `planes` x `angles` read once:
// its five sheets, the zip and the copy to its path.
void saveWorkbookOf(benchmark::State& state) {
  const int planes = state.range(0), angles = state.range(1);
  PhotometricData record;
  std::ostringstream console;
  if (!record.parse(writeGrid(planes, angles), console))
    state.SkipWithError("parse failed");
  for (auto _ : state) {
    std::size_t faults = 0;
    if (!saveWorkbook(record, "/tmp/lumtrel-bench.xlsx", "grid.ies", 1, console,
                      &faults))
      state.SkipWithError("saveWorkbook failed");
  }
  setPerValue(state, planes * angles);
}

// The UGR table of an EULUMDAT file of `planes` C-planes and `angles`
// gamma angles.
void ugrTableOf(benchmark::State& state) {
  PhotometricData record;
  std::ostringstream console;
  if (!record.parse(writeLdt(static_cast<int>(state.range(0)),
                             static_cast<int>(state.range(1))),
                    console))
    state.SkipWithError("parse failed");
  const WholeCircle circle = wholeCircle(record);
  const std::vector<std::vector<double>> values = tableValues(record);
  for (auto _ : state) {
    const UgrTable table = ugrTable(record, circle, values);
    benchmark::DoNotOptimize(table.crosswise[0][0]);
  }
}

// Values with two decimals below 5,000 (six digits at most, as candela
// values are), or below 100,000 (seven digits, a tenth of them a tie at the
// sixth), in the German format.
void writeNumbers(benchmark::State& state) {
  std::mt19937 random(7);
  const unsigned below = state.range(0) == 6 ? 500000 : 10000000;
  std::vector<float> values(4096);
  for (float& value : values)
    value = static_cast<float>(random() % below) / 100.0f;
  NumberFormat format;
  format.decimalPoint = ',';
  format.thousandsSeparator = '.';
  format.grouping = "\3";
  std::string text;
  for (auto _ : state) {
    text.clear();
    for (const float value : values) appendNumber(value, format, &text);
    benchmark::DoNotOptimize(text.data());
  }
  setPerValue(state, static_cast<int>(values.size()));
}

BENCHMARK_CAPTURE(parseGrid, read, false)
    ->Args({73, 37, 0})
    ->Args({361, 181, 0})
    ->Args({1441, 721, 0})
    ->Args({1441, 721, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(parseGrid, read_and_save, true)
    ->Args({73, 37, 0})
    ->Args({361, 181, 0})
    ->Args({1441, 721, 0})
    ->Args({1441, 721, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(saveWorkbookOf)
    ->Args({361, 181})
    ->Args({1441, 721})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ugrTableOf)->Args({24, 37})->Unit(benchmark::kMillisecond);
BENCHMARK(writeNumbers)->Arg(6)->Arg(7)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
