#ifndef LUMTREL_EXPORT_WORKBOOK_WRITER_H_
#define LUMTREL_EXPORT_WORKBOOK_WRITER_H_

#include <ctime>
#include <ostream>
#include <string>

#include "photometry/photometric_data.h"

/// Writes `record` to `path`, created or replaced, as an xlsx workbook:
/// sheet "Table", the semicolon table's cells as numbers; "Candela", the
/// intensities in candela on the whole circle; "Header", every item of the
/// file's header; "Summary", what an engineer computes from the
/// distribution, with its polar diagram drawn from "Polar data". Numbers are
/// written the same in every locale. `created` is the workbook's creation
/// time, so that one input gives the same bytes every time; `inputName`,
/// the input file's name without its folder, heads Summary and every
/// printed page.
///
/// The workbook is made in a file of its own in the temporary folder, then
/// copied into a new file beside `path` and put in its place as the table
/// is (see OutputFile), and the temporary file removed. Prints "Saved:
/// <path>" on `console` and returns true, or prints "Could not save:
/// <path>" and a "Reason: " line and returns false, with the file at `path`
/// as it was, when the workbook can't be made (a sheet beyond 1,048,576
/// rows or 16,384 columns, a header too long to list, no usable temporary
/// folder) or `path` can't be written. `faults` receives the number of
/// faults that the Checks sheet lists. Changes nothing in the record.
bool saveWorkbook(const PhotometricData& record, const std::string& path,
                  const std::string& inputName, std::time_t created,
                  std::ostream& console, std::size_t* faults);

#endif  // LUMTREL_EXPORT_WORKBOOK_WRITER_H_
