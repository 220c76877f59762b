#ifndef LUMTREL_EXPORT_POLAR_CHART_H_
#define LUMTREL_EXPORT_POLAR_CHART_H_

#include <xlsxwriter.h>

#include <string>
#include <vector>

#include "analysis/distribution_summary.h"

/// A polar diagram as makers print them, nadir down: the curves of plane
/// pairs in the unit they are drawn in, with a grid of circles and rays.
struct PolarDiagram {
  /// "cd/klm" for relative photometry, else "cd".
  std::string unit;
  /// The curves, their intensities in `unit`.
  std::vector<NamedPath> curves;
  /// True when no direction above gamma 90 holds light: only the lower
  /// half is drawn.
  bool lowerHalf = false;
  /// The outer circle's intensity: the largest drawn, rounded up to 1, 2,
  /// 2.5 or 5 times a power of ten.
  double reach = 0;
  /// The grid circles' intensities, four or five, ascending to `reach`.
  std::vector<double> circles;
};

/// The diagram of `pairs`, the C0-C180 and C90-C270 paths that hold light,
/// and, where the largest intensity of `circle` lies in another plane of a
/// file with several, of that plane and its opposite too (C25-C205). For
/// relative photometry intensities are drawn per 1000 lm of the lamps.
/// Empty curves when `pairs` is.
PolarDiagram polarDiagram(const PhotometricData& record,
                          const WholeCircle& circle,
                          const std::vector<std::vector<double>>& values,
                          const std::vector<NamedPath>& pairs);

/// Writes the points of `diagram` to `sheet` ("Polar data"): for each curve
/// an x and a y column, then the grid's, row by row; an axis point has
/// exactly 0 as its other coordinate. Returns false when a write failed.
bool writePolarData(lxw_worksheet* sheet, const PolarDiagram& diagram);

/// The chart's size in pixels: square for the whole circle, twice as wide
/// as high for the lower half.
int chartWidth(const PolarDiagram& diagram);
int chartHeight(const PolarDiagram& diagram);

/// Inserts the chart of `diagram`, drawn from the sheet "Polar data" that
/// writePolarData filled, into `sheet` with its top left corner at `row`
/// and `column`: straight lines, no title, legend, axes or gridlines of its
/// own, both axes at one scale. The rows it covers must be kChartRowPixels
/// high, and its column as wide as the chart, for every program to draw
/// it the same.
void insertPolarChart(lxw_workbook* workbook, lxw_worksheet* sheet,
                      const PolarDiagram& diagram, lxw_row_t row,
                      lxw_col_t column);

constexpr int kChartRowPixels = 24;

/// The line colour of curve `index`, as 0xRRGGBB.
unsigned curveColour(std::size_t index);

#endif  // LUMTREL_EXPORT_POLAR_CHART_H_
