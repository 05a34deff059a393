#include "app/space_check.h"

#include <vector>

#include "base/end_run.h"
#include "base/paths.h"
#include "base/wildcard.h"
#include "run/console_waits.h"
#include "run/work_files.h"

namespace quillon {

namespace {

// Megabytes, rounded up: a need is never shown smaller than it is.
std::string Megabytes(uint64_t bytes, bool up) {
  const uint64_t mb = 1u << 20;
  return std::to_string(up ? (bytes + mb - 1) / mb : bytes / mb) + " MB";
}

// The bytes of the run's own files that it deletes before indexing writes
// much (the pages and page copies an interrupted run left in the folder, its
// text files, the staged pages of htm_in, the occurrence files of wrd_24):
// room that indexing gets back. The disk shows the run only its own files.
uint64_t SpaceToBeFreed(Disk& disk) {
  using namespace work_files;
  uint64_t bytes = 0;
  std::vector<DirEntry> entries;
  if (list_folder(disk, "", &entries)) {
    for (const DirEntry& entry : entries) {
      bool deleted =
          matches_pattern(kEveryPage, entry.name) || matches_pattern(kEveryTextFile, entry.name);
      if (entry.is_file() && deleted) bytes += entry.size;
    }
  }
  for (const std::string& folder : {kHtmlIn, kOccurrenceCopies}) {
    if (!list_folder(disk, folder, &entries)) continue;
    for (const DirEntry& entry : entries) bytes += entry.is_file() ? entry.size : 0;
  }
  return bytes;
}

}  // namespace

uint64_t space_needed(uint64_t page_bytes) {
  return page_bytes * kIndexGrowth + kSpaceMargin;
}

// The pages to index are what the index grows from: compare.htm, or its
// parts.
void check_free_space(OwnDisk& disk, Console& console) {
  std::string folder;
  std::vector<DirEntry> pages;
  if (!resolve_path(disk, work_files::kHtmlWork, &folder) || !list_folder(disk, folder, &pages)) {
    return;
  }
  uint64_t bytes = 0;
  for (const DirEntry& page : pages) bytes += page.is_dir ? 0 : page.size;
  uint64_t needed = space_needed(bytes);
  uint64_t free = disk.free_bytes();
  // Counted only where the disk keeps to the run's own files.
  if (disk.started()) free += SpaceToBeFreed(disk);
  if (free >= needed) return;
  console.print_line();
  console.print_line(kSeparator);
  console.print_line("There is not enough free space on the disk for indexing.");
  console.print_line("needed: about " + Megabytes(needed, true) +
                     ", free: " + Megabytes(free, false));
  console.print_line("Make room on the disk (or compare smaller files), then start quillon again.");
  fail_run();
}

}  // namespace quillon
