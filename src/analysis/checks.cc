#include "analysis/checks.h"

#include <cctype>
#include <cmath>
#include <locale>
#include <sstream>

#include "analysis/distribution_summary.h"
#include "analysis/ugr.h"
#include "photometry/real_text.h"

namespace {

using Format = PhotometricData::Format;

// Angles closer than this are the same angle.
constexpr double kAngleTolerance = 0.01;

bool sameAngle(double a, double b) {
  return std::abs(a - b) <= kAngleTolerance;
}

CheckValue number(double value) { return {true, value, ""}; }
CheckValue text(std::string value) { return {false, 0, std::move(value)}; }

// A value as the console writes it, six significant digits.
std::string shown(double value) {
  std::ostringstream text;
  text.imbue(std::locale::classic());
  text << value + 0.0;
  return text.str();
}

// The item's own value: its number, or its text.
CheckValue valueOf(const HeaderItem& item) {
  return item.isNumber ? number(item.number) : text(item.text);
}

std::string trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(c));
  return text;
}

class Checker {
 public:
  Checker(const PhotometricData& record, const WholeCircle& circle,
          const std::vector<std::vector<double>>& values)
      : record_(record),
        ies_(record.format == Format::ies),
        circle_(circle),
        figures_(fluxFigures(record, circle, values)),
        typeC_(circle.typeC) {}

  // The faults found, then the notes, each in the order of the checks.
  std::vector<Finding> all() {
    outputRatios();
    angleOrder();
    verticalRange();
    horizontalSymmetry();
    eulumdatDistances();
    intensities();
    iesLampValues();
    valuesAfterGrid();
    photometryNotes();
    iesFactors();
    inputPower();
    openingSize();
    decimalCommas();
    iesFormat();
    if (!typeC_)
      note("Type B or A photometry: no figures computed", "Photometric type",
           number(record_.photometricType), text(""));
    std::string noUgr;
    if (!ies_ && !ugrPossible(record_, circle_, &noUgr))
      note("No UGR table: " + noUgr, "UGR", text(""), text(""));
    findings_.insert(findings_.end(), notes_.begin(), notes_.end());
    return findings_;
  }

 private:
  void fault(const std::string& check, const std::string& where,
             CheckValue found, CheckValue expected) {
    findings_.push_back({Finding::Kind::fault, check, where, std::move(found),
                         std::move(expected)});
  }
  void note(const std::string& check, const std::string& where,
            CheckValue found, CheckValue expected) {
    notes_.push_back({Finding::Kind::note, check, where, std::move(found),
                      std::move(expected)});
  }

  // Faults 1 to 3: what the intensities give against what the file says.
  void outputRatios() {
    if (figures_.hasOutputRatio && figures_.outputRatio > 100.5)
      fault("Light output ratio above 100 %", "Intensities",
            number(figures_.outputRatio), text("at most 100"));
    if (ies_) return;
    if (record_.hasDeclaredOutputRatio && figures_.hasOutputRatio &&
        std::abs(figures_.outputRatio - record_.declaredOutputRatio) > 1)
      fault("Declared light output ratio differs", "Line 23",
            number(record_.declaredOutputRatio), number(figures_.outputRatio));
    if (record_.hasDeclaredDownwardFraction && figures_.computed &&
        figures_.flux > 0) {
      const double computed = 100 * figures_.downward / figures_.flux;
      if (std::abs(computed - record_.declaredDownwardFraction) > 1)
        fault("Declared downward flux fraction differs", "Line 22",
              number(record_.declaredDownwardFraction), number(computed));
    }
  }

  // Fault 4: each list rises strictly, as the file gives it.
  void angleOrder() {
    ascending(record_.fileVerticalAngles, "Vertical angles not ascending",
              ies_ ? "Vertical angles" : "Gamma angles");
    ascending(record_.fileHorizontalAngles, "Horizontal angles not ascending",
              ies_ ? "Horizontal angles" : "C angles");
  }
  void ascending(const std::vector<float>& angles, const char* check,
                 const char* where) {
    for (std::size_t i = 1; i < angles.size(); ++i) {
      if (angles[i] - double{angles[i - 1]} > kAngleTolerance) continue;
      fault(check, where,
            text(shown(shortestDouble(angles[i])) + " after " +
                 shown(shortestDouble(angles[i - 1]))),
            text("ascending"));
      return;
    }
  }

  // Fault 5: type C vertical angles lie within 0 to 180, and an IES list
  // covers a half or the whole of it.
  void verticalRange() {
    const std::vector<float>& angles = record_.fileVerticalAngles;
    if (!typeC_ || angles.empty()) return;
    const char* where = ies_ ? "Vertical angles" : "Gamma angles";
    for (const float angle : angles) {
      if (angle >= -kAngleTolerance && angle <= 180 + kAngleTolerance) continue;
      fault("Vertical angles outside 0 to 180", where,
            number(shortestDouble(angle)), text("0 to 180"));
      break;
    }
    if (!ies_) return;
    const double first = shortestDouble(angles.front());
    const double last = shortestDouble(angles.back());
    if (!sameAngle(first, 0) && !sameAngle(first, 90))
      fault("First vertical angle not 0 or 90", where, number(first),
            text("0 or 90"));
    if (!sameAngle(last, 90) && !sameAngle(last, 180))
      fault("Last vertical angle not 90 or 180", where, number(last),
            text("90 or 180"));
  }

  // Fault 6: an IES type C list of planes is one that a symmetry gives.
  void horizontalSymmetry() {
    const std::vector<float>& angles = record_.fileHorizontalAngles;
    if (!ies_ || !typeC_ || angles.empty()) return;
    const double first = shortestDouble(angles.front());
    const double last = shortestDouble(angles.back());
    const bool fromZero =
        sameAngle(first, 0) && (sameAngle(last, 0) || sameAngle(last, 90) ||
                                sameAngle(last, 180) || sameAngle(last, 360));
    const bool aboutC90 = sameAngle(first, 90) && sameAngle(last, 270);
    if (fromZero || aboutC90) return;
    fault("Horizontal angles do not match a symmetry", "Horizontal angles",
          text(shown(first) + " to " + shown(last)),
          text("0 to 0, 90, 180 or 360; or 90 to 270"));
  }

  // Fault 7: EULUMDAT's distances agree with its counts and angles.
  void eulumdatDistances() {
    if (ies_) return;
    const std::vector<float>& cAngles = record_.fileHorizontalAngles;
    const std::vector<float>& gammas = record_.fileVerticalAngles;
    const HeaderItem* const dc =
        record_.headerItem("Dc (distance between C-planes)");
    if (dc && dc->isNumber && dc->number > 0 && !cAngles.empty()) {
      const double planes = static_cast<double>(cAngles.size());
      if (!sameAngle(dc->number * planes, 360))
        fault("C-plane distance disagrees", "Line 5", number(dc->number),
              number(360 / planes));
      for (std::size_t i = 0; i < cAngles.size(); ++i) {
        const double expected = static_cast<double>(i) * dc->number;
        if (sameAngle(cAngles[i], expected)) continue;
        fault("C angles not evenly spaced", "C angles",
              number(shortestDouble(cAngles[i])), number(expected));
        break;
      }
    }
    const HeaderItem* const dg =
        record_.headerItem("Dg (distance between gamma angles)");
    if (dg && dg->isNumber && dg->number > 0 && gammas.size() >= 2) {
      const double range =
          shortestDouble(gammas.back()) - shortestDouble(gammas.front());
      const double steps = static_cast<double>(gammas.size() - 1);
      if (!sameAngle(dg->number * steps, range))
        fault("Gamma distance disagrees", "Line 7", number(dg->number),
              number(range / steps));
    }
  }

  // Faults 8 and 9, on the values the file holds: the copy of a single
  // plane is none of them.
  void intensities() {
    const std::size_t rows = record_.candela.size() - (record_.widened ? 1 : 0);
    std::size_t negative = 0;
    std::string first;
    bool anyLight = false;
    for (std::size_t i = 0; i < rows; ++i) {
      const std::vector<float>& row = record_.candela[i];
      for (std::size_t j = 0; j < row.size(); ++j) {
        if (row[j] > 0) anyLight = true;
        if (!(row[j] < 0)) continue;
        if (negative++ == 0)
          first = "C " + shown(shortestDouble(record_.horizontalAngles[i])) +
                  "\xC2\xB0, \xCE\xB3 " +
                  shown(shortestDouble(record_.fileVerticalAngles[j])) +
                  "\xC2\xB0";
      }
    }
    if (negative > 0)
      fault("Negative intensity", first,
            text(std::to_string(negative) +
                 (negative == 1 ? " value" : " values")),
            text("0 or above"));
    if (!anyLight)
      fault("No intensity above 0", "Intensities", text(""),
            text("some above 0"));
  }

  // Fault 10: the IES values the candela and the lamps' flux rest on.
  void iesLampValues() {
    if (!ies_) return;
    if (!(record_.candelaMultiplier > 0))
      fault("Candela multiplier not above 0", "Candela multiplier",
            number(record_.candelaMultiplier), text("above 0"));
    const HeaderItem* const lamps = record_.headerItem("Number of lamps");
    if (lamps && !(lamps->isNumber && lamps->number > 0))
      fault("Number of lamps not above 0", "Number of lamps", valueOf(*lamps),
            text("above 0"));
    const HeaderItem* const lumens = record_.headerItem("Lumens per lamp");
    if (lumens &&
        !(lumens->isNumber && (lumens->number > 0 || lumens->number == -1)))
      fault("Lumens per lamp not above 0", "Lumens per lamp", valueOf(*lumens),
            text("above 0, or -1"));
  }

  // Fault 11: counts that promise fewer values than the file holds.
  void valuesAfterGrid() {
    if (!ies_ || record_.valuesAfterGrid == 0) return;
    fault("More values after the intensities", "After the intensities",
          number(static_cast<double>(record_.valuesAfterGrid)), number(0));
  }

  // Notes 1 and 2: why no output ratio can be computed.
  void photometryNotes() {
    const HeaderItem* const lamps =
        record_.headerItem(ies_ ? "Lumens per lamp" : "Set 1: number of lamps");
    const bool absolute = lamps && lamps->isNumber &&
                          (ies_ ? lamps->number == -1 : lamps->number < 0);
    if (absolute) {
      note("Absolute photometry", ies_ ? "Lumens per lamp" : "Line 27",
           number(lamps->number), text(""));
      return;
    }
    if (record_.lampFlux > 0) return;
    const HeaderItem* const flux = record_.headerItem(
        ies_ ? "Lumens per lamp" : "Set 1: total luminous flux of lamps (lm)");
    note("No lamp flux", ies_ ? "Lumens per lamp" : "Line 29",
         flux ? valueOf(*flux) : text(""), text("above 0"));
  }

  // Note 3: factors the Candela sheet does not apply.
  void iesFactors() {
    if (!ies_) return;
    const char* const factors[][2] = {
        {"Ballast factor", "Ballast factor not 1"},
        {"Ballast-lamp photometric factor", "Ballast-lamp factor not 1"}};
    for (const auto& [label, check] : factors) {
      const HeaderItem* const factor = record_.headerItem(label);
      if (factor && !(factor->isNumber && factor->number == 1))
        note(check, label, valueOf(*factor), number(1));
    }
  }

  // Note 4.
  void inputPower() {
    if (record_.inputPower > 0) return;
    const char* const label =
        ies_ ? "Input watts" : "Set 1: wattage including ballast (W)";
    const HeaderItem* const power = record_.headerItem(label);
    note("No input power", ies_ ? label : "Line 32",
         power ? valueOf(*power) : text(""), text("above 0"));
  }

  // Note 5: a luminous opening of no size.
  void openingSize() {
    const std::vector<const char*> labels =
        ies_ ? std::vector<const char*>{"Width of opening", "Length of opening",
                                        "Height of opening"}
             : std::vector<const char*>{
                   "Length or diameter of luminous area (mm)",
                   "Width of luminous area (mm)"};
    for (const char* const label : labels) {
      const HeaderItem* const size = record_.headerItem(label);
      if (!size || !size->isNumber || size->number != 0) return;
    }
    note("Luminous opening of no size",
         ies_ ? "Width, length and height of opening" : "Lines 16 and 17",
         number(0), text("above 0"));
  }

  // Note 6.
  void decimalCommas() {
    if (!ies_ && record_.decimalCommas)
      note("Decimal commas read as points", "Number lines", text(","),
           text("."));
  }

  // Note 7: the format line, and the keywords LM-63-2002 requires.
  void iesFormat() {
    if (!ies_) return;
    const HeaderItem* const format = record_.headerItem("Format");
    if (!format) return;  // LM-63-1986 has no format line
    const std::string name = trimmed(format->text);
    const char* const known[] = {"IESNA:LM-63-1995", "IESNA:LM-63-2002",
                                 "IES:LM-63-2019", "IESNA91"};
    bool recognised = false;
    for (const char* const k : known) recognised = recognised || name == k;
    if (!recognised)
      note("Format line not recognised", "Format", text(name),
           text("IESNA:LM-63-1995, IESNA:LM-63-2002, IES:LM-63-2019 or "
                "IESNA91"));
    if (name != "IESNA:LM-63-2002") return;
    for (const char* const keyword :
         {"[TEST]", "[TESTLAB]", "[ISSUEDATE]", "[MANUFAC]"}) {
      bool given = false;
      for (const HeaderItem& item : record_.header)
        given = given || upper(item.label) == keyword;
      if (!given)
        note("Required keyword missing", keyword, text(""), text("given"));
    }
  }

 private:
  const PhotometricData& record_;
  const bool ies_;
  const WholeCircle& circle_;
  const FluxFigures figures_;
  const bool typeC_;
  std::vector<Finding> findings_;
  std::vector<Finding> notes_;
};

}  // namespace

std::vector<Finding> checkRecord(
    const PhotometricData& record, const WholeCircle& circle,
    const std::vector<std::vector<double>>& values) {
  return Checker(record, circle, values).all();
}
