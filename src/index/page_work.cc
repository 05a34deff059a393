#include "index/page_work.h"

#include <memory>

#include "base/paths.h"

namespace quillon {

std::string PageWork::read_whole(const std::string& name) {
  text.clear();
  std::string path;
  DirEntry entry;
  if (!resolve_path(disk, name, &path) || !disk.stat(path, &entry)) {
    failures->note(DiskAction::kRead, name, DiskError::kNotFound);
    return path;
  }
  std::unique_ptr<InputFile> in;
  if (!entry.is_file()) {
    failures->note(DiskAction::kRead, name, DiskError::kNotRegular);
  } else if (!(in = disk.open_read(path))) {
    failures->note(DiskAction::kRead, name, disk.last_error());
  } else {
    text.resize(static_cast<size_t>(entry.size) + 1);
    size_t got = 0;
    // One more byte than the size asked for shows a file that grew.
    for (long n; (n = in->read(&text[got], text.size() - got)) != 0;) {
      if (n < 0) {
        failures->note(DiskAction::kRead, name, in->error());
        break;
      }
      got += static_cast<size_t>(n);
      if (got == text.size()) text.resize(2 * got);
    }
    text.resize(got);
  }
  return path;
}

}  // namespace quillon
