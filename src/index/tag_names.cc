#include "index/tag_names.h"

#include "base/text.h"

namespace quillon {

bool tag_opens(const std::string& line, long q) {
  long first = find_text(1, line, "<");
  if (first < 1 || q < 1 || first >= q) return false;
  long r = find_text(q - 1, line, "<");
  if (r == 0) {
    size_t before = q >= 3 ? line.rfind('<', static_cast<size_t>(q - 3)) : std::string::npos;
    r = before == std::string::npos ? 0 : static_cast<long>(before) + 1;
  }
  if (r == q - 1) return true;
  if (r < 1 || r > q - 1) return false;
  for (long i = r + 1; i < q; ++i) {
    if (line[static_cast<size_t>(i - 1)] != ' ') return false;
  }
  return true;
}

bool is_body_line(const std::string& line) {
  return tag_opens(line, find_text(1, to_lower(line), "body"));
}

}  // namespace quillon
