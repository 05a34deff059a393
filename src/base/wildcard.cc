#include "base/wildcard.h"

#include "base/text.h"

namespace quillon {

namespace {

char Fold(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Plain glob: '*' and '?', case folded; greedy with one backtrack point.
bool Glob(const std::string& pattern, const std::string& name) {
  size_t p = 0, n = 0, star = std::string::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || Fold(pattern[p]) == Fold(name[n]))) {
      ++p;
      ++n;
    } else if (star != std::string::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool ShortNameMatch(const std::string& pattern, const std::string& name) {
  size_t pattern_dot = pattern.rfind('.');
  size_t name_dot = name.rfind('.');
  if (pattern_dot == std::string::npos || name_dot == std::string::npos) return false;
  std::string extension = pattern.substr(pattern_dot + 1);
  std::string name_extension = name.substr(name_dot + 1);
  if (extension.size() != 3 || has_wildcard(extension) || name_extension.size() <= 3) {
    return false;
  }
  if (to_upper(name_extension.substr(0, 3)) != to_upper(extension)) return false;
  return Glob(pattern.substr(0, pattern_dot), name.substr(0, name_dot));
}

}  // namespace

bool has_wildcard(const std::string& text) {
  return text.find_first_of("*?") != std::string::npos;
}

bool matches_pattern(const std::string& pattern, const std::string& name) {
  if (pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, ".*") == 0 &&
      Glob(pattern.substr(0, pattern.size() - 2), name) && name.find('.') == std::string::npos) {
    return true;
  }
  if (!pattern.empty() && pattern.back() == '.') {
    return name.find('.') == std::string::npos && Glob(pattern.substr(0, pattern.size() - 1), name);
  }
  return Glob(pattern, name) || ShortNameMatch(pattern, name);
}

}  // namespace quillon
