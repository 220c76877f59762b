#ifndef LUMTREL_EXPORT_SHEET_WRITER_H_
#define LUMTREL_EXPORT_SHEET_WRITER_H_

#include <xlsxwriter.h>

#include <cstddef>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

/// Writes one sheet's cells, row by row, as the library's constant-memory
/// mode requires; remembers whether every write went in.
class SheetWriter {
 public:
  explicit SheetWriter(lxw_worksheet* sheet) : sheet_(sheet) {}

  void number(std::size_t row, std::size_t column, double value,
              lxw_format* format = nullptr);
  /// Writes nothing for an empty text.
  void text(std::size_t row, std::size_t column, const std::string& text,
            lxw_format* format = nullptr);
  /// Keeps the first row and column in view, and on every printed page.
  void freezeAngles();
  /// Notes the outcome of a write made directly through the library.
  void check(lxw_error error) {
    if (error != LXW_NO_ERROR) ok_ = false;
  }
  lxw_worksheet* sheet() const { return sheet_; }
  bool ok() const { return ok_; }

 private:
  lxw_worksheet* sheet_;
  bool ok_ = true;
};

/// The characters of UTF-8 `text`.
std::size_t characters(const std::string& text);

/// Text columns as wide as their longest cell, in characters, up to
/// kWidestColumn, past which a cell wraps.
constexpr std::size_t kWidestColumn = 80;
class TextColumns {
 public:
  explicit TextColumns(std::size_t count) : widths_(count, 0) {}
  /// Makes room in `column` for `text`.
  void fit(std::size_t column, const std::string& text);
  /// Sets the widths of the columns that hold any text.
  void apply(lxw_worksheet* sheet) const;

 private:
  std::vector<std::size_t> widths_;
};

/// Saves at `path` a workbook that `fill` writes into the library's
/// workbook, in constant-memory mode: made in a file of its own in the
/// temporary folder, with the library's messages to standard error
/// silenced, then copied into a new file beside `path` and put in its
/// place (see OutputFile). `fill` returns false when it can't, with its
/// reason, or with none when a write of the library failed. Prints
/// "Saved: <path>", or "Could not save: <path>" and a "Reason: " line, and
/// returns whether it saved.
bool saveLibraryWorkbook(
    const std::string& path,
    const std::function<bool(lxw_workbook*, std::string*)>& fill,
    std::ostream& console);

#endif  // LUMTREL_EXPORT_SHEET_WRITER_H_
