#include "export/workbook_writer.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>
#include <locale>
#include <map>
#include <sstream>
#include <vector>

#include "analysis/checks.h"
#include "analysis/distribution_summary.h"
#include "analysis/overview.h"
#include "analysis/ugr.h"
#include "analysis/whole_circle.h"
#include "analysis/zonal_flux.h"
#include "export/cell_text.h"
#include "export/polar_chart.h"
#include "export/sheet_writer.h"
#include "photometry/real_text.h"

namespace {

// A spreadsheet's size.
constexpr std::size_t kMaxRows = 1048576;
constexpr std::size_t kMaxColumns = 16384;

using Values = std::vector<std::vector<double>>;

// The cell formats the sheets share.
struct Formats {
  lxw_format* oneDecimal;  // numbers shown to 1 decimal, stored whole
  lxw_format* wrapped;     // text longer than its column wraps
  lxw_format* curves[3];   // legend entries in the curves' colours
};

// The diagram's title and its curves' names in their line colours, in
// one cell, after the row's other cells.
void writeLegend(SheetWriter& sheet, std::size_t row, std::size_t column,
                 const PolarDiagram& diagram, const Formats& formats) {
  const std::string title = "Polar diagram (" + diagram.unit + ")";
  std::vector<std::string> names;
  for (const NamedPath& curve : diagram.curves)
    names.push_back("     " + curve.name);
  std::vector<lxw_rich_string_tuple> pieces;
  pieces.push_back({nullptr, const_cast<char*>(title.c_str())});
  for (std::size_t c = 0; c < names.size(); ++c)
    pieces.push_back({formats.curves[c % 3], names[c].data()});
  std::vector<lxw_rich_string_tuple*> pointers;
  for (lxw_rich_string_tuple& piece : pieces) pointers.push_back(&piece);
  pointers.push_back(nullptr);
  sheet.check(worksheet_write_rich_string(
      sheet.sheet(), static_cast<lxw_row_t>(row),
      static_cast<lxw_col_t>(column), pointers.data(), nullptr));
}

// The format for a text cell: wrapped where it is too long for its column.
lxw_format* textFormat(const std::string& text, const Formats& formats) {
  return characters(text) > kWidestColumn ? formats.wrapped : nullptr;
}

// The header and footer of a printed page: the input file's name and the
// page number; `left` stands at the footer's left.
void setPageTexts(lxw_worksheet* sheet, const std::string& inputName,
                  const std::string& left = "") {
  worksheet_set_header(sheet, pageText("&C", inputName).c_str());
  // Room for the page number's code beside the left text.
  const std::string footer = left.empty() ? "" : pageText("&L", left, 251);
  worksheet_set_footer(sheet, (footer + "&R&P").c_str());
}

bool fits(std::size_t rows, std::size_t columns) {
  return rows <= kMaxRows && columns <= kMaxColumns;
}

// What the table's numbers are, for the note on A1 and the printed footer.
std::string tableUnit(const PhotometricData& record) {
  if (record.format == PhotometricData::Format::eulumdat) return "cd/klm";
  std::ostringstream text;
  text.imbue(std::locale::classic());
  text.precision(15);
  text << "the file's values; times the candela multiplier "
       << record.candelaMultiplier << ", cd";
  return text.str();
}

// The semicolon table as cells: the same rows and columns, every value the
// double that the file's text stands for.
bool writeTable(lxw_worksheet* sheet, const PhotometricData& record,
                const Values& values, const std::string& inputName) {
  SheetWriter table(sheet);
  table.freezeAngles();
  const std::string unit = tableUnit(record);
  setPageTexts(sheet, inputName, unit);
  table.text(0, 0, "A");
  worksheet_write_comment(sheet, 0, 0, unit.c_str());
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
                  const Values& values, const std::string& inputName) {
  SheetWriter candela(sheet);
  candela.freezeAngles();
  setPageTexts(sheet, inputName);
  candela.text(0, 0, "C \\ \xCE\xB3 (\xC2\xB0), cd");
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

bool writeHeader(lxw_worksheet* sheet, const PhotometricData& record,
                 const Formats& formats, const std::string& inputName) {
  SheetWriter header(sheet);
  worksheet_fit_to_pages(sheet, 1, 0);
  setPageTexts(sheet, inputName);
  TextColumns columns(2);
  std::vector<std::pair<std::string, std::string>> texts;
  for (const HeaderItem& item : record.header) {
    texts.emplace_back(cellText(item.label),
                       item.isNumber ? std::string() : cellText(item.text));
    columns.fit(0, texts.back().first);
    columns.fit(1, texts.back().second);
  }
  columns.apply(sheet);
  for (std::size_t i = 0; i < record.header.size(); ++i) {
    const auto& [label, text] = texts[i];
    header.text(i, 0, label, textFormat(label, formats));
    if (record.header[i].isNumber) {
      header.number(i, 1, record.header[i].number);
    } else {
      header.text(i, 1, text, textFormat(text, formats));
    }
  }
  return header.ok();
}

// Summary: the file's identity and the figures in columns A and B; beside
// them the polar diagram, its title and legend in the cells above it and
// the beam angles under it. Constant-memory mode takes rows in order only,
// so every cell and row height is laid out first and then written row by
// row.
bool writeSummary(lxw_workbook* workbook, lxw_worksheet* sheet,
                  const PhotometricData& record,
                  const std::vector<SummaryRow>& rows,
                  const PolarDiagram& diagram, const Formats& formats,
                  const std::string& inputName) {
  struct Cell {
    std::size_t column;
    bool isNumber;
    double number;
    std::string text;
    lxw_format* format;
  };
  std::map<std::size_t, std::vector<Cell>> cells;
  TextColumns columns(2);
  std::size_t row = 0;
  for (const auto& [label, raw] : fileIdentity(record, inputName)) {
    const std::string value = cellText(raw);
    cells[row].push_back({0, false, 0, label, nullptr});
    cells[row].push_back({1, false, 0, value, textFormat(value, formats)});
    columns.fit(0, label);
    columns.fit(1, value);
    ++row;
  }
  for (const SummaryRow& summary : rows) {
    cells[row].push_back({0, false, 0, summary.label, nullptr});
    if (summary.hasValue)
      cells[row].push_back(
          {1, true, summary.value, std::string(), formats.oneDecimal});
    columns.fit(0, summary.label);
    ++row;
  }
  columns.fit(1, "0000000.0");
  columns.apply(sheet);

  const bool chart = !diagram.curves.empty();
  constexpr std::size_t kChartRow = 1, kChartColumn = 3;
  const std::size_t chartRows = static_cast<std::size_t>(
      (chartHeight(diagram) + kChartRowPixels - 1) / kChartRowPixels);
  if (chart) {
    std::size_t under = kChartRow + chartRows;
    for (const char* const pair : {"C0-C180", "C90-C270"}) {
      const std::string label =
          std::string("Beam angle ") + pair + ", 50 % of maximum (\xC2\xB0)";
      for (const SummaryRow& summary : rows) {
        if (summary.label != label) continue;
        char text[64];
        std::snprintf(text, sizeof text, "Beam angle %s: %.1f\xC2\xB0", pair,
                      summary.value);
        cells[under++].push_back({kChartColumn, false, 0, text, nullptr});
      }
    }
    // One column as wide as the chart: its width is then the same in every
    // program, which each round a column's width its own way.
    worksheet_set_column_pixels(sheet, kChartColumn, kChartColumn,
                                chartWidth(diagram), nullptr);
  }
  // Every row a height of its own, not the default, which programs draw
  // differently: the chart's anchor in rows is then the same in all.
  worksheet_set_default_row(sheet, kChartRowPixels * 0.75, LXW_FALSE);
  const std::size_t last = cells.empty() ? 0 : cells.rbegin()->first;
  SheetWriter summary(sheet);
  for (std::size_t r = 0; r <= std::max(last, kChartRow + chartRows); ++r) {
    if (chart && r == kChartRow)
      insertPolarChart(workbook, sheet, diagram, kChartRow, kChartColumn);
    if (chart && r == 0)
      writeLegend(summary, 0, kChartColumn, diagram, formats);
    const auto found = cells.find(r);
    if (found == cells.end()) continue;
    std::sort(found->second.begin(), found->second.end(),
              [](const Cell& a, const Cell& b) { return a.column < b.column; });
    for (const Cell& cell : found->second) {
      if (cell.isNumber) {
        summary.number(r, cell.column, cell.number, cell.format);
      } else {
        summary.text(r, cell.column, cell.text, cell.format);
      }
    }
  }
  // One landscape page of A4.
  worksheet_set_landscape(sheet);
  worksheet_set_paper(sheet, 9);
  worksheet_fit_to_pages(sheet, 1, 1);
  setPageTexts(sheet, inputName);
  return summary.ok();
}

// The flux in zones of 10 degrees and in the bands makers quote, with
// their shares of the luminaire's flux and of the lamps'.
bool writeZonalLumens(lxw_worksheet* sheet, const std::vector<ZoneFlux>& zones,
                      const FluxFigures& figures, double lampFlux,
                      const Formats& formats, const std::string& inputName) {
  SheetWriter zonal(sheet);
  worksheet_fit_to_pages(sheet, 1, 0);
  setPageTexts(sheet, inputName);
  const char* const titles[] = {"Zone (\xC2\xB0)", "Flux (lm)",
                                "Cumulative (lm)", "Of the luminaire (%)",
                                "Of the lamps (%)"};
  TextColumns columns(5);
  for (std::size_t column = 0; column < 5; ++column) {
    columns.fit(column, titles[column]);
    zonal.text(0, column, titles[column]);
  }
  columns.apply(sheet);
  const bool shares = figures.flux > 0;
  lxw_format* const rounded = formats.oneDecimal;
  for (std::size_t i = 0; i < zones.size(); ++i) {
    const ZoneFlux& zone = zones[i];
    zonal.text(i + 1, 0, zone.name);
    zonal.number(i + 1, 1, zone.flux, rounded);
    if (zone.hasCumulative) zonal.number(i + 1, 2, zone.cumulative, rounded);
    if (shares) zonal.number(i + 1, 3, 100 * zone.flux / figures.flux, rounded);
    if (shares && figures.hasOutputRatio)
      zonal.number(i + 1, 4, 100 * zone.flux / lampFlux, rounded);
  }
  return zonal.ok();
}

// The UGR catalogue table: a block naming the reflectances of each column,
// crosswise and endwise, then a row a room.
bool writeUgr(lxw_workbook* workbook, lxw_worksheet* sheet,
              const UgrTable& table, const std::string& inputName) {
  SheetWriter ugr(sheet);
  lxw_format* const shown = workbook_add_format(workbook);
  format_set_num_format(shown, "[<10]\"<10.0\";0.0");
  worksheet_set_column(sheet, 0, 0, 24, nullptr);
  worksheet_set_column(sheet, 1, 10, 9, nullptr);
  worksheet_fit_to_pages(sheet, 1, 1);
  worksheet_set_paper(sheet, 9);
  setPageTexts(sheet, inputName);
  ugr.text(0, 0, "UGR (CIE 190, S = 0.25 H), uncorrected");
  ugr.text(2, 1, "Crosswise");
  ugr.text(2, 6, "Endwise");
  const char* const surfaces[] = {"Ceiling", "Walls", "Floor"};
  for (int surface = 0; surface < 3; ++surface) {
    ugr.text(3 + surface, 0, surfaces[surface]);
    for (int set = 0; set < kUgrReflectances; ++set) {
      const double rho = kUgrReflectanceSets[set][surface];
      ugr.number(3 + surface, 1 + set, rho);
      ugr.number(3 + surface, 6 + set, rho);
    }
  }
  ugr.text(6, 0, "Room (X \xC3\x97 Y)");
  for (int room = 0; room < kUgrRooms; ++room) {
    const std::size_t row = 7 + static_cast<std::size_t>(room);
    ugr.text(row, 0,
             std::to_string(kUgrRoomSizes[room][0]) + "H \xC3\x97 " +
                 std::to_string(kUgrRoomSizes[room][1]) + "H");
    for (int set = 0; set < kUgrReflectances; ++set) {
      ugr.number(row, 1 + set, table.crosswise[room][set], shown);
      ugr.number(row, 6 + set, table.endwise[room][set], shown);
    }
  }
  return ugr.ok();
}

void writeCheckValue(SheetWriter& sheet, std::size_t row, std::size_t column,
                     const CheckValue& value, const Formats& formats) {
  if (value.isNumber) {
    sheet.number(row, column, value.number);
  } else {
    const std::string text = cellText(value.text);
    sheet.text(row, column, text, textFormat(text, formats));
  }
}

// What the checks found, a row each; "No faults found" when nothing.
bool writeChecks(lxw_worksheet* sheet, const std::vector<Finding>& findings,
                 const Formats& formats, const std::string& inputName) {
  SheetWriter checks(sheet);
  worksheet_fit_to_pages(sheet, 1, 0);
  setPageTexts(sheet, inputName);
  const char* const titles[] = {"Kind", "Check", "Where", "Found", "Expected"};
  TextColumns columns(5);
  for (std::size_t column = 0; column < 5; ++column)
    columns.fit(column, titles[column]);
  columns.fit(1, "No faults found");
  for (const Finding& finding : findings) {
    columns.fit(1, finding.check);
    columns.fit(2, cellText(finding.where));
    columns.fit(3, finding.found.isNumber ? "0000000.000"
                                          : cellText(finding.found.text));
    columns.fit(4, finding.expected.isNumber ? "0000000.000"
                                             : cellText(finding.expected.text));
  }
  columns.apply(sheet);
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
    const std::string where = cellText(finding.where);
    checks.text(i + 1, 2, where, textFormat(where, formats));
    writeCheckValue(checks, i + 1, 3, finding.found, formats);
    writeCheckValue(checks, i + 1, 4, finding.expected, formats);
  }
  return checks.ok();
}

// Writes the sheets of `record` into `workbook`. Returns false, with the
// reason, when the record does not fit on the sheets, or with none when a
// write failed.
bool fillWorkbook(lxw_workbook* workbook, const PhotometricData& record,
                  const std::string& inputName, std::time_t created,
                  std::size_t* faults, std::string* reason) {
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

  lxw_doc_properties properties = {};
  // 0 would stand for the time of writing.
  properties.created = created > 0 ? created : 1;
  workbook_set_properties(workbook, &properties);
  Formats formats = {};
  formats.oneDecimal = workbook_add_format(workbook);
  format_set_num_format(formats.oneDecimal, "0.0");
  formats.wrapped = workbook_add_format(workbook);
  format_set_text_wrap(formats.wrapped);
  for (std::size_t c = 0; c < 3; ++c) {
    formats.curves[c] = workbook_add_format(workbook);
    format_set_font_color(formats.curves[c], curveColour(c));
    format_set_bold(formats.curves[c]);
  }
  const PolarDiagram diagram = polarDiagram(record, circle, values, paths);
  lxw_worksheet* const table = workbook_add_worksheet(workbook, "Table");
  lxw_worksheet* const candela = workbook_add_worksheet(workbook, "Candela");
  lxw_worksheet* const header = workbook_add_worksheet(workbook, "Header");
  lxw_worksheet* const summary = workbook_add_worksheet(workbook, "Summary");
  lxw_worksheet* const zonal =
      zones.empty() ? nullptr
                    : workbook_add_worksheet(workbook, "Zonal lumens");
  std::string noUgr;
  const bool glare = ugrPossible(record, circle, &noUgr);
  lxw_worksheet* const ugr =
      glare ? workbook_add_worksheet(workbook, "UGR") : nullptr;
  lxw_worksheet* const checks = workbook_add_worksheet(workbook, "Checks");
  const bool drawn = !diagram.curves.empty();
  lxw_worksheet* const polar =
      drawn ? workbook_add_worksheet(workbook, "Polar data") : nullptr;
  if (polar) setPageTexts(polar, inputName);
  const bool written =
      table && candela && header && summary && (!drawn || polar) &&
      writeTable(table, record, values, inputName) &&
      writeCandela(candela, circle, values, inputName) &&
      writeHeader(header, record, formats, inputName) &&
      writeSummary(workbook, summary, record, summaryRows, diagram, formats,
                   inputName) &&
      (zones.empty() || zonal) &&
      (zones.empty() || writeZonalLumens(zonal, zones, figures, record.lampFlux,
                                         formats, inputName)) &&
      (!glare ||
       (ugr && writeUgr(workbook, ugr, ugrTable(record, circle, values),
                        inputName))) &&
      checks && writeChecks(checks, findings, formats, inputName) &&
      (!drawn || writePolarData(polar, diagram));
  return written;
}

}  // namespace

bool saveWorkbook(const PhotometricData& record, const std::string& path,
                  const std::string& inputName, std::time_t created,
                  std::ostream& console, std::size_t* faults) {
  *faults = 0;
  return saveLibraryWorkbook(
      path,
      [&](lxw_workbook* workbook, std::string* reason) {
        return fillWorkbook(workbook, record, inputName, created, faults,
                            reason);
      },
      console);
}
