#include "photometry/photometric_data.h"

#include "photometry/eulumdat.h"
#include "photometry/file_path.h"
#include "photometry/ies.h"

bool PhotometricData::parse(const std::string& path, std::ostream& console) {
  const bool read = namesExtension(path, ".ldt")
                        ? readEulumdat(path, console, this)
                        : readIes(path, console, this);
  verticalCount = static_cast<int>(verticalAngles.size());
  horizontalCount = static_cast<int>(horizontalAngles.size());
  return read;
}

const HeaderItem* PhotometricData::headerItem(const std::string& label) const {
  for (const HeaderItem& item : header) {
    if (item.label == label) return &item;
  }
  return nullptr;
}
