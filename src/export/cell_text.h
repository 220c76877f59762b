#ifndef LUMTREL_EXPORT_CELL_TEXT_H_
#define LUMTREL_EXPORT_CELL_TEXT_H_

#include <cstddef>
#include <string>

/// The text of a header item as a spreadsheet cell shows it, in UTF-8.
/// `bytes` are decoded as UTF-8 when they all are valid UTF-8, else as
/// Windows-1252, as makers write their files; a byte order mark at the
/// start is skipped, the five bytes that Windows-1252 leaves undefined
/// become U+FFFD, a tab becomes a space, other control characters (and the
/// two that XML can't hold, U+FFFE and U+FFFF) are dropped, and blanks at
/// either end are trimmed. At most 32,767 characters (UTF-16 code units,
/// as a cell counts them) are kept. Never fails.
std::string cellText(const std::string& bytes);

/// A section of a printed page's header or footer: `code` (such as "&C",
/// centred) followed by `text`, UTF-8 as cellText gives it, with every "&"
/// doubled, since "&" starts a code there. Cut to `limit` characters (a
/// header holds 255), never inside a character or a doubled "&". Never
/// fails.
std::string pageText(const std::string& code, const std::string& text,
                     std::size_t limit = 255);

#endif  // LUMTREL_EXPORT_CELL_TEXT_H_
