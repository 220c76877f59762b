#include "export/output_file.h"

bool reportSave(bool saved, const std::string& path, const std::string& reason,
                std::ostream& console) {
  if (saved) {
    console << "Saved: " << path << std::endl;
  } else {
    console << "Could not save: " << path << std::endl;
    console << "Reason: " << reason << std::endl;
  }
  return saved;
}
