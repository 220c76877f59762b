#ifndef LUMTREL_ANALYSIS_UGR_TABLES_H_
#define LUMTREL_ANALYSIS_UGR_TABLES_H_

#include <cstddef>

/// The tables the UGR method reads, as CIE 117 and CIE 190 give them.
constexpr std::size_t kGuthRows = 31;     ///< T/R 0.0 to 3.0
constexpr std::size_t kGuthColumns = 20;  ///< H/R 0.0 to 1.9
/// Where the position index is not defined.
constexpr double kNone = -1;
/// The Guth position index p: row T/R * 10, column H/R * 10.
extern const double kGuthIndex[kGuthRows][kGuthColumns];

constexpr std::size_t kZonalRows = 13;
/// Each row: the room index k, then F_GL1 to F_GL4.
extern const double kZonalFactors[kZonalRows][5];

#endif  // LUMTREL_ANALYSIS_UGR_TABLES_H_
