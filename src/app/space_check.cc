#include "app/space_check.h"

#include <vector>

#include "base/end_run.h"
#include "base/paths.h"
#include "run/console_waits.h"
#include "run/work_files.h"

namespace quillon {

namespace {

// Megabytes, rounded up: a need is never shown smaller than it is.
std::string Megabytes(uint64_t bytes, bool up) {
  const uint64_t mb = 1u << 20;
  return std::to_string(up ? (bytes + mb - 1) / mb : bytes / mb) + " MB";
}

}  // namespace

uint64_t space_needed(uint64_t page_bytes) {
  return page_bytes * kIndexGrowth + kSpaceMargin;
}

// The pages to index are what the index grows from: compare.htm, or its
// parts.
void check_free_space(Run& run) {
  std::string folder;
  std::vector<DirEntry> pages;
  if (!resolve_path(run.disk, work_files::kHtmlWork, &folder) ||
      !list_folder(run.disk, folder, &pages)) {
    return;
  }
  uint64_t bytes = 0;
  for (const DirEntry& page : pages) bytes += page.is_dir ? 0 : page.size;
  uint64_t needed = space_needed(bytes);
  uint64_t free = run.disk.free_bytes();
  if (free >= needed) return;
  run.print_line();
  run.print_line(kSeparator);
  run.print_line("There is not enough free space on the disk for indexing.");
  run.print_line("needed: about " + Megabytes(needed, true) + ", free: " + Megabytes(free, false));
  run.print_line("Make room on the disk (or compare smaller files), then start quillon again.");
  fail_run();
}

}  // namespace quillon
