#include "base/run.h"

namespace quillon {

std::string page_number_pad_for(long count) {
  std::string pad;
  long limit = 1;
  for (int zeros = 2; zeros <= 8 && count > limit; ++zeros, limit *= 10) {
    pad = std::string(static_cast<size_t>(zeros), '0');
  }
  return pad;
}

}  // namespace quillon
