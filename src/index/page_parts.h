// Blocks of lines that several index pages share.

#ifndef QUILLON_INDEX_PAGE_PARTS_H_
#define QUILLON_INDEX_PAGE_PARTS_H_

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

}  // namespace quillon

#endif  // QUILLON_INDEX_PAGE_PARTS_H_
