// What `quillon --help` and `quillon --version` print.

#ifndef QUILLON_APP_USAGE_H_
#define QUILLON_APP_USAGE_H_

#include <string>

namespace quillon {

std::string usage_text();
std::string version_text();

}  // namespace quillon

#endif  // QUILLON_APP_USAGE_H_
