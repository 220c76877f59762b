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
//   NAME.expected    what the file NAME holds after the run
//   absent           files that must not exist after the run, one a line
// Standard error must stay empty.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
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

bool describesRun(const fs::path& file) {
  static const std::vector<std::string> kNames = {
      "args", "stdin", "env", "stdout", "status", "memory-limit-mb", "absent"};
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
Outcome runCase(const fs::path& caseDir, const fs::path& root) {
  std::vector<std::string> args = {"input.ies"};
  if (fs::exists(caseDir / "args")) args = readLines(caseDir / "args");
  args.insert(args.begin(), LUMTREL_TOOL);

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
    if (kLimitMemory && limitBytes && setrlimit(RLIMIT_AS, &memory) != 0)
      _exit(126);
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

TEST_P(EndToEnd, Run) {
  const fs::path caseDir = fs::path(LUMTREL_CASES_DIR) / GetParam();
  const fs::path root =
      fs::path(testing::TempDir()) / ("lumtrel-" + GetParam());
  fs::remove_all(root);
  fs::create_directories(root / "work");
  for (const fs::directory_entry& entry : fs::directory_iterator(caseDir)) {
    if (describesRun(entry.path())) continue;
    fs::copy(entry.path(), root / "work" / entry.path().filename(),
             fs::copy_options::recursive | fs::copy_options::copy_symlinks);
  }

  const Outcome outcome = runCase(caseDir, root);
  EXPECT_EQ(outcome.out, readFile(caseDir / "stdout"));
  EXPECT_EQ(outcome.err, "");
  const std::string status = readFile(caseDir / "status");
  EXPECT_EQ(outcome.status, status.empty() ? 0 : std::stoi(status));
  for (const fs::directory_entry& entry : fs::directory_iterator(caseDir)) {
    if (entry.path().extension() != ".expected") continue;
    const fs::path written = root / "work" / entry.path().stem();
    EXPECT_EQ(readFile(written), readFile(entry.path())) << written;
  }
  for (const std::string& name : readLines(caseDir / "absent"))
    EXPECT_FALSE(fs::exists(root / "work" / name)) << name;
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
