#include "export/overview_writer.h"

#include <xlsxwriter.h>

#include "export/cell_text.h"
#include "export/number_format.h"
#include "export/number_writer.h"
#include "export/output_file.h"
#include "export/sheet_writer.h"

namespace {

// The columns before the figures: File, Status and the three of identity.
constexpr std::size_t kTextColumns = 5;

// A link's longest form, and the most links a sheet holds.
constexpr std::size_t kMaxLinkLength = 2079;
constexpr std::size_t kMaxLinks = 65530;

// The relative link to a file's own workbook; "#" and "%" encoded, which
// would otherwise start a place in it or an escape.
std::string linkTo(const std::string& name) {
  std::string link = "external:";
  for (const char c : name + ".xlsx") {
    if (c == '#') {
      link += "%23";
    } else if (c == '%') {
      link += "%25";
    } else {
      link += c;
    }
  }
  return link;
}

bool fillOverview(lxw_workbook* workbook, const std::vector<OverviewRow>& rows,
                  std::string* reason) {
  if (rows.size() + 1 > 1048576) {
    *reason = "A sheet would pass 1,048,576 rows or 16,384 columns.";
    return false;
  }
  lxw_format* const rounded = workbook_add_format(workbook);
  format_set_num_format(rounded, "0.0");
  lxw_format* const whole = workbook_add_format(workbook);
  format_set_num_format(whole, "0");
  lxw_worksheet* const sheet = workbook_add_worksheet(workbook, "Overview");
  if (!sheet) return false;
  SheetWriter overview(sheet);
  const std::vector<std::string>& titles = overviewTitles();
  TextColumns columns(titles.size());
  for (std::size_t column = 0; column < titles.size(); ++column)
    columns.fit(column, titles[column]);
  for (const OverviewRow& row : rows) {
    columns.fit(0, cellText(row.file));
    columns.fit(1, cellText(row.status));
    for (std::size_t i = 0; i < 3; ++i)
      columns.fit(2 + i, cellText(row.identity[i]));
  }
  columns.apply(sheet);
  worksheet_freeze_panes(sheet, 1, 1);
  worksheet_autofilter(sheet, 0, 0, static_cast<lxw_row_t>(rows.size()),
                       static_cast<lxw_col_t>(titles.size() - 1));
  for (std::size_t column = 0; column < titles.size(); ++column)
    overview.text(0, column, titles[column]);
  std::size_t links = 0;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const OverviewRow& row = rows[r];
    const std::size_t at = r + 1;
    const std::string name = cellText(row.file);
    const std::string link = linkTo(row.file);
    if (row.read && links < kMaxLinks && link.size() <= kMaxLinkLength &&
        !name.empty()) {
      overview.check(worksheet_write_url_opt(sheet, static_cast<lxw_row_t>(at),
                                             0, link.c_str(), nullptr,
                                             name.c_str(), nullptr));
      ++links;
    } else {
      overview.text(at, 0, name);
    }
    overview.text(at, 1, cellText(row.status));
    for (std::size_t i = 0; i < 3; ++i)
      overview.text(at, 2 + i, cellText(row.identity[i]));
    for (std::size_t f = 0; f < row.figures.size(); ++f) {
      if (row.figures[f])
        overview.number(at, kTextColumns + f, *row.figures[f], rounded);
    }
    if (row.faults)
      overview.number(at, kTextColumns + row.figures.size(), *row.faults,
                      whole);
  }
  return overview.ok();
}

// `text` as a table cell: in double quotes, its own doubled, when it holds
// a semicolon or a double quote.
void appendText(const std::string& text, std::string* line) {
  if (text.find_first_of(";\"") == std::string::npos) {
    *line += text;
  } else {
    *line += '"';
    for (const char c : text) {
      if (c == '"') *line += '"';
      *line += c;
    }
    *line += '"';
  }
  *line += ';';
}

}  // namespace

bool saveOverviewWorkbook(const std::vector<OverviewRow>& rows,
                          const std::string& path, std::ostream& console) {
  return saveLibraryWorkbook(
      path,
      [&rows](lxw_workbook* workbook, std::string* reason) {
        return fillOverview(workbook, rows, reason);
      },
      console);
}

bool saveOverviewTable(const std::vector<OverviewRow>& rows,
                       const std::string& path, std::ostream& console) {
  const NumberFormat format = environmentNumberFormat();
  OutputFile file;
  std::string reason;
  if (!file.open(path, OutputFile::Kind::text, &reason))
    return reportSave(false, path, reason, console);
  std::string line;
  for (const std::string& title : overviewTitles()) appendText(title, &line);
  line += '\n';
  bool written = file.write(line.data(), line.size(), &reason);
  for (std::size_t r = 0; r < rows.size() && written; ++r) {
    const OverviewRow& row = rows[r];
    line.clear();
    appendText(cellText(row.file), &line);
    appendText(cellText(row.status), &line);
    for (const std::string& text : row.identity)
      appendText(cellText(text), &line);
    for (const auto& figure : row.figures) {
      if (figure) appendNumber(static_cast<float>(*figure), format, &line);
      line += ';';
    }
    if (row.faults)
      appendNumber(static_cast<float>(*row.faults), format, &line);
    line += ";\n";
    written = file.write(line.data(), line.size(), &reason);
  }
  const bool saved = written && file.commit(&reason);
  return reportSave(saved, path, reason, console);
}
