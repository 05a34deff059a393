#include "base/disk.h"

#include "base/verified_copy.h"

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
    case DiskError::kReadOnly:
      return "the disk is read-only";
    case DiskError::kLink:
      return "a link stands in its place";
    case DiskError::kNotOwn:
      return "a file of yours is in the way";
    case DiskError::kChanged:
      return "it changed while it was copied";
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

std::unique_ptr<OutputFile> Disk::create_new(const std::string& path) {
  DirEntry entry;
  if (stat(path, &entry)) {
    Fail(DiskError::kExists);
    return nullptr;
  }
  return open_write(path, false);
}

bool Disk::rename_new(const std::string& from, const std::string& to) {
  DirEntry entry;
  if (stat(to, &entry)) return Fail(DiskError::kExists);
  return rename(from, to);
}

bool Disk::remove_moved_original(const std::string& original, const std::string& copy) {
  if (!same_bytes(*this, original, copy)) return Fail(DiskError::kChanged);
  return remove_file(original);
}

bool Disk::disown(const std::vector<std::string>&) {
  return true;
}

void Disk::overwrite_agreed(const std::string&) {}

std::string join_path(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  if (name.empty()) return dir;
  return dir + "/" + name;
}

}  // namespace quillon
