// Decodes answers that cmd piped in a legacy code page, as Windows reads them.
#include <gtest/gtest.h>

#include <string>

#include "export/output_path.h"

namespace {

TEST(OutputPath, DecodesAnAnswerThatIsNotUtf8FromItsCodePage) {
  const struct {
    unsigned codePage;
    const char* piped;
    const char* utf8;
  } rows[] = {
      {850, "\x9D-lamp.csv", "\xC3\x98-lamp.csv"},  // Ø
      {850,
       "Gr\x94\xE1"
       "e.csv",
       "Gr\xC3\xB6\xC3\x9F"
       "e.csv"},  // Größe
      {1252, "\xD8-lamp.csv", "\xC3\x98-lamp.csv"},
      {1252,
       "Gr\xF6\xDF"
       "e.csv",
       "Gr\xC3\xB6\xC3\x9F"
       "e.csv"},
      // UTF-8 already, whatever the code page: Ø and a Chinese letter.
      {850, "\xC3\x98-\xE7\x81\xAF.csv", "\xC3\x98-\xE7\x81\xAF.csv"},
      {1252, "\xC3\x98-\xE7\x81\xAF.csv", "\xC3\x98-\xE7\x81\xAF.csv"},
      {1252, "lamp.csv", "lamp.csv"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.piped);
    EXPECT_EQ(answerInUtf8(row.piped, row.codePage), row.utf8);
  }
}

}  // namespace
