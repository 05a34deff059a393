#include "base/disk.h"

namespace quillon {

thread_local DiskError Disk::last_error_ = DiskError::kNone;

std::string describe(DiskError error) {
  switch (error) {
    case DiskError::kNone:
      return "no error";
    case DiskError::kNotFound:
      return "it does not exist";
    case DiskError::kDenied:
      return "permission denied";
    case DiskError::kFull:
      return "the disk is full";
    case DiskError::kNotRegular:
      return "it is not a plain file of this folder (a folder, a link or a special file)";
    case DiskError::kExists:
      return "it exists already";
    case DiskError::kTooLong:
      return "the name is too long";
    case DiskError::kIo:
      break;
  }
  return "input/output error";
}

std::string fold_name(const std::string& name) {
  std::string folded = name;
  for (char& c : folded) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return folded;
}

bool Disk::find_folded(const std::string& dir, const std::string& name,
                       std::vector<std::string>* names) {
  std::vector<DirEntry> entries;
  names->clear();
  if (!read_dir(dir, &entries)) return false;
  std::string wanted = fold_name(name);
  for (const DirEntry& entry : entries) {
    if (fold_name(entry.name) == wanted) names->push_back(entry.name);
  }
  return true;
}

std::string join_path(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  if (name.empty()) return dir;
  return dir + "/" + name;
}

}  // namespace quillon
