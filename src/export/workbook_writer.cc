#include "export/workbook_writer.h"

#include <xlsxwriter.h>

#include <fstream>
#include <vector>

#include "export/cell_text.h"
#include "export/temp_file.h"
#include "photometry/file_path.h"
#include "photometry/real_text.h"
#include "photometry/whole_circle.h"

namespace {

// A spreadsheet's size.
constexpr std::size_t kMaxRows = 1048576;
constexpr std::size_t kMaxColumns = 16384;

using Values = std::vector<std::vector<double>>;

// Writes one sheet's cells, row by row, as the library's constant-memory
// mode requires; remembers whether every write went in.
class SheetWriter {
 public:
  explicit SheetWriter(lxw_worksheet* sheet) : sheet_(sheet) {}

  void number(std::size_t row, std::size_t column, double value) {
    note(worksheet_write_number(sheet_, static_cast<lxw_row_t>(row),
                                static_cast<lxw_col_t>(column), value,
                                nullptr));
  }
  void text(std::size_t row, std::size_t column, const std::string& text) {
    if (text.empty()) return;
    note(worksheet_write_string(sheet_, static_cast<lxw_row_t>(row),
                                static_cast<lxw_col_t>(column), text.c_str(),
                                nullptr));
  }
  // Keeps the first row and column in view.
  void freezeAngles() { worksheet_freeze_panes(sheet_, 1, 1); }
  bool ok() const { return ok_; }

 private:
  void note(lxw_error error) {
    if (error != LXW_NO_ERROR) ok_ = false;
  }

  lxw_worksheet* sheet_;
  bool ok_ = true;
};

bool fits(std::size_t rows, std::size_t columns) {
  return rows <= kMaxRows && columns <= kMaxColumns;
}

// The semicolon table as cells: the same rows and columns, every value the
// double that the file's text stands for.
bool writeTable(lxw_worksheet* sheet, const PhotometricData& record,
                const Values& values) {
  SheetWriter table(sheet);
  table.freezeAngles();
  table.text(0, 0, "A");
  for (std::size_t j = 0; j < record.verticalAngles.size(); ++j)
    table.number(0, j + 1, shortestDouble(record.verticalAngles[j]));
  for (std::size_t i = 0; i < record.horizontalAngles.size(); ++i) {
    table.number(i + 1, 0, shortestDouble(record.horizontalAngles[i]));
    for (std::size_t j = 0; j < values[i].size(); ++j)
      table.number(i + 1, j + 1, values[i][j]);
  }
  return table.ok();
}

bool writeCandela(lxw_worksheet* sheet, const WholeCircle& circle,
                  const Values& values) {
  SheetWriter candela(sheet);
  candela.freezeAngles();
  candela.text(0, 0, "C \\ \xCE\xB3 (\xC2\xB0)");
  for (std::size_t j = 0; j < circle.gammaAngles.size(); ++j)
    candela.number(0, j + 1, circle.gammaAngles[j]);
  for (std::size_t k = 0; k < circle.planeAngles.size(); ++k) {
    candela.number(k + 1, 0, circle.planeAngles[k]);
    const std::vector<double>& row = values[circle.sourceRows[k]];
    for (std::size_t j = 0; j < row.size(); ++j)
      candela.number(k + 1, j + 1, row[j] * circle.multiplier);
  }
  return candela.ok();
}

bool writeHeader(lxw_worksheet* sheet, const PhotometricData& record) {
  SheetWriter header(sheet);
  for (std::size_t i = 0; i < record.header.size(); ++i) {
    const HeaderItem& item = record.header[i];
    header.text(i, 0, cellText(item.label));
    if (item.isNumber) {
      header.number(i, 1, item.number);
    } else {
      header.text(i, 1, cellText(item.text));
    }
  }
  return header.ok();
}

// Makes the workbook at `name`, a path the library's fopen takes, with its
// own temporary files in `folder`.
bool makeWorkbook(const PhotometricData& record, const std::string& name,
                  std::string folder, std::time_t created) {
  const WholeCircle circle = wholeCircle(record);
  const std::size_t columns = record.verticalAngles.size() + 1;
  if (!record.headerWhole ||
      !fits(record.horizontalAngles.size() + 1, columns) ||
      !fits(circle.planeAngles.size() + 1, columns) ||
      !fits(record.header.size(), 2))
    return false;
  const Values values = tableValues(record);

  lxw_workbook_options options = {};
  options.constant_memory = LXW_TRUE;
  options.tmpdir = folder.data();
  lxw_workbook* const workbook = workbook_new_opt(name.c_str(), &options);
  if (!workbook) return false;
  lxw_doc_properties properties = {};
  // 0 would stand for the time of writing.
  properties.created = created > 0 ? created : 1;
  workbook_set_properties(workbook, &properties);
  lxw_worksheet* const table = workbook_add_worksheet(workbook, "Table");
  lxw_worksheet* const candela = workbook_add_worksheet(workbook, "Candela");
  lxw_worksheet* const header = workbook_add_worksheet(workbook, "Header");
  const bool written =
      table && candela && header && writeTable(table, record, values) &&
      writeCandela(candela, circle, values) && writeHeader(header, record);
  if (!written) {
    lxw_workbook_free(workbook);
    return false;
  }
  return workbook_close(workbook) == LXW_NO_ERROR;
}

// Copies the file at `from` to `path`, opened as the table opens its file.
bool copyTo(const std::filesystem::path& from, const std::string& path) {
  std::ifstream source(from, std::ios::binary);
  if (!source) return false;
  std::ofstream target(pathFromUtf8(path),
                       std::ios::out | std::ios::trunc | std::ios::binary);
  if (!target) return false;
  std::vector<char> buffer(64 * 1024);
  while (
      source.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) ||
      source.gcount() > 0) {
    if (!target.write(buffer.data(), source.gcount())) return false;
  }
  if (!source.eof()) return false;
  // Closing flushes the last writes; a full disk shows only then.
  target.close();
  return static_cast<bool>(target);
}

}  // namespace

bool saveWorkbook(const PhotometricData& record, const std::string& path,
                  std::time_t created, std::ostream& console) {
  TempFile workbook;
  const bool saved =
      workbook.create(".xlsx") &&
      makeWorkbook(record, workbook.name(), workbook.folder(), created) &&
      copyTo(workbook.path(), path);
  if (!saved) {
    console << "Could not save: " << path << std::endl;
    return false;
  }
  console << "Saved: " << path << std::endl;
  return true;
}
