#ifndef LUMTREL_EXPORT_OVERVIEW_WRITER_H_
#define LUMTREL_EXPORT_OVERVIEW_WRITER_H_

#include <ostream>
#include <string>
#include <vector>

#include "analysis/overview.h"

/// Writes the overview of a folder's files to `path` as a workbook of one
/// sheet, "Overview": a row of titles (overviewTitles()), then a row a
/// file, first row and column frozen and the titles filtering; numbers
/// shown as Summary shows them, texts as cells show them; the name of a
/// file that was read links to its own workbook beside the overview
/// (`<name>.xlsx`), where the format allows a link. Saved as a table is
/// (see OutputFile). Prints "Saved: <path>", or "Could not save: <path>"
/// and a "Reason: " line, and returns whether it saved.
bool saveOverviewWorkbook(const std::vector<OverviewRow>& rows,
                          const std::string& path, std::ostream& console);

/// Writes the same overview as a semicolon table in the user's number
/// format, every cell followed by ";": a text holding ";" or a double
/// quote stands in double quotes, its quotes doubled. Prints and returns
/// as saveOverviewWorkbook does.
bool saveOverviewTable(const std::vector<OverviewRow>& rows,
                       const std::string& path, std::ostream& console);

#endif  // LUMTREL_EXPORT_OVERVIEW_WRITER_H_
