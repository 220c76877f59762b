#include "export/grid_writer.h"

#include <filesystem>
#include <fstream>

#include "export/number_format.h"
#include "photometry/file_path.h"

void exportGrid(const PhotometricData& record, const std::string& inputPath,
                std::istream& answers, std::ostream& console) {
  console << "Type output path: " << std::endl;
  std::string outputPath;
  if (!(answers >> outputPath)) {
    console << "No output path given." << std::endl;
    return;
  }
  std::error_code error;
  if (std::filesystem::equivalent(pathFromUtf8(inputPath),
                                  pathFromUtf8(outputPath), error)) {
    console << "Could not save over the input file: " << outputPath
            << std::endl;
    return;
  }
  record.save(outputPath, console);
}

bool PhotometricData::save(const std::string& path,
                           std::ostream& console) const {
  // Built before the file is opened, so that building it can't leave a
  // truncated file behind.
  const std::locale numberFormat = numberLocale(environmentNumberFormat());
  std::ofstream table(pathFromUtf8(path), std::ios::out | std::ios::trunc);
  table.imbue(numberFormat);

  table << "A;";
  for (const float angle : verticalAngles) table << angle << ';';
  table << '\n';
  for (std::size_t plane = 0; plane < horizontalAngles.size(); ++plane) {
    table << horizontalAngles[plane] << ';';
    for (const float value : candela[plane]) table << value << ';';
    table << '\n';
  }
  table << '\n';

  // Closing flushes the last writes; a full disk shows only then.
  table.close();
  if (!table) {
    console << "Could not save: " << path << std::endl;
    return false;
  }
  console << "Saved: " << path << std::endl;
  return true;
}
