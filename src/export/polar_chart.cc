#include "export/polar_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace {

constexpr double kPi = 3.14159265358979323846;

// The grid's line colour, and that of its labels.
constexpr unsigned kGridColour = 0xA6A6A6;
constexpr unsigned kLabelColour = 0x595959;

// `angle` as its label shows it, "30°".
std::string degrees(double angle) {
  char text[32];
  std::snprintf(text, sizeof text, "%g\xC2\xB0", angle);
  return text;
}

std::string shown(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

// The point at `theta` degrees from the nadir and `intensity` from the
// centre, nadir down; a point on an axis gets exactly 0 across it.
void pointAt(double intensity, double theta, double* x, double* y) {
  const double turns = theta / 90;
  const bool onAxis = turns == std::floor(turns);
  const long long quarter = static_cast<long long>(std::floor(turns));
  const double radians = theta * kPi / 180;
  *x = onAxis && quarter % 2 == 0 ? 0 : intensity * std::sin(radians) + 0.0;
  *y = onAxis && quarter % 2 != 0 ? 0 : -intensity * std::cos(radians) + 0.0;
}

// The largest intensity rounded up to 1, 2, 2.5 or 5 times a power of ten.
double roundedReach(double largest) {
  const double power = std::pow(10.0, std::floor(std::log10(largest)));
  for (const double step : {1.0, 2.0, 2.5, 5.0}) {
    if (step * power >= largest * (1 - 1e-12)) return step * power;
  }
  return 10 * power;
}

// Where each series' points stand on the Polar data sheet: rows from 1, the
// column titles above them.
struct Layout {
  std::vector<std::optional<std::size_t>> curvePoints;  // none: a break
  std::size_t curveRows = 0;
  std::vector<std::size_t> circleStart;  // first row of each circle
  std::size_t circlePoints = 0;
  std::vector<double> rayAngles;
  std::vector<std::size_t> rayStart;  // the centre's row; the end's next
  std::size_t gridRows = 0;
};

// The circles are drawn every 5 degrees, the rays every 30.
Layout layoutOf(const PolarDiagram& diagram) {
  Layout layout;
  const double limit = diagram.lowerHalf ? 90 : 180;
  if (!diagram.curves.empty()) {
    const PlanePath& shape = diagram.curves.front().path;
    for (std::size_t k = 0; k < shape.theta.size(); ++k) {
      if (std::abs(shape.theta[k]) > limit) continue;
      if (k == shape.breakAt) layout.curvePoints.push_back(std::nullopt);
      layout.curvePoints.push_back(k);
    }
    if (shape.closed && !diagram.lowerHalf) layout.curvePoints.push_back(0);
  }
  layout.curveRows = layout.curvePoints.size();
  layout.circlePoints = static_cast<std::size_t>(2 * limit / 5) + 1;
  std::size_t row = 0;
  for (std::size_t i = 0; i < diagram.circles.size(); ++i) {
    layout.circleStart.push_back(row);
    row += layout.circlePoints;
  }
  for (double angle = -limit; angle <= limit; angle += 30) {
    if (angle == -180) continue;  // the same ray as 180
    layout.rayAngles.push_back(angle);
    layout.rayStart.push_back(row);
    row += 2;
  }
  layout.gridRows = row;
  return layout;
}

std::string columnName(std::size_t column) {
  char name[16];
  lxw_col_to_name(name, static_cast<lxw_col_t>(column), LXW_TRUE);
  return name;
}

// 'Polar data'!$A$2:$A$20 for `count` rows of `column` from data row
// `first`.
std::string range(std::size_t column, std::size_t first, std::size_t count) {
  const std::string name = columnName(column);
  return "='Polar data'!" + name + "$" + std::to_string(first + 2) + ":" +
         name + "$" + std::to_string(first + count + 1);
}

// A thin grey series of `count` points from data row `first`, with
// `label` shown at point `labelled`.
void addGridSeries(lxw_chart* chart, std::size_t column, std::size_t first,
                   std::size_t count, std::size_t labelled,
                   const std::string& label, uint8_t position) {
  lxw_chart_series* const series =
      chart_add_series(chart, range(column, first, count).c_str(),
                       range(column + 1, first, count).c_str());
  lxw_chart_line line = {};
  line.color = kGridColour;
  line.width = 0.5;
  chart_series_set_line(series, &line);
  std::vector<lxw_chart_data_label> labels(count);
  std::vector<lxw_chart_data_label*> pointers;
  std::string text = label;
  for (std::size_t i = 0; i < count; ++i) {
    if (i == labelled) {
      labels[i].value = text.data();
    } else {
      labels[i].hide = LXW_TRUE;
    }
    pointers.push_back(&labels[i]);
  }
  pointers.push_back(nullptr);
  chart_series_set_labels(series);
  chart_series_set_labels_custom(series, pointers.data());
  chart_series_set_labels_position(series, position);
  lxw_chart_font font = {};
  font.size = 8;
  font.color = kLabelColour;
  chart_series_set_labels_font(series, &font);
}

}  // namespace

PolarDiagram polarDiagram(const PhotometricData& record,
                          const WholeCircle& circle,
                          const std::vector<std::vector<double>>& values,
                          const std::vector<NamedPath>& pairs) {
  PolarDiagram diagram;
  if (pairs.empty()) return diagram;
  const bool relative = record.lampFlux > 0;
  diagram.unit = relative ? "cd/klm" : "cd";
  const double scale = relative ? 1000 / record.lampFlux : 1;
  diagram.curves = pairs;
  const Peak peak = largestIntensity(circle, values);
  const double peakPlane = circle.planeAngles[peak.plane];
  if (circle.planeAngles.size() > 1 && peakPlane != 0 && peakPlane != 90 &&
      peakPlane != 180 && peakPlane != 270) {
    const double c = std::fmod(peakPlane, 180.0);
    diagram.curves.push_back(
        {"C" + shown(c) + "-C" + shown(c + 180), planePath(circle, values, c)});
  }
  diagram.lowerHalf = true;
  for (std::size_t j = 0; j < circle.gammaAngles.size(); ++j) {
    if (circle.gammaAngles[j] <= 90) continue;
    for (const std::size_t row : circle.sourceRows) {
      if (values[row][j] * circle.multiplier > 0) diagram.lowerHalf = false;
    }
  }
  const Layout layout = layoutOf(diagram);
  double largest = 0;
  for (NamedPath& curve : diagram.curves) {
    for (double& intensity : curve.path.intensity) intensity *= scale;
    for (const auto& k : layout.curvePoints) {
      if (k) largest = std::max(largest, curve.path.intensity[*k]);
    }
  }
  diagram.reach = roundedReach(largest > 0 ? largest : 1);
  const double power =
      std::pow(10.0, std::floor(std::log10(diagram.reach) + 1e-12));
  const double step = std::abs(diagram.reach / power - 2) < 1e-9
                          ? diagram.reach / 4
                          : diagram.reach / 5;
  for (int i = 1; step * i <= diagram.reach * (1 + 1e-12); ++i)
    diagram.circles.push_back(step * i);
  return diagram;
}

bool writePolarData(lxw_worksheet* sheet, const PolarDiagram& diagram) {
  const Layout layout = layoutOf(diagram);
  const std::size_t grid = 2 * diagram.curves.size();
  bool ok = true;
  const auto note = [&ok](lxw_error error) {
    if (error != LXW_NO_ERROR) ok = false;
  };
  const auto text = [&](std::size_t column, const std::string& title) {
    note(worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(column),
                                title.c_str(), nullptr));
  };
  const auto number = [&](std::size_t row, std::size_t column, double value) {
    note(worksheet_write_number(sheet, static_cast<lxw_row_t>(row + 1),
                                static_cast<lxw_col_t>(column), value,
                                nullptr));
  };
  const std::string unit = " (" + diagram.unit + ")";
  for (std::size_t c = 0; c < diagram.curves.size(); ++c) {
    text(2 * c, diagram.curves[c].name + " x" + unit);
    text(2 * c + 1, diagram.curves[c].name + " y" + unit);
  }
  text(grid, "Grid x" + unit);
  text(grid + 1, "Grid y" + unit);
  const std::size_t rows = std::max(layout.curveRows, layout.gridRows);
  double x = 0, y = 0;
  for (std::size_t row = 0; row < rows; ++row) {
    if (row < layout.curveRows && layout.curvePoints[row]) {
      const std::size_t k = *layout.curvePoints[row];
      for (std::size_t c = 0; c < diagram.curves.size(); ++c) {
        const PlanePath& path = diagram.curves[c].path;
        pointAt(path.intensity[k], path.theta[k], &x, &y);
        number(row, 2 * c, x);
        number(row, 2 * c + 1, y);
      }
    }
    if (row >= layout.gridRows) continue;
    const std::size_t circles = layout.circlePoints * diagram.circles.size();
    if (row < circles) {
      const std::size_t i = row / layout.circlePoints;
      const double limit = diagram.lowerHalf ? 90 : 180;
      const double theta =
          -limit + 5.0 * static_cast<double>(row % layout.circlePoints);
      pointAt(diagram.circles[i], theta, &x, &y);
    } else {
      const std::size_t ray = (row - circles) / 2;
      const bool end = (row - circles) % 2 == 1;
      pointAt(end ? diagram.reach : 0, layout.rayAngles[ray], &x, &y);
    }
    number(row, grid, x);
    number(row, grid + 1, y);
  }
  return ok;
}

// A chart's plot area lies some pixels inside it, more up than across:
// the widths give the plot area the axes' shape, 1:1 for the whole circle
// and 2:1 for the lower half, as LibreOffice draws them (measured on its
// printed page; within 1 %).
int chartWidth(const PolarDiagram& diagram) {
  return diagram.lowerHalf ? 755 : 566;
}

int chartHeight(const PolarDiagram& diagram) {
  return diagram.lowerHalf ? 400 : 600;
}

unsigned curveColour(std::size_t index) {
  const unsigned colours[] = {0xC00000, 0x0070C0, 0x00B050};
  return colours[index % 3];
}

void insertPolarChart(lxw_workbook* workbook, lxw_worksheet* sheet,
                      const PolarDiagram& diagram, lxw_row_t row,
                      lxw_col_t column) {
  const Layout layout = layoutOf(diagram);
  lxw_chart* const chart =
      workbook_add_chart(workbook, LXW_CHART_SCATTER_STRAIGHT);
  const std::size_t grid = 2 * diagram.curves.size();
  // The grid first, so that the curves are drawn over it.
  const double limit = diagram.lowerHalf ? 90 : 180;
  // Every label stands inside the outer circle, so that no program shrinks
  // the plot area to make room for it: each circle's value just left of
  // where it crosses the ray at 80 degrees, each ray's angle inside its
  // end.
  const std::size_t labelled = static_cast<std::size_t>((limit + 80) / 5);
  for (std::size_t i = 0; i < diagram.circles.size(); ++i)
    addGridSeries(chart, grid, layout.circleStart[i], layout.circlePoints,
                  labelled, shown(diagram.circles[i]),
                  LXW_CHART_LABEL_POSITION_LEFT);
  for (std::size_t r = 0; r < layout.rayAngles.size(); ++r) {
    const double angle = layout.rayAngles[r];
    const bool edge = diagram.lowerHalf && std::abs(angle) == 90;
    const uint8_t position = angle == 0     ? LXW_CHART_LABEL_POSITION_ABOVE
                             : angle == 180 ? LXW_CHART_LABEL_POSITION_BELOW
                             : edge         ? LXW_CHART_LABEL_POSITION_BELOW
                             : angle > 0    ? LXW_CHART_LABEL_POSITION_LEFT
                                            : LXW_CHART_LABEL_POSITION_RIGHT;
    addGridSeries(chart, grid, layout.rayStart[r], 2, 1,
                  degrees(std::abs(angle)), position);
  }
  for (std::size_t c = 0; c < diagram.curves.size(); ++c) {
    lxw_chart_series* const series =
        chart_add_series(chart, range(2 * c, 0, layout.curveRows).c_str(),
                         range(2 * c + 1, 0, layout.curveRows).c_str());
    chart_series_set_name(series, diagram.curves[c].name.c_str());
    lxw_chart_line line = {};
    line.color = curveColour(c);
    line.width = 1.75;
    chart_series_set_line(series, &line);
  }
  // Both axes run over the outer circle, at one scale: the chart's shape
  // is the diagram's.
  chart_axis_set_min(chart->x_axis, -diagram.reach);
  chart_axis_set_max(chart->x_axis, diagram.reach);
  chart_axis_set_min(chart->y_axis, -diagram.reach);
  chart_axis_set_max(chart->y_axis, diagram.lowerHalf ? 0 : diagram.reach);
  for (lxw_chart_axis* const axis : {chart->x_axis, chart->y_axis}) {
    chart_axis_major_gridlines_set_visible(axis, LXW_FALSE);
    chart_axis_off(axis);
  }
  // No frame round the chart or its plot area: the outer circle is the
  // diagram's edge.
  lxw_chart_line none = {};
  none.none = LXW_TRUE;
  chart_chartarea_set_line(chart, &none);
  chart_plotarea_set_line(chart, &none);
  chart_title_off(chart);
  chart_legend_set_position(chart, LXW_CHART_LEGEND_NONE);
  lxw_chart_options options = {};
  // The library's default chart is 480 x 288 pixels.
  options.x_scale = chartWidth(diagram) / 480.0;
  options.y_scale = chartHeight(diagram) / 288.0;
  worksheet_insert_chart_opt(sheet, row, column, chart, &options);
}
