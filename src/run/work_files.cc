#include "run/work_files.h"

namespace quillon {
namespace work_files {

namespace {

// The number's digits, filled with zeros on the left from `pad`.
std::string PaddedNumber(const std::string& pad, long number) {
  std::string digits = number_text(number);
  return left_text(pad, text_length(pad) - text_length(digits)) + digits;
}

}  // namespace

std::string page_name(const std::string& pad, long number) {
  return "page_" + PaddedNumber(pad, number) + ".htm";
}

std::string comparison_part(const std::string& pad, long number) {
  return "part_" + PaddedNumber(pad, number) + ".htm";
}

std::string page_number_pad_for(long count) {
  std::string pad;
  long limit = 1;
  for (int zeros = 2; zeros <= 8 && count > limit; ++zeros, limit *= 10) {
    pad = std::string(static_cast<size_t>(zeros), '0');
  }
  return pad;
}

std::string page_number_text(const std::string& page) {
  long p = find_text(1, page, ".htm");
  return substring(page, 6, p - 6);
}

std::string html_stem(const std::string& name) {
  return left_text(name, find_text(1, name, ".htm") - 1);
}

}  // namespace work_files
}  // namespace quillon
