#include "base/text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "base/host.h"

namespace quillon {

std::string substring(const std::string& text, long start, long length) {
  long size = text_length(text);
  if (size == 0 || start < 1 || start > size || length == 0) return "";
  long available = size - start + 1;
  if (length < 0 || length > available) length = available;
  return text.substr(static_cast<size_t>(start - 1), static_cast<size_t>(length));
}

std::string left_text(const std::string& text, long n) {
  if (n <= 0) return "";
  if (n >= text_length(text)) return text;
  return text.substr(0, static_cast<size_t>(n));
}

long find_text(long start, const std::string& text, const std::string& pattern) {
  long size = text_length(text);
  if (size == 0 || pattern.empty() || start < 1 || start > size || text_length(pattern) > size) {
    return 0;
  }
  size_t at = text.find(pattern, static_cast<size_t>(start - 1));
  return at == std::string::npos ? 0 : static_cast<long>(at) + 1;
}

std::string trim_left(const std::string& text) {
  size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? "" : text.substr(first);
}

std::string trim_right(const std::string& text) {
  size_t last = text.find_last_not_of(' ');
  return last == std::string::npos ? "" : text.substr(0, last + 1);
}

std::string trim_blanks(const std::string& text) {
  return trim_left(trim_right(text));
}

std::string to_upper(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::string to_lower(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string printable_name(const std::string& name) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string shown;
  shown.reserve(name.size());
  for (char c : name) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte >= 32 && byte != 127) {
      shown += c;
      continue;
    }
    shown += "\\x";
    shown += kHex[byte >> 4];
    shown += kHex[byte & 15];
  }
  return shown;
}

std::string escape_markup(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  // Runs between the three bytes are copied whole: a text's lines mostly
  // hold none of them, and every line of a page passes through here.
  const uint64_t kMarkupBytes = (1ULL << '&') | (1ULL << '<') | (1ULL << '>');
  size_t copied = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c > '>' || ((kMarkupBytes >> c) & 1) == 0) continue;
    escaped.append(text, copied, i - copied);
    escaped += c == '&' ? "&amp;" : c == '<' ? "&lt;" : "&gt;";
    copied = i + 1;
  }
  escaped.append(text, copied, std::string::npos);
  return escaped;
}

size_t first_non_utf8(const std::string& text) {
  const size_t size = text.size();
  for (size_t i = 0; i < size;) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    if (lead != 0 && lead < 0x80) {
      ++i;
      continue;
    }
    // The length of the sequence, and the range its second byte must lie
    // in: narrower after the leads that could start an overlong form, a
    // surrogate or a code point beyond U+10FFFF.
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    }
    if (length == 0 || size - i < length) return i;
    const unsigned char second = static_cast<unsigned char>(text[i + 1]);
    if (second < low || second > high) return i;
    for (size_t k = 2; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return i;
    }
    i += length;
  }
  return std::string::npos;
}

std::string blank_text(long n) {
  return n <= 0 ? "" : std::string(static_cast<size_t>(n), ' ');
}

int compare_text(const std::string& a, const std::string& b) {
  size_t common = a.size() < b.size() ? a.size() : b.size();
  int order = common == 0 ? 0 : std::memcmp(a.data(), b.data(), common);
  if (order != 0) return order < 0 ? -1 : 1;
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::string number_text(long long value) {
  return std::to_string(value);
}

std::string number_text_fraction(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.16g", value);
  std::string out = buffer;
  if (!out.empty() && out.back() == '.') out.pop_back();
  return out;
}

namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// Digits of an "&" literal; `base` 16, 8 or 2.
double read_based_digits(const std::string& text, size_t from, int base) {
  double value = 0;
  for (size_t i = from; i < text.size(); ++i) {
    char c = text[i];
    int digit;
    if (is_digit(c)) {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      break;
    }
    if (digit >= base) break;
    value = value * base + digit;
  }
  return value;
}

// Length of the longest prefix of `s` (from `from`) that is a decimal number:
// sign, digits, optional "." and fraction, optional exponent.
size_t decimal_prefix(const std::string& s, size_t from) {
  size_t i = from;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t digits = 0;
  while (i < s.size() && is_digit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && is_digit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  size_t mantissa_end = i;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    size_t exponent_digits = 0;
    while (j < s.size() && is_digit(s[j])) ++j, ++exponent_digits;
    if (exponent_digits > 0) return j - from;
  }
  return mantissa_end - from;
}

}  // namespace

double text_to_number(const std::string& text) {
  size_t start = text.find_first_not_of(' ');
  if (start == std::string::npos) return 0;
  if (text[start] == '&' && text.size() - start >= 2) {
    char kind = text[start + 1];
    if (kind == 'H' || kind == 'h') return read_based_digits(text, start + 2, 16);
    if (kind == 'O' || kind == 'o') return read_based_digits(text, start + 2, 8);
    if (kind == 'B' || kind == 'b') return read_based_digits(text, start + 2, 2);
    return read_based_digits(text, start + 1, 8);
  }
  size_t length = decimal_prefix(text, start);
  if (length == 0) return 0;
  std::string number = text.substr(start, length);
  for (char& c : number) {
    if (c == 'd') c = 'e';
    if (c == 'D') c = 'E';
  }
  return std::strtod(number.c_str(), nullptr);
}

int32_t round_to_int32(double value) {
  if (!std::isfinite(value)) return 0;
  // The default rounding mode rounds halves to the even neighbour.
  double rounded = std::fmod(std::nearbyint(value), 4294967296.0);
  return wrap_to_int32(static_cast<long long>(rounded));
}

int32_t wrap_to_int32(long long value) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<unsigned long long>(value)));
}

std::string date_text() {
  struct tm parts = local_time(time(nullptr));
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%02d-%02d-%04d", parts.tm_mon + 1, parts.tm_mday,
                parts.tm_year + 1900);
  return buffer;
}

std::string time_text() {
  struct tm parts = local_time(time(nullptr));
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", parts.tm_hour, parts.tm_min, parts.tm_sec);
  return buffer;
}

std::string right_aligned(long long value, long width) {
  std::string digits = number_text(value);
  return blank_text(width - text_length(digits)) + digits;
}

double RandomFractions::random_fraction() {
  state_ = state_ * 214013u + 2531011u;
  uint32_t value = (state_ >> 16) & 0x7FFFu;
  return value / 32768.0;
}

long zone_padding(long column) {
  return ((column + 14) / 14) * 14 - column;
}

std::string signed_number_text(long long value) {
  return value >= 0 ? " " + number_text(value) : number_text(value);
}

}  // namespace quillon
