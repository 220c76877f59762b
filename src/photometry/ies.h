#ifndef LUMTREL_PHOTOMETRY_IES_H_
#define LUMTREL_PHOTOMETRY_IES_H_

#include <ostream>
#include <string>

#include "photometry/photometric_data.h"

/// Reads the IES file at `path` into `record`, an empty one, reporting on
/// `console` as PhotometricData::parse says. Returns false, with the reason
/// printed and `record` left as it was, when the file can't be opened or
/// is not valid.
bool readIes(const std::string& path, std::ostream& console,
             PhotometricData* record);

#endif  // LUMTREL_PHOTOMETRY_IES_H_
