#include "app/folder_run.h"

#include <algorithm>
#include <sstream>
#include <vector>

#include "analysis/overview.h"
#include "app/terminal.h"
#include "export/output_file.h"
#include "export/output_path.h"
#include "export/overview_writer.h"
#include "export/workbook_writer.h"
#include "photometry/file_path.h"
#include "photometry/photometric_data.h"

namespace {

constexpr int kSaved = 0;
constexpr int kNotRead = 2;
constexpr int kNotSaved = 3;

// The last line a reader printed: why it refused the file.
std::string lastLine(const std::string& report) {
  std::size_t end = report.size();
  while (end > 0 && (report[end - 1] == '\n' || report[end - 1] == '\r')) --end;
  const std::size_t start = report.rfind('\n', end == 0 ? 0 : end - 1);
  return report.substr(start == std::string::npos ? 0 : start + 1,
                       end - (start == std::string::npos ? 0 : start + 1));
}

// `text` in lower case, for names a file system may not tell apart.
std::string folded(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// One line kept up to date in place on a terminal, and nothing elsewhere:
// each update rewrites the whole line, as wide as the terminal less one
// character, so that it never wraps.
class ProgressLine {
 public:
  explicit ProgressLine(std::ostream& console)
      : console_(console),
        width_(outputIsTerminal()
                   ? std::max<std::size_t>(terminalWidth(), 2) - 1
                   : 0) {}

  void show(std::size_t done, std::size_t count, const std::string& name) {
    if (width_ == 0) return;
    const std::string text = "Reading " + std::to_string(done) + " of " +
                             std::to_string(count) + ": " + name;
    // Cut to the width, never inside a character.
    std::string line;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const bool starts = (text[i] & 0xC0) != 0x80;
      if (starts && characters == width_) break;
      characters += starts;
      line += text[i];
    }
    console_ << '\r' << line << std::string(width_ - characters, ' ')
             << std::flush;
  }
  void clear() {
    if (width_ == 0) return;
    console_ << '\r' << std::string(width_, ' ') << '\r' << std::flush;
  }

 private:
  std::ostream& console_;
  const std::size_t width_;  // 0 where nothing is shown
};

// Refuses an answer before anything is written.
int refuse(const std::string& answer, const std::string& reason,
           std::ostream& console) {
  reportSave(false, answer, reason, console);
  return kNotSaved;
}

}  // namespace

int runFolder(const std::string& folder, std::istream& answers,
              std::ostream& console) {
  std::vector<std::string> names;
  std::string reason;
  if (!listPhotometricFiles(folder, &names, &reason)) {
    console << "Could not read the folder: " << folder << std::endl;
    console << "Reason: " << reason << std::endl;
    return kNotRead;
  }
  if (names.empty()) {
    console << "No IES or EULUMDAT files in the folder." << std::endl;
    return kNotRead;
  }

  // The first pass keeps each file's row, never its record.
  std::vector<OverviewRow> rows;
  std::size_t readCount = 0;
  ProgressLine progress(console);
  for (std::size_t i = 0; i < names.size(); ++i) {
    progress.show(i + 1, names.size(), names[i]);
    PhotometricData record;
    std::ostringstream report;
    const bool read = record.parse(fileInFolder(folder, names[i]), report);
    readCount += read;
    rows.push_back(read ? overviewRow(names[i], record)
                        : refusedRow(names[i], lastLine(report.str())));
  }
  progress.clear();
  console << "Read: " << readCount << " of " << names.size() << " files"
          << std::endl;
  for (const OverviewRow& row : rows) {
    if (!row.read)
      console << "Refused: " << row.file << ": " << row.status << std::endl;
  }
  if (readCount == 0) return kNotRead;

  console << "Type output path: " << std::endl;
  std::string answer;
  if (!readOutputPath(answers, &answer)) {
    console << "No output path given." << std::endl;
    return kNotSaved;
  }
  const bool workbooks = namesExtension(answer, ".xlsx");
  const std::string extension = workbooks ? ".xlsx" : ".csv";
  for (const std::string& name : names) {
    if (sameFile(pathFromUtf8(fileInFolder(folder, name)),
                 pathFromUtf8(answer))) {
      console << "Could not save over the input file: " << answer << std::endl;
      return kNotSaved;
    }
  }
  if (isFolder(answer))
    return refuse(answer, "The answer names a folder.", console);
  const std::string outputFolder = folderOf(answer);
  if (!outputFolder.empty() && !isFolder(outputFolder))
    return refuse(answer, "The answer's folder does not exist.", console);
  const std::string answerName =
      folded(nameAsOpened(answer.substr(outputFolder.size())));
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (rows[i].read && folded(names[i] + extension) == answerName)
      return refuse(answer, "The output of one of the files takes that name.",
                    console);
  }

  // The second pass reads each file again for its own output.
  bool failed = false;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!rows[i].read) continue;
    const std::string input = fileInFolder(folder, names[i]);
    const std::string output = outputFolder + names[i] + extension;
    PhotometricData record;
    std::ostringstream report;
    if (!record.parse(input, report)) {
      reportSave(false, output, lastLine(report.str()), console);
      failed = true;
      continue;
    }
    if (workbooks) {
      std::time_t created = 0;
      lastModified(input, &created);
      std::size_t faults = 0;
      failed |=
          !saveWorkbook(record, output, names[i], created, console, &faults);
    } else {
      failed |= !record.save(output, console);
    }
  }
  failed |= !(workbooks ? saveOverviewWorkbook(rows, answer, console)
                        : saveOverviewTable(rows, answer, console));
  if (failed) return kNotSaved;
  return readCount < names.size() ? kNotRead : kSaved;
}
