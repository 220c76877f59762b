// Feeds arbitrary bytes through the whole read of a photometric file, once
// as IES and once as EULUMDAT, and checks that the record keeps its shape:
// filled consistently, or left empty. A record read is then taken through
// everything the workbook computes from it.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "analysis/checks.h"
#include "analysis/distribution_summary.h"
#include "analysis/zonal_flux.h"
#include "export/cell_text.h"
#include "photometry/photometric_data.h"

namespace {

bool consistent(const PhotometricData& record) {
  const std::size_t vertical = record.verticalAngles.size();
  if (static_cast<int>(vertical) != record.verticalCount ||
      static_cast<int>(record.horizontalAngles.size()) !=
          record.horizontalCount ||
      record.candela.size() != record.horizontalAngles.size() ||
      record.horizontalCount == 1)
    return false;
  for (const std::vector<float>& row : record.candela) {
    if (row.size() != vertical) return false;
  }
  return true;
}

bool empty(const PhotometricData& record) {
  return record.verticalAngles.empty() && record.horizontalAngles.empty() &&
         record.candela.empty() && record.verticalCount == 0 &&
         record.horizontalCount == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  static const std::string stem =
      "/tmp/lumtrel-fuzz-" + std::to_string(getpid());
  for (const char* extension : {".ies", ".ldt"}) {
    const std::string path = stem + extension;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), size);
    PhotometricData record;
    std::ostringstream console;
    const bool read = record.parse(path, console);
    if (read ? !consistent(record) : !empty(record)) std::abort();
    if (!read) continue;
    record.save(stem + ".csv", console);
    std::vector<NamedPath> paths;
    const WholeCircle circle = wholeCircle(record);
    const std::vector<std::vector<double>> values = tableValues(record);
    summarize(record, circle, values, &paths);
    if (fluxFigures(record, circle, values).computed)
      zonalLumens(circle, values);
    checkRecord(record, circle, values);
    for (const HeaderItem& item : record.header) cellText(item.text);
  }
  return 0;
}
