// How many columns a text takes at a terminal, from the Unicode data: what
// the line editor needs to keep the cursor where the person sees it.

#ifndef QUILLON_BASE_DISPLAY_WIDTH_H_
#define QUILLON_BASE_DISPLAY_WIDTH_H_

#include <cstddef>
#include <string>

namespace quillon {

/// The UTF-8 character that starts at byte `at` of `text`: its length in
/// bytes, and its code point in `*code_point`. A byte that does not start a
/// whole, shortest-form sequence stands alone, as U+FFFD; so a character is
/// never taken apart and no byte is lost.
size_t next_character(const std::string& text, size_t at, char32_t* code_point);

/// 0 for marks, format and control characters and the joining Hangul
/// letters; 2 for wide and fullwidth East Asian ones; else 1.
int code_point_width(char32_t code_point);

/// The columns of the characters of `text` from byte `from` to byte `to`.
long display_width(const std::string& text, size_t from = 0, size_t to = std::string::npos);

}  // namespace quillon

#endif  // QUILLON_BASE_DISPLAY_WIDTH_H_
