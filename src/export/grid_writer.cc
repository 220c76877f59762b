#include "export/grid_writer.h"

#include <filesystem>

#include "export/number_format.h"
#include "export/number_writer.h"
#include "export/output_file.h"
#include "export/output_path.h"
#include "export/workbook_writer.h"
#include "photometry/file_path.h"

bool exportGrid(const PhotometricData& record, const std::string& inputPath,
                std::istream& answers, std::ostream& console) {
  console << "Type output path: " << std::endl;
  std::string outputPath;
  if (!readOutputPath(answers, &outputPath)) {
    console << "No output path given." << std::endl;
    return false;
  }
  if (sameFile(pathFromUtf8(inputPath), pathFromUtf8(outputPath))) {
    console << "Could not save over the input file: " << outputPath
            << std::endl;
    return false;
  }
  if (namesExtension(outputPath, ".xlsx")) {
    std::time_t created = 0;
    lastModified(inputPath, &created);
    const std::string inputName = pathFromUtf8(inputPath).filename().u8string();
    std::size_t faults = 0;
    if (!saveWorkbook(record, outputPath, inputName, created, console, &faults))
      return false;
    if (faults > 0)
      console << "Checks: " << faults << " fault(s), listed on the Checks sheet"
              << std::endl;
    return true;
  }
  return record.save(outputPath, console);
}

namespace {

// Table text is handed to the file in pieces of about this size.
constexpr std::size_t kChunkSize = 64 * 1024;

// Builds the table text a piece at a time and hands each full piece to the
// file, so that the table never sits in memory whole. Remembers the first
// write that failed, and writes nothing after it.
class TableText {
 public:
  TableText(OutputFile& file, const NumberFormat& format)
      : file_(file), format_(format) {
    text_.reserve(kChunkSize + 64);
  }

  void cell(const char* text) {
    text_ += text;
    text_ += ';';
  }
  void cell(float number) {
    appendNumber(number, format_, &text_);
    text_ += ';';
    if (text_.size() >= kChunkSize) flush();
  }
  void endLine() { text_ += '\n'; }
  void flush() {
    if (ok_) ok_ = file_.write(text_.data(), text_.size(), &reason_);
    text_.clear();
  }
  bool ok() const { return ok_; }
  const std::string& reason() const { return reason_; }

 private:
  OutputFile& file_;
  const NumberFormat format_;
  std::string text_;
  bool ok_ = true;
  std::string reason_;
};

}  // namespace

bool PhotometricData::save(const std::string& path,
                           std::ostream& console) const {
  // Known before the file is opened, so that finding it can't leave a
  // file behind.
  const NumberFormat format = environmentNumberFormat();
  OutputFile file;
  std::string reason;
  if (!file.open(path, OutputFile::Kind::text, &reason))
    return reportSave(false, path, reason, console);
  TableText table(file, format);

  table.cell("A");
  for (const float angle : verticalAngles) table.cell(angle);
  table.endLine();
  for (std::size_t plane = 0; plane < horizontalAngles.size() && table.ok();
       ++plane) {
    table.cell(horizontalAngles[plane]);
    for (const float value : candela[plane]) table.cell(value);
    table.endLine();
  }
  table.endLine();
  table.flush();
  if (!table.ok()) return reportSave(false, path, table.reason(), console);
  const bool saved = file.commit(&reason);
  return reportSave(saved, path, reason, console);
}
