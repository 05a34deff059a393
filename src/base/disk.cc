#include "base/disk.h"

namespace quillon {

std::string join_path(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  if (name.empty()) return dir;
  return dir + "/" + name;
}

}  // namespace quillon
