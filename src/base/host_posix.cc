#include <ctime>
#include <string>

#include "base/host.h"

namespace quillon {

struct tm local_time(time_t when) {
  struct tm parts;
  localtime_r(&when, &parts);
  return parts;
}

std::string native_separators(const std::string& path) {
  std::string native = path;
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return native;
}

}  // namespace quillon
