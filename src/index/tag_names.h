// Telling the name of a tag from the same word in a line's text.

#ifndef QUILLON_INDEX_TAG_NAMES_H_
#define QUILLON_INDEX_TAG_NAMES_H_

#include <string>

namespace quillon {

/// Whether the keyword at position `q` of the line is a tag name: the line's
/// first "<" comes before it, and the "<" that belongs to it stands right
/// before it or with only blanks between.
bool tag_opens(const std::string& line, long q);

/// Whether the line opens the page body (a "<" and, after blanks only, "body").
bool is_body_line(const std::string& line);

}  // namespace quillon

#endif  // QUILLON_INDEX_TAG_NAMES_H_
