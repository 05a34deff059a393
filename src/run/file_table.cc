#include "run/file_table.h"

#include <cstring>

#include "base/field_reader.h"
#include "base/paths.h"
#include "base/text.h"

namespace quillon {

namespace {

// Output reaches the disk in blocks of up to a megabyte; a small work file
// never takes more room than it needs.
const size_t kOutputBuffer = 1 << 20;
const size_t kOutputStart = 1 << 16;
const size_t kInputBuffer = 65536;

}  // namespace

struct FileTable::Slot {
  bool input = true;
  bool broken = false;  ///< The open failed: reading ends at once, writes are dropped.
  std::string name;
  std::unique_ptr<InputFile> in;
  std::unique_ptr<OutputFile> out;
  uint64_t size_at_open = 0;
  uint64_t position = 0;
  bool hit_end = false;
  std::vector<char> buffer;
  size_t start = 0;
  size_t end = 0;
  std::string pending;
  long column = 0;
  bool failed = false;
  FailureLog* failures = nullptr;

  // Refills the input window; false at the end of the data or on an error.
  bool fill() {
    if (start < end) return true;
    if (hit_end || broken) return false;
    start = end = 0;
    long got = in->read(buffer.data(), buffer.size());
    if (got <= 0) {
      if (got < 0) failures->note(DiskAction::kRead, name, in->error());
      hit_end = true;
      return false;
    }
    end = static_cast<size_t>(got);
    return true;
  }
};

class FileTable::Reader {
 public:
  explicit Reader(Slot* slot) : slot_(slot) {}
  int peek() {
    if (!slot_->fill()) return -1;
    return static_cast<unsigned char>(slot_->buffer[slot_->start]);
  }
  void advance() {
    ++slot_->start;
    ++slot_->position;
  }

 private:
  Slot* slot_;
};

FileTable::FileTable(Disk* disk, FailureLog* failures)
    : disk_(disk), failures_(failures), slots_(kSlots + 1) {}

FileTable::~FileTable() {
  close_all();
}

FileTable::Slot* FileTable::Open(int number) {
  if (number < 1 || number > kSlots) return nullptr;
  return slots_[static_cast<size_t>(number)].get();
}

int FileTable::free_file_number() {
  for (int number = 1; number <= kSlots; ++number) {
    if (!slots_[static_cast<size_t>(number)]) return number;
  }
  return 0;
}

int FileTable::free_file_count() const {
  int count = 0;
  for (int number = 1; number <= kSlots; ++number) {
    if (!slots_[static_cast<size_t>(number)]) ++count;
  }
  return count;
}

bool FileTable::is_open(int number) const {
  return number >= 1 && number <= kSlots && slots_[static_cast<size_t>(number)] != nullptr;
}

bool FileTable::write_failed(int number) const {
  if (!is_open(number)) return false;
  const Slot& slot = *slots_[static_cast<size_t>(number)];
  return !slot.input && (slot.failed || slot.broken);
}

void FileTable::TakeFailed(int number, bool input) {
  auto slot = std::make_unique<Slot>();
  slot->input = input;
  slot->broken = true;
  slots_[static_cast<size_t>(number)] = std::move(slot);
}

TableFile FileTable::input(const std::string& name) {
  int number = free_file_number();
  open_input(name, number);
  return TableFile(this, number);
}

TableFile FileTable::output(const std::string& name) {
  int number = free_file_number();
  open_output(name, number);
  return TableFile(this, number);
}

TableFile FileTable::append(const std::string& name) {
  int number = free_file_number();
  open_append(name, number);
  return TableFile(this, number);
}

TableFile& TableFile::operator=(TableFile&& other) noexcept {
  if (this != &other) {
    close();
    files_ = other.files_;
    number_ = other.number_;
    other.files_ = nullptr;
    other.number_ = 0;
  }
  return *this;
}

bool TableFile::next_line(std::string* line) {
  if (at_end()) return false;
  files_->read_line(number_, line);
  return true;
}

void TableFile::close() {
  if (files_) files_->close_file(number_);
  files_ = nullptr;
  number_ = 0;
}

void FileTable::open_input(const std::string& name, int number) {
  if (number < 1 || number > kSlots) return;
  close_file(number);
  std::string path;
  DirEntry entry;
  if (!resolve_path(*disk_, name, &path) || !disk_->stat(path, &entry) || !entry.is_file()) {
    // A missing file is the procedure's empty file; anything else in its
    // place is a failure.
    if (entry.is_dir || entry.is_other) {
      failures_->note(DiskAction::kRead, name, DiskError::kNotRegular);
    }
    return TakeFailed(number, true);
  }
  std::unique_ptr<InputFile> in = disk_->open_read(path);
  if (!in) {
    if (disk_->last_error() != DiskError::kNotFound) {
      failures_->note(DiskAction::kRead, name, disk_->last_error());
    }
    return TakeFailed(number, true);
  }
  auto slot = std::make_unique<Slot>();
  slot->input = true;
  slot->name = name;
  slot->failures = failures_;
  slot->in = std::move(in);
  slot->size_at_open = entry.size;
  slot->buffer.resize(kInputBuffer);
  slots_[static_cast<size_t>(number)] = std::move(slot);
}

void FileTable::OpenWriter(const std::string& name, int number, bool append) {
  if (number < 1 || number > kSlots) return;
  close_file(number);
  std::string path;
  std::unique_ptr<OutputFile> out;
  if (!resolve_for_writing(*disk_, name, &path)) {
    failures_->note(DiskAction::kWrite, name, DiskError::kNotFound);
  } else if (!(out = disk_->open_write(path, append))) {
    failures_->note(DiskAction::kWrite, name, disk_->last_error());
  }
  if (!out) return TakeFailed(number, false);
  auto slot = std::make_unique<Slot>();
  slot->input = false;
  slot->name = name;
  slot->failures = failures_;
  slot->out = std::move(out);
  slot->pending.reserve(kOutputStart);
  slots_[static_cast<size_t>(number)] = std::move(slot);
}

void FileTable::WriteFailed(Slot* slot, DiskError reason) {
  if (!slot->failed) failures_->note(DiskAction::kWrite, slot->name, reason);
  slot->failed = true;
}

void FileTable::open_output(const std::string& name, int number) {
  OpenWriter(name, number, false);
}

void FileTable::open_append(const std::string& name, int number) {
  OpenWriter(name, number, true);
}

void FileTable::close_file(int number) {
  Slot* slot = Open(number);
  if (!slot) return;
  if (!slot->input && !slot->broken) {
    if (!slot->failed && !slot->pending.empty() &&
        !slot->out->write(slot->pending.data(), slot->pending.size())) {
      WriteFailed(slot, slot->out->error());
    }
    if (!slot->out->close()) WriteFailed(slot, slot->out->error());
  }
  slots_[static_cast<size_t>(number)].reset();
}

void FileTable::close_all() {
  for (int number = 1; number <= kSlots; ++number) close_file(number);
}

bool FileTable::end_of_file(int number) {
  Slot* slot = Open(number);
  if (!slot || slot->broken) return true;
  if (!slot->input) return false;
  return slot->hit_end || slot->position >= slot->size_at_open;
}

void FileTable::rewind_file(int number) {
  Slot* slot = Open(number);
  if (!slot || !slot->input || slot->broken) return;
  slot->start = slot->end = 0;
  slot->position = 0;
  slot->hit_end = !slot->in->rewind();
}

void FileTable::read_line(int number, std::string* line) {
  Slot* slot = Open(number);
  if (!slot || slot->broken) return;
  line->clear();
  if (!slot->input) return;
  while (slot->fill()) {
    const char* from = slot->buffer.data() + slot->start;
    size_t available = slot->end - slot->start;
    const void* lf = std::memchr(from, '\n', available);
    if (lf) {
      size_t length = static_cast<size_t>(static_cast<const char*>(lf) - from);
      line->append(from, length);
      slot->start += length + 1;
      slot->position += length + 1;
      if (!line->empty() && line->back() == '\r') line->pop_back();
      return;
    }
    line->append(from, available);
    slot->start = slot->end;
    slot->position += available;
  }
  // The last line without a line end; a CR as the very last byte is one.
  if (!line->empty() && line->back() == '\r') line->pop_back();
}

std::string FileTable::read_token(int number) {
  Slot* slot = Open(number);
  if (!slot || !slot->input) return "";
  Reader reader(slot);
  field_detail::skip_blanks(reader);
  // The common case, a quoted item that lies whole in the buffer, is cut out
  // at once; everything else goes byte by byte.
  if (reader.peek() == '"') {
    const char* from = slot->buffer.data() + slot->start + 1;
    size_t available = slot->end - slot->start - 1;
    const char* quote = static_cast<const char*>(std::memchr(from, '"', available));
    size_t length = quote ? static_cast<size_t>(quote - from) : 0;
    if (quote && !std::memchr(from, '\n', length) && !std::memchr(from, '\r', length)) {
      std::string field(from, length);
      slot->start += length + 2;
      slot->position += length + 2;
      field_detail::skip_blanks(reader);
      if (reader.peek() == ',') {
        reader.advance();
      } else {
        field_detail::skip_line_end(reader);
      }
      return field;
    }
  }
  return read_token_from(reader);
}

int32_t FileTable::read_number(int number) {
  Slot* slot = Open(number);
  if (!slot || !slot->input) return 0;
  Reader reader(slot);
  return read_number_from(reader);
}

// After the first failed write nothing more reaches the file, so that it holds
// a clean beginning of what was meant and never a line with a gap before it.
void FileTable::write(Slot* slot, const char* data, size_t n) {
  if (slot->failed || slot->broken) return;
  if (slot->pending.size() + n > kOutputBuffer) {
    if (!slot->pending.empty()) {
      if (!slot->out->write(slot->pending.data(), slot->pending.size())) {
        WriteFailed(slot, slot->out->error());
      }
      slot->pending.clear();
      if (slot->failed) return;
    }
    if (n >= kOutputBuffer) {
      if (!slot->out->write(data, n)) WriteFailed(slot, slot->out->error());
      return;
    }
  }
  slot->pending.append(data, n);
}

void FileTable::print_text(int number, const std::string& text) {
  Slot* slot = Open(number);
  if (!slot || slot->input) return;
  write(slot, text.data(), text.size());
  size_t lf = text.rfind('\n');
  slot->column = lf == std::string::npos ? slot->column + text_length(text)
                                         : static_cast<long>(text.size() - lf - 1);
}

void FileTable::print_line(int number, const std::string& text) {
  Slot* slot = Open(number);
  if (!slot || slot->input) return;
  write(slot, text.data(), text.size());
  write(slot, "\r\n", 2);
  slot->column = 0;
}

void FileTable::print_number(int number, long long value, Ending ending) {
  Slot* slot = Open(number);
  if (!slot || slot->input) return;
  print_text(number, signed_number_text(value));
  if (ending == Ending::kLine) print_line(number);
  if (ending == Ending::kZone) print_text(number, blank_text(zone_padding(slot->column)));
}

void FileTable::WriteRecord(int number, const std::string* first, const std::string* last) {
  Slot* slot = Open(number);
  if (!slot || slot->input) return;
  std::string record;
  for (const std::string* item = first; item != last; ++item) {
    if (item != first) record += ',';
    record += '"';
    record += *item;
    record += '"';
  }
  print_line(number, record);
}

void FileTable::write_quoted(int number, std::initializer_list<std::string> items) {
  WriteRecord(number, items.begin(), items.end());
}

void FileTable::write_quoted(int number, const std::vector<std::string>& items) {
  WriteRecord(number, items.data(), items.data() + items.size());
}

bool FileTable::file_exists(const std::string& path) {
  std::string resolved;
  DirEntry entry;
  return resolve_path(*disk_, path, &resolved) && disk_->stat(resolved, &entry) &&
         entry.is_file() && disk_->open_read(resolved) != nullptr;
}

void FileTable::delete_file(const std::string& path) {
  std::string resolved;
  if (resolve_path(*disk_, path, &resolved) && !disk_->remove_file(resolved) &&
      disk_->last_error() != DiskError::kNotFound) {
    failures_->note(DiskAction::kDelete, path, disk_->last_error());
  }
}

}  // namespace quillon
