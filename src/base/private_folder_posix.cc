#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "base/private_folder.h"

namespace quillon {

namespace {

bool Failed(DiskError* error) {
  *error = last_system_error();
  return false;
}

// Empties the open folder `fd`, which it closes; nothing below it is
// reached through a link.
bool Empty(int fd) {
  DIR* handle = fdopendir(fd);
  if (!handle) {
    close(fd);
    return false;
  }
  std::vector<std::string> names;
  while (struct dirent* item = readdir(handle)) {
    std::string name = item->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  int folder = dirfd(handle);
  bool all = true;
  for (const std::string& name : names) {
    struct stat info;
    if (fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
      all = errno == ENOENT && all;
      continue;
    }
    if (S_ISDIR(info.st_mode)) {
      int below = openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      all = below >= 0 && Empty(below) && unlinkat(folder, name.c_str(), AT_REMOVEDIR) == 0 && all;
    } else {
      all = unlinkat(folder, name.c_str(), 0) == 0 && all;
    }
  }
  closedir(handle);
  return all;
}

}  // namespace

void split_host_path(const std::string& path, std::string* folder, std::string* last) {
  size_t slash = path.rfind('/');
  *folder = slash == std::string::npos ? "" : slash == 0 ? "/" : path.substr(0, slash);
  *last = slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string join_host_path(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::string make_private_folder(const std::string& parent, const std::string& prefix,
                                DiskError* error) {
  std::string pattern = join_host_path(parent.empty() ? "." : parent, prefix + "XXXXXX");
  std::vector<char> path(pattern.begin(), pattern.end());
  path.push_back('\0');
  if (!mkdtemp(path.data())) {
    Failed(error);
    return "";
  }
  std::string made = path.data();
  return made.substr(made.rfind('/') + 1);
}

bool remove_tree(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0 && (errno == ENOTDIR || errno == ELOOP)) return unlink(path.c_str()) == 0;
  if (fd < 0) return errno == ENOENT;
  bool emptied = Empty(fd);
  return rmdir(path.c_str()) == 0 && emptied;
}

bool move_folder(const std::string& from, const std::string& to, DiskError* error) {
#ifdef RENAME_NOREPLACE
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return Failed(error);
#endif
  // Without the system's guard the check and the move are two steps; the
  // move still never replaces a file, and replaces only an empty folder.
  struct stat info;
  if (lstat(to.c_str(), &info) == 0) {
    *error = DiskError::kExists;
    return false;
  }
  return rename(from.c_str(), to.c_str()) == 0 || Failed(error);
}

Exchange exchange_folders(const std::string& a, const std::string& b, DiskError* error) {
#ifdef RENAME_EXCHANGE
  if (renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0) {
    return Exchange::kDone;
  }
  if (errno != EINVAL && errno != ENOSYS) {
    Failed(error);
    return Exchange::kFailed;
  }
#else
  (void)a, (void)b, (void)error;
#endif
  return Exchange::kUnsupported;
}

}  // namespace quillon
