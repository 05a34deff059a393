#include "run/output_record.h"

#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "base/paths.h"
#include "base/verified_copy.h"

namespace quillon {

namespace {

const char kHeading[] = "# quillon: the files it wrote here, as SIZE CHECKSUM NAME\n";
// A record is a line per page; anything larger is not one.
const uint64_t kLargestRecord = 16u << 20;

struct Recorded {
  uint64_t size = 0;
  uint64_t checksum = 0;
};

const char kHexDigits[] = "0123456789abcdef";

std::string Hex(uint64_t value) {
  std::string digits(16, '0');
  for (int i = 15; i >= 0; --i, value >>= 4)
    digits[static_cast<size_t>(i)] = kHexDigits[value & 15];
  return digits;
}

// "SIZE CHECKSUM NAME", exactly as written; false for anything else.
bool ParseLine(const std::string& line, std::string* name, Recorded* file) {
  size_t at = 0;
  for (; at < line.size() && at < 20 && line[at] >= '0' && line[at] <= '9'; ++at) {
    file->size = file->size * 10 + static_cast<uint64_t>(line[at] - '0');
  }
  if (at == 0 || at + 18 >= line.size() || line[at] != ' ' || line[at + 17] != ' ') return false;
  for (size_t i = at + 1; i < at + 17; ++i) {
    const char* digit = std::strchr(kHexDigits, line[i]);
    if (!digit || !*digit) return false;
    file->checksum = file->checksum << 4 | static_cast<uint64_t>(digit - kHexDigits);
  }
  *name = line.substr(at + 18);
  return true;
}

bool PlainFile(const DirEntry& entry) {
  return entry.is_file() && !entry.is_link;
}

bool ReadAll(Disk& disk, const std::string& path, std::string* text) {
  std::unique_ptr<InputFile> in = disk.open_read(path);
  if (!in) return false;
  char chunk[65536];
  long got;
  while ((got = in->read(chunk, sizeof chunk)) > 0) {
    text->append(chunk, static_cast<size_t>(got));
    if (text->size() > kLargestRecord) return false;
  }
  return got == 0;
}

// The names the record vouches for; false when it is no record.
bool ReadRecord(Disk& disk, const std::string& folder, std::map<std::string, Recorded>* files) {
  std::string text;
  if (!ReadAll(disk, join_path(folder, work_files::kOutputRecord), &text)) return false;
  if (text.compare(0, sizeof kHeading - 1, kHeading) != 0) return false;
  size_t start = sizeof kHeading - 1;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) return false;
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (line.empty() || line[0] == '#') continue;
    Recorded file;
    std::string name;
    if (!ParseLine(line, &name, &file)) return false;
    (*files)[name] = file;
  }
  return true;
}

}  // namespace

bool write_output_record(Disk& disk, const std::string& folder, DiskError* error) {
  std::vector<DirEntry> entries;
  if (!list_folder(disk, folder, &entries)) {
    *error = disk.last_error();
    return false;
  }
  std::string text = kHeading;
  for (const DirEntry& entry : entries) {
    if (entry.name == work_files::kOutputRecord || !PlainFile(entry)) continue;
    Recorded file;
    if (!content_checksum(disk, join_path(folder, entry.name), &file.checksum, &file.size)) {
      *error = disk.last_error() == DiskError::kNone ? DiskError::kIo : disk.last_error();
      return false;
    }
    text += std::to_string(file.size) + " " + Hex(file.checksum) + " " + entry.name + "\n";
  }
  std::unique_ptr<OutputFile> out =
      disk.open_write(join_path(folder, work_files::kOutputRecord), false);
  if (!out) {
    *error = disk.last_error();
    return false;
  }
  if (!out->write(text.data(), text.size()) || !out->close()) {
    *error = out->error();
    return false;
  }
  return true;
}

ForeignEntry first_foreign_entry(Disk& disk, const std::string& folder) {
  std::vector<DirEntry> entries;
  ForeignEntry foreign;
  if (!list_folder(disk, folder, &entries)) {
    foreign.name = ".";
    return foreign;
  }
  std::map<std::string, Recorded> files;
  bool recorded = false;
  for (const DirEntry& entry : entries) {
    if (entry.name == work_files::kOutputRecord && PlainFile(entry)) {
      recorded = ReadRecord(disk, folder, &files);
    }
  }
  for (const DirEntry& entry : entries) {
    if (entry.name == work_files::kOutputRecord && recorded) continue;
    auto known = files.find(entry.name);
    foreign.name = entry.name;
    if (known == files.end() || !PlainFile(entry)) return foreign;
    uint64_t checksum = 0;
    foreign.changed = entry.size != known->second.size;
    foreign.unreadable =
        !foreign.changed && !content_checksum(disk, join_path(folder, entry.name), &checksum);
    foreign.changed =
        foreign.changed || (!foreign.unreadable && checksum != known->second.checksum);
    if (foreign.changed || foreign.unreadable) return foreign;
  }
  return ForeignEntry();
}

}  // namespace quillon
