#include "export/workbook_writer.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <vector>

#include "analysis/checks.h"
#include "analysis/distribution_summary.h"
#include "analysis/whole_circle.h"
#include "analysis/zonal_flux.h"
#include "export/cell_text.h"
#include "export/output_file.h"
#include "export/silenced_stderr.h"
#include "export/temp_file.h"
#include "photometry/real_text.h"

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

bool writeSummary(lxw_worksheet* sheet, const std::vector<SummaryRow>& rows) {
  SheetWriter summary(sheet);
  worksheet_set_column(sheet, 0, 0, 34, nullptr);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    summary.text(i, 0, rows[i].label);
    if (rows[i].hasValue) summary.number(i, 1, rows[i].value);
  }
  return summary.ok();
}

// The flux in zones of 10 degrees and in the bands makers quote, with
// their shares of the luminaire's flux and of the lamps'.
bool writeZonalLumens(lxw_worksheet* sheet, const std::vector<ZoneFlux>& zones,
                      const FluxFigures& figures, double lampFlux) {
  SheetWriter zonal(sheet);
  worksheet_set_column(sheet, 0, 4, 20, nullptr);
  const char* const titles[] = {"Zone (\xC2\xB0)", "Flux (lm)",
                                "Cumulative (lm)", "Of the luminaire (%)",
                                "Of the lamps (%)"};
  for (std::size_t column = 0; column < 5; ++column)
    zonal.text(0, column, titles[column]);
  const bool shares = figures.flux > 0;
  for (std::size_t i = 0; i < zones.size(); ++i) {
    const ZoneFlux& zone = zones[i];
    zonal.text(i + 1, 0, zone.name);
    zonal.number(i + 1, 1, zone.flux);
    if (zone.hasCumulative) zonal.number(i + 1, 2, zone.cumulative);
    if (shares) zonal.number(i + 1, 3, 100 * zone.flux / figures.flux);
    if (shares && figures.hasOutputRatio)
      zonal.number(i + 1, 4, 100 * zone.flux / lampFlux);
  }
  return zonal.ok();
}

void writeCheckValue(SheetWriter& sheet, std::size_t row, std::size_t column,
                     const CheckValue& value) {
  if (value.isNumber) {
    sheet.number(row, column, value.number);
  } else {
    sheet.text(row, column, cellText(value.text));
  }
}

// What the checks found, a row each; "No faults found" when nothing.
bool writeChecks(lxw_worksheet* sheet, const std::vector<Finding>& findings) {
  SheetWriter checks(sheet);
  worksheet_set_column(sheet, 0, 0, 8, nullptr);
  worksheet_set_column(sheet, 1, 2, 40, nullptr);
  worksheet_set_column(sheet, 3, 4, 24, nullptr);
  const char* const titles[] = {"Kind", "Check", "Where", "Found", "Expected"};
  for (std::size_t column = 0; column < 5; ++column)
    checks.text(0, column, titles[column]);
  if (findings.empty()) {
    checks.text(1, 0, "None");
    checks.text(1, 1, "No faults found");
  }
  for (std::size_t i = 0; i < findings.size(); ++i) {
    const Finding& finding = findings[i];
    checks.text(i + 1, 0,
                finding.kind == Finding::Kind::fault ? "Fault" : "Note");
    checks.text(i + 1, 1, finding.check);
    checks.text(i + 1, 2, cellText(finding.where));
    writeCheckValue(checks, i + 1, 3, finding.found);
    writeCheckValue(checks, i + 1, 4, finding.expected);
  }
  return checks.ok();
}

// A polar diagram point of each path, x = I sin(theta), y = -I cos(theta),
// row by row: a closed path ends with its first point again, and a break
// is an empty row. Returns the rows written, the column titles included.
bool writePolarData(lxw_worksheet* sheet, const std::vector<NamedPath>& paths,
                    std::size_t* rowCount) {
  SheetWriter polar(sheet);
  // The paths have the same vertical angles, and so the same shape.
  const PlanePath& shape = paths.front().path;
  std::vector<std::size_t> points;  // the point each row shows, or none
  const std::size_t none = shape.theta.size();
  for (std::size_t k = 0; k < shape.theta.size(); ++k) {
    if (k == shape.breakAt) points.push_back(none);
    points.push_back(k);
  }
  if (shape.closed) points.push_back(0);
  for (std::size_t p = 0; p < paths.size(); ++p) {
    polar.text(0, 2 * p, paths[p].name + " x (cd)");
    polar.text(0, 2 * p + 1, paths[p].name + " y (cd)");
  }
  for (std::size_t row = 0; row < points.size(); ++row) {
    if (points[row] == none) continue;
    for (std::size_t p = 0; p < paths.size(); ++p) {
      double x = 0, y = 0;
      polarPoint(paths[p].path, points[row], &x, &y);
      polar.number(row + 1, 2 * p, x);
      polar.number(row + 1, 2 * p + 1, y);
    }
  }
  *rowCount = points.size() + 1;
  return polar.ok();
}

// The largest intensity rounded up to 1, 2, 2.5 or 5 times a power of ten.
double axisReach(const std::vector<NamedPath>& paths) {
  double largest = 0;
  for (const NamedPath& named : paths) {
    for (const double intensity : named.path.intensity)
      largest = std::max(largest, intensity);
  }
  const double power = std::pow(10.0, std::floor(std::log10(largest)));
  for (const double step : {1.0, 2.0, 2.5, 5.0}) {
    if (step * power >= largest) return step * power;
  }
  return 10 * power;
}

// The polar diagram on the Summary sheet, drawn from the Polar data sheet:
// square, both axes from -R to R, so that the curve keeps its shape.
void insertPolarChart(lxw_workbook* workbook, lxw_worksheet* summary,
                      const std::vector<NamedPath>& paths,
                      std::size_t rowCount) {
  lxw_chart* const chart =
      workbook_add_chart(workbook, LXW_CHART_SCATTER_STRAIGHT);
  const std::string last = std::to_string(rowCount);
  const char columns[] = "ABCD";
  for (std::size_t p = 0; p < paths.size(); ++p) {
    const std::string x(1, columns[2 * p]), y(1, columns[2 * p + 1]);
    const std::string xRange = "='Polar data'!$" + x + "$2:$" + x + "$" + last;
    const std::string yRange = "='Polar data'!$" + y + "$2:$" + y + "$" + last;
    lxw_chart_series* const series =
        chart_add_series(chart, xRange.c_str(), yRange.c_str());
    chart_series_set_name(series, paths[p].name.c_str());
  }
  const double reach = axisReach(paths);
  for (lxw_chart_axis* const axis : {chart->x_axis, chart->y_axis}) {
    chart_axis_set_min(axis, -reach);
    chart_axis_set_max(axis, reach);
    chart_axis_set_name(axis, "cd");
    // Numbers along the edges, clear of the curve.
    chart_axis_set_label_position(axis, LXW_CHART_AXIS_LABEL_POSITION_LOW);
  }
  chart_title_set_name(chart, "Polar diagram (cd)");
  chart_legend_set_position(chart, LXW_CHART_LEGEND_BOTTOM);
  lxw_chart_options options = {};
  options.x_scale = 1.25;
  options.y_scale = 1.25 * 480 / 288;  // the default chart is 480 x 288
  worksheet_insert_chart_opt(summary, 0, 3, chart, &options);
}

// Makes the workbook at `name`, a path the library's fopen takes, with its
// own temporary files in `folder`. Returns false, with the reason, when the
// record does not fit on the sheets or the library fails.
bool makeWorkbook(const PhotometricData& record, const std::string& name,
                  std::string folder, std::time_t created, std::size_t* faults,
                  std::string* reason) {
  const WholeCircle circle = wholeCircle(record);
  const std::size_t columns = record.verticalAngles.size() + 1;
  if (!record.headerWhole || !fits(record.header.size(), 2)) {
    *reason = "The header is too large to list on a sheet.";
    return false;
  }
  if (!fits(record.horizontalAngles.size() + 1, columns) ||
      !fits(circle.planeAngles.size() + 1, columns)) {
    *reason = "A sheet would pass 1,048,576 rows or 16,384 columns.";
    return false;
  }
  const Values values = tableValues(record);
  std::vector<NamedPath> paths;
  const std::vector<SummaryRow> summaryRows =
      summarize(record, circle, values, &paths);
  const FluxFigures figures = fluxFigures(record, circle, values);
  const std::vector<ZoneFlux> zones =
      figures.computed ? zonalLumens(circle, values) : std::vector<ZoneFlux>();
  const std::vector<Finding> findings = checkRecord(record, circle, values);
  *faults = static_cast<std::size_t>(std::count_if(
      findings.begin(), findings.end(),
      [](const Finding& f) { return f.kind == Finding::Kind::fault; }));

  // The library reports a failed write of its own files by a code; the C
  // library's errno says more, when it was set.
  errno = 0;
  const auto libraryFailure = [reason](lxw_error error) {
    *reason = errno != 0 ? std::strerror(errno)
                         : std::string("The workbook could not be made: ") +
                               lxw_strerror(error);
    return false;
  };
  lxw_workbook_options options = {};
  options.constant_memory = LXW_TRUE;
  options.tmpdir = folder.data();
  lxw_workbook* const workbook = workbook_new_opt(name.c_str(), &options);
  if (!workbook) return libraryFailure(LXW_ERROR_MEMORY_MALLOC_FAILED);
  lxw_doc_properties properties = {};
  // 0 would stand for the time of writing.
  properties.created = created > 0 ? created : 1;
  workbook_set_properties(workbook, &properties);
  lxw_worksheet* const table = workbook_add_worksheet(workbook, "Table");
  lxw_worksheet* const candela = workbook_add_worksheet(workbook, "Candela");
  lxw_worksheet* const header = workbook_add_worksheet(workbook, "Header");
  lxw_worksheet* const summary = workbook_add_worksheet(workbook, "Summary");
  lxw_worksheet* const zonal =
      zones.empty() ? nullptr
                    : workbook_add_worksheet(workbook, "Zonal lumens");
  lxw_worksheet* const checks = workbook_add_worksheet(workbook, "Checks");
  lxw_worksheet* const polar =
      paths.empty() ? nullptr : workbook_add_worksheet(workbook, "Polar data");
  std::size_t polarRows = 0;
  const bool written =
      table && candela && header && summary && (paths.empty() || polar) &&
      writeTable(table, record, values) &&
      writeCandela(candela, circle, values) && writeHeader(header, record) &&
      writeSummary(summary, summaryRows) && (zones.empty() || zonal) &&
      (zones.empty() ||
       writeZonalLumens(zonal, zones, figures, record.lampFlux)) &&
      checks && writeChecks(checks, findings) &&
      (paths.empty() || writePolarData(polar, paths, &polarRows));
  if (!written) {
    lxw_workbook_free(workbook);
    return libraryFailure(LXW_ERROR_CREATING_TMPFILE);
  }
  if (!paths.empty()) insertPolarChart(workbook, summary, paths, polarRows);
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

bool saveWorkbook(const PhotometricData& record, const std::string& path,
                  std::time_t created, std::ostream& console) {
  OutputFile file;
  TempFile workbook;
  std::string reason;
  bool made = false;
  std::size_t faults = 0;
  if (file.open(path, OutputFile::Kind::binary, &reason) &&
      workbook.create(".xlsx", &reason)) {
    const SilencedStandardError quiet;
    made = makeWorkbook(record, workbook.name(), workbook.folder(), created,
                        &faults, &reason);
  }
  const bool saved =
      made && copyInto(workbook.path(), file, &reason) && file.commit(&reason);
  reportSave(saved, path, reason, console);
  if (saved && faults > 0)
    console << "Checks: " << faults << " fault(s), listed on the Checks sheet"
            << std::endl;
  return saved;
}
