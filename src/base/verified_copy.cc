#include "base/verified_copy.h"

#include <cstring>
#include <memory>
#include <vector>

// Header-only: nothing to link, and the Windows build takes the same header.
#define XXH_INLINE_ALL
#include <xxhash.h>

namespace quillon {

namespace {

const size_t kChunk = 65536;

// Fills the buffer as far as the file goes: the count, or -1 on an error.
long ReadFull(InputFile& in, char* buffer, size_t n) {
  size_t filled = 0;
  while (filled < n) {
    long got = in.read(buffer + filled, n - filled);
    if (got < 0) return -1;
    if (got == 0) break;
    filled += static_cast<size_t>(got);
  }
  return static_cast<long>(filled);
}

bool FileSize(Disk& disk, const std::string& path, uint64_t* size) {
  DirEntry entry;
  if (!disk.stat(path, &entry) || entry.is_dir) return false;
  *size = entry.size;
  return true;
}

}  // namespace

bool same_bytes(Disk& disk, const std::string& a, const std::string& b) {
  uint64_t size_a = 0, size_b = 0;
  if (!FileSize(disk, a, &size_a) || !FileSize(disk, b, &size_b) || size_a != size_b) {
    return false;
  }
  std::unique_ptr<InputFile> in_a = disk.open_read(a);
  std::unique_ptr<InputFile> in_b = disk.open_read(b);
  if (!in_a || !in_b) return false;
  std::vector<char> chunk_a(kChunk), chunk_b(kChunk);
  uint64_t compared = 0;
  for (;;) {
    long got_a = ReadFull(*in_a, chunk_a.data(), kChunk);
    long got_b = ReadFull(*in_b, chunk_b.data(), kChunk);
    if (got_a < 0 || got_b < 0 || got_a != got_b) return false;
    if (got_a == 0) return compared == size_a;
    if (std::memcmp(chunk_a.data(), chunk_b.data(), static_cast<size_t>(got_a)) != 0) {
      return false;
    }
    compared += static_cast<uint64_t>(got_a);
  }
}

bool copy_verified(Disk& disk, const std::string& from, const std::string& to,
                   FailureLog* failures) {
  std::unique_ptr<InputFile> in = disk.open_read(from);
  if (!in) {
    failures->note(DiskAction::kRead, from, disk.last_error());
    return false;
  }
  std::unique_ptr<OutputFile> out = disk.open_write(to, false);
  if (!out) {
    failures->note(DiskAction::kWrite, to, disk.last_error());
    return false;
  }
  std::vector<char> chunk(kChunk);
  long got;
  while ((got = in->read(chunk.data(), kChunk)) > 0) {
    if (!out->write(chunk.data(), static_cast<size_t>(got))) {
      failures->note(DiskAction::kWrite, to, out->error());
      return false;
    }
  }
  if (got < 0) {
    failures->note(DiskAction::kRead, from, in->error());
    return false;
  }
  if (!out->close()) {
    failures->note(DiskAction::kWrite, to, out->error());
    return false;
  }
  return same_bytes(disk, from, to);
}

bool content_checksum(Disk& disk, const std::string& path, uint64_t* checksum, uint64_t* size) {
  std::unique_ptr<InputFile> in = disk.open_read(path);
  if (!in) return false;
  // XXH3: whole output folders are summed, at the speed of reading them.
  XXH3_state_t state;
  if (XXH3_64bits_reset(&state) != XXH_OK) return false;
  std::vector<char> chunk(kChunk);
  uint64_t total = 0;
  long got;
  while ((got = in->read(chunk.data(), kChunk)) > 0) {
    XXH3_64bits_update(&state, chunk.data(), static_cast<size_t>(got));
    total += static_cast<uint64_t>(got);
  }
  *checksum = XXH3_64bits_digest(&state);
  if (size) *size = total;
  return got == 0;
}

}  // namespace quillon
