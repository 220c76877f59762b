// What the Checks sheet finds in files that break one rule each, read
// through parse() as the tool reads them.
#include "analysis/checks.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A clean LM-63-2002 file: 100, 80 and 20 cd at 0, 45 and 90 degrees in
// one plane, from a 1000 lm lamp; `edits` replace a text of it.
const char kIes[] =
    "IESNA:LM-63-2002\n[TEST] t\n[TESTLAB] l\n[ISSUEDATE] d\n[MANUFAC] m\n"
    "TILT=NONE\n1 1000 1 3 1 1 1 0.5 0.6 0.1\n1 1 100\n0 45 90\n0\n"
    "100 80 20\n";

// A clean EULUMDAT file of the same light: one stored plane of four, 1000
// lm, 36.8 % and 100 % downwards declared as its intensities give them.
// Line n is element n - 1.
std::vector<std::string> ldtLines() {
  std::vector<std::string> lines = {
      "Maker", "1",  "1",     "4",   "90",   "3",   "45",   "report",
      "name",  "n",  "f.ldt", "d",   "100",  "50",  "20",   "100",
      "50",    "10", "10",    "10",  "10",   "100", "36.8", "1",
      "0",     "1",  "1",     "LED", "1000", "nw",  "80",   "10"};
  lines.insert(lines.end(), 10, "0.5");
  lines.insert(lines.end(),
               {"0", "90", "180", "270", "0", "45", "90", "100", "80", "20"});
  return lines;
}

std::string edited(std::string text, const std::string& from,
                   const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// The EULUMDAT file with line `line` holding `text`.
std::string ldt(std::vector<std::pair<int, std::string>> lines) {
  std::vector<std::string> file = ldtLines();
  for (const auto& [line, text] : lines) file[line - 1] = text;
  std::string joined;
  for (const std::string& line : file) joined += line + "\r\n";
  return joined;
}

// "Kind: Check @ Where" for each finding.
std::vector<std::string> findingsOf(const std::string& name,
                                    const std::string& text) {
  const std::string path = testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << text;
  PhotometricData record;
  std::ostringstream console;
  EXPECT_TRUE(record.parse(path, console)) << console.str();
  std::vector<std::string> lines;
  for (const Finding& f :
       checkRecord(record, wholeCircle(record), tableValues(record)))
    lines.push_back((f.kind == Finding::Kind::fault ? "Fault: " : "Note: ") +
                    f.check + " @ " + f.where);
  return lines;
}

TEST(Checks, NamesWhatIsWrongWithAnIesFile) {
  const struct {
    const char* name;
    std::string text;
    std::vector<std::string> findings;
  } rows[] = {
      {"clean", kIes, {}},
      {"ratio_above_100",
       edited(kIes, "1 1000 1 3", "1 100 1 3"),
       {"Fault: Light output ratio above 100 % @ Intensities"}},
      {"vertical_not_ascending",
       edited(kIes, "0 45 90\n", "0 90 45\n"),
       {"Fault: Vertical angles not ascending @ Vertical angles",
        "Fault: Last vertical angle not 90 or 180 @ Vertical angles"}},
      {"vertical_outside",
       edited(kIes, "0 45 90\n", "-10 45 90\n"),
       {"Fault: Vertical angles outside 0 to 180 @ Vertical angles",
        "Fault: First vertical angle not 0 or 90 @ Vertical angles"}},
      {"horizontal_not_ascending",
       edited(edited(kIes, "1 3 1 1", "1 3 3 1"), "0\n100 80 20\n",
              "0 90 1\n100 80 20 100 80 20 100 80 20\n"),
       {"Fault: Horizontal angles not ascending @ Horizontal angles",
        "Fault: Horizontal angles do not match a symmetry @ Horizontal "
        "angles"}},
      // The first negative value by its own angles, and numbers beyond
      // the grid.
      {"negative_and_more_values",
       edited(kIes, "100 80 20\n", "100 -5 -1\n1 2 3\n"),
       {"Fault: Negative intensity @ C 0\xC2\xB0, \xCE\xB3 45\xC2\xB0",
        "Fault: More values after the intensities @ After the intensities"}},
      {"no_light",
       edited(edited(kIes, "1 1000 1 3", "1 1000 0 3"), "100 80 20", "0 0 0"),
       {"Fault: No intensity above 0 @ Intensities",
        "Fault: Candela multiplier not above 0 @ Candela multiplier"}},
      {"no_lamps",
       edited(kIes, "1 1000 1 3", "0 0 1 3"),
       {"Fault: Number of lamps not above 0 @ Number of lamps",
        "Fault: Lumens per lamp not above 0 @ Lumens per lamp",
        "Note: No lamp flux @ Lumens per lamp"}},
      {"notes",
       edited(kIes, "1 1000 1 3 1 1 1 0.5 0.6 0.1\n1 1 100",
              "1 -1 1 3 1 1 1 0 0 0\n0.9 1.1 0"),
       {"Note: Absolute photometry @ Lumens per lamp",
        "Note: Ballast factor not 1 @ Ballast factor",
        "Note: Ballast-lamp factor not 1 @ Ballast-lamp photometric factor",
        "Note: No input power @ Input watts",
        "Note: Luminous opening of no size @ Width, length and height of "
        "opening"}},
      {"format_unknown",
       edited(kIes, "IESNA:LM-63-2002", "IESNA:LM-63-2099"),
       {"Note: Format line not recognised @ Format"}},
      {"keywords_missing",
       edited(kIes, "[TESTLAB] l\n[ISSUEDATE] d\n", ""),
       {"Note: Required keyword missing @ [TESTLAB]",
        "Note: Required keyword missing @ [ISSUEDATE]"}},
      // LM-63-1986 has neither a format line nor required keywords.
      {"lm_63_1986", edited(kIes, "IESNA:LM-63-2002\n", ""), {}},
      {"type_b",
       edited(kIes, "1 3 1 1 1", "1 3 1 2 1"),
       {"Note: Type B or A photometry: no figures computed @ Photometric "
        "type"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(findingsOf("checks.ies", row.text), row.findings);
  }
}

TEST(Checks, NamesWhatIsWrongWithAnEulumdatFile) {
  const struct {
    const char* name;
    std::string text;
    std::vector<std::string> findings;
  } rows[] = {
      {"clean", ldt({}), {}},
      {"declared_figures",
       ldt({{22, "50"}, {23, "88"}}),
       {"Fault: Declared light output ratio differs @ Line 23",
        "Fault: Declared downward flux fraction differs @ Line 22"}},
      {"c_plane_distance",
       ldt({{5, "30"}}),
       {"Fault: C-plane distance disagrees @ Line 5",
        "Fault: C angles not evenly spaced @ C angles"}},
      {"gamma_distance",
       ldt({{7, "30"}}),
       {"Fault: Gamma distance disagrees @ Line 7"}},
      {"c_angles_not_ascending",
       ldt({{45, "270"}, {46, "180"}}),
       {"Fault: Horizontal angles not ascending @ C angles",
        "Fault: C angles not evenly spaced @ C angles"}},
      {"gamma_outside",
       ldt({{49, "190"}}),
       {"Fault: Vertical angles outside 0 to 180 @ Gamma angles",
        "Fault: Gamma distance disagrees @ Line 7"}},
      {"notes",
       ldt({{16, "0"}, {17, "0"}, {27, "-1"}, {32, "0"}, {23, "36,8"}}),
       {"Note: Absolute photometry @ Line 27", "Note: No input power @ Line 32",
        "Note: Luminous opening of no size @ Lines 16 and 17",
        "Note: Decimal commas read as points @ Number lines"}},
      {"no_lamp_flux",
       ldt({{29, "0"}}),
       {"Note: No lamp flux @ Line 29",
        "Note: No UGR table: no lamp flux @ UGR"}},
      // Without a luminous area or a luminaire's size, no glare table.
      {"no_size",
       ldt({{13, "0"}, {14, "0"}, {16, "0"}, {17, "0"}}),
       {"Note: Luminous opening of no size @ Lines 16 and 17",
        "Note: No UGR table: no luminous area @ UGR"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(findingsOf("checks.ldt", row.text), row.findings);
  }
}

}  // namespace
