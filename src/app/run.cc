#include "app/run.h"

#include <iostream>
#include <string>

#include "app/folder_run.h"
#include "app/pause.h"
#include "export/grid_writer.h"
#include "photometry/file_path.h"
#include "photometry/photometric_data.h"

namespace {

// The exit statuses, which tell a script what happened.
constexpr int kSaved = 0;
constexpr int kWrongArguments = 1;
constexpr int kNotRead = 2;   // the file can't be opened or is invalid
constexpr int kNotSaved = 3;  // read, but no table or workbook saved

}  // namespace

int run(int argumentCount, char* argumentVector[]) {
  if (argumentCount != 2) {
    std::cout << "Error. Invalid number of arguments" << std::endl;
    std::cout << "Usage: lumtrel.exe <fileName>" << std::endl;
    pauseBeforeExit(std::cout);
    return kWrongArguments;
  }
  const std::string inputPath = argumentVector[1];
  std::cout << "File path: " << inputPath << std::endl;
  const std::string folder = folderArgument(inputPath);
  if (isFolder(folder)) {
    const int status = runFolder(folder, std::cin, std::cout);
    pauseBeforeExit(std::cout);
    return status;
  }

  PhotometricData record;
  int status = kNotRead;
  if (record.parse(inputPath)) {
    std::cout << "Parsing succeeded!" << std::endl;
    status = exportGrid(record, inputPath) ? kSaved : kNotSaved;
  }
  pauseBeforeExit(std::cout);
  return status;
}
