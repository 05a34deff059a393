#include "support/fake_disk.h"

#include <algorithm>
#include <cstring>

namespace quillon {

namespace {

std::string Parent(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "" : path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

class FakeInput : public InputFile {
 public:
  FakeInput(FakeDisk* disk, std::string path, std::string content)
      : disk_(disk), path_(std::move(path)), content_(std::move(content)) {}

  long read(char* buffer, size_t n) override {
    auto hold = disk_->Lock();
    long allowance = 0;
    if (disk_->Step(DiskOp::kRead, path_, &allowance, &error_)) {
      failed_ = true;
      allowance_ = allowance;
    }
    if (failed_) {
      long room = allowance_ - static_cast<long>(position_);
      if (room <= 0) return -1;
      n = std::min(n, static_cast<size_t>(room));
    }
    size_t left = content_.size() - position_;
    size_t count = std::min(n, left);
    std::memcpy(buffer, content_.data() + position_, count);
    position_ += count;
    return static_cast<long>(count);
  }

  bool rewind() override {
    position_ = 0;
    return true;
  }

  DiskError error() const override { return error_; }

 private:
  FakeDisk* disk_;
  std::string path_;
  std::string content_;
  DiskError error_ = DiskError::kIo;
  size_t position_ = 0;
  bool failed_ = false;
  long allowance_ = 0;
};

class FakeOutput : public OutputFile {
 public:
  FakeOutput(FakeDisk* disk, std::string path) : disk_(disk), path_(std::move(path)) {}

  bool write(const char* data, size_t n) override {
    auto hold = disk_->Lock();
    long allowance = 0;
    bool full = disk_->Step(DiskOp::kWrite, path_, &allowance, &error_);
    FakeDisk::Node* node = disk_->Find(path_);
    if (!node) return false;
    size_t part = std::min(n, static_cast<size_t>(std::max(0L, allowance)));
    if (!full && !disk_->Spend(n, &part)) {
      full = true;
      error_ = DiskError::kFull;
    }
    if (full) {
      node->content.append(data, part);
      return false;
    }
    node->content.append(data, n);
    return true;
  }

  bool close() override {
    if (closed_) return true;
    closed_ = true;
    auto hold = disk_->Lock();
    return !disk_->Step(DiskOp::kClose, path_, nullptr, &error_);
  }

  DiskError error() const override { return error_; }

 private:
  FakeDisk* disk_;
  std::string path_;
  bool closed_ = false;
  DiskError error_ = DiskError::kFull;
};

}  // namespace

FakeDisk::FakeDisk() {
  nodes_[""].is_dir = true;
}

void FakeDisk::AddFile(const std::string& path, const std::string& content) {
  auto hold = Lock();
  std::string parent = Parent(path);
  if (!parent.empty() && !Find(parent)) AddDir(parent);
  Node& node = nodes_[path];
  node.is_dir = false;
  node.content = content;
  node.mtime = ++clock_;
}

void FakeDisk::AddDir(const std::string& path) {
  auto hold = Lock();
  std::string parent = Parent(path);
  if (!parent.empty() && !Find(parent)) AddDir(parent);
  nodes_[path].is_dir = true;
}

bool FakeDisk::HasFile(const std::string& path) const {
  auto hold = Lock();
  auto it = nodes_.find(path);
  return it != nodes_.end() && !it->second.is_dir;
}

std::string FakeDisk::Content(const std::string& path) const {
  auto hold = Lock();
  auto it = nodes_.find(path);
  return it == nodes_.end() ? "" : it->second.content;
}

std::map<std::string, std::string> FakeDisk::Files(const std::string& folder) const {
  auto hold = Lock();
  std::string prefix = folder.empty() ? "" : folder + "/";
  std::map<std::string, std::string> files;
  for (const auto& item : nodes_) {
    if (!item.second.is_dir && item.first.compare(0, prefix.size(), prefix) == 0) {
      files[item.first.substr(prefix.size())] = item.second.content;
    }
  }
  return files;
}

FakeDisk::Node* FakeDisk::Find(const std::string& path) {
  auto hold = Lock();
  auto it = nodes_.find(path);
  return it == nodes_.end() ? nullptr : &it->second;
}

bool FakeDisk::ParentIsDir(const std::string& path) const {
  auto it = nodes_.find(Parent(path));
  return it != nodes_.end() && it->second.is_dir;
}

namespace {

DiskError UsualError(DiskOp op) {
  switch (op) {
    case DiskOp::kWrite:
    case DiskOp::kClose:
      return DiskError::kFull;
    case DiskOp::kRead:
      return DiskError::kIo;
    default:
      return DiskError::kDenied;
  }
}

}  // namespace

bool FakeDisk::Spend(size_t n, size_t* allowed) {
  auto hold = Lock();
  written_ += static_cast<long>(n);
  if (budget_ < 0) return true;
  if (static_cast<long>(n) <= budget_) {
    budget_ -= static_cast<long>(n);
    return true;
  }
  *allowed = static_cast<size_t>(budget_);
  budget_ = 0;
  return false;
}

bool FakeDisk::Step(DiskOp op, const std::string& path, long* after_bytes, DiskError* error) {
  auto hold = Lock();
  // Closes (and the writes that flush before them) also run in destructors,
  // where a throw would end the whole test program: after the kill they fail
  // and reach nothing, and the next other operation throws.
  bool quiet = op == DiskOp::kClose || op == DiskOp::kWrite || op == DiskOp::kRead;
  DiskError& reason = error ? *error : last_error_;
  ++counts_[op];
  if (on_step) on_step(op, path);
  if (killed_) {
    if (!quiet) throw DiskKilled();
    if (after_bytes) *after_bytes = 0;
    reason = DiskError::kIo;
    return true;
  }
  if (op != DiskOp::kRead && op != DiskOp::kWrite) {
    ++steps_;
    if (kill_at_ > 0 && steps_ == kill_at_) {
      killed_ = true;
      if (!quiet) throw DiskKilled();
      reason = DiskError::kIo;
      return true;
    }
  }
  for (size_t i = 0; i < faults_.size(); ++i) {
    const Fault& fault = faults_[i];
    if (fault.op != op) continue;
    if (!fault.path_contains.empty() && path.find(fault.path_contains) == std::string::npos) {
      continue;
    }
    if (++fault_hits_[i] != fault.occurrence && fault.occurrence != 0) continue;
    if (after_bytes) *after_bytes = fault.after_bytes;
    reason = fault.error == DiskError::kNone ? UsualError(op) : fault.error;
    return true;
  }
  return false;
}

bool FakeDisk::stat(const std::string& path, DirEntry* entry) {
  auto hold = Lock();
  Node* node = Find(path);
  if (!node) return Fail(DiskError::kNotFound);
  entry->name = BaseName(path);
  entry->is_dir = node->is_dir;
  entry->size = node->is_dir ? 0 : node->content.size();
  entry->mtime = node->mtime;
  return true;
}

bool FakeDisk::read_dir(const std::string& dir, std::vector<DirEntry>* entries) {
  auto hold = Lock();
  entries->clear();
  Node* folder = Find(dir);
  if (!folder || !folder->is_dir) return Fail(DiskError::kNotFound);
  for (const auto& item : nodes_) {
    if (item.first.empty() || Parent(item.first) != dir) continue;
    DirEntry entry;
    entry.name = BaseName(item.first);
    entry.is_dir = item.second.is_dir;
    entry.size = item.second.is_dir ? 0 : item.second.content.size();
    entry.mtime = item.second.mtime;
    entries->push_back(entry);
  }
  return true;
}

std::unique_ptr<InputFile> FakeDisk::open_read(const std::string& path) {
  auto hold = Lock();
  if (Step(DiskOp::kOpenRead, path)) return nullptr;
  Node* node = Find(path);
  if (!node || node->is_dir) {
    Fail(node ? DiskError::kNotRegular : DiskError::kNotFound);
    return nullptr;
  }
  return std::make_unique<FakeInput>(this, path, node->content);
}

std::unique_ptr<OutputFile> FakeDisk::open_write(const std::string& path, bool append) {
  auto hold = Lock();
  if (Step(DiskOp::kOpenWrite, path)) return nullptr;
  Node* node = Find(path);
  if (node && node->is_dir) {
    Fail(DiskError::kNotRegular);
    return nullptr;
  }
  if (!node) {
    if (!ParentIsDir(path)) {
      Fail(DiskError::kNotFound);
      return nullptr;
    }
    node = &nodes_[path];
  }
  if (!append) node->content.clear();
  node->mtime = ++clock_;
  return std::make_unique<FakeOutput>(this, path);
}

bool FakeDisk::make_dir(const std::string& path) {
  auto hold = Lock();
  if (Step(DiskOp::kMakeDir, path)) return false;
  if (Find(path)) return Fail(DiskError::kExists);
  if (!ParentIsDir(path)) return Fail(DiskError::kNotFound);
  nodes_[path].is_dir = true;
  nodes_[path].mtime = ++clock_;
  return true;
}

bool FakeDisk::remove_file(const std::string& path) {
  auto hold = Lock();
  if (Step(DiskOp::kRemove, path)) return false;
  Node* node = Find(path);
  if (!node || node->is_dir) return Fail(node ? DiskError::kNotRegular : DiskError::kNotFound);
  nodes_.erase(path);
  return true;
}

bool FakeDisk::remove_dir(const std::string& path) {
  auto hold = Lock();
  if (Step(DiskOp::kRemove, path)) return false;
  Node* node = Find(path);
  if (!node || !node->is_dir) return Fail(node ? DiskError::kNotRegular : DiskError::kNotFound);
  for (const auto& item : nodes_) {
    if (!item.first.empty() && Parent(item.first) == path) return Fail(DiskError::kExists);
  }
  nodes_.erase(path);
  return true;
}

bool FakeDisk::rename(const std::string& from, const std::string& to) {
  auto hold = Lock();
  if (Step(DiskOp::kRename, from)) return false;
  Node* source = Find(from);
  if (!source || source->is_dir || !ParentIsDir(to)) return Fail(DiskError::kNotFound);
  Node* target = Find(to);
  if (target && target->is_dir) return Fail(DiskError::kNotRegular);
  Node moved = *source;
  nodes_.erase(from);
  nodes_[to] = moved;
  return true;
}

std::string FakeDisk::absolute_path(const std::string& path) {
  return path.empty() ? "/work" : "/work/" + path;
}

}  // namespace quillon
