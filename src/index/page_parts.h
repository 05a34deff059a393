// Blocks of lines that several index pages share.

#ifndef QUILLON_INDEX_PAGE_PARTS_H_
#define QUILLON_INDEX_PAGE_PARTS_H_

#include <cstdint>
#include <string>

#include "run/run.h"

namespace quillon {

/// The 25 head lines of the contents, group index and word index pages.
void write_common_head(Run& run, int file);

/// How the word a page address points at is shown: in red, larger, inline.
inline const char kHighlightColor[] = "red";
inline const char kHighlightSize[] = "140%";

/// The script that highlights the word the page address points at (the
/// lines from `<script language="javascript">` to `</script>`).
void write_highlight_script(Run& run, int file);

/// Whether the keyword at position `q` of the line is a tag name: the line's
/// first "<" comes before it, and the "<" that belongs to it stands right
/// before it or with only blanks between.
bool tag_opens(const std::string& line, long q);

/// "id" and the number filled to 8 digits.
std::string word_id_text(long long number);

/// Append to a text being built what number_text, right_aligned and
/// word_id_text give, without a text of their own: the pages are made of
/// millions of them.
void append_number(std::string* out, uint64_t value);
void append_right_aligned(std::string* out, uint64_t value, size_t width);
void append_word_id(std::string* out, uint64_t number);

/// Appends every piece (texts) to `out`.
template <typename... Pieces>
void append(std::string* out, const Pieces&... pieces) {
  (out->append(pieces), ...);
}

}  // namespace quillon

#endif  // QUILLON_INDEX_PAGE_PARTS_H_
