// Runs the built lumtrel as a user would, once for each folder under
// tests/cases. The files of a case folder are copied into a fresh working
// folder, where the tool runs, except for these, which describe the run:
//   args             the arguments, one a line (default: input.ies)
//   stdin            what the user types (default: input already at its end)
//   env              environment lines NAME=value, @LOCALES@ standing for the
//                    folder of built locales (default: LC_ALL=C)
//   stdout           the console output expected, to the byte
//   status           the exit status expected (default: 0)
//   memory-limit-mb  an address-space limit for the run, in plain builds
//   file-size-limit-bytes  writes past this size fail (EFBIG), as on a full
//                    disk; Linux only, since it would stop Wine's own files
//   umask            the umask of the run, in octal (default: 022)
//   chmod            lines MODE NAME: permissions given to the copied files
//                    before the run
//   modes            lines MODE NAME: permissions expected after the run
//                    (not under Wine, where Windows has none of its own)
//   NAME.expected    what the file NAME holds after the run; in a subfolder,
//                    what the file of that name in that subfolder holds
//   absent           files that must not exist after the run, one a line
// Standard error must stay empty, no file of the tool's own (".lumtrel-...")
// may be left anywhere in the working folder, and every symbolic link of the
// case must still be the same link.
//
// With LUMTREL_WINDOWS_TOOL naming a cross-built lumtrel.exe (and LUMTREL_WINE
// the wine command), each case runs that exe under Wine instead. Windows
// writes text with CRLF line ends and ends every run with the command
// interpreter's pause, so there stdout must use CRLF throughout and end with
// the pause's prompt, a last piece of text with no line end; the lines
// before it are compared as above. Every table the tool wrote must use CRLF
// too; a file the case folder holds and expects unchanged is compared as it
// is. A file in the case's windows/ folder replaces the expectation of the
// same name, or adds one of its own, where Windows differs (it has no classic
// "C" user locale: Wine maps LC_ALL=C to en-US).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The sanitizers reserve terabytes of address space: no limit under them.
#ifdef LUMTREL_SANITIZED
constexpr bool kLimitMemory = false;
#else
constexpr bool kLimitMemory = true;
#endif

std::string readFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::vector<std::string> readLines(const fs::path& path) {
  std::vector<std::string> lines;
  std::ifstream file(path);
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

// The Windows tool and Wine, when the cases run under Wine.
struct WineRun {
  const char* tool = std::getenv("LUMTREL_WINDOWS_TOOL");
  const char* wine = std::getenv("LUMTREL_WINE");
  bool active() const { return tool && *tool && wine && *wine; }
};

// Cases that prove nothing under Wine, with the reason.
const char* skippedUnderWine(const std::string& name) {
  if (name == "answer_names_link_to_input")
    return "the link is a Unix symbolic link, which Windows has no use for";
  if (name == "output_device_full") return "Windows has no /dev/full";
  if (name == "table_through_link")
    return "the answer is a Unix symbolic link, which Windows replaces as a "
           "file";
  if (name == "workbook_without_temporary_folder")
    return "Wine's own server lives in TMPDIR, and Windows takes its "
           "temporary folder from TMP, which Wine sets itself";
  if (name == "table_pashto_locale")
    return "Wine's ps-AF format is not Windows' (a comma where Windows has "
           "the Arabic decimal separator U+066B)";
  return nullptr;
}

// `text` with each CRLF line end turned into LF, or nothing when a line
// ends otherwise.
std::optional<std::string> fromCrlf(const std::string& text) {
  std::string lines;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return {};
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    lines.push_back(text[i]);
  }
  return lines;
}

bool describesRun(const fs::path& file) {
  static const std::vector<std::string> kNames = {
      "args",   "stdin",           "env",    "stdout",
      "status", "memory-limit-mb", "absent", "windows",
      "umask",  "chmod",           "modes",  "file-size-limit-bytes"};
  return std::count(kNames.begin(), kNames.end(), file.filename().string()) ||
         file.extension() == ".expected";
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
  std::vector<char*> result;
  for (std::string& text : texts) result.push_back(text.data());
  result.push_back(nullptr);
  return result;
}

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

// Runs the tool in `root`/work, its output captured beside that folder. A run
// that hangs is ended by an alarm, which survives the exec.
Outcome runCase(const fs::path& caseDir, const fs::path& root,
                const WineRun& wine) {
  std::vector<std::string> args = {"input.ies"};
  if (fs::exists(caseDir / "args")) args = readLines(caseDir / "args");
  if (wine.active()) {
    args.insert(args.begin(), {wine.wine, wine.tool});
  } else {
    args.insert(args.begin(), LUMTREL_TOOL);
  }

  std::vector<std::string> env = {"LC_ALL=C"};
  if (fs::exists(caseDir / "env")) env = readLines(caseDir / "env");
  for (std::string& line : env) {
    const std::size_t at = line.find("@LOCALES@");
    if (at != std::string::npos) line.replace(at, 9, LUMTREL_LOCALES_DIR);
  }
  for (char** inherited = environ; *inherited; ++inherited) {
    const std::string line = *inherited;
    if (line.rfind("LC_", 0) && line.rfind("LANG", 0) &&
        line.rfind("LOCPATH", 0))
      env.push_back(line);
  }

  const fs::path input =
      fs::exists(caseDir / "stdin") ? caseDir / "stdin" : fs::path("/dev/null");
  const std::string limit = readFile(caseDir / "memory-limit-mb");
  const rlim_t limitBytes = limit.empty() ? 0 : std::stoul(limit) << 20;
  const std::string sizeLimit = readFile(caseDir / "file-size-limit-bytes");
  const std::string mask = readFile(caseDir / "umask");
  std::vector<char*> argv = pointers(args), envp = pointers(env);
  const std::string work = root / "work", out = root / "out",
                    err = root / "err";

  const pid_t child = fork();
  if (child == 0) {
    const int in = open(input.c_str(), O_RDONLY);
    const int mode = O_WRONLY | O_CREAT | O_TRUNC;
    if (chdir(work.c_str()) != 0 || dup2(in, 0) < 0 ||
        dup2(open(out.c_str(), mode, 0644), 1) < 0 ||
        dup2(open(err.c_str(), mode, 0644), 2) < 0)
      _exit(126);
    const rlimit memory = {limitBytes, limitBytes};
    if (kLimitMemory && !wine.active() && limitBytes &&
        setrlimit(RLIMIT_AS, &memory) != 0)
      _exit(126);
    umask(mask.empty() ? 022
                       : static_cast<mode_t>(std::stoul(mask, nullptr, 8)));
    if (!sizeLimit.empty()) {
      // A write past the limit then fails with EFBIG instead of killing.
      signal(SIGXFSZ, SIG_IGN);
      const rlim_t bytes = std::stoul(sizeLimit);
      const rlimit fileSize = {bytes, bytes};
      if (setrlimit(RLIMIT_FSIZE, &fileSize) != 0) _exit(126);
    }
    alarm(20);
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
          readFile(out), readFile(err)};
}

class EndToEnd : public testing::TestWithParam<std::string> {};

// The expectation for `name`: the case's windows/ folder holds it where
// Windows differs.
fs::path expectation(const fs::path& caseDir, const std::string& name,
                     const WineRun& wine) {
  if (wine.active() && fs::exists(caseDir / "windows" / name))
    return caseDir / "windows" / name;
  return caseDir / name;
}

// The .expected files of a case, relative to its folder, in subfolders too;
// under Wine also those that only its windows/ folder holds.
std::set<fs::path> expectedFiles(const fs::path& caseDir, const WineRun& wine) {
  std::set<fs::path> names;
  for (const fs::path& folder : {caseDir, caseDir / "windows"}) {
    if (!fs::exists(folder) || (folder != caseDir && !wine.active())) continue;
    for (auto entry = fs::recursive_directory_iterator(folder);
         entry != fs::recursive_directory_iterator(); ++entry) {
      if (entry->path() == caseDir / "windows")
        entry.disable_recursion_pending();
      if (entry->path().extension() == ".expected")
        names.insert(entry->path().lexically_relative(folder));
    }
  }
  return names;
}

// The permission bits of `path`, in octal.
std::string modeOf(const fs::path& path) {
  std::ostringstream mode;
  mode << std::oct
       << (static_cast<unsigned>(fs::status(path).permissions()) & 07777);
  return mode.str();
}

// The lines MODE NAME of a case's file `name`.
std::vector<std::pair<std::string, std::string>> modeLines(
    const fs::path& file) {
  std::vector<std::pair<std::string, std::string>> lines;
  for (const std::string& line : readLines(file)) {
    const std::size_t space = line.find(' ');
    lines.emplace_back(line.substr(0, space), line.substr(space + 1));
  }
  return lines;
}

TEST_P(EndToEnd, Run) {
  const WineRun wine;
  if (wine.active() && skippedUnderWine(GetParam()))
    GTEST_SKIP() << skippedUnderWine(GetParam());
  const fs::path caseDir = fs::path(LUMTREL_CASES_DIR) / GetParam();
  if (wine.active() && fs::exists(caseDir / "file-size-limit-bytes"))
    GTEST_SKIP() << "a file size limit would stop Wine's own files too";
  // A folder of its own for the Windows run, which ctest -j may run at the
  // same time as the Linux one.
  const fs::path root =
      fs::path(testing::TempDir()) /
      ((wine.active() ? "lumtrel-wine-" : "lumtrel-") + GetParam());
  fs::remove_all(root);
  fs::create_directories(root / "work");
  for (const fs::directory_entry& entry : fs::directory_iterator(caseDir)) {
    if (describesRun(entry.path())) continue;
    fs::copy(entry.path(), root / "work" / entry.path().filename(),
             fs::copy_options::recursive | fs::copy_options::copy_symlinks);
  }

  for (const auto& [mode, name] : modeLines(caseDir / "chmod"))
    fs::permissions(root / "work" / name,
                    static_cast<fs::perms>(std::stoul(mode, nullptr, 8)));

  const Outcome outcome = runCase(caseDir, root, wine);
  std::string out = outcome.out;
  if (wine.active()) {
    const std::optional<std::string> lines = fromCrlf(out);
    ASSERT_TRUE(lines) << "a line of stdout does not end in CRLF:\n" << out;
    const std::size_t prompt = lines->rfind('\n') + 1;
    EXPECT_LT(prompt, lines->size()) << "stdout does not end with a prompt";
    out = lines->substr(0, prompt);
  }
  EXPECT_EQ(out, readFile(expectation(caseDir, "stdout", wine)));
  EXPECT_EQ(outcome.err, "");
  const std::string status = readFile(expectation(caseDir, "status", wine));
  EXPECT_EQ(outcome.status, status.empty() ? 0 : std::stoi(status));
  for (const fs::path& expectedFile : expectedFiles(caseDir, wine)) {
    const fs::path name = fs::path(expectedFile).replace_extension();
    const std::string expected =
        readFile(expectation(caseDir, expectedFile.string(), wine));
    std::optional<std::string> written = readFile(root / "work" / name);
    const bool leftAsItWas =
        fs::exists(caseDir / name) && readFile(caseDir / name) == expected;
    if (wine.active() && !leftAsItWas) written = fromCrlf(*written);
    ASSERT_TRUE(written) << name << ": a line does not end in CRLF";
    EXPECT_EQ(*written, expected) << name;
  }
  for (const std::string& name : readLines(caseDir / "absent"))
    EXPECT_FALSE(fs::exists(root / "work" / name)) << name;
  if (!wine.active()) {
    for (const auto& [mode, name] : modeLines(caseDir / "modes"))
      EXPECT_EQ(modeOf(root / "work" / name), mode) << name;
  }
  for (const fs::directory_entry& entry :
       fs::recursive_directory_iterator(root / "work")) {
    EXPECT_NE(entry.path().filename().string().rfind(".lumtrel-", 0), 0u)
        << entry.path() << " is left behind";
  }
  for (const fs::directory_entry& entry :
       fs::recursive_directory_iterator(caseDir)) {
    if (!entry.is_symlink()) continue;
    const fs::path copy =
        root / "work" / entry.path().lexically_relative(caseDir);
    EXPECT_TRUE(fs::is_symlink(copy) &&
                fs::read_symlink(copy) == fs::read_symlink(entry.path()))
        << copy << " is no longer the same link";
  }
  fs::remove_all(root);
}

std::vector<std::string> caseNames() {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry :
       fs::directory_iterator(LUMTREL_CASES_DIR))
    names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

INSTANTIATE_TEST_SUITE_P(Cases, EndToEnd, testing::ValuesIn(caseNames()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           return info.param;
                         });

}  // namespace
