#include <cstdio>
#include <cstring>

#include "app/run_driver.h"
#include "app/usage.h"

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(quillon::usage_text().c_str(), stdout);
    return quillon::kExitDone;
  }
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
    std::fputs(quillon::version_text().c_str(), stdout);
    return quillon::kExitDone;
  }
  // Anything else is a mistake, not a run: the folder is not touched.
  if (argc > 1) {
    std::fprintf(stderr, "quillon: unknown argument '%s'\n\n", argv[1]);
    std::fputs(quillon::usage_text().c_str(), stderr);
    return quillon::kExitRefused;
  }
  return quillon::run_main(argc > 0 ? argv[0] : "");
}
