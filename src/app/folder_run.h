#ifndef LUMTREL_APP_FOLDER_RUN_H_
#define LUMTREL_APP_FOLDER_RUN_H_

#include <istream>
#include <ostream>
#include <string>

/// Converts every photometric file directly in `folder` (see
/// listPhotometricFiles), after "File path: <folder>" has been printed.
/// First reads each one, without its report, keeping its overview row only,
/// with a progress line on a terminal; prints "Read: R of N files" and a
/// "Refused: <name>: <reason>" line for each refused file; then asks on
/// `console` for an output path, read from `answers` as for one file. An
/// answer ending in ".xlsx" gets the overview workbook there and beside it
/// each file's workbook, "<name>.xlsx"; any other answer the overview as a
/// semicolon table and each file's table, "<name>.csv". Each file is read
/// again for its own output and saved as a single file's is, a line each.
/// Writes nothing at all when the answer names a folder, lies in a folder
/// that does not exist, names an input file or takes the name of a file's
/// own output. Returns the exit status: 3 when any save failed or none was
/// asked for, else 2 when a file was refused, the folder holds no such
/// file or can't be listed, else 0.
int runFolder(const std::string& folder, std::istream& answers,
              std::ostream& console);

#endif  // LUMTREL_APP_FOLDER_RUN_H_
