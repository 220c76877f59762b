#ifndef LUMTREL_EXPORT_OUTPUT_PATH_H_
#define LUMTREL_EXPORT_OUTPUT_PATH_H_

#include <istream>
#include <string>

/// Reads the output path that the user typed at the prompt from `answers`,
/// in UTF-8. Blank lines before it are skipped, and the answer is one token,
/// cut at its first blank.
///
/// On Windows, where a double quote can be no part of a file name, an answer
/// whose first character is one is instead the text up to the next quote on
/// that line, blanks included, without the quotes (a path that holds spaces,
/// or one pasted from Explorer's "Copy as path"); with no closing quote, the
/// rest of the line without its trailing blanks. An answer that is not
/// UTF-8, as cmd pipes it, is decoded from the console's output code page,
/// or the ANSI code page where there is no console.
///
/// Returns false, with `path` empty, when `answers` end before any path or
/// the quotes hold nothing.
bool readOutputPath(std::istream& answers, std::string* path);

/// `answer` in UTF-8: valid UTF-8 as it stands; on Windows, any other bytes
/// decoded from the code page `codePage` (850, 1252, ...). Elsewhere the
/// bytes are the name and are kept as they are.
std::string answerInUtf8(const std::string& answer, unsigned codePage);

#endif  // LUMTREL_EXPORT_OUTPUT_PATH_H_
