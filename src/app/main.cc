#include <cstdio>
#include <cstring>

#include "app/run_driver.h"
#include "app/usage.h"

int main(int argc, char** argv) {
  // Only these two words are arguments; anything else is ignored, as the
  // program takes no arguments.
  if (argc > 1 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(quillon::usage_text().c_str(), stdout);
    return 0;
  }
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
    std::fputs(quillon::version_text().c_str(), stdout);
    return 0;
  }
  return quillon::run_main(argc > 0 ? argv[0] : "");
}
