#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cstring>
#include <map>
#include <mutex>

#include "base/disk.h"

namespace quillon {

namespace {

DiskError FromErrno(int error) {
  switch (error) {
    case 0:
      return DiskError::kNone;
    case ENOENT:
    case ENOTDIR:
      return DiskError::kNotFound;
    case EACCES:
    case EPERM:
      return DiskError::kDenied;
    case EROFS:
      return DiskError::kReadOnly;
    case ENOSPC:
    case EDQUOT:
      return DiskError::kFull;
    case ELOOP:
      return DiskError::kLink;
    case EISDIR:
    case ENXIO:
    case ENODEV:
      return DiskError::kNotRegular;
    case EEXIST:
    case ENOTEMPTY:
      return DiskError::kExists;
    case ENAMETOOLONG:
      return DiskError::kTooLong;
    default:
      return DiskError::kIo;
  }
}

// A descriptor that closes itself, unless it is only borrowed.
class Fd {
 public:
  explicit Fd(int fd = -1, bool owned = true) : fd_(fd), owned_(owned) {}
  ~Fd() {
    if (fd_ >= 0 && owned_) ::close(fd_);
  }
  Fd(Fd&& other) : fd_(other.fd_), owned_(other.owned_) { other.fd_ = -1; }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  int release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
  bool owned_;
};

class PosixInput : public InputFile {
 public:
  explicit PosixInput(int fd) : fd_(fd) {}
  ~PosixInput() override { ::close(fd_); }

  long read(char* buffer, size_t n) override {
    for (;;) {
      ssize_t got = ::read(fd_, buffer, n);
      if (got >= 0) return static_cast<long>(got);
      if (errno != EINTR) {
        error_ = FromErrno(errno);
        return -1;
      }
    }
  }

  bool rewind() override { return lseek(fd_, 0, SEEK_SET) == 0; }
  DiskError error() const override { return error_; }

 private:
  int fd_;
  DiskError error_ = DiskError::kIo;
};

class PosixOutput : public OutputFile {
 public:
  explicit PosixOutput(int fd) : fd_(fd) {}
  ~PosixOutput() override { close(); }

  bool write(const char* data, size_t n) override {
    while (n > 0) {
      ssize_t put = ::write(fd_, data, n);
      if (put < 0) {
        if (errno == EINTR) continue;
        error_ = FromErrno(errno);
        return false;
      }
      data += put;
      n -= static_cast<size_t>(put);
    }
    return true;
  }

  bool close() override {
    if (fd_ < 0) return true;
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) == 0) return true;
    error_ = FromErrno(errno);
    return false;
  }

  DiskError error() const override { return error_; }

 private:
  int fd_;
  DiskError error_ = DiskError::kIo;
};

std::string Leaf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Folder(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "" : path.substr(0, slash);
}

bool IsRegular(const struct stat& info) {
  return S_ISREG(info.st_mode);
}

// Every path is reached from the root folder one part at a time, and no part
// is followed when it is a link: a work folder that is a link to another
// place is not a way there.
class PosixDisk : public Disk {
 public:
  explicit PosixDisk(const std::string& root)
      : root_(root.empty() ? "." : root),
        root_fd_(::open(root_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}

  bool stat(const std::string& path, DirEntry* entry) override {
    Fd folder(Reach(Folder(path)));
    if (folder.get() < 0) return Fail(FromErrno(errno));
    std::string leaf = path.empty() ? "." : Leaf(path);
    if (!Describe(folder.get(), leaf, entry)) return Fail(FromErrno(errno));
    entry->name = Leaf(path);
    return true;
  }

  bool read_dir(const std::string& dir, std::vector<DirEntry>* entries) override {
    entries->clear();
    Fd folder(OpenFolder(dir));
    if (folder.get() < 0) return Fail(FromErrno(errno));
    DIR* handle = fdopendir(folder.get());
    if (!handle) return Fail(FromErrno(errno));
    folder.release();
    while (struct dirent* item = readdir(handle)) {
      std::string name = item->d_name;
      if (name == "." || name == "..") continue;
      DirEntry entry;
      if (!Describe(dirfd(handle), name, &entry)) continue;
      entry.name = name;
      entries->push_back(entry);
    }
    closedir(handle);
    return true;
  }

  // The folded names of a folder are read once and then kept up to date by
  // this disk's own changes; a change made by anyone else shows in the
  // folder's time stamp, and the folder is read again.
  bool find_folded(const std::string& dir, const std::string& name,
                   std::vector<std::string>* names) override {
    names->clear();
    Fd folder(OpenFolder(dir));
    if (folder.get() < 0) return Fail(FromErrno(errno));
    struct stat info;
    if (fstat(folder.get(), &info) != 0) return Fail(FromErrno(errno));
    std::lock_guard<std::mutex> hold(names_mutex_);
    FolderNames& known = names_[dir];
    if (!known.read || !SameTime(known, info)) {
      DIR* handle = fdopendir(folder.get());
      if (!handle) return Fail(FromErrno(errno));
      folder.release();
      known.folded.clear();
      while (struct dirent* item = readdir(handle)) {
        if (std::strcmp(item->d_name, ".") != 0 && std::strcmp(item->d_name, "..") != 0) {
          known.folded.insert({fold_name(item->d_name), item->d_name});
        }
      }
      closedir(handle);
      Stamp(&known, info);
      known.read = true;
    }
    auto found = known.folded.equal_range(fold_name(name));
    for (auto it = found.first; it != found.second; ++it) names->push_back(it->second);
    return true;
  }

  std::unique_ptr<InputFile> open_read(const std::string& path) override {
    Fd folder(Reach(Folder(path)));
    if (folder.get() < 0) return Refuse<InputFile>(FromErrno(errno));
    std::string leaf = Leaf(path);
    // Looked at before it is opened: opening a device can do things.
    struct stat info;
    if (fstatat(folder.get(), leaf.c_str(), &info, 0) != 0) {
      return Refuse<InputFile>(FromErrno(errno));
    }
    if (!IsRegular(info)) return Refuse<InputFile>(DiskError::kNotRegular);
    Fd fd(openat(folder.get(), leaf.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) return Refuse<InputFile>(FromErrno(errno));
    if (fstat(fd.get(), &info) != 0 || !IsRegular(info)) {
      return Refuse<InputFile>(DiskError::kNotRegular);
    }
    fcntl(fd.get(), F_SETFL, fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
    return std::make_unique<PosixInput>(fd.release());
  }

  std::unique_ptr<OutputFile> open_write(const std::string& path, bool append) override {
    Fd folder(Reach(Folder(path)));
    if (folder.get() < 0) return Refuse<OutputFile>(FromErrno(errno));
    std::string leaf = Leaf(path);
    struct stat info;
    if (fstatat(folder.get(), leaf.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && !Writable(info)) {
      return Refuse<OutputFile>(S_ISLNK(info.st_mode) ? DiskError::kLink : DiskError::kNotRegular);
    }
    // Emptied only once it is known to be a plain file of its own.
    int flags = O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    Fd fd(openat(folder.get(), leaf.c_str(), flags | (append ? O_APPEND : 0), 0666));
    if (fd.get() < 0) return Refuse<OutputFile>(FromErrno(errno));
    if (fstat(fd.get(), &info) != 0 || !Writable(info)) {
      return Refuse<OutputFile>(DiskError::kNotRegular);
    }
    if (!append && info.st_size > 0 && ftruncate(fd.get(), 0) != 0) {
      return Refuse<OutputFile>(FromErrno(errno));
    }
    fcntl(fd.get(), F_SETFL, fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
    Added(Folder(path), folder.get(), leaf);
    return std::make_unique<PosixOutput>(fd.release());
  }

  std::unique_ptr<OutputFile> create_new(const std::string& path) override {
    Fd folder(Reach(Folder(path)));
    if (folder.get() < 0) return Refuse<OutputFile>(FromErrno(errno));
    std::string leaf = Leaf(path);
    int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC;
    Fd fd(openat(folder.get(), leaf.c_str(), flags, 0666));
    if (fd.get() < 0) return Refuse<OutputFile>(FromErrno(errno));
    Added(Folder(path), folder.get(), leaf);
    return std::make_unique<PosixOutput>(fd.release());
  }

  bool make_dir(const std::string& path) override {
    Fd folder(Reach(Folder(path)));
    if (folder.get() < 0) return Fail(FromErrno(errno));
    if (mkdirat(folder.get(), Leaf(path).c_str(), 0777) != 0) return Fail(FromErrno(errno));
    Added(Folder(path), folder.get(), Leaf(path));
    return true;
  }

  bool remove_file(const std::string& path) override {
    Fd folder(Reach(Folder(path)));
    if (folder.get() < 0) return Fail(FromErrno(errno));
    std::string leaf = Leaf(path);
    struct stat info;
    if (fstatat(folder.get(), leaf.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
      return Fail(FromErrno(errno));
    }
    if (!IsRegular(info) && !S_ISLNK(info.st_mode)) return Fail(DiskError::kNotRegular);
    if (unlinkat(folder.get(), leaf.c_str(), 0) != 0) return Fail(FromErrno(errno));
    Removed(Folder(path), folder.get(), leaf);
    return true;
  }

  bool remove_dir(const std::string& path) override {
    Fd folder(Reach(Folder(path)));
    if (folder.get() < 0) return Fail(FromErrno(errno));
    std::string leaf = Leaf(path);
    struct stat info;
    if (fstatat(folder.get(), leaf.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
      return Fail(FromErrno(errno));
    }
    if (S_ISLNK(info.st_mode)) return Fail(DiskError::kLink);
    if (!S_ISDIR(info.st_mode)) return Fail(DiskError::kNotRegular);
    if (unlinkat(folder.get(), leaf.c_str(), AT_REMOVEDIR) != 0) return Fail(FromErrno(errno));
    Removed(Folder(path), folder.get(), leaf);
    return true;
  }

  // The name is taken in one step only when it is free: where the file system
  // cannot do that, a second name is linked and the first removed, which
  // fails as well when the name is taken.
  bool rename_new(const std::string& from, const std::string& to) override {
    Fd from_folder(Reach(Folder(from)));
    Fd to_folder(Reach(Folder(to)));
    if (from_folder.get() < 0 || to_folder.get() < 0) return Fail(FromErrno(errno));
    std::string from_leaf = Leaf(from), to_leaf = Leaf(to);
    struct stat info;
    if (fstatat(from_folder.get(), from_leaf.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
      return Fail(FromErrno(errno));
    }
    if (!IsRegular(info)) return Fail(DiskError::kNotRegular);
    if (renameat2(from_folder.get(), from_leaf.c_str(), to_folder.get(), to_leaf.c_str(),
                  RENAME_NOREPLACE) != 0) {
      if (errno != EINVAL && errno != ENOSYS) return Fail(FromErrno(errno));
      if (linkat(from_folder.get(), from_leaf.c_str(), to_folder.get(), to_leaf.c_str(), 0) != 0) {
        return Fail(FromErrno(errno));
      }
      unlinkat(from_folder.get(), from_leaf.c_str(), 0);
    }
    Removed(Folder(from), from_folder.get(), from_leaf);
    Added(Folder(to), to_folder.get(), to_leaf);
    return true;
  }

  bool rename(const std::string& from, const std::string& to) override {
    Fd from_folder(Reach(Folder(from)));
    Fd to_folder(Reach(Folder(to)));
    if (from_folder.get() < 0 || to_folder.get() < 0) return Fail(FromErrno(errno));
    std::string from_leaf = Leaf(from), to_leaf = Leaf(to);
    struct stat info;
    if (fstatat(from_folder.get(), from_leaf.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
      return Fail(FromErrno(errno));
    }
    if (!IsRegular(info) && !S_ISLNK(info.st_mode)) return Fail(DiskError::kNotRegular);
    if (fstatat(to_folder.get(), to_leaf.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
        !IsRegular(info) && !S_ISLNK(info.st_mode)) {
      return Fail(DiskError::kNotRegular);
    }
    if (renameat(from_folder.get(), from_leaf.c_str(), to_folder.get(), to_leaf.c_str()) != 0) {
      return Fail(FromErrno(errno));
    }
    Removed(Folder(from), from_folder.get(), from_leaf);
    Added(Folder(to), to_folder.get(), to_leaf);
    return true;
  }

  std::string absolute_path(const std::string& path) override {
    char resolved[PATH_MAX];
    std::string base = realpath(root_.c_str(), resolved) ? resolved : root_;
    if (path.empty()) return base;
    return base == "/" ? "/" + path : base + "/" + path;
  }

  uint64_t free_bytes() override {
    struct statvfs info;
    if (statvfs(root_.c_str(), &info) != 0) return 0;
    return static_cast<uint64_t>(info.f_bavail) * info.f_frsize;
  }

  // The file systems the program runs on here tell letter case apart.
  bool tells_case_apart() override { return true; }

  bool lock_root() override {
    if (root_fd_.get() < 0) return Fail(FromErrno(ENOENT));
    if (flock(root_fd_.get(), LOCK_EX | LOCK_NB) != 0) return Fail(FromErrno(errno));
    return true;
  }

 private:
  // A descriptor of the folder `dir` below the root to reach its entries,
  // -1 with errno set; the root's own for the root, which saves opening it
  // again for nearly every operation of a run.
  Fd Reach(const std::string& dir) const {
    if (dir.empty() && root_fd_.get() >= 0) return Fd(root_fd_.get(), false);
    return Fd(OpenFolder(dir));
  }

  // A new descriptor of the folder `dir` below the root, or -1 with errno set.
  int OpenFolder(const std::string& dir) const {
    if (root_fd_.get() < 0) {
      errno = ENOENT;
      return -1;
    }
    // Not a duplicate: that would share the root's reading position.
    int fd = openat(root_fd_.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    size_t start = 0;
    while (fd >= 0 && start < dir.size()) {
      size_t slash = dir.find('/', start);
      if (slash == std::string::npos) slash = dir.size();
      std::string part = dir.substr(start, slash - start);
      start = slash + 1;
      if (part.empty() || part == ".") continue;
      int next = openat(fd, part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      int error = errno;
      ::close(fd);
      errno = error;
      fd = next;
    }
    return fd;
  }

  // A file may be written when it is a plain file with no other name.
  static bool Writable(const struct stat& info) { return IsRegular(info) && info.st_nlink <= 1; }

  // What the entry is, its link followed; a dangling link is still an entry.
  static bool Describe(int folder, const std::string& name, DirEntry* entry) {
    struct stat own, target;
    if (fstatat(folder, name.c_str(), &own, AT_SYMLINK_NOFOLLOW) != 0) return false;
    entry->is_link = S_ISLNK(own.st_mode);
    const struct stat* info = &own;
    if (entry->is_link && fstatat(folder, name.c_str(), &target, 0) == 0) info = &target;
    entry->is_dir = S_ISDIR(info->st_mode);
    entry->is_other = !entry->is_dir && !IsRegular(*info);
    entry->links = static_cast<uint32_t>(info->st_nlink);
    entry->size = IsRegular(*info) ? static_cast<uint64_t>(info->st_size) : 0;
    entry->mtime = static_cast<int64_t>(info->st_mtime);
    return true;
  }

  template <typename File>
  std::unique_ptr<File> Refuse(DiskError error) {
    Fail(error);
    return nullptr;
  }

  struct FolderNames {
    bool read = false;
    struct timespec mtime = {};
    ino_t inode = 0;
    std::multimap<std::string, std::string> folded;  // folded name to name
  };

  static bool SameTime(const FolderNames& known, const struct stat& info) {
    return known.inode == info.st_ino && known.mtime.tv_sec == info.st_mtim.tv_sec &&
           known.mtime.tv_nsec == info.st_mtim.tv_nsec;
  }

  static void Stamp(FolderNames* known, const struct stat& info) {
    known->mtime = info.st_mtim;
    known->inode = info.st_ino;
  }

  // Keeps what is known of a folder true after this disk changed it; what
  // was already out of date is read again at the next look-up.
  void Changed(const std::string& dir, int folder, const std::string& leaf, bool added) {
    std::lock_guard<std::mutex> hold(names_mutex_);
    auto it = names_.find(dir);
    if (it == names_.end() || !it->second.read) return;
    FolderNames& known = it->second;
    std::string folded = fold_name(leaf);
    auto same = known.folded.equal_range(folded);
    bool present = false;
    for (auto entry = same.first; entry != same.second; ++entry) {
      if (entry->second != leaf) continue;
      present = true;
      if (!added) {
        known.folded.erase(entry);
        break;
      }
    }
    if (added && !present) known.folded.insert({folded, leaf});
    struct stat info;
    if (fstat(folder, &info) == 0) {
      Stamp(&known, info);
    } else {
      known.read = false;
    }
  }
  void Added(const std::string& dir, int folder, const std::string& leaf) {
    Changed(dir, folder, leaf, true);
  }
  void Removed(const std::string& dir, int folder, const std::string& leaf) {
    Changed(dir, folder, leaf, false);
  }

  std::string root_;
  Fd root_fd_;
  // The one state that calls share, so that threads may use the disk at once.
  std::mutex names_mutex_;
  std::map<std::string, FolderNames> names_;
};

}  // namespace

DiskError last_system_error() {
  return FromErrno(errno);
}

std::unique_ptr<Disk> make_real_disk(const std::string& root) {
  return std::make_unique<PosixDisk>(root);
}

}  // namespace quillon
