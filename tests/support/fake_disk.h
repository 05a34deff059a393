// An in-memory disk for tests, with faults that can be injected into any
// operation: a refused open, a read error, a full disk, a failed rename or
// delete, or the process being killed at a given step. Like a real disk it
// may be used from several threads at once.

#ifndef QUILLON_SUPPORT_FAKE_DISK_H_
#define QUILLON_SUPPORT_FAKE_DISK_H_

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "base/disk.h"

namespace quillon {

enum class DiskOp { kOpenRead, kRead, kOpenWrite, kWrite, kClose, kMakeDir, kRemove, kRename };

/// Thrown by the fake disk to stand for the process being killed.
struct DiskKilled {};

struct Fault {
  DiskOp op;
  std::string path_contains;  ///< Empty matches every path.
  int occurrence = 1;         ///< Fires on the n-th matching operation only (0: on every one).
  long after_bytes = 0;       ///< kRead, kWrite: bytes that still get through.
  /// The reason given; kNone gives the usual one (a full disk for writes and
  /// closes, a read error for reads, no permission for the others).
  DiskError error = DiskError::kNone;
};

class FakeDisk : public Disk {
 public:
  FakeDisk();

  // Set-up and inspection for tests.
  void AddFile(const std::string& path, const std::string& content);
  void AddDir(const std::string& path);
  bool HasFile(const std::string& path) const;
  std::string Content(const std::string& path) const;
  /// Every file below the root (or below `folder`, relative to it), path to content.
  std::map<std::string, std::string> Files(const std::string& folder = "") const;
  void AddFault(const Fault& fault) {
    auto hold = Lock();
    faults_.push_back(fault);
  }
  void ClearFaults() {
    auto hold = Lock();
    faults_.clear();
  }
  /// Throws DiskKilled at the n-th mutating or opening operation (1-based);
  /// a kill at a close fails it, and the next opening or mutating operation
  /// throws. KillAt(0) lets the disk live again.
  void KillAt(long step) {
    auto hold = Lock();
    kill_at_ = step;
    killed_ = false;
  }
  long steps() const {
    auto hold = Lock();
    return steps_;
  }
  /// How many operations of a kind were asked for, and the bytes written.
  long count(DiskOp op) const {
    auto hold = Lock();
    auto it = counts_.find(op);
    return it == counts_.end() ? 0 : it->second;
  }
  long written() const {
    auto hold = Lock();
    return written_;
  }
  /// A full disk: writes may move `bytes` in all; the write that crosses the
  /// budget is cut short and every later one fails.
  void SetByteBudget(long bytes) {
    auto hold = Lock();
    budget_ = bytes;
  }
  /// What the disk says is free (1 GB unless set).
  void SetFreeBytes(uint64_t bytes) { free_ = bytes; }
  /// Another process holds the lock of the root folder.
  void LockElsewhere() { locked_elsewhere_ = true; }
  /// Says that names in another letter case are one name, as Windows does.
  void IgnoreCase() { ignores_case_ = true; }
  /// Called at every operation, before it is done.
  std::function<void(DiskOp op, const std::string& path)> on_step;

  // Disk.
  bool stat(const std::string& path, DirEntry* entry) override;
  bool read_dir(const std::string& dir, std::vector<DirEntry>* entries) override;
  std::unique_ptr<InputFile> open_read(const std::string& path) override;
  std::unique_ptr<OutputFile> open_write(const std::string& path, bool append) override;
  bool make_dir(const std::string& path) override;
  bool remove_file(const std::string& path) override;
  bool remove_dir(const std::string& path) override;
  bool rename(const std::string& from, const std::string& to) override;
  std::string absolute_path(const std::string& path) override;
  uint64_t free_bytes() override { return free_; }
  bool lock_root() override {
    auto hold = Lock();
    return locked_elsewhere_ ? Fail(DiskError::kDenied) : true;
  }
  bool tells_case_apart() override { return !ignores_case_; }

  struct Node {
    bool is_dir = false;
    std::string content;
    int64_t mtime = 0;
  };

  /// Counts a step, throws when the kill step is reached, and tells whether a
  /// fault fires; `after_bytes` receives the fault's allowance, and the
  /// disk's last error (or `*error`) its reason.
  bool Step(DiskOp op, const std::string& path, long* after_bytes = nullptr,
            DiskError* error = nullptr);
  /// Takes `n` bytes from the budget; false with `*allowed` the part that fits.
  bool Spend(size_t n, size_t* allowed);
  Node* Find(const std::string& path);
  /// Held by every operation, and by the open files' reads and writes.
  std::unique_lock<std::recursive_mutex> Lock() const {
    return std::unique_lock<std::recursive_mutex>(mutex_);
  }

 private:
  bool ParentIsDir(const std::string& path) const;

  std::map<std::string, Node> nodes_;
  std::vector<Fault> faults_;
  std::map<size_t, int> fault_hits_;
  long steps_ = 0;
  long kill_at_ = 0;
  bool killed_ = false;
  int64_t clock_ = 1700000000;
  long budget_ = -1;
  uint64_t free_ = 1u << 30;
  long written_ = 0;
  std::map<DiskOp, long> counts_;
  bool locked_elsewhere_ = false;
  bool ignores_case_ = false;
  mutable std::recursive_mutex mutex_;
};

}  // namespace quillon

#endif  // QUILLON_SUPPORT_FAKE_DISK_H_
