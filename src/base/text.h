// Byte-string operations shared by every phase.
//
// Texts are plain byte strings: no character set is assumed, positions count
// from 1, and letter case is folded for ASCII letters only, so UTF-8 passes
// through untouched.

#ifndef QUILLON_BASE_TEXT_H_
#define QUILLON_BASE_TEXT_H_

#include <cstdint>
#include <string>

namespace quillon {

/// Number of bytes of `text`.
inline long text_length(const std::string& text) {
  return static_cast<long>(text.size());
}

/// At most `length` bytes from position `start` on (a negative length runs to
/// the end); empty when `start` lies outside the text or `length` is 0.
std::string substring(const std::string& text, long start, long length);

/// The first `n` bytes; empty for n <= 0, the whole text when n is larger.
std::string left_text(const std::string& text, long n);

/// Position of the first `pattern` at or after `start`, or 0.
long find_text(long start, const std::string& text, const std::string& pattern);

/// Blanks (byte 32 only) removed at both ends, at the start, at the end.
std::string trim_blanks(const std::string& text);
std::string trim_left(const std::string& text);
std::string trim_right(const std::string& text);

/// ASCII letters changed; every other byte kept.
std::string to_upper(const std::string& text);
std::string to_lower(const std::string& text);

/// The text with "&", "<" and ">" written as "&amp;", "&lt;" and "&gt;",
/// so that a browser shows it as it is and never takes it for markup.
std::string escape_markup(const std::string& text);

/// Where the text stops being UTF-8 that a browser shows as written: the
/// 0-based offset of the first NUL byte or of the first byte that starts no
/// well-formed sequence (overlong forms, surrogates and code points beyond
/// U+10FFFF included); std::string::npos when there is none.
size_t first_non_utf8(const std::string& text);

/// A name as a console message shows it: bytes below 32 and 127 as "\xNN",
/// so that it stays on one line and moves no cursor.
std::string printable_name(const std::string& name);

/// `n` blanks; empty for n <= 0.
std::string blank_text(long n);

/// Below, equal to or above 0: unsigned bytes, a prefix before the longer text.
int compare_text(const std::string& a, const std::string& b);

/// Plain decimal digits, a minus sign first when negative.
std::string number_text(long long value);
/// "%.16g", with a final "." dropped.
std::string number_text_fraction(double value);

/// Reads a number after leading blanks: "&H", "&O", "&B" or "&" prefixed
/// digits, else sign, digits, fraction and exponent ("d" counts as "e").
/// Anything else (including "inf", "nan" and hexadecimal floats) reads 0.
double text_to_number(const std::string& text);

/// Rounds to the nearest integer, halves to the even neighbour, wrapped into
/// 32 bits; 0 for values that are not finite.
int32_t round_to_int32(double value);

/// Wraps a whole number into 32 bits, two's complement.
int32_t wrap_to_int32(long long value);

/// Local date "mm-dd-yyyy" and time "hh:mm:ss".
std::string date_text();
std::string time_text();

/// What follows a number printed with `print_number`.
enum class Ending { kNone, kLine, kZone };

/// Blanks that the zone ending writes after `column` bytes of a line.
long zone_padding(long column);

/// The text of `print_number`: a blank before a number of 0 or more.
std::string signed_number_text(long long value);

/// Right-aligns the decimal digits of `value` in `width` blanks.
std::string right_aligned(long long value, long width);

/// The same pseudo-random sequence on every run and platform.
class RandomFractions {
 public:
  /// A fraction in [0, 1) with 15 bits of resolution.
  double random_fraction();

 private:
  uint32_t state_ = 1;
};

}  // namespace quillon

#endif  // QUILLON_BASE_TEXT_H_
