#include "base/own_files.h"

#include "base/verified_copy.h"

namespace quillon {

namespace {

// Names forgotten before the record is written anew on its own: often
// enough that it stays small, seldom enough that rewriting it costs no more
// than the lines it was made of.
const size_t kForgottenBeforeRewrite = 256;

std::string FirstPart(const std::string& path) {
  return path.substr(0, path.find('/'));
}

}  // namespace

OwnRecord::OwnRecord(Disk* disk, const std::string& name) : disk_(disk), name_(name) {}

OwnRecord::~OwnRecord() {
  if (out_) out_->close();
}

bool OwnRecord::plain_path(const std::string& path) {
  if (path.empty() || path.find('\0') != std::string::npos) return false;
  size_t start = 0;
  for (;;) {
    size_t slash = path.find('/', start);
    std::string part =
        path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
    if (part.empty() || part == "." || part == "..") return false;
    if (slash == std::string::npos) return true;
    start = slash + 1;
  }
}

bool OwnRecord::read() {
  std::lock_guard<std::mutex> lock(mutex_);
  paths_.clear();
  std::unique_ptr<InputFile> in = disk_->open_read(name_);
  if (!in) {
    error_ = disk_->last_error();
    return false;
  }
  std::string content;
  std::vector<char> buffer(65536);
  long got;
  while ((got = in->read(buffer.data(), buffer.size())) > 0) {
    content.append(buffer.data(), static_cast<size_t>(got));
  }
  if (got < 0) {
    error_ = in->error();
    return false;
  }
  // A last line without its LF was being written when a run was killed,
  // before the thing it names was made.
  size_t start = 0;
  for (size_t lf; (lf = content.find('\n', start)) != std::string::npos; start = lf + 1) {
    std::string path = content.substr(start, lf - start);
    if (plain_path(path)) paths_.insert(path);
  }
  broken_ = start < content.size();
  return true;
}

bool OwnRecord::holds(const std::string& path) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return paths_.count(path) > 0;
}

std::vector<std::string> OwnRecord::paths() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return std::vector<std::string>(paths_.begin(), paths_.end());
}

DiskError OwnRecord::error() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return error_;
}

bool OwnRecord::AppendLocked(const std::string& text) {
  // After a failed append the file may end in half a line, which the next
  // name would join: the record is written whole again first.
  if (broken_ && !RewriteLocked()) return false;
  if (!out_) out_ = disk_->open_write(name_, true);
  if (!out_) {
    error_ = disk_->last_error();
    return false;
  }
  if (out_->write(text.data(), text.size())) return true;
  error_ = out_->error();
  broken_ = true;
  return false;
}

bool OwnRecord::add(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (paths_.count(path)) return true;
  if (!plain_path(path)) {
    error_ = DiskError::kNotFound;
    return false;
  }
  if (!AppendLocked(path + "\n")) return false;
  paths_.insert(path);
  return true;
}

void OwnRecord::drop(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (paths_.erase(path) == 0) return;
  if (++forgotten_ > kForgottenBeforeRewrite && forgotten_ > paths_.size()) RewriteLocked();
}

bool OwnRecord::give_up(const std::vector<std::string>& paths) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<std::string> held;
  for (const std::string& path : paths) {
    if (paths_.erase(path)) held.push_back(path);
  }
  if (held.empty() || RewriteLocked()) return true;
  paths_.insert(held.begin(), held.end());
  return false;
}

bool OwnRecord::rewrite() {
  std::lock_guard<std::mutex> lock(mutex_);
  return RewriteLocked();
}

bool OwnRecord::RewriteLocked() {
  if (out_) {
    out_->close();
    out_.reset();
  }
  std::string text;
  for (const std::string& path : paths_) text += path + "\n";
  std::string scratch = scratch_name();
  std::unique_ptr<OutputFile> out = disk_->open_write(scratch, false);
  bool written = out && out->write(text.data(), text.size());
  bool closed = out && out->close();
  if (!out) {
    error_ = disk_->last_error();
  } else if (!written || !closed) {
    error_ = out->error();
  }
  if (written && closed && disk_->rename(scratch, name_)) {
    broken_ = false;
    forgotten_ = 0;
    return true;
  }
  if (written && closed) error_ = disk_->last_error();
  disk_->remove_file(scratch);
  return false;
}

OwnDisk::OwnDisk(Disk* inner, const std::string& user_folder, const std::string& record)
    : inner_(inner), user_folder_(fold_name(user_folder)), record_(inner, record) {}

bool OwnDisk::Pass(bool ok) {
  if (!ok) last_error_ = inner_->last_error();
  return ok;
}

bool OwnDisk::IsRecord(const std::string& path) const {
  return path == record_.name() || path == record_.scratch_name();
}

bool OwnDisk::InUserFolder(const std::string& path) const {
  return fold_name(FirstPart(path)) == user_folder_;
}

bool OwnDisk::Visible(const std::string& path) const {
  if (!started_ || path.empty()) return !IsRecord(path);
  if (IsRecord(path)) return false;
  return InUserFolder(path) || record_.holds(path);
}

std::set<std::string> OwnDisk::Strangers() {
  std::set<std::string> strangers;
  std::vector<DirEntry> entries, inside;
  if (!inner_->read_dir("", &entries)) return strangers;
  for (const DirEntry& entry : entries) {
    if (IsRecord(entry.name) || InUserFolder(entry.name)) continue;
    if (!record_.holds(entry.name)) {
      strangers.insert(entry.name);
    } else if (entry.is_dir && !entry.is_link && inner_->read_dir(entry.name, &inside)) {
      for (const DirEntry& item : inside) {
        std::string path = join_path(entry.name, item.name);
        if (!record_.holds(path)) strangers.insert(path);
      }
    }
  }
  return strangers;
}

bool OwnDisk::start() {
  // Names of what is gone leave the record now, before anyone else could
  // give one of them to a file of theirs.
  for (const std::string& path : record_.paths()) {
    DirEntry entry;
    if (!inner_->stat(path, &entry)) record_.drop(path);
  }
  if (!record_.rewrite()) return false;
  at_start_ = Strangers();
  started_ = true;
  return true;
}

std::vector<std::string> OwnDisk::appeared() {
  std::vector<std::string> appeared;
  if (!started_) return appeared;
  std::lock_guard<std::mutex> lock(mutex_);
  for (const std::string& path : Strangers()) {
    if (!at_start_.count(path) && !given_away_.count(path)) appeared.push_back(path);
  }
  return appeared;
}

bool OwnDisk::finish() {
  return !started_ || record_.rewrite();
}

bool OwnDisk::stat(const std::string& path, DirEntry* entry) {
  if (!Visible(path)) return Fail(DiskError::kNotFound);
  return Pass(inner_->stat(path, entry));
}

bool OwnDisk::read_dir(const std::string& dir, std::vector<DirEntry>* entries) {
  entries->clear();
  if (!Visible(dir)) return Fail(DiskError::kNotFound);
  std::vector<DirEntry> all;
  if (!Pass(inner_->read_dir(dir, &all))) return false;
  for (DirEntry& entry : all) {
    if (Visible(join_path(dir, entry.name))) entries->push_back(std::move(entry));
  }
  return true;
}

bool OwnDisk::find_folded(const std::string& dir, const std::string& name,
                          std::vector<std::string>* names) {
  names->clear();
  if (!Visible(dir)) return Fail(DiskError::kNotFound);
  std::vector<std::string> all;
  if (!Pass(inner_->find_folded(dir, name, &all))) return false;
  for (const std::string& found : all) {
    if (Visible(join_path(dir, found))) names->push_back(found);
  }
  return true;
}

std::unique_ptr<InputFile> OwnDisk::open_read(const std::string& path) {
  if (!Visible(path)) {
    Fail(DiskError::kNotFound);
    return nullptr;
  }
  std::unique_ptr<InputFile> in = inner_->open_read(path);
  Pass(in != nullptr);
  return in;
}

// The name goes into the record before anything of that name exists, so
// that a run killed right after leaves nothing the record does not name.
// Taken meanwhile by someone else, it is theirs, and leaves the record at
// once.
template <typename Make>
bool OwnDisk::CreateRecorded(const std::string& path, Make make) {
  DirEntry entry;
  if (inner_->stat(path, &entry)) return Fail(DiskError::kNotOwn);
  if (!record_.add(path)) return Fail(record_.error());
  if (make()) return true;
  DiskError error = inner_->last_error();
  record_.drop(path);
  if (error != DiskError::kExists) return Fail(error);
  record_.rewrite();
  return Fail(DiskError::kNotOwn);
}

std::unique_ptr<OutputFile> OwnDisk::open_write(const std::string& path, bool append) {
  std::unique_ptr<OutputFile> out;
  if (!started_) {
    out = inner_->open_write(path, append);
    Pass(out != nullptr);
    return out;
  }
  bool agreed = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    agreed = agreed_.erase(path) > 0;
  }
  if (IsRecord(path)) {
    Fail(DiskError::kNotOwn);
  } else if (record_.holds(path) || (agreed && InUserFolder(path))) {
    out = inner_->open_write(path, append);
    Pass(out != nullptr);
  } else if (InUserFolder(path)) {
    // A new file there is the user's: it is not recorded.
    out = inner_->create_new(path);
    if (!out)
      last_error_ =
          inner_->last_error() == DiskError::kExists ? DiskError::kNotOwn : inner_->last_error();
  } else {
    CreateRecorded(path, [&] { return (out = inner_->create_new(path)) != nullptr; });
  }
  return out;
}

std::unique_ptr<OutputFile> OwnDisk::create_new(const std::string& path) {
  if (!started_ || record_.holds(path)) {
    std::unique_ptr<OutputFile> out = inner_->create_new(path);
    Pass(out != nullptr);
    return out;
  }
  return open_write(path, false);
}

bool OwnDisk::make_dir(const std::string& path) {
  if (!started_) return Pass(inner_->make_dir(path));
  if (IsRecord(path)) return Fail(DiskError::kNotOwn);
  if (record_.holds(path)) return Pass(inner_->make_dir(path));
  if (InUserFolder(path)) return Fail(DiskError::kNotOwn);
  return CreateRecorded(path, [&] { return inner_->make_dir(path); });
}

bool OwnDisk::remove_file(const std::string& path) {
  if (!started_) return Pass(inner_->remove_file(path));
  if (InUserFolder(path)) return Fail(DiskError::kNotOwn);
  if (!record_.holds(path)) return Fail(DiskError::kNotFound);
  if (!Pass(inner_->remove_file(path))) return false;
  record_.drop(path);
  return true;
}

bool OwnDisk::remove_dir(const std::string& path) {
  if (!started_) return Pass(inner_->remove_dir(path));
  if (InUserFolder(path)) return Fail(DiskError::kNotOwn);
  if (!record_.holds(path)) return Fail(DiskError::kNotFound);
  if (!Pass(inner_->remove_dir(path))) return false;
  record_.drop(path);
  return true;
}

bool OwnDisk::Move(const std::string& from, const std::string& to, bool replace) {
  if (!started_) return Pass(replace ? inner_->rename(from, to) : inner_->rename_new(from, to));
  if (InUserFolder(from)) return Fail(DiskError::kNotOwn);
  if (!record_.holds(from)) return Fail(DiskError::kNotFound);
  if (IsRecord(to)) return Fail(DiskError::kNotOwn);
  bool agreed = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    agreed = agreed_.erase(to) > 0;
  }
  bool moved = false;
  if (InUserFolder(to)) {
    // Moved into the user's folder, the file is the user's.
    moved = agreed && replace ? inner_->rename(from, to) : inner_->rename_new(from, to);
    if (!moved) {
      last_error_ =
          inner_->last_error() == DiskError::kExists ? DiskError::kNotOwn : inner_->last_error();
    }
  } else if (record_.holds(to)) {
    moved = Pass(replace ? inner_->rename(from, to) : inner_->rename_new(from, to));
  } else {
    moved = CreateRecorded(to, [&] { return inner_->rename_new(from, to); });
  }
  if (moved) record_.drop(from);
  return moved;
}

bool OwnDisk::rename(const std::string& from, const std::string& to) {
  return Move(from, to, true);
}

bool OwnDisk::rename_new(const std::string& from, const std::string& to) {
  return Move(from, to, false);
}

std::string OwnDisk::absolute_path(const std::string& path) {
  return inner_->absolute_path(path);
}

bool OwnDisk::remove_moved_original(const std::string& original, const std::string& copy) {
  if (!started_) return Disk::remove_moved_original(original, copy);
  if (!InUserFolder(original)) return Fail(DiskError::kNotOwn);
  if (!same_bytes(*inner_, original, copy)) return Fail(DiskError::kChanged);
  if (!Pass(inner_->remove_file(original))) return false;
  std::lock_guard<std::mutex> lock(mutex_);
  pending_.erase(copy);
  return true;
}

bool OwnDisk::disown(const std::vector<std::string>& paths) {
  if (!started_) return true;
  if (!record_.give_up(paths)) return Fail(record_.error());
  std::lock_guard<std::mutex> lock(mutex_);
  given_away_.insert(paths.begin(), paths.end());
  pending_.insert(paths.begin(), paths.end());
  return true;
}

void OwnDisk::take_back_pending() {
  std::lock_guard<std::mutex> lock(mutex_);
  for (const std::string& path : pending_) {
    if (record_.add(path)) given_away_.erase(path);
  }
  pending_.clear();
}

void OwnDisk::overwrite_agreed(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  agreed_.insert(path);
}

}  // namespace quillon
