#include "base/interrupts.h"

namespace quillon {

namespace {

// Files opened before the interrupt stop too: a page being written fails at
// its next write, not when it is done.
class StoppingInput : public InputFile {
 public:
  explicit StoppingInput(std::unique_ptr<InputFile> file) : file_(std::move(file)) {}
  long read(char* buffer, size_t n) override {
    return noted_interrupt() ? -1 : file_->read(buffer, n);
  }
  bool rewind() override { return !noted_interrupt() && file_->rewind(); }
  DiskError error() const override { return noted_interrupt() ? DiskError::kIo : file_->error(); }

 private:
  std::unique_ptr<InputFile> file_;
};

class StoppingOutput : public OutputFile {
 public:
  explicit StoppingOutput(std::unique_ptr<OutputFile> file) : file_(std::move(file)) {}
  bool write(const char* data, size_t n) override {
    return !noted_interrupt() && file_->write(data, n);
  }
  bool close() override { return file_->close() && !noted_interrupt(); }
  DiskError error() const override { return noted_interrupt() ? DiskError::kIo : file_->error(); }

 private:
  std::unique_ptr<OutputFile> file_;
};

class StoppingDisk : public Disk {
 public:
  explicit StoppingDisk(std::unique_ptr<Disk> disk) : disk_(std::move(disk)) {}

  bool stat(const std::string& path, DirEntry* entry) override {
    return Go() && Pass(disk_->stat(path, entry));
  }
  bool read_dir(const std::string& dir, std::vector<DirEntry>* entries) override {
    entries->clear();
    return Go() && Pass(disk_->read_dir(dir, entries));
  }
  bool find_folded(const std::string& dir, const std::string& name,
                   std::vector<std::string>* names) override {
    names->clear();
    return Go() && Pass(disk_->find_folded(dir, name, names));
  }
  std::unique_ptr<InputFile> open_read(const std::string& path) override {
    if (!Go()) return nullptr;
    std::unique_ptr<InputFile> file = disk_->open_read(path);
    if (!Pass(file != nullptr)) return nullptr;
    return std::make_unique<StoppingInput>(std::move(file));
  }
  std::unique_ptr<OutputFile> open_write(const std::string& path, bool append) override {
    if (!Go()) return nullptr;
    std::unique_ptr<OutputFile> file = disk_->open_write(path, append);
    if (!Pass(file != nullptr)) return nullptr;
    return std::make_unique<StoppingOutput>(std::move(file));
  }
  std::unique_ptr<OutputFile> create_new(const std::string& path) override {
    if (!Go()) return nullptr;
    std::unique_ptr<OutputFile> file = disk_->create_new(path);
    if (!Pass(file != nullptr)) return nullptr;
    return std::make_unique<StoppingOutput>(std::move(file));
  }
  bool make_dir(const std::string& path) override { return Go() && Pass(disk_->make_dir(path)); }
  bool remove_dir(const std::string& path) override {
    return Go() && Pass(disk_->remove_dir(path));
  }
  bool rename_new(const std::string& from, const std::string& to) override {
    return Go() && Pass(disk_->rename_new(from, to));
  }
  bool tells_case_apart() override { return disk_->tells_case_apart(); }
  bool remove_file(const std::string& path) override {
    return Go() && Pass(disk_->remove_file(path));
  }
  bool rename(const std::string& from, const std::string& to) override {
    return Go() && Pass(disk_->rename(from, to));
  }
  std::string absolute_path(const std::string& path) override { return disk_->absolute_path(path); }
  uint64_t free_bytes() override { return noted_interrupt() ? 0 : disk_->free_bytes(); }
  bool lock_root() override {
    if (!locked_) locked_ = Pass(disk_->lock_root());
    return locked_;
  }

 private:
  bool Go() { return !noted_interrupt() || Fail(DiskError::kIo); }
  bool Pass(bool done) { return done || Fail(disk_->last_error()); }

  std::unique_ptr<Disk> disk_;
  bool locked_ = false;
};

}  // namespace

std::unique_ptr<Disk> stopping_disk(std::unique_ptr<Disk> disk) {
  return std::make_unique<StoppingDisk>(std::move(disk));
}

}  // namespace quillon
