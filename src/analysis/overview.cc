#include "analysis/overview.h"

#include "analysis/checks.h"
#include "analysis/distribution_summary.h"
#include "analysis/whole_circle.h"

namespace {

// The Summary labels whose values the overview compares.
const char* const kFigures[] = {
    "Lamp flux (lm)",
    "Luminous flux (lm)",
    "Light output ratio (%)",
    "Declared light output ratio (%)",
    "Downward flux fraction (%)",
    "Input power (W)",
    "Efficacy (lm/W)",
    "Maximum intensity (cd)",
    "Beam angle C0-C180, 50 % of maximum (\xC2\xB0)",
    "Beam angle C90-C270, 50 % of maximum (\xC2\xB0)",
    "Field angle C0-C180, 10 % of maximum (\xC2\xB0)",
    "Field angle C90-C270, 10 % of maximum (\xC2\xB0)"};
constexpr std::size_t kFigureCount = sizeof kFigures / sizeof kFigures[0];

std::string trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

std::vector<std::pair<std::string, std::string>> fileIdentity(
    const PhotometricData& record, const std::string& inputName) {
  const auto item = [&record](const std::string& label) {
    for (const HeaderItem& i : record.header) {
      if (i.label == label && !i.isNumber) return trimmed(i.text);
    }
    return std::string();
  };
  const auto joined = [](std::string a, const std::string& b) {
    if (!a.empty() && !b.empty()) a += ' ';
    return a + b;
  };
  std::string manufacturer, luminaire, format;
  if (record.format == PhotometricData::Format::eulumdat) {
    manufacturer = item("Company / data bank");
    luminaire = joined(item("Luminaire name"), item("Luminaire number"));
    format = "EULUMDAT";
  } else {
    manufacturer = item("[MANUFAC]");
    for (const HeaderItem& i : record.header) {
      if (i.label == "[LUMINAIRE]")
        luminaire = joined(luminaire, trimmed(i.text));
    }
    const std::string name = item("Format");
    if (name.empty()) {
      format = "IES LM-63-1986";
    } else if (name == "IESNA91") {
      format = "IES LM-63-1991";
    } else if (name.rfind("IESNA:", 0) == 0 || name.rfind("IES:", 0) == 0) {
      format = "IES " + name.substr(name.find(':') + 1);
    } else {
      format = name;
    }
  }
  return {{"File", inputName},
          {"Manufacturer", manufacturer},
          {"Luminaire", luminaire},
          {"Format", format}};
}

const std::vector<std::string>& overviewTitles() {
  static const std::vector<std::string> titles = [] {
    std::vector<std::string> all = {"File", "Status", "Format", "Manufacturer",
                                    "Luminaire"};
    all.insert(all.end(), kFigures, kFigures + kFigureCount);
    all.push_back("Faults");
    return all;
  }();
  return titles;
}

OverviewRow overviewRow(const std::string& name,
                        const PhotometricData& record) {
  OverviewRow row;
  row.file = name;
  row.read = true;
  row.status = "Read";
  // fileIdentity's lines are File, Manufacturer, Luminaire and Format; the
  // overview shows the format first.
  const auto identity = fileIdentity(record, name);
  row.identity[0] = identity[3].second;
  row.identity[1] = identity[1].second;
  row.identity[2] = identity[2].second;
  const WholeCircle circle = wholeCircle(record);
  const std::vector<std::vector<double>> values = tableValues(record);
  std::vector<NamedPath> paths;
  const std::vector<SummaryRow> summary =
      summarize(record, circle, values, &paths);
  row.figures.assign(kFigureCount, std::nullopt);
  for (std::size_t f = 0; f < kFigureCount; ++f) {
    for (const SummaryRow& line : summary) {
      if (line.hasValue && line.label == kFigures[f])
        row.figures[f] = line.value;
    }
  }
  double faults = 0;
  for (const Finding& finding : checkRecord(record, circle, values))
    faults += finding.kind == Finding::Kind::fault;
  row.faults = faults;
  return row;
}

OverviewRow refusedRow(const std::string& name, const std::string& message) {
  OverviewRow row;
  row.file = name;
  row.status = message;
  row.figures.assign(kFigureCount, std::nullopt);
  return row;
}
