#include "base/paths.h"

#include <algorithm>

#include "base/text.h"

namespace quillon {

std::vector<std::string> SplitProgramPath(const std::string& path) {
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

bool EndsWithSeparator(const std::string& path) {
  return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

bool IsEntryName(const std::string& part) {
  return part != ".." && part.find('\0') == std::string::npos;
}

bool ListingBefore(const std::string& a, const std::string& b) {
  int folded = compare_text(to_upper(a), to_upper(b));
  if (folded != 0) return folded < 0;
  return compare_text(a, b) < 0;
}

bool ListFolder(Disk& disk, const std::string& dir, std::vector<DirEntry>* entries) {
  if (!disk.ReadDir(dir, entries)) return false;
  std::sort(entries->begin(), entries->end(),
            [](const DirEntry& a, const DirEntry& b) { return ListingBefore(a.name, b.name); });
  return true;
}

bool FindEntry(Disk& disk, const std::string& dir, const std::string& name, DirEntry* found) {
  if (!IsEntryName(name)) return false;
  if (disk.Stat(JoinPath(dir, name), found)) {
    found->name = name;
    return true;
  }
  // Every new file's name misses here, so one pass rather than a sorted listing.
  std::vector<DirEntry> entries;
  if (!disk.ReadDir(dir, &entries)) return false;
  std::string wanted = to_upper(name);
  const DirEntry* first = nullptr;
  for (const DirEntry& entry : entries) {
    if (to_upper(entry.name) != wanted) continue;
    if (!first || ListingBefore(entry.name, first->name)) first = &entry;
  }
  if (first) *found = *first;
  return first != nullptr;
}

bool ResolveParent(Disk& disk, const std::string& path, std::string* folder, std::string* last) {
  std::vector<std::string> parts = SplitProgramPath(path);
  bool names_folder = EndsWithSeparator(path) || parts.empty();
  size_t folder_parts = names_folder ? parts.size() : parts.size() - 1;
  std::string dir;
  for (size_t i = 0; i < folder_parts; ++i) {
    DirEntry entry;
    if (!FindEntry(disk, dir, parts[i], &entry) || !entry.is_dir) return false;
    dir = JoinPath(dir, entry.name);
  }
  if (!names_folder && !IsEntryName(parts.back())) return false;
  *folder = dir;
  *last = names_folder ? "" : parts.back();
  return true;
}

bool ResolvePath(Disk& disk, const std::string& path, std::string* resolved) {
  std::string folder, last;
  if (!ResolveParent(disk, path, &folder, &last)) return false;
  if (last.empty()) {
    *resolved = folder;
    return true;
  }
  DirEntry entry;
  *resolved = JoinPath(folder, FindEntry(disk, folder, last, &entry) ? entry.name : last);
  return true;
}

}  // namespace quillon
