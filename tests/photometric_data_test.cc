// Reads IES texts through parse() and checks what the record holds.
#include "photometry/photometric_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Grid = std::vector<std::vector<float>>;

std::string writeFile(const std::string& name, const std::string& text) {
  const std::string path = testing::TempDir() + name;
  std::ofstream(path) << text;
  return path;
}

// An IES file with the given angle counts and data after the header. The
// candela multiplier is 2, so a record holding doubled values applied it.
std::string ies(const std::string& counts, const std::string& data) {
  return "IESNA:LM-63-2002\nTILT=NONE\n1 1000 2.0 " + counts +
         " 1 1 0.5 0.6 0.1\n1.0 1.0 100\n" + data;
}

struct ReadCase {
  const char* name;
  std::string text;
  std::vector<float> vertical;
  std::vector<float> horizontal;
  Grid candela;
};

TEST(PhotometricData, HoldsTheGridAsNormalised) {
  const ReadCase cases[] = {
      {"shifted",
       ies("3 1", "90 135 180 0 100 80 20"),
       {0, 45, 90},
       {0, 180},
       {{100, 80, 20}, {100, 80, 20}}},
      {"below_zero",
       ies("3 1", "-90 0 90 0 1 2 3"),
       {-90, 0, 90},
       {0, 180},
       {{1, 2, 3}, {1, 2, 3}}},
      {"one_plane_at_90",
       ies("2 1", "0 90 90 5 6"),
       {0, 90},
       {90, 180},
       {{5, 6}, {5, 6}}},
      {"planes_as_read",
       ies("2 3", "0 90 0 45 90 1 2 3 4 5 6"),
       {0, 90},
       {0, 45, 90},
       {{1, 2}, {3, 4}, {5, 6}}},
      {"no_vertical", ies("0 2", "0 90"), {}, {0, 90}, {{}, {}}},
      {"no_horizontal", ies("3 0", "0 45 90"), {0, 45, 90}, {}, {}},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    PhotometricData record;
    std::ostringstream console;
    ASSERT_TRUE(record.parse(writeFile(c.name, c.text), console));
    EXPECT_EQ(record.verticalAngles, c.vertical);
    EXPECT_EQ(record.horizontalAngles, c.horizontal);
    EXPECT_EQ(record.candela, c.candela);
    EXPECT_EQ(record.verticalCount, static_cast<int>(c.vertical.size()));
    EXPECT_EQ(record.horizontalCount, static_cast<int>(c.horizontal.size()));
    EXPECT_EQ(record.photometricType, 1);
  }
}

TEST(PhotometricData, StaysEmptyWhenTheReadFails) {
  const std::string texts[] = {
      ies("3 2", "0 45 90 0 90 1 2 3 4 5"),  // a candela value short
      ies("3 1", "0 45 90"),                 // no horizontal angle
      ies("3 -2", "0 45 90 0 90"),           // a negative count
      "IESNA:LM-63-2002\n1 1000 2.0 3 1 1 1 0.5 0.6 0.1\n",  // no tilt line
  };
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    PhotometricData record;
    std::ostringstream console;
    EXPECT_FALSE(record.parse(writeFile("broken.ies", text), console));
    EXPECT_TRUE(record.verticalAngles.empty());
    EXPECT_TRUE(record.horizontalAngles.empty());
    EXPECT_TRUE(record.candela.empty());
    EXPECT_EQ(record.verticalCount, 0);
    EXPECT_EQ(record.horizontalCount, 0);
    EXPECT_EQ(record.photometricType, 0);
  }
}

// One header item: its label, and its text, or its number where the text is
// empty.
struct Item {
  std::size_t index;
  const char* label;
  const char* text;
  double number;
};

void expectHeader(const PhotometricData& record,
                  const std::vector<Item>& items) {
  for (const Item& item : items) {
    SCOPED_TRACE(item.label);
    ASSERT_LT(item.index, record.header.size());
    const HeaderItem& got = record.header[item.index];
    EXPECT_EQ(got.label, item.label);
    EXPECT_EQ(got.isNumber, *item.text == '\0');
    EXPECT_EQ(got.text, item.text);
    if (got.isNumber) {
      EXPECT_EQ(got.number, item.number);
    }
  }
}

TEST(PhotometricData, KeepsTheIesHeaderItemByItem) {
  PhotometricData record;
  std::ostringstream console;
  ASSERT_TRUE(record.parse(
      writeFile(
          "header.ies",
          "IESNA:LM-63-2002\r\n[TEST] ab  c \r\n\r\nfree text\r\n"
          "[LUMCAT] 0815\r\nTILT=INCLUDE\r\n1\r\n2\r\n0 90\r\n1 0.1\r\n"
          "2 -1 0.1 2 1 1 1 0.5 0.6 0.1\r\n1.0 x 100\r\n0 90\r\n0\r\n1 2\r\n"),
      console));
  expectHeader(record, {{0, "Format", "IESNA:LM-63-2002", 0},
                        {1, "[TEST]", "ab  c", 0},
                        {2, "Text", "free text", 0},
                        {3, "[LUMCAT]", "0815", 0},
                        {4, "TILT", "INCLUDE", 0},
                        {5, "Lamp-to-luminaire geometry", "", 1},
                        {6, "Number of tilt angles", "", 2},
                        {8, "Tilt angle", "", 90},
                        {10, "Multiplying factor", "", 0.1},
                        {11, "Number of lamps", "", 2},
                        {12, "Lumens per lamp", "", -1},
                        {13, "Candela multiplier", "", 0.1},
                        {17, "Units type", "", 1},
                        {20, "Height of opening", "", 0.1},
                        {22, "Ballast-lamp photometric factor", "x", 0},
                        {23, "Input watts", "", 100}});
  EXPECT_EQ(record.header.size(), 24u);
  EXPECT_EQ(record.candelaMultiplier, 0.1);
  EXPECT_EQ(record.lampFlux, 0);  // absolute photometry
  EXPECT_EQ(record.fileVerticalAngles, std::vector<float>({0, 90}));
}

TEST(PhotometricData, ReadsALargeGridInFull) {
  const int planes = 361, angles = 181;
  std::ostringstream data;
  for (int i = 0; i < angles; ++i) data << i * 0.5 << ' ';
  for (int i = 0; i < planes; ++i) data << i << '\n';
  for (int i = 0; i < planes * angles; ++i) data << i % 1000 << ' ';
  PhotometricData record;
  std::ostringstream console;
  ASSERT_TRUE(record.parse(writeFile("large.ies", ies("181 361", data.str())),
                           console));
  ASSERT_EQ(record.candela.size(), 361u);
  EXPECT_EQ(record.verticalAngles.back(), 90);
  EXPECT_EQ(record.horizontalAngles.back(), 360);
  EXPECT_EQ(record.candela[360][180], (360 * 181 + 180) % 1000);
}

}  // namespace

namespace {

// The lines of an EULUMDAT file with symmetry `isym` and `mc` C-planes
// spread evenly, gamma angles 0, 22.5 and 45, and as intensities of the
// stored plane p the values p * 10, p * 10 + 1 and p * 10 + 2. Line n of
// the file is element n - 1. Set 1 has two lamps of 3000 lm in all.
std::vector<std::string> ldtLines(int isym, int mc) {
  std::vector<std::string> lines;
  std::istringstream header(
      "Maker\n1\nIsym\nMc\nDc\n3\n22.5\nreport\nname\nnumber\nfile.ldt\n"
      "date\n100\n50\n20\n80\n40\n10\n10\n10\n10\n100\n80\n1\n0\n1\n2\n"
      "LED\n3000\nnw\n80\n25.5\n");
  for (std::string line; std::getline(header, line);) lines.push_back(line);
  lines[2] = std::to_string(isym);
  lines[3] = std::to_string(mc);
  lines[4] = std::to_string(360 / mc);
  lines.insert(lines.end(), 10, "0.5");  // direct ratios
  for (int i = 0; i < mc; ++i) lines.push_back(std::to_string(i * 360 / mc));
  lines.insert(lines.end(), {"0", "22.5", "45"});
  const int stored[] = {mc, 1, mc / 2 + 1, mc / 2 + 1, mc / 4 + 1};
  for (int plane = 0; plane < stored[isym]; ++plane) {
    for (int gamma = 0; gamma < 3; ++gamma)
      lines.push_back(std::to_string(plane * 10 + gamma));
  }
  return lines;
}

std::string joined(const std::vector<std::string>& lines,
                   const std::string& lineEnd = "\n") {
  std::string text;
  for (const std::string& line : lines) text += line + lineEnd;
  return text;
}

// The intensities of stored plane p, as ldtLines writes them.
std::vector<float> storedPlane(int p) {
  return {p * 10.0f, p * 10.0f + 1, p * 10.0f + 2};
}

struct LayoutCase {
  int isym;
  int mc;
  std::vector<float> horizontal;
  std::vector<int> rowPlanes;  // the stored plane that each row holds
};

TEST(PhotometricData, LaysOutEulumdatPlanesByTheirSymmetry) {
  const LayoutCase cases[] = {
      {0, 4, {0, 90, 180, 270}, {0, 1, 2, 3}},
      {1, 4, {0, 180}, {0, 0}},  // the whole C list, one plane stored
      {2, 4, {0, 90, 180}, {0, 1, 2}},
      // Stored from C270 past C0 to C90; rows run C90 to C270.
      {3, 8, {90, 135, 180, 225, 270}, {4, 3, 2, 1, 0}},
      {4, 8, {0, 45, 90}, {0, 1, 2}},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.isym);
    PhotometricData record;
    std::ostringstream console;
    ASSERT_TRUE(record.parse(
        writeFile("layout.ldt", joined(ldtLines(c.isym, c.mc))), console))
        << console.str();
    Grid grid;
    for (const int plane : c.rowPlanes) grid.push_back(storedPlane(plane));
    EXPECT_EQ(record.verticalAngles, std::vector<float>({0, 22.5f, 45}));
    EXPECT_EQ(record.horizontalAngles, c.horizontal);
    EXPECT_EQ(record.candela, grid);
    EXPECT_EQ(record.horizontalCount, static_cast<int>(c.horizontal.size()));
    EXPECT_EQ(record.photometricType, 1);
  }
}

// Every line of the header, every lamp set, the direct ratios; numbers
// where the line holds one, a decimal comma too.
TEST(PhotometricData, KeepsTheEulumdatHeaderLineByLine) {
  std::vector<std::string> lines = ldtLines(2, 4);
  lines[22] = "85,5";
  lines[25] = "2";
  lines.insert(lines.begin() + 32, {"1", "LED 2", "n/a", "ww", "90", "30"});
  PhotometricData record;
  std::ostringstream console;
  ASSERT_TRUE(record.parse(writeFile("header.ldt", joined(lines)), console));
  expectHeader(record,
               {{0, "Company / data bank", "Maker", 0},
                {2, "Isym (symmetry indicator)", "", 2},
                {8, "Luminaire name", "name", 0},
                {22, "Light output ratio of luminaire (%)", "", 85.5},
                {26, "Set 1: number of lamps", "", 2},
                {28, "Set 1: total luminous flux of lamps (lm)", "", 3000},
                {30, "Set 1: colour rendering group", "80", 0},
                {34, "Set 2: total luminous flux of lamps (lm)", "n/a", 0},
                {37, "Set 2: wattage including ballast (W)", "", 30},
                {47, "Direct ratio for room index k = 5.0", "", 0.5}});
  EXPECT_EQ(record.header.size(), 48u);
  EXPECT_EQ(record.candelaMultiplier, 3);
  EXPECT_EQ(record.lampFlux, 3000);
  EXPECT_EQ(record.declaredOutputRatio, 85.5);
}

// One small file written in every form that real files take gives one
// record.
TEST(PhotometricData, ReadsEulumdatInEveryTextForm) {
  const std::vector<std::string> lines = ldtLines(2, 4);
  const auto edited = [&](auto edit) {
    std::vector<std::string> copy = lines;
    for (std::size_t i = 0; i < copy.size(); ++i) edit(i + 1, &copy[i]);
    return copy;
  };
  // Lines only counted: texts, Ityp, Dc, Dg, the luminaire's size, heights,
  // fractions, tilt, set 1's texts, the direct ratios.
  const std::set<std::size_t> counted = {
      1,  2,  5,  7,  8,  9,  10, 11, 12, 13, 14, 15, 19, 20, 21, 22,
      23, 25, 28, 30, 31, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42};
  const std::string texts[] = {
      joined(lines, "\r\n"),
      joined(lines, "\r"),
      joined(lines, "\r\r\n"),
      joined(lines).substr(0, joined(lines).size() - 1),  // no last line end
      "\xEF\xBB\xBF" + joined(lines),
      joined(edited([](std::size_t, std::string* line) {
        for (char& c : *line) c = c == '.' ? ',' : c;
      })),
      joined(edited([](std::size_t, std::string* line) {
        *line = " \t" + *line + "\t ";
      })),
      joined(edited([&](std::size_t number, std::string* line) {
               if (counted.count(number)) line->clear();
             }),
             "\r\r\n"),
      joined(edited([](std::size_t number, std::string* line) {
        if (number == 4) *line = "4,0";
        if (number == 6) *line = "0.3e1";
      })),
      joined(lines) + "\n\n0\n1 2 3\nmore planes\n",
  };
  PhotometricData plain;
  std::ostringstream plainConsole;
  ASSERT_TRUE(plain.parse(writeFile("plain.ldt", joined(lines)), plainConsole));
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    PhotometricData record;
    std::ostringstream console;
    ASSERT_TRUE(record.parse(writeFile("form.ldt", text), console));
    EXPECT_EQ(console.str(), plainConsole.str());
    EXPECT_EQ(record.verticalAngles, plain.verticalAngles);
    EXPECT_EQ(record.horizontalAngles, plain.horizontalAngles);
    EXPECT_EQ(record.candela, plain.candela);
  }
}

struct Edit {
  std::size_t line;  // 1 for the first
  const char* text;  // nullptr: the file ends before this line
};

// `lines` with each edit made.
std::string edited(std::vector<std::string> lines,
                   std::initializer_list<Edit> edits) {
  for (const Edit& edit : edits) {
    if (edit.text) {
      lines[edit.line - 1] = edit.text;
    } else {
      lines.resize(edit.line - 1);
    }
  }
  return joined(lines);
}

// The last line that reading the file printed.
std::string lastLine(const std::string& console) {
  const std::size_t end = console.find_last_not_of('\n');
  return console.substr(console.rfind('\n', end) + 1,
                        end - console.rfind('\n', end));
}

struct FailureCase {
  Edit edit;
  const char* message;
};

// Each a one-line edit of a valid file: Isym 2, six C-planes, four stored.
TEST(PhotometricData, RefusesABrokenEulumdatFileWithItsReason) {
  const FailureCase cases[] = {
      {{1, nullptr}, "symmetry indicator missing or not a number!"},
      {{3, "x"}, "symmetry indicator missing or not a number!"},
      {{3, "2.5"}, "symmetry indicator missing or not a number!"},
      {{3, "5"}, "symmetry indicator must be 0 to 4!"},
      {{3, "-1"}, "symmetry indicator must be 0 to 4!"},
      {{3, "3"},
       "number of C-planes must be a multiple of 4 for this symmetry!"},
      {{4, "5"},
       "number of C-planes must be a multiple of 2 for this symmetry!"},
      {{4, "0"}, "number of C-planes must be at least 1!"},
      {{4, "1,234.5"}, "number of C-planes missing or not a number!"},
      {{6, "0"}, "number of gamma angles must be at least 1!"},
      {{6, "2147483648"}, "number of gamma angles missing or not a number!"},
      {{16, "80 mm"}, "luminous area length missing or not a number!"},
      {{17, "nan"}, "luminous area width missing or not a number!"},
      {{18, "1.5.3"}, "luminous area height missing or not a number!"},
      {{24, "inf"}, "conversion factor missing or not a number!"},
      {{26, "0"}, "number of lamp sets must be at least 1!"},
      {{26, "-3"}, "number of lamp sets must be at least 1!"},
      {{27, "2.5"}, "number of lamps missing or not a number!"},
      {{29, "0x10"}, "luminous flux missing or not a number!"},
      {{32, ""}, "wattage missing or not a number!"},
      {{33, nullptr}, "C angle missing or not a number!"},
      {{43, "1e"}, "C angle missing or not a number!"},
      {{49, "3.5e39"}, "gamma angle missing or not a number!"},
      {{52, "80 cd"}, "intensity missing or not a number!"},
      {{63, nullptr}, "intensity missing or not a number!"},
      // More lamp sets than the file holds: the lines run out.
      {{26, "2147483647"}, "C angle missing or not a number!"},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.message);
    SCOPED_TRACE(c.edit.line);
    PhotometricData record;
    std::ostringstream console;
    EXPECT_FALSE(record.parse(
        writeFile("broken.ldt", edited(ldtLines(2, 6), {c.edit})), console));
    EXPECT_EQ(lastLine(console.str()),
              std::string("EULUMDAT data invalid: ") + c.message);
    EXPECT_TRUE(record.candela.empty());
    EXPECT_EQ(record.horizontalCount, 0);
  }
}

struct ReportCase {
  std::initializer_list<Edit> edits;
  const char* line;
};

// Report lines worked out from set 1 and the luminous area: two lamps of
// 3000 lm in all, a conversion factor of 1, an area 80 x 40 x 10 mm.
TEST(PhotometricData, ReportsEulumdatHeaderValuesAsIesDoes) {
  const ReportCase cases[] = {
      {{}, "Lumens per lamp: 1500"},
      {{}, "Candela multiplier: 3"},
      {{}, "(Width, Length, Height) = (0.04, 0.08, 0.01)"},
      {{}, "Input Watts: 25.5"},
      {{{27, "-2"}}, "Number of lamps: 2"},
      {{{27, "-2"}}, "Lumens per lamp: -1"},
      {{{27, "0"}}, "Lumens per lamp: 3000"},
      {{{27, "3"}}, "Lumens per lamp: 1000"},
      {{{24, "0,5"}, {29, "1234,5"}}, "Candela multiplier: 0.61725"},
      {{{24, "0"}, {29, "-3000"}}, "Candela multiplier: 0"},
      {{{29, "-0"}}, "Lumens per lamp: 0"},
      {{{17, "0"}}, "(Width, Length, Height) = (-0.08, -0.08, 0.01)"},
      {{{16, "0"}, {17, "-0"}, {18, "-0"}},
       "(Width, Length, Height) = (0, 0, 0)"},
      {{{32, "-0"}}, "Input Watts: 0"},
  };
  for (const ReportCase& c : cases) {
    SCOPED_TRACE(c.line);
    PhotometricData record;
    std::ostringstream console;
    EXPECT_TRUE(record.parse(
        writeFile("report.ldt", edited(ldtLines(2, 6), c.edits)), console));
    EXPECT_NE(console.str().find(std::string("\n") + c.line + "\n"),
              std::string::npos)
        << console.str();
  }
}

}  // namespace
