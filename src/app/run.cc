#include "app/run.h"

#include <iostream>
#include <string>

#include "app/pause.h"
#include "export/grid_writer.h"
#include "photometry/photometric_data.h"

int run(int argumentCount, char* argumentVector[]) {
  if (argumentCount != 2) {
    std::cout << "Error. Invalid number of arguments" << std::endl;
    std::cout << "Usage: lumtrel.exe <fileName>" << std::endl;
    pauseBeforeExit(std::cout);
    return 1;
  }
  const std::string inputPath = argumentVector[1];
  std::cout << "File path: " << inputPath << std::endl;

  PhotometricData record;
  if (record.parse(inputPath)) {
    std::cout << "Parsing succeeded!" << std::endl;
    exportGrid(record, inputPath);
  }
  pauseBeforeExit(std::cout);
  return 0;
}
