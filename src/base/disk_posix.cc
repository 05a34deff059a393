#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "base/disk.h"

namespace quillon {

namespace {

class PosixInput : public InputFile {
 public:
  explicit PosixInput(int fd) : fd_(fd) {}
  ~PosixInput() override { close(fd_); }

  long read(char* buffer, size_t n) override {
    for (;;) {
      ssize_t got = ::read(fd_, buffer, n);
      if (got >= 0) return static_cast<long>(got);
      if (errno != EINTR) return -1;
    }
  }

  bool rewind() override { return lseek(fd_, 0, SEEK_SET) == 0; }

 private:
  int fd_;
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
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

class PosixDisk : public Disk {
 public:
  explicit PosixDisk(const std::string& root) : root_(root.empty() ? "." : root) {}

  bool stat(const std::string& path, DirEntry* entry) override {
    struct stat info;
    if (::stat(Native(path).c_str(), &info) != 0) return false;
    entry->name = path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
    fill(info, entry);
    return true;
  }

  bool read_dir(const std::string& dir, std::vector<DirEntry>* entries) override {
    entries->clear();
    std::string native = Native(dir);
    DIR* handle = opendir(native.c_str());
    if (!handle) return false;
    while (struct dirent* item = readdir(handle)) {
      std::string name = item->d_name;
      if (name == "." || name == "..") continue;
      struct stat info;
      if (::stat((native + "/" + name).c_str(), &info) != 0) continue;
      DirEntry entry;
      entry.name = name;
      fill(info, &entry);
      entries->push_back(entry);
    }
    closedir(handle);
    return true;
  }

  std::unique_ptr<InputFile> open_read(const std::string& path) override {
    int fd = ::open(Native(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info;
    if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
      close(fd);
      return nullptr;
    }
    return std::make_unique<PosixInput>(fd);
  }

  std::unique_ptr<OutputFile> open_write(const std::string& path, bool append) override {
    int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (append ? O_APPEND : O_TRUNC);
    int fd = ::open(Native(path).c_str(), flags, 0666);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixOutput>(fd);
  }

  bool make_dir(const std::string& path) override {
    return ::mkdir(Native(path).c_str(), 0777) == 0;
  }

  bool remove_file(const std::string& path) override { return ::unlink(Native(path).c_str()) == 0; }

  bool rename(const std::string& from, const std::string& to) override {
    return ::rename(Native(from).c_str(), Native(to).c_str()) == 0;
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

 private:
  std::string Native(const std::string& path) const {
    return path.empty() ? root_ : root_ + "/" + path;
  }

  static void fill(const struct stat& info, DirEntry* entry) {
    entry->is_dir = S_ISDIR(info.st_mode);
    entry->size = entry->is_dir ? 0 : static_cast<uint64_t>(info.st_size);
    entry->mtime = static_cast<int64_t>(info.st_mtime);
  }

  std::string root_;
};

}  // namespace

std::unique_ptr<Disk> make_real_disk(const std::string& root) {
  return std::make_unique<PosixDisk>(root);
}

}  // namespace quillon
