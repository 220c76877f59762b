#include "export/sheet_writer.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "export/output_file.h"
#include "export/silenced_stderr.h"
#include "export/temp_file.h"

void SheetWriter::number(std::size_t row, std::size_t column, double value,
                         lxw_format* format) {
  check(worksheet_write_number(sheet_, static_cast<lxw_row_t>(row),
                               static_cast<lxw_col_t>(column), value, format));
}

void SheetWriter::text(std::size_t row, std::size_t column,
                       const std::string& text, lxw_format* format) {
  if (text.empty()) return;
  check(worksheet_write_string(sheet_, static_cast<lxw_row_t>(row),
                               static_cast<lxw_col_t>(column), text.c_str(),
                               format));
}

void SheetWriter::freezeAngles() {
  worksheet_freeze_panes(sheet_, 1, 1);
  worksheet_repeat_rows(sheet_, 0, 0);
  worksheet_repeat_columns(sheet_, 0, 0);
}

std::size_t characters(const std::string& text) {
  std::size_t count = 0;
  for (const char c : text) count += (c & 0xC0) != 0x80;
  return count;
}

void TextColumns::fit(std::size_t column, const std::string& text) {
  widths_[column] = std::max(widths_[column], characters(text));
}

void TextColumns::apply(lxw_worksheet* sheet) const {
  for (std::size_t column = 0; column < widths_.size(); ++column) {
    if (widths_[column] == 0) continue;
    const double width = static_cast<double>(
        std::min(kWidestColumn, std::max<std::size_t>(widths_[column], 8)) + 1);
    worksheet_set_column(sheet, static_cast<lxw_col_t>(column),
                         static_cast<lxw_col_t>(column), width, nullptr);
  }
}

namespace {

// Makes the workbook at the temporary file's name, the library's own
// temporary files beside it.
bool make(const TempFile& temporary,
          const std::function<bool(lxw_workbook*, std::string*)>& fill,
          std::string* reason) {
  lxw_workbook_options options = {};
  options.constant_memory = LXW_TRUE;
  std::string folder = temporary.folder();
  options.tmpdir = folder.data();
  // The library reports a failed write of its own files by a code; the C
  // library's errno says more, when it was set.
  errno = 0;
  const auto libraryFailure = [reason](lxw_error error) {
    *reason = errno != 0 ? std::strerror(errno)
                         : std::string("The workbook could not be made: ") +
                               lxw_strerror(error);
    return false;
  };
  lxw_workbook* const workbook =
      workbook_new_opt(temporary.name().c_str(), &options);
  if (!workbook) return libraryFailure(LXW_ERROR_MEMORY_MALLOC_FAILED);
  if (!fill(workbook, reason)) {
    lxw_workbook_free(workbook);
    return !reason->empty() ? false
                            : libraryFailure(LXW_ERROR_CREATING_TMPFILE);
  }
  const lxw_error closed = workbook_close(workbook);
  return closed == LXW_NO_ERROR || libraryFailure(closed);
}

// Copies the file at `from` into `file`.
bool copyInto(const std::filesystem::path& from, OutputFile& file,
              std::string* reason) {
  std::ifstream source(from, std::ios::binary);
  std::vector<char> buffer(64 * 1024);
  while (
      source.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) ||
      source.gcount() > 0) {
    if (!file.write(buffer.data(), static_cast<std::size_t>(source.gcount()),
                    reason))
      return false;
  }
  if (!source.eof()) {
    *reason = "The workbook made in the temporary folder could not be read.";
    return false;
  }
  return true;
}

}  // namespace

bool saveLibraryWorkbook(
    const std::string& path,
    const std::function<bool(lxw_workbook*, std::string*)>& fill,
    std::ostream& console) {
  OutputFile file;
  TempFile temporary;
  std::string reason;
  bool made = false;
  if (file.open(path, OutputFile::Kind::binary, &reason) &&
      temporary.create(".xlsx", &reason)) {
    const SilencedStandardError quiet;
    made = make(temporary, fill, &reason);
  }
  const bool saved =
      made && copyInto(temporary.path(), file, &reason) && file.commit(&reason);
  return reportSave(saved, path, reason, console);
}
