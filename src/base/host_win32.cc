#include <ctime>
#include <string>

#include "base/host.h"

namespace quillon {

struct tm local_time(time_t when) {
  struct tm parts;
  localtime_s(&parts, &when);
  return parts;
}

std::string native_separators(const std::string& path) {
  return path;
}

}  // namespace quillon
