#include "run/clean_name.h"

#include "base/text.h"
#include "run/work_files.h"

namespace quillon {

namespace {

bool KeepsByte(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The extension stays as written, but for the bytes that would make a path
// or a pattern of the name, or break the line a listing gives it.
bool BreaksName(unsigned char c) {
  return c < 32 || c == 127 || c == '\\' || c == '/' || c == '*' || c == '?';
}

}  // namespace

long find_marker(const std::string& text, const std::string& marker) {
  return find_text(1, to_lower(text), marker);
}

NameParts input_name_parts(const std::string& entry) {
  NameParts parts;
  parts.given = trim_blanks(entry);
  parts.marker = find_marker(entry, work_files::kTextExtension);
  if (parts.marker == 0) parts.marker = find_marker(entry, work_files::kPageExtension);
  if (parts.marker == 0) return parts;
  parts.stem = trim_blanks(left_text(entry, parts.marker - 1));
  parts.extension = substring(entry, parts.marker, -1);
  return parts;
}

NameParts working_copy_name_parts(const std::string& line) {
  NameParts parts;
  parts.given = trim_blanks(line);
  parts.marker = find_marker(line, work_files::kTextExtension);
  if (parts.marker == 0) return parts;
  parts.stem = trim_blanks(left_text(line, parts.marker - 1));
  parts.extension = substring(parts.given, parts.marker, -1);
  return parts;
}

std::string clean_stem(const std::string& stem) {
  std::string clean = stem;
  for (char& c : clean) {
    if (!KeepsByte(static_cast<unsigned char>(c))) c = '_';
  }
  return clean;
}

std::string clean_name(const NameParts& parts) {
  std::string extension = parts.extension;
  for (char& c : extension) {
    if (BreaksName(static_cast<unsigned char>(c))) c = '_';
  }
  std::string name = clean_stem(parts.stem) + extension;
  // A clean name never takes the name of a numbered page.
  const std::string pages = work_files::kNumberedPages.prefix;
  if (to_lower(left_text(name, text_length(pages))) == pages) name = "file_" + name;
  return name;
}

std::string fitted_name(const std::string& clean, const std::string& extension, size_t limit,
                        const std::function<bool(const std::string&)>& taken) {
  if (clean.size() <= limit) return clean;
  std::string head = clean.substr(0, clean.size() - extension.size());
  size_t room = limit > extension.size() ? limit - extension.size() : 0;
  std::string name = head.substr(0, room) + extension;
  for (long n = 2; taken(name); ++n) {
    std::string suffix = "_" + std::to_string(n);
    name = head.substr(0, room > suffix.size() ? room - suffix.size() : 0) + suffix + extension;
  }
  return name;
}

}  // namespace quillon
