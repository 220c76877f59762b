#ifndef LUMTREL_EXPORT_GRID_WRITER_H_
#define LUMTREL_EXPORT_GRID_WRITER_H_

#include <iostream>
#include <string>

#include "photometry/photometric_data.h"

/// Asks on `console` for an output path, reads it from `answers` with
/// readOutputPath (an answer is cut at its first blank, unless, on Windows,
/// it is quoted), and saves `record`'s candela grid there with
/// PhotometricData::save. Writes nothing, and says why, when `answers` has
/// ended before any path or the quotes hold nothing ("No output path
/// given.") or when the path names the input file `inputPath` itself, in any
/// spelling or through a link ("Could not save over the input file:
/// <path>"). Returns true when the table or workbook was saved. Changes
/// nothing in the record.
bool exportGrid(const PhotometricData& record, const std::string& inputPath,
                std::istream& answers = std::cin,
                std::ostream& console = std::cout);

#endif  // LUMTREL_EXPORT_GRID_WRITER_H_
