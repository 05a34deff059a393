#include "base/paths.h"

#include <algorithm>

#include "base/text.h"

namespace quillon {

std::vector<std::string> split_program_path(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '\\' || c == '/') {
      if (!part.empty() && part != ".") parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty() && part != ".") parts.push_back(part);
  return parts;
}

bool ends_with_separator(const std::string& path) {
  return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

bool is_entry_name(const std::string& part) {
  return part != ".." && part.find('\0') == std::string::npos;
}

bool listing_before(const std::string& a, const std::string& b) {
  int folded = compare_text(to_upper(a), to_upper(b));
  if (folded != 0) return folded < 0;
  return compare_text(a, b) < 0;
}

bool list_folder(Disk& disk, const std::string& dir, std::vector<DirEntry>* entries) {
  if (!disk.read_dir(dir, entries)) return false;
  std::sort(entries->begin(), entries->end(),
            [](const DirEntry& a, const DirEntry& b) { return listing_before(a.name, b.name); });
  return true;
}

bool find_entry(Disk& disk, const std::string& dir, const std::string& name, DirEntry* found) {
  if (!is_entry_name(name)) return false;
  if (disk.stat(join_path(dir, name), found)) {
    found->name = name;
    return true;
  }
  std::vector<std::string> names;
  if (!disk.find_folded(dir, name, &names)) return false;
  const std::string* first = nullptr;
  for (const std::string& entry : names) {
    if (!first || listing_before(entry, *first)) first = &entry;
  }
  if (!first || !disk.stat(join_path(dir, *first), found)) return false;
  found->name = *first;
  return true;
}

bool resolve_parent(Disk& disk, const std::string& path, std::string* folder, std::string* last) {
  std::vector<std::string> parts = split_program_path(path);
  bool names_folder = ends_with_separator(path) || parts.empty();
  size_t folder_parts = names_folder ? parts.size() : parts.size() - 1;
  std::string dir;
  for (size_t i = 0; i < folder_parts; ++i) {
    DirEntry entry;
    if (!find_entry(disk, dir, parts[i], &entry) || !entry.is_dir) return false;
    dir = join_path(dir, entry.name);
  }
  if (!names_folder && !is_entry_name(parts.back())) return false;
  *folder = dir;
  *last = names_folder ? "" : parts.back();
  return true;
}

bool resolve_path(Disk& disk, const std::string& path, std::string* resolved) {
  std::string folder, last;
  if (!resolve_parent(disk, path, &folder, &last)) return false;
  if (last.empty()) {
    *resolved = folder;
    return true;
  }
  DirEntry entry;
  *resolved = join_path(folder, find_entry(disk, folder, last, &entry) ? entry.name : last);
  return true;
}

bool resolve_for_writing(Disk& disk, const std::string& name, std::string* resolved) {
  std::string folder, last;
  if (!resolve_parent(disk, name, &folder, &last) || last.empty()) return false;
  *resolved = join_path(folder, last);
  return true;
}

}  // namespace quillon
